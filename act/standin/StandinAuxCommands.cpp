#include "StandinAuxCommands.h"

#include "shell/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

namespace act::standin {

namespace {

constexpr int Failed = 1;
constexpr auto Toolbar = "toolbar";
constexpr auto ToolsMenu = "tools_menu";

bool validView(int view) {
    return view >= 1 && view <= 6;
}

} // namespace

StandinAuxCommands::StandinAuxCommands(ActHome home)
    : home_(std::move(home)) {}

QJsonObject StandinAuxCommands::all() const {
    QFile file(home_.auxCommandsPath());
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError::fileAccess(file.fileName());
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (!document.isObject())
        throw RuntimeError::fileAccess(file.fileName() + QStringLiteral(" is damaged"));
    return document.object();
}

bool StandinAuxCommands::failing() const {
    return QFileInfo::exists(home_.auxFailurePath());
}

void StandinAuxCommands::save(const QJsonObject& commands) {
    QDir().mkpath(home_.path());
    QSaveFile file(home_.auxCommandsPath());
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(QJsonDocument(commands).toJson(QJsonDocument::Indented)) < 0 || !file.commit())
        throw RuntimeError::fileAccess(home_.auxCommandsPath());
}

int StandinAuxCommands::AuxCommandExists(const QString& name) const {
    return all().contains(name) ? 1 : 0;
}

int StandinAuxCommands::AddAuxCommand(const QString& name, const QString& programFile,
                                      const QString& programFolder, const QString& title,
                                      const QString& toolTip, const QString& iconFile,
                                      const QString& largeIconFile, int flags) {
    if (failing() || name.isEmpty())
        return Failed;
    QJsonObject commands = all();
    const QJsonObject old = commands.value(name).toObject();
    commands.insert(name, QJsonObject{{"program_file", programFile},
                                      {"program_folder", programFolder},
                                      {"title", title},
                                      {"tool_tip", toolTip},
                                      {"icon_file", iconFile},
                                      {"large_icon_file", largeIconFile},
                                      {"flags", flags},
                                      {Toolbar, old.value(Toolbar).toArray()},
                                      {ToolsMenu, old.value(ToolsMenu).toArray()}});
    save(commands);
    return 0;
}

bool StandinAuxCommands::placedIn(const char* place, int view, const QString& name) const {
    return all().value(name).toObject().value(QLatin1String(place)).toArray().contains(view);
}

int StandinAuxCommands::place(const char* place, int view, const QString& name, bool present) {
    QJsonObject commands = all();
    if (failing() || !validView(view) || !commands.contains(name))
        return Failed;
    QJsonObject command = commands.value(name).toObject();
    QJsonArray views = command.value(QLatin1String(place)).toArray();
    if (present && !views.contains(view))
        views.append(view);
    for (qsizetype i = views.size() - 1; !present && i >= 0; --i)
        if (views.at(i).toInt() == view)
            views.removeAt(i);
    command.insert(QLatin1String(place), views);
    commands.insert(name, command);
    save(commands);
    return 0;
}

int StandinAuxCommands::AuxCommandExistsInToolbar(int view, const QString& name) const {
    return placedIn(Toolbar, view, name) ? 1 : 0;
}

int StandinAuxCommands::AuxCommandExistsInToolsMenu(int view, const QString& name) const {
    return placedIn(ToolsMenu, view, name) ? 1 : 0;
}

int StandinAuxCommands::AddAuxCommandToToolbar(int view, const QString& name) {
    return place(Toolbar, view, name, true);
}

int StandinAuxCommands::RemoveAuxCommandFromToolbar(int view, const QString& name) {
    return place(Toolbar, view, name, false);
}

int StandinAuxCommands::AddAuxCommandToToolsMenu(int view, const QString& name) {
    return place(ToolsMenu, view, name, true);
}

int StandinAuxCommands::RemoveAuxCommandFromToolsMenu(int view, const QString& name) {
    return place(ToolsMenu, view, name, false);
}

void StandinAuxCommands::DeleteAuxCommand(const QString& name) {
    if (failing())
        throw RuntimeError(440, QStringLiteral("ACT! refused to delete the command %1").arg(name));
    QJsonObject commands = all();
    if (!commands.contains(name))
        return;
    commands.remove(name);
    save(commands);
}

} // namespace act::standin
