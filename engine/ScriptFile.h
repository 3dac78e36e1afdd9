#pragma once

#include "ScriptFileLayout.h"

#include <QString>
#include <QStringList>

// The lines of script.js, the code half of the calendar page: the functions that build the
// page from data.js, with the layout, the header switch, the date-background colour (six
// hexadecimal digits) and the current language's names baked in. The script reads the range
// from data.js itself, so the same lines serve any range.
QStringList scriptFileLines(const QString& dateBackground, const ScriptFileLayout& layout);
