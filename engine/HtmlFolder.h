#pragma once

#include "shell/ShippedFolder.h"

#include <QString>

// The folder Daywise writes data.js and script.js to and opens the page from: html/ beside
// the program when the page stands there and the folder can be written, otherwise the
// per-user $XDG_DATA_HOME/Daywise/html. It tries a write to tell, so the start-up decides it
// once and hands it to whatever names the page (the generation, ACT!'s control files).
QString htmlFolder();

// Makes `folder` ready to show a calendar: creates it and copies the shipped page files
// there, keeping every file the user changed. Returns the folder; throws RuntimeError when
// the shipped page cannot be found or copied.
QString preparePageFolder(const QString& folder);

// The copy behind preparePageFolder, from any source folder. A file is replaced only while it
// is still the copy made before (its hash is kept in the target folder), so a newer page
// reaches an untouched copy and the user's edits stay.
void copyPageFiles(const QString& source, const QString& target);
