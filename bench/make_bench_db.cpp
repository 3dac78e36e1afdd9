// Makes a large stand-in database for the generation benchmark and opens it in an ACT!
// home: users, contacts and single-day activities spread evenly over a span of days.
#include "act/standin/ActHome.h"
#include "act/standin/Fixture.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <cstdio>
#include <exception>

namespace {

QString id(const char* prefix, int n) {
    return QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(n, 9, 10, QLatin1Char('0'));
}

QJsonArray users(int count) {
    QJsonArray list;
    for (int u = 1; u <= count; ++u)
        list.append(QJsonObject{{"id", id("USR", u)}, {"name", QStringLiteral("User %1").arg(u)}});
    return list;
}

QJsonArray contacts(int count) {
    QJsonArray list;
    for (int c = 1; c <= count; ++c) {
        list.append(QJsonObject{
            {"id", id("CON", c)},
            {"name", QStringLiteral("Contact %1 O'Neil").arg(c)},
            {"company", QStringLiteral("Company %1; The").arg(c % 500)},
            {"phone", QStringLiteral("555-%1").arg(c % 10000, 4, 10, QLatin1Char('0'))},
            {"extension", QString::number(c % 100)},
            {"email", QStringLiteral("contact%1@example.org").arg(c)},
            {"title", QStringLiteral("Manager")},
            {"address1", QStringLiteral("%1 Main Street").arg(c)},
            {"city", QStringLiteral("Springfield")},
            {"zip", QStringLiteral("12345")},
            {"state", QStringLiteral("ST")},
            {"fax", QStringLiteral("555-0000")},
            {"mobile", QStringLiteral("555-0001")},
            {"pager", QStringLiteral("555-0002")},
            {"assistant", QStringLiteral("Pat")},
        });
    }
    return list;
}

// Every hundredth activity from the first `recurringPercent` recurs weekly for eight weeks
// on its own weekday.
QJsonArray activities(int count, int users, int contacts, const QDate& from, int days,
                      int recurringPercent) {
    QRandomGenerator random(20240301);
    QJsonArray list;
    for (int a = 1; a <= count; ++a) {
        const QDate day = from.addDays(random.bounded(days));
        const int minute = random.bounded(8 * 60, 18 * 60);
        const QString contact = id("CON", 1 + random.bounded(contacts));
        QJsonObject activity{
            {"id", id("ACT", a)},
            {"type", random.bounded(3)},
            {"priority", random.bounded(3)},
            {"regarding",
             QStringLiteral("Follow-up #%1 on the \"Q%2\" figures").arg(a).arg(1 + a % 4)},
            {"details",
             QStringLiteral("Bring the report, the slides & the contract {v%1}").arg(a % 7)},
            {"start", QStringLiteral("%1 %2:%3")
                          .arg(day.toString(Qt::ISODate))
                          .arg(minute / 60, 2, 10, QLatin1Char('0'))
                          .arg(minute % 60, 2, 10, QLatin1Char('0'))},
            {"duration", 15 * random.bounded(1, 8)},
            {"alarm", a % 5 == 0},
            {"alarm_lead", 15},
            {"scheduled_for", id("USR", 1 + random.bounded(users))},
            {"contact", contact},
        };
        if (a % 100 < recurringPercent)
            activity.insert("recurrence",
                            QJsonObject{{"kind", 2},
                                        {"until", day.addDays(8 * 7).toString(Qt::ISODate)},
                                        {"weekdays", QJsonArray{day.dayOfWeek() % 7 + 1}}});
        list.append(activity);
    }
    return list;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addPositionalArgument("database", "The database file to make.");
    parser.addOptions({
        {"home", "The ACT! home in which to open the database.", "DIR"},
        {"users", "Number of users.", "N", "50"},
        {"contacts", "Number of contacts.", "N", "20000"},
        {"activities", "Number of activities.", "N", "200000"},
        {"from", "First day of the activities.", "YYYY-MM-DD", "2024-01-01"},
        {"days", "Number of days they spread over.", "N", "213"},
        {"recurring", "Percentage of activities that recur weekly.", "N", "0"},
    });
    parser.process(application);
    if (parser.positionalArguments().size() != 1 || !parser.isSet("home"))
        parser.showHelp(2);

    const int userCount = parser.value("users").toInt();
    const int contactCount = parser.value("contacts").toInt();
    const QJsonObject fixture{
        {"current_user", id("USR", 1)},
        {"users", users(userCount)},
        {"contacts", contacts(contactCount)},
        {"activities", activities(parser.value("activities").toInt(), userCount, contactCount,
                                  QDate::fromString(parser.value("from"), Qt::ISODate),
                                  parser.value("days").toInt(), parser.value("recurring").toInt())},
    };
    try {
        const QString database = parser.positionalArguments().constFirst();
        act::standin::importFixture(database,
                                    QJsonDocument(fixture).toJson(QJsonDocument::Compact));
        act::standin::ActHome(parser.value("home")).open(database);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
