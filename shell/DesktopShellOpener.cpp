#include "DesktopShellOpener.h"

#include "act/standin/ActHome.h"

#include <QDesktopServices>
#include <QFileInfo>

bool DesktopShellOpener::open(const QUrl& url) {
    if (url.isLocalFile() &&
        QFileInfo(url.toLocalFile()).suffix() == QLatin1String(act::standin::DatabaseSuffix))
        return act::standin::openDatabaseInActHome(url.toLocalFile());
    return QDesktopServices::openUrl(url);
}
