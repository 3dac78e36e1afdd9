#pragma once

#include <QChar>

namespace act::standin {

class SqlConnection;

// Creates the tables and indexes of an empty stand-in database and marks it as one.
void createSchema(const SqlConnection& connection);

// Separates the identifiers of a list column (people scheduled with, exception dates).
inline constexpr QChar ListSeparator{0x1f};

// Date-times are stored as this text, which sorts in time order.
inline constexpr auto DateTimeFormat = "yyyy-MM-dd HH:mm";
inline constexpr auto DateFormat = "yyyy-MM-dd";

} // namespace act::standin
