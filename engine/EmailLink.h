#pragma once

#include "ActivityRow.h"
#include "GenerationState.h"

#include <QString>

// The template with its placeholders filled from the row's raw values; every "&" then reads
// "and", since the text ends up in a mail link.
QString Finalize(const QString& mailTemplate, const ActivityRow& row);

// The row's e-mail entry as a mailto link with the subject and body templates filled in,
// ready for data.js; the row's stored text when it shows no address.
QString CompleteEmail(const ActivityRow& row, const GenerationState& state);
