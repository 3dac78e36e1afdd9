#include "Clock.h"

namespace {
QDateTime fixed;
}

QDateTime now() {
    if (fixed.isValid())
        return fixed;
    const QDateTime local = QDateTime::currentDateTime();
    return QDateTime(local.date(), local.time(), Qt::UTC);
}

void setFixedNow(const QDateTime& wallClock) {
    fixed = wallClock;
}
