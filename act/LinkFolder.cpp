#include "LinkFolder.h"

#include "shell/SettingsStore.h"

#include <QDir>
#include <QFileInfo>

namespace integration {

QString linkFolder(const QString& actProgramFolder) {
    return QDir(actProgramFolder).filePath(LinkFolderName) + QLatin1Char('/');
}

bool pageShownInAct(const QString& linkFolder) {
    return QFileInfo::exists(linkFolder + TabFileName) ||
           QFileInfo::exists(linkFolder + ViewBarFileName);
}

bool forceBrowserUnlessShownInAct(bool shownInAct) {
    if (shownInAct)
        return false;
    settings().SaveSetting(setting::OpenInBrowser, 1);
    return true;
}

} // namespace integration
