#pragma once

#include "GenerationState.h"

namespace act {
class Users;
}

// The listable users, and the users whose activities this generation shows (Filter/Users).
// Any stored mode other than "MeAnd" or "All" shows the current user alone.
void selectUsers(GenerationState& state, act::Users& users);

// Copies every setting that shapes the calendar into the state, each with its default from
// the settings table: what the page shows, its layout, and whether it opens in the browser.
// Reads after selectUsers, since the colours by user are keyed by the selected users' names.
// A stored value that is not a number throws RuntimeError.
void loadGenerationSettings(GenerationState& state);
