#include "QtTranslation.h"

#include "StringTable.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

bool french(int languageBase) {
    return languageBase == FrenchBase;
}

} // namespace

bool useQtTranslation(int languageBase) {
    static QTranslator qtFrench;
    QCoreApplication::removeTranslator(&qtFrench);
    if (!french(languageBase))
        return true;
    if (qtFrench.isEmpty() &&
        !qtFrench.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&qtFrench);
}

QLocale languageLocale(int languageBase) {
    if (french(languageBase))
        return QLocale(QLocale::French, QLocale::France);
    const QLocale system = QLocale::system();
    return system.language() == QLocale::English ? system : QLocale(QLocale::English);
}
