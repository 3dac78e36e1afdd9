#pragma once

#include <QString>
#include <libical/ical.h>

namespace ical {

// The zone of the system's zone database with that name ("Europe/Paris", "UTC"); null when
// there is none. libical owns the result.
icaltimezone* zoneNamed(const QString& name);

// The name of the machine's own zone, as TZ or the system configuration gives it.
QString systemZoneName();

} // namespace ical
