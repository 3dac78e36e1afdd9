#include "ActdbCommands.h"

#include "ActdbImportIcs.h"
#include "ActdbStatus.h"
#include "act/standin/ActHome.h"
#include "act/standin/DatabaseFile.h"
#include "act/standin/DemoDatabase.h"
#include "act/standin/Fixture.h"
#include "shell/RuntimeError.h"

#include <QFile>

namespace {

enum Status { Success = 0, Failure = 1, Usage = 2 };

const char* const HelpText = R"(Usage: daywise-actdb COMMAND [ARGUMENTS]

Controls the stand-in ACT! that Daywise works with. The ACT! home is the folder that
DAYWISE_ACT_HOME names (default: $XDG_DATA_HOME/Daywise/act). Stand-in databases are
files ending in .actdb.

Commands:
  create DB                      make an empty stand-in database
  import DB FIXTURE.json         build DB from a fixture; replaces DB only when it is a
                                 stand-in database, and only once the import succeeded
  export DB                      write DB as fixture JSON to standard output
  import-ics DB FILE.ics [FILE.ics ...] [--zone ZONE] [--user NAME]
             [--from YYYY-MM-DD] [--to YYYY-MM-DD]
                                 build a new DB from calendar files, every item owned by
                                 the user NAME (default: the login name), times in ZONE
                                 (default: the system's); repetitions the database cannot
                                 hold become single activities from --from to --to
                                 (default: two years back to five years ahead)
  demo DB [--today YYYY-MM-DD]   build the demo database around a day (default: today)
  open DB                        start ACT! with DB open
  close                          close ACT!, as its user would
  status                         whether ACT! runs, its database, views, aux commands
                                 and their placements, and how often views were refreshed
  --help                         show this text
)";

struct UsageError {
    QString message;
};

void expectCount(const QStringList& arguments, int count) {
    if (arguments.size() != count)
        throw UsageError{
            QStringLiteral("%1 takes %2 argument(s)").arg(arguments.first()).arg(count - 1)};
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError::fileAccess(QStringLiteral("%1: %2").arg(path, file.errorString()));
    return file.readAll();
}

QDate demoDay(const QStringList& arguments) {
    if (arguments.size() == 2)
        return QDate::currentDate();
    if (arguments.size() != 4 || arguments.at(2) != QLatin1String("--today"))
        throw UsageError{QStringLiteral("demo takes DB and optionally --today YYYY-MM-DD")};
    const QDate day = QDate::fromString(arguments.at(3), Qt::ISODate);
    if (!day.isValid() || arguments.at(3).size() != 10)
        throw UsageError{QStringLiteral("not a date YYYY-MM-DD: %1").arg(arguments.at(3))};
    return day;
}

int run(const QStringList& arguments, QTextStream& out) {
    using namespace act::standin;
    const QString command = arguments.value(0);
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help")) {
        out << HelpText;
        return Success;
    }
    if (command == QLatin1String("create")) {
        expectCount(arguments, 2);
        createEmptyDatabase(arguments.at(1));
        out << "created " << arguments.at(1) << '\n';
    } else if (command == QLatin1String("import")) {
        expectCount(arguments, 3);
        importFixture(arguments.at(1), readFile(arguments.at(2)));
        out << "imported " << arguments.at(2) << " into " << arguments.at(1) << '\n';
    } else if (command == QLatin1String("export")) {
        expectCount(arguments, 2);
        out << QString::fromUtf8(exportFixture(arguments.at(1)));
    } else if (command == QLatin1String("demo")) {
        const QDate day = demoDay(arguments);
        createDemoDatabase(arguments.at(1), day);
        out << "demo database around " << day.toString(Qt::ISODate) << " in " << arguments.at(1)
            << '\n';
    } else if (command == QLatin1String("open")) {
        expectCount(arguments, 2);
        ActHome().open(arguments.at(1));
        out << "ACT! runs with " << ActHome().openDatabasePath() << " open\n";
    } else if (command == QLatin1String("close")) {
        expectCount(arguments, 1);
        const bool wasRunning = ActHome().isRunning();
        ActHome().close();
        out << (wasRunning ? "ACT! closed\n" : "ACT! was not running\n");
    } else if (command == QLatin1String("status")) {
        expectCount(arguments, 1);
        out << actdbStatus(ActHome());
    } else {
        throw UsageError{command.isEmpty() ? QStringLiteral("no command given")
                                           : QStringLiteral("unknown command: %1").arg(command)};
    }
    return Success;
}

} // namespace

int runActdb(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    if (arguments.value(0) == QLatin1String("import-ics"))
        return runImportIcs(arguments, out, err);
    try {
        return run(arguments, out);
    } catch (const UsageError& e) {
        err << "daywise-actdb: " << e.message << "\nTry daywise-actdb --help\n";
        return Usage;
    } catch (const act::standin::FixtureError& e) {
        err << "daywise-actdb: fixture not imported: " << QString::fromUtf8(e.what()) << '\n';
    } catch (const RuntimeError& e) {
        err << "daywise-actdb: " << e.description() << '\n';
    }
    return Failure;
}
