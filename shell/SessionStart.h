#pragma once

#include "act/ActSession.h"

class Procedure;

// ACT! running with a database open, and the objects Daywise works with: steps 4 and 5 of
// start-up, reported through proc. Without an open database the user is told so; then, as
// after a reported failure, the session is not open. The event control is the caller's.
act::ActSession openSession(act::ActFactory& factory, Procedure& proc);
