#include "ShippedFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

bool holdsShippedPage(const QString& folder) {
    return QFileInfo::exists(folder + QLatin1String("/html/") + PageFileName);
}

QString shippedFolder() {
    const QString program = QCoreApplication::applicationDirPath();
    if (holdsShippedPage(program))
        return program;
    const QString installed = QDir::cleanPath(program + QLatin1String("/../share/daywise"));
    if (holdsShippedPage(installed))
        return installed;
    const QString page = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                QLatin1String("daywise/html/") + PageFileName);
    return page.isEmpty() ? QString()
                          : QDir::cleanPath(QFileInfo(page).absolutePath() + QLatin1String("/.."));
}
