#pragma once

#include "ical/IcalHandles.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace act::standin {

// A calendar file that cannot be imported; what() starts with the file and line at fault.
class IcsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One event or to-do of a calendar file, with where it stands in the file.
struct IcsItem {
    icalcomponent* component = nullptr;
    const struct IcsSource* source = nullptr;
    int firstLine = 0; // 1-based, its BEGIN line
    int lastLine = 0;  // its END line

    // The line of the named property within the item, else its BEGIN line.
    int lineOf(const char* property) const;
    [[noreturn]] void fail(const char* property, const QString& problem) const;
};

// One calendar file, parsed by libical: its events and to-dos in file order.
struct IcsSource {
    QString fileName;
    QStringList lines; // physical lines, for messages
    ical::Component root;
    QList<IcsItem> items;
};

// Reads and parses a calendar file; throws IcsError when it is not iCalendar.
std::unique_ptr<IcsSource> readIcsFile(const QString& path);

} // namespace act::standin
