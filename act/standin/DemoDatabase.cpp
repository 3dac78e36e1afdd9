#include "DemoDatabase.h"

#include "DemoPeople.h"
#include "DemoSchedule.h"
#include "Fixture.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

namespace act::standin {

namespace {
// Fixed, so that tests can rely on the demo's content.
constexpr quint32 DemoSeed = 20240311;
} // namespace

QByteArray demoFixture(const QDate& today) {
    QRandomGenerator random(DemoSeed);
    const DemoPeople people = makeDemoPeople(random);
    QJsonObject fixture{{"current_user", people.currentUser},
                        {"users", people.users},
                        {"contacts", people.contacts},
                        {"contact_fields", people.contactFields},
                        {"activities", makeDemoActivities(random, people, today)}};
    return QJsonDocument(fixture).toJson(QJsonDocument::Indented);
}

void createDemoDatabase(const QString& dbPath, const QDate& today) {
    importFixture(dbPath, demoFixture(today));
}

} // namespace act::standin
