#pragma once

#include <QString>
#include <QStringList>

// The browser control files that make ACT! show Daywise's page: a contact-screen tab and a
// view-bar view. A file's presence in ACT!'s link folder is the tab's or view's whole state.
namespace integration {

inline const QString TabFileName = QStringLiteral("Daywise-tab.ctl");
inline const QString ViewBarFileName = QStringLiteral("Daywise-viewbar.ctl");

// ACT!'s link folder under its program folder, with a trailing separator.
QString linkFolder(const QString& actProgramFolder);

// The page ACT! shows, in the folder Daywise writes its calendar to, with native separators.
QString pagePath();

QStringList tabFileLines(const QString& page);
QStringList viewBarFileLines(const QString& page, const QString& buttonBitmap);

// Writes the lines (UTF-8, each ended by CR LF), creating the folder when missing; false
// when the file could not be written whole.
bool writeControlFile(const QString& path, const QStringList& lines);

// False only when the file exists and stays.
bool removeControlFile(const QString& path);

} // namespace integration
