#pragma once

#include <QString>

// The rule every text written into a generated script follows: it must stay one valid
// single-quoted JavaScript string on one line, and braces must not reach the page's code.
QString Check(const QString& text);

// Text from the database is text, not markup: the page inserts entries as HTML.
QString htmlText(const QString& text);

// The six-digit page colour RRGGBB of a Windows colour given as hexadecimal text (BBGGRR).
QString Convert(const QString& strHex);

// Convert of a colour number, the form every colour setting is stored in.
QString colorText(qint64 windowsColor);
