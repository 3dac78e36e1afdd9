#pragma once

#include "IcsClock.h"

#include <QDate>
#include <QJsonObject>
#include <QList>
#include <optional>

namespace act::standin {

// The stand-in recurrence (in fixture form) that gives exactly the occurrences of the item's
// rule up to windowEnd, at the same wall-clock time in the target zone; nothing when the
// stand-in's four kinds cannot say it. `removed` are occurrences taken out of the series
// (moved elsewhere or cancelled), in wall-clock time.
std::optional<QJsonObject> standinRecurrence(const IcsItem& item, const IcsClock& clock,
                                             const QDate& windowEnd,
                                             const QList<QDateTime>& removed);

// The starts of the item's occurrences, from its rules and extra dates less its excluded
// ones, up to windowEnd.
QList<icaltimetype> occurrenceStarts(const IcsItem& item, const IcsClock& clock,
                                     const QDate& windowEnd);

// True when the item repeats at all.
bool isRecurring(const IcsItem& item);

} // namespace act::standin
