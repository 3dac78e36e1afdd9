#pragma once

#include "LinkFolder.h"

#include <QString>
#include <QStringList>

// The browser control files that make ACT! show Daywise's page: a contact-screen tab and a
// view-bar view, written to the link folder.
namespace integration {

QStringList tabFileLines(const QString& page);
QStringList viewBarFileLines(const QString& page, const QString& buttonBitmap);

// Writes the lines (UTF-8, each ended by CR LF), creating the folder when missing; false
// when the file could not be written whole.
bool writeControlFile(const QString& path, const QStringList& lines);

// False only when the file exists and stays.
bool removeControlFile(const QString& path);

} // namespace integration
