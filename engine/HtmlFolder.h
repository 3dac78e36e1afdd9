#pragma once

#include <QString>

// The folder Daywise writes data.js and script.js to and opens the page from: html/ beside
// the program, or, when that cannot be written (a system-wide install), the per-user
// $XDG_DATA_HOME/Daywise/html with the shipped page files copied there. Whatever names the
// page (the outside browser, ACT!'s control files) should use this folder.
QString htmlFolder();

// Copies the shipped page files into another folder, so a calendar written there opens.
void copyShippedPage(const QString& target);

// The page file in that folder.
inline const QString PageFileName = QStringLiteral("Daywise.htm");
