#include "ScriptFile.h"

QStringList scriptFileLines(const QDate&, const QDate&, const QString&) {
    return {};
}
