#include "ActdbStatus.h"

#include "act/standin/StandinAuxCommands.h"

#include <QDir>
#include <QJsonArray>
#include <QStringList>

namespace {

QString views(const act::standin::ActHome& home) {
    const QDir links(home.netLinksPath());
    QStringList found;
    for (const QString& file : links.entryList({"*-tab.ctl"}, QDir::Files, QDir::Name))
        found << file.chopped(8) + QStringLiteral(" tab");
    for (const QString& file : links.entryList({"*-viewbar.ctl"}, QDir::Files, QDir::Name))
        found << file.chopped(12) + QStringLiteral(" view bar");
    return found.isEmpty() ? QStringLiteral("none") : found.join(QStringLiteral(", "));
}

QString viewNumbers(const QJsonArray& numbers) {
    QStringList texts;
    for (const QJsonValue& n : numbers)
        texts << QString::number(n.toInt());
    return texts.isEmpty() ? QStringLiteral("none") : texts.join(QStringLiteral(", "));
}

QString auxCommands(const act::standin::ActHome& home) {
    const QJsonObject commands = act::standin::StandinAuxCommands(home).all();
    if (commands.isEmpty())
        return QStringLiteral("aux commands: none\n");
    QString text = QStringLiteral("aux commands:\n");
    for (auto it = commands.begin(); it != commands.end(); ++it) {
        const QJsonObject command = it.value().toObject();
        text += QStringLiteral("  %1 (%2): toolbar in views %3; Tools menu in views %4\n")
                    .arg(it.key(), command.value("program_file").toString(),
                         viewNumbers(command.value("toolbar").toArray()),
                         viewNumbers(command.value("tools_menu").toArray()));
    }
    return text;
}

} // namespace

QString actdbStatus(const act::standin::ActHome& home) {
    const bool running = home.isRunning();
    QString text = QStringLiteral("ACT! home: %1\n").arg(home.path());
    text += QStringLiteral("ACT! running: %1\n").arg(running ? "yes" : "no");
    text += QStringLiteral("open database: %1\n")
                .arg(running ? home.openDatabasePath() : QStringLiteral("none"));
    text += QStringLiteral("views: %1\n").arg(views(home));
    text += auxCommands(home);
    text += QStringLiteral("refreshes: %1\n").arg(home.refreshCount());
    return text;
}
