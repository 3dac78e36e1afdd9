#pragma once

#include <QString>
#include <functional>

namespace act::standin {

class SqlConnection;

// Builds a complete stand-in database beside dbPath and renames it over dbPath only once
// `fill` has succeeded, in one transaction; on any failure nothing at dbPath changes. An
// existing dbPath must itself be a stand-in database, and its folder must exist.
void buildDatabase(const QString& dbPath, const std::function<void(const SqlConnection&)>& fill);

// Builds an empty stand-in database; refuses a path where a file exists.
void createEmptyDatabase(const QString& dbPath);

// Throws RuntimeError unless path names a readable stand-in database.
void checkStandinDatabase(const QString& path);

} // namespace act::standin
