#pragma once

#include <QString>

// The two-language string table: English at 200 + k, French at 400 + k. Entries the table
// does not hold read as empty text.
QString stringAt(int id);

// Entry k of the current language (LanguageBase + k).
QString str(int k);
