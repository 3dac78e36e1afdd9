#include "StringTable.h"

#include "ProgramState.h"

#include <QFile>
#include <QHash>
#include <QStringList>

namespace {

QHash<int, QString> loadTable() {
    QHash<int, QString> table;
    QFile file(QStringLiteral(":/daywise/strings.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return table;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QStringList cells = line.split(QLatin1Char('\t'));
        if (cells.size() != 3)
            continue;
        bool ok = false;
        const int k = cells[0].toInt(&ok);
        if (!ok)
            continue;
        table.insert(EnglishBase + k, cells[1]);
        table.insert(FrenchBase + k, cells[2]);
    }
    return table;
}

} // namespace

QString str(Caption k) {
    static const QHash<int, QString> table = loadTable();
    return table.value(LanguageBase + int(k));
}

QString strWithColon(Caption k) {
    return str(k) + QStringLiteral(" :");
}
