#pragma once

#include <QByteArray>
#include <QString>
#include <stdexcept>

namespace act::standin {

// A fixture that cannot be loaded; what() names the object and the key at fault.
class FixtureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Builds a new stand-in database at dbPath from a fixture (JSON text). The database is built
// beside dbPath under another name and renamed over it only when complete, so a fixture
// error leaves whatever was at dbPath unchanged. A file at dbPath that is not a stand-in
// database is never replaced. Throws FixtureError for the fixture's faults and RuntimeError
// for the file's.
void importFixture(const QString& dbPath, const QByteArray& json);

// The database as a fixture: every key written out, defaults included, so that importing
// the result gives the same database again.
QByteArray exportFixture(const QString& dbPath);

} // namespace act::standin
