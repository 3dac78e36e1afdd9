#pragma once

#include <QString>

// The folder of the files shipped with the program: html/ with the page, its style sheet and
// icons, and the pictures ACT! shows for Daywise. It is the program's own folder in the build
// tree or a copied program folder, and share/daywise in an installed tree, found beside the
// program's bin/ or in the system's data folders. Empty when there is none.
QString shippedFolder();

// The folder Daywise writes data.js and script.js to and opens the page from: html/ beside
// the program when the page stands there and the folder can be written, otherwise the
// per-user $XDG_DATA_HOME/Daywise/html. Whatever names the page (the outside browser,
// ACT!'s control files) should use this folder.
QString htmlFolder();

// Makes `folder` ready to show a calendar: creates it and copies the shipped page files
// there, keeping every file the user changed. Returns the folder; throws RuntimeError when
// the shipped page cannot be found or copied.
QString preparePageFolder(const QString& folder);

// The copy behind preparePageFolder, from any source folder. A file is replaced only while it
// is still the copy made before (its hash is kept in the target folder), so a newer page
// reaches an untouched copy and the user's edits stay.
void copyPageFiles(const QString& source, const QString& target);

// The page file in that folder.
inline const QString PageFileName = QStringLiteral("Daywise.htm");
