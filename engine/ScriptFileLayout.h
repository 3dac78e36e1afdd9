#pragma once

#include "CalendarField.h"

#include <QList>
#include <QString>

#include <array>

// The settings script.js bakes in, read once per generation and made safe to write: every
// value the user could have mistyped or pasted falls back to its default, so the page always
// runs.
struct ScriptFileLayout {
    static constexpr int Columns = 6;
    static constexpr int Fields = CalendarFieldCount;

    bool header = true;
    std::array<int, Columns> widths{};
    // Column 0 (A) to 5 (F) of each field; field 0 is the type icon.
    std::array<int, Fields> columns{};
    // Fields 1 to 19 in the order their text lines are written.
    QList<int> textFieldOrder;
};

ScriptFileLayout readScriptFileLayout();
