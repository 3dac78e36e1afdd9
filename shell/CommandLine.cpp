#include "CommandLine.h"

#include <QRegularExpression>

namespace {

struct QtOption {
    const char* name;
    bool takesValue;
    const char* help;
};

// What QGuiApplication and QApplication take from the command line.
constexpr QtOption QtOptions[] = {
    {"platform", true, "the platform plugin (xcb, wayland, offscreen ...)"},
    {"platformpluginpath", true, "where to look for platform plugins"},
    {"platformtheme", true, "the platform theme"},
    {"plugin", true, "an additional input plugin"},
    {"qwindowgeometry", true, "the main window's geometry"},
    {"geometry", true, "the main window's geometry"},
    {"qwindowicon", true, "the window icon"},
    {"icon", true, "the window icon"},
    {"qwindowtitle", true, "the window title"},
    {"title", true, "the window title"},
    {"session", true, "the session to restore"},
    {"display", true, "the X display to use"},
    {"name", true, "the application name for X resources"},
    {"style", true, "the widget style (Fusion, Windows ...)"},
    {"stylesheet", true, "a style sheet file"},
    {"reverse", false, "lay the windows out right to left"},
    {"widgetcount", false, "count the widgets left at the end"},
    {"nograb", false, "never grab the mouse or keyboard"},
    {"dograb", false, "grab the mouse and keyboard even under a debugger"},
    {"sync", false, "run X11 synchronously"},
    {"qmljsdebugger", true, "the QML debugger's port"},
};

const QtOption* qtOption(const QString& argument) {
    if (!argument.startsWith(QLatin1Char('-')))
        return nullptr;
    // Qt reads "-style", "--style" and "-style=Fusion" alike.
    QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    name = name.section(QLatin1Char('='), 0, 0);
    for (const QtOption& option : QtOptions)
        if (name == QLatin1String(option.name))
            return &option;
    return nullptr;
}

} // namespace

QStringList withoutQtWindowOptions(const QStringList& arguments) {
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QtOption* option = i > 0 ? qtOption(arguments[i]) : nullptr;
        if (!option) {
            kept << arguments[i];
            continue;
        }
        if (option->takesValue && !arguments[i].contains(QLatin1Char('=')))
            ++i;
    }
    return kept;
}

bool asksForHeadlessRun(const QStringList& arguments) {
    return withoutQtWindowOptions(arguments).size() > 1;
}

QDate dayFromText(const QString& text, const QDate& today) {
    const QString word = text.trimmed().toLower();
    if (word == QLatin1String("today"))
        return today;
    if (word == QLatin1String("tomorrow"))
        return today.addDays(1);
    if (word == QLatin1String("yesterday"))
        return today.addDays(-1);
    static const QRegularExpression offset(QStringLiteral("^[+-]\\d{1,5}$"));
    if (offset.match(word).hasMatch())
        return today.addDays(word.toInt());
    static const QRegularExpression iso(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    return iso.match(word).hasMatch() ? QDate::fromString(word, Qt::ISODate) : QDate();
}

QString qtWindowOptionsHelp() {
    QString text;
    for (const QtOption& option : QtOptions) {
        const QString name = QLatin1Char('-') + QLatin1String(option.name) +
                             (option.takesValue ? QStringLiteral(" <value>") : QString());
        text += QStringLiteral("  %1%2\n").arg(name, -28).arg(QLatin1String(option.help));
    }
    return text;
}
