#pragma once

#include "IcsEntry.h"

#include <QByteArray>

// The entries as iCalendar text (UTF-8, CR LF, folded lines): calls and meetings as events,
// to-dos as to-dos, local times in the zone named (with its definition), all-day ones as
// dates. An empty or unknown zone gives floating times.
QByteArray icsCalendar(const QList<IcsEntry>& entries, const QString& zoneName);

// Writes the activities of a calendar just made (its rows, for the days first to last) to
// an iCalendar file in the system's zone, whole or not at all; throws RuntimeError.
void writeIcsCalendar(const QString& path, act::ActSession& session, const QList<ActivityRow>& rows,
                      const QDate& first, const QDate& last);
