#include "ActdbCommands.h"

#include "ActdbImportIcs.h"
#include "ActdbOptions.h"
#include "ActdbStatus.h"
#include "act/standin/ActHome.h"
#include "act/standin/DatabaseFile.h"
#include "act/standin/DemoDatabase.h"
#include "act/standin/Fixture.h"
#include "act/standin/IcsSource.h"
#include "shell/AppInfo.h"
#include "shell/RuntimeError.h"
#include "shell/WholeFile.h"

#include <QCommandLineParser>
#include <functional>

namespace {

enum Status { Success = 0, Failure = 1, Usage = 2 };

const char* const Description = R"(Controls the stand-in ACT! that Daywise works with.

Commands:
%1
Run 'daywise-actdb COMMAND --help' for a command's own options.

Environment:
  DAYWISE_ACT_HOME  the stand-in's ACT! folder (default $XDG_DATA_HOME/Daywise/act)

Exit status:
  0  done
  1  the command failed (the reason is on standard error)
  2  the command line was wrong
)";

// One subcommand: what it takes and what it does with it. Its positional arguments arrive
// in order, checked for number.
struct Command {
    QString name;
    QString summary;
    QList<QPair<QString, QString>> arguments; // name, description
    QList<QCommandLineOption> options;
    std::function<void(const QStringList&, const QCommandLineParser&, QTextStream&)> run;
    bool lastRepeats = false; // the last argument may be given more than once
};

const QString Db = QStringLiteral("DB");
const QString DbHelp = QStringLiteral("The stand-in database file.");

QList<Command> commands() {
    using namespace act::standin;
    using Parser = QCommandLineParser;
    return {
        {QStringLiteral("create"),
         QStringLiteral("Make an empty stand-in database."),
         {{Db, DbHelp}},
         {},
         [](const QStringList& a, const Parser&, QTextStream& out) {
             createEmptyDatabase(a[0]);
             out << "created " << a[0] << '\n';
         }},
        {QStringLiteral("import"),
         QStringLiteral("Build DB from a fixture.\nAn existing DB is replaced only when it is a "
                        "stand-in database,\nand only once the import succeeded."),
         {{Db, DbHelp},
          {QStringLiteral("FIXTURE"), QStringLiteral("The fixture JSON file to read.")}},
         {},
         [](const QStringList& a, const Parser&, QTextStream& out) {
             importFixture(a[0], readWholeFile(a[1]));
             out << "imported " << a[1] << " into " << a[0] << '\n';
         }},
        {QStringLiteral("export"),
         QStringLiteral("Write DB as fixture JSON to standard output."),
         {{Db, DbHelp}},
         {},
         [](const QStringList& a, const Parser&, QTextStream& out) {
             out << QString::fromUtf8(exportFixture(a[0]));
         }},
        {QStringLiteral("import-ics"),
         QStringLiteral("Build a new DB from calendar files.\nEvery item is owned by one user; "
                        "repetitions the database cannot\nhold become single activities."),
         {{Db, DbHelp},
          {QStringLiteral("FILE.ics"), QStringLiteral("The calendar files to read.")}},
         importIcsOptions(),
         runImportIcs,
         true},
        {QStringLiteral("demo"),
         QStringLiteral("Build the demo database around a day."),
         {{Db, DbHelp}},
         {{QStringLiteral("today"), QStringLiteral("The day to build around (default: today)."),
           QStringLiteral("YYYY-MM-DD")}},
         [](const QStringList& a, const Parser& parser, QTextStream& out) {
             const QDate day = dateOption(parser, QStringLiteral("today"), QDate::currentDate());
             createDemoDatabase(a[0], day);
             out << "demo database around " << day.toString(Qt::ISODate) << " in " << a[0] << '\n';
         }},
        {QStringLiteral("open"),
         QStringLiteral("Start ACT! with DB open."),
         {{Db, DbHelp}},
         {},
         [](const QStringList& a, const Parser&, QTextStream& out) {
             ActHome().open(a[0]);
             out << "ACT! runs with " << ActHome().openDatabasePath() << " open\n";
         }},
        {QStringLiteral("close"),
         QStringLiteral("Close ACT!, as its user would."),
         {},
         {},
         [](const QStringList&, const Parser&, QTextStream& out) {
             const bool wasRunning = ActHome().isRunning();
             ActHome().close();
             out << (wasRunning ? "ACT! closed\n" : "ACT! was not running\n");
         }},
        {QStringLiteral("status"),
         QStringLiteral("Show what the stand-in ACT! holds.\nWhether ACT! runs, its database, "
                        "views, aux commands and their\nplacements, and how often views were "
                        "refreshed."),
         {},
         {},
         [](const QStringList&, const Parser&, QTextStream& out) {
             out << actdbStatus(ActHome());
         }},
    };
}

QString synopsis(const Command& command) {
    QString line = command.name;
    if (!command.options.isEmpty())
        line += QStringLiteral(" [options]");
    for (const auto& argument : command.arguments)
        line += QLatin1Char(' ') + argument.first;
    if (command.lastRepeats)
        line += QStringLiteral(" ...");
    return line;
}

bool helpAsked(const QCommandLineParser& parser) {
    return parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"));
}

QString mainHelp() {
    QString list;
    for (const Command& command : commands())
        list += QStringLiteral("  %1  %2\n")
                    .arg(synopsis(command), -24)
                    .arg(command.summary.section(QLatin1Char('\n'), 0, 0));
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    QString options = parser.helpText();
    options = options.mid(options.indexOf(QLatin1String("Options:")));
    return QStringLiteral("Usage: daywise-actdb [options] COMMAND [ARGUMENTS]\n\n") +
           QString::fromUtf8(Description).arg(list) + QLatin1Char('\n') + options;
}

int runCommand(const Command& command, const QStringList& arguments, QTextStream& out) {
    QCommandLineParser parser;
    parser.setApplicationDescription(command.summary);
    parser.addHelpOption();
    parser.addOptions(command.options);
    for (const auto& argument : command.arguments)
        parser.addPositionalArgument(argument.first, argument.second);
    if (!parser.parse(QStringList{QStringLiteral("daywise-actdb")} + arguments))
        throw ActdbUsageError{parser.errorText()};
    if (helpAsked(parser)) {
        const QString text = parser.helpText();
        out << "Usage: daywise-actdb " << synopsis(command)
            << text.mid(text.indexOf(QLatin1Char('\n')));
        return Success;
    }
    const QStringList values = parser.positionalArguments();
    const bool counted = command.lastRepeats ? values.size() >= command.arguments.size()
                                             : values.size() == command.arguments.size();
    if (!counted)
        throw ActdbUsageError{
            QStringLiteral("%1 takes %2%3 argument(s)")
                .arg(command.name, command.lastRepeats ? QStringLiteral("at least ") : QString())
                .arg(command.arguments.size())};
    command.run(values, parser, out);
    return Success;
}

int run(const QStringList& arguments, QTextStream& out) {
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parser.parse(QStringList{QStringLiteral("daywise-actdb")} + arguments))
        throw ActdbUsageError{parser.errorText()};
    if (helpAsked(parser)) {
        out << mainHelp();
        return Success;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        out << "daywise-actdb " << app::versionText() << '\n';
        return Success;
    }
    const QStringList rest = parser.positionalArguments();
    if (rest.isEmpty())
        throw ActdbUsageError{QStringLiteral("no command given")};
    for (const Command& command : commands())
        if (command.name == rest.first())
            return runCommand(command, rest.mid(1), out);
    throw ActdbUsageError{QStringLiteral("unknown command: %1").arg(rest.first())};
}

} // namespace

int runActdb(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    try {
        return run(arguments, out);
    } catch (const ActdbUsageError& e) {
        err << "daywise-actdb: " << e.message
            << "\nTry 'daywise-actdb --help' for more information.\n";
        return Usage;
    } catch (const act::standin::FixtureError& e) {
        err << "daywise-actdb: fixture not imported: " << QString::fromUtf8(e.what()) << '\n';
    } catch (const act::standin::IcsError& e) {
        err << "daywise-actdb: calendar not imported: " << QString::fromUtf8(e.what()) << '\n';
    } catch (const RuntimeError& e) {
        err << "daywise-actdb: " << e.description() << '\n';
    }
    return Failure;
}
