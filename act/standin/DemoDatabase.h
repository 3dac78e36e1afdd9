#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

namespace act::standin {

// A demo ACT! database as fixture JSON: six users (one not listable), about 150 contacts,
// about 400 activities in the eight weeks around `today`. The same day always gives the
// same database.
QByteArray demoFixture(const QDate& today);

// Builds the demo database at dbPath (as importFixture does).
void createDemoDatabase(const QString& dbPath, const QDate& today);

} // namespace act::standin
