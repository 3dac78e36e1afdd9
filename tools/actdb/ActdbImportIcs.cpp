#include "ActdbImportIcs.h"

#include "act/standin/Fixture.h"
#include "act/standin/IcsImport.h"
#include "act/standin/IcsSource.h"
#include "shell/RuntimeError.h"

#include <QDate>

namespace {

struct UsageError {
    QString message;
};

QString loginName() {
    for (const char* variable : {"USER", "LOGNAME", "USERNAME"})
        if (const QString name = qEnvironmentVariable(variable); !name.isEmpty())
            return name;
    return QStringLiteral("User");
}

QDate dateArgument(const QString& option, const QString& value) {
    const QDate date = QDate::fromString(value, Qt::ISODate);
    if (!date.isValid() || value.size() != 10)
        throw UsageError{QStringLiteral("%1 wants a date YYYY-MM-DD, not '%2'").arg(option, value)};
    return date;
}

struct Request {
    QString database;
    QStringList files;
    act::standin::IcsImportOptions options;
};

Request parse(const QStringList& arguments) {
    Request request;
    const QDate today = QDate::currentDate();
    request.options = {loginName(), QString(), today.addYears(-2), today.addYears(5)};
    QStringList positional;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (!argument.startsWith(QLatin1String("--"))) {
            positional << argument;
            continue;
        }
        if (i + 1 == arguments.size())
            throw UsageError{QStringLiteral("%1 wants a value").arg(argument)};
        const QString value = arguments.at(++i);
        if (argument == QLatin1String("--zone"))
            request.options.zoneName = value;
        else if (argument == QLatin1String("--user"))
            request.options.userName = value;
        else if (argument == QLatin1String("--from"))
            request.options.from = dateArgument(argument, value);
        else if (argument == QLatin1String("--to"))
            request.options.to = dateArgument(argument, value);
        else
            throw UsageError{QStringLiteral("import-ics has no option %1").arg(argument)};
    }
    if (positional.size() < 2)
        throw UsageError{QStringLiteral("import-ics takes DB and at least one FILE.ics")};
    if (request.options.to < request.options.from)
        throw UsageError{QStringLiteral("--to is before --from")};
    if (request.options.userName.trimmed().isEmpty())
        throw UsageError{QStringLiteral("--user wants a name")};
    request.database = positional.takeFirst();
    request.files = positional;
    return request;
}

void report(const Request& request, const act::standin::IcsImportSummary& summary,
            QTextStream& out) {
    out << "imported " << summary.activities << " activities from " << request.files.join(", ")
        << " into " << request.database << " for " << request.options.userName << '\n';
    if (summary.expandedItems > 0)
        out << "expanded " << summary.expandedItems << " repeating item(s) into "
            << summary.expandedOccurrences << " single activities from "
            << request.options.from.toString(Qt::ISODate) << " to "
            << request.options.to.toString(Qt::ISODate) << '\n';
    if (summary.leftOut > 0)
        out << "left out " << summary.leftOut << " cancelled item(s) and to-dos without a date\n";
}

} // namespace

int runImportIcs(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    try {
        const Request request = parse(arguments);
        report(request, act::standin::importIcs(request.database, request.files, request.options),
               out);
        return 0;
    } catch (const UsageError& e) {
        err << "daywise-actdb: " << e.message << "\nTry daywise-actdb --help\n";
        return 2;
    } catch (const act::standin::IcsError& e) {
        err << "daywise-actdb: calendar not imported: " << QString::fromUtf8(e.what()) << '\n';
    } catch (const act::standin::FixtureError& e) {
        err << "daywise-actdb: calendar not imported: " << QString::fromUtf8(e.what()) << '\n';
    } catch (const RuntimeError& e) {
        err << "daywise-actdb: " << e.description() << '\n';
    }
    return 1;
}
