#include "DesktopShellOpener.h"

#include "act/standin/ActHome.h"

#include <QDesktopServices>

bool DesktopShellOpener::open(const QUrl& url) {
    if (url.isLocalFile() && act::standin::isDatabaseFile(url.toLocalFile()))
        return act::standin::openDatabaseInActHome(url.toLocalFile());
    return QDesktopServices::openUrl(url);
}
