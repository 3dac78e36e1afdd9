#pragma once

#include <QString>

// ACT!'s link folder under its program folder, and the files Daywise keeps there: the
// browser control files of its contact-screen tab and view-bar view, and the web link of
// ACT!'s menu. A control file's presence is the tab's or view's whole state.
namespace integration {

inline const QString LinkFolderName = QStringLiteral("NetLinks");
inline const QString TabFileName = QStringLiteral("Daywise-tab.ctl");
inline const QString ViewBarFileName = QStringLiteral("Daywise-viewbar.ctl");
inline const QString LinkMenuFileName = QStringLiteral("1010it_wise.web");

// The link folder, with a trailing separator.
QString linkFolder(const QString& actProgramFolder);

// True when ACT! shows Daywise's page itself, in a tab or a view.
bool pageShownInAct(const QString& linkFolder);

// Without a tab or a view in ACT!, the outside browser is the only way to see the page, so
// that choice is then stored as made. Returns true when it was.
bool forceBrowserUnlessShownInAct(bool shownInAct);

} // namespace integration
