#include "ActdbImportIcs.h"

#include "ActdbOptions.h"
#include "act/standin/IcsImport.h"

#include <QDate>

namespace {

const QString Zone = QStringLiteral("zone");
const QString User = QStringLiteral("user");
const QString From = QStringLiteral("from");
const QString To = QStringLiteral("to");

QString loginName() {
    for (const char* variable : {"USER", "LOGNAME", "USERNAME"})
        if (const QString name = qEnvironmentVariable(variable); !name.isEmpty())
            return name;
    return QStringLiteral("User");
}

act::standin::IcsImportOptions options(const QCommandLineParser& parser) {
    const QDate today = QDate::currentDate();
    act::standin::IcsImportOptions options{
        parser.isSet(User) ? parser.value(User) : loginName(), parser.value(Zone),
        dateOption(parser, From, today.addYears(-2)), dateOption(parser, To, today.addYears(5))};
    if (options.to < options.from)
        throw ActdbUsageError{QStringLiteral("--to is before --from")};
    if (options.userName.trimmed().isEmpty())
        throw ActdbUsageError{QStringLiteral("--user wants a name")};
    return options;
}

void report(const QString& database, const QStringList& files,
            const act::standin::IcsImportOptions& options,
            const act::standin::IcsImportSummary& summary, QTextStream& out) {
    out << "imported " << summary.activities << " activities from " << files.join(", ") << " into "
        << database << " for " << options.userName << '\n';
    if (summary.expandedItems > 0)
        out << "expanded " << summary.expandedItems << " repeating item(s) into "
            << summary.expandedOccurrences << " single activities from "
            << options.from.toString(Qt::ISODate) << " to " << options.to.toString(Qt::ISODate)
            << '\n';
    if (summary.leftOut > 0)
        out << "left out " << summary.leftOut << " cancelled item(s) and to-dos without a date\n";
}

} // namespace

QList<QCommandLineOption> importIcsOptions() {
    return {
        {Zone, QStringLiteral("The time zone to give times in (default: the system's)."),
         QStringLiteral("ZONE")},
        {User, QStringLiteral("The user who owns every item (default: the login name)."),
         QStringLiteral("NAME")},
        {From,
         QStringLiteral("First day of repetitions the database cannot hold, stored one by one "
                        "(default: two years ago)."),
         QStringLiteral("YYYY-MM-DD")},
        {To,
         QStringLiteral("Last day of those repetitions, and of series without an end "
                        "(default: five years ahead)."),
         QStringLiteral("YYYY-MM-DD")},
    };
}

void runImportIcs(const QStringList& values, const QCommandLineParser& parser, QTextStream& out) {
    const act::standin::IcsImportOptions chosen = options(parser);
    const QString database = values.first();
    const QStringList files = values.mid(1);
    report(database, files, chosen, act::standin::importIcs(database, files, chosen), out);
}
