#include "modTime.h"

QString GetTimeFormat() {
    return GetUserLocaleInfo(QLocale::system(), LocaleTimeFormat);
}

QString GetUserLocaleInfo(const QLocale& locale, qint32 type) {
    if (type != LocaleTimeFormat)
        return {};
    return locale.timeFormat(QLocale::ShortFormat);
}
