#pragma once

#include "IcsSource.h"

#include <QDateTime>

namespace act::standin {

// Reads the times of calendar items and turns them into the wall clock of one zone, the
// way the stand-in keeps every date-time.
class IcsClock {
public:
    explicit IcsClock(icaltimezone* target)
        : target_(target) {}

    // The property's time with its zone resolved through the calendar's own zones or the
    // system's; fails the item for a zone neither knows.
    icaltimetype timeOf(const IcsItem& item, icalproperty* property) const;

    // The item's first such property read by timeOf; a null time when it has none.
    icaltimetype timeOf(const IcsItem& item, icalproperty_kind kind) const;

    // The target zone's wall clock (tagged Qt::UTC, as the stand-in's times are); floating
    // times and dates stay as they are written.
    QDateTime wallClock(const icaltimetype& time) const;

private:
    icaltimezone* target_;
};

// The date and time a libical time holds as written, without any conversion.
QDateTime asWritten(const icaltimetype& time);

} // namespace act::standin
