#include "DemoSchedule.h"

#include "Schema.h"
#include "act/ActivityFields.h"

#include <QDateTime>
#include <QJsonObject>

namespace act::standin {

namespace {

constexpr int DaysBefore = 28;
constexpr int DaysAfter = 28;

const QStringList CallTopics{"Follow up on the quote",      "Confirm the delivery date",
                             "Rappeler pour la soumission", "Check in after the demo",
                             "Discuss renewal terms",       "Question sur la facture",
                             "Schedule a site visit",       "Thank them for the referral"};
const QStringList MeetingTopics{
    "Quarterly business review", "Product demo", "Lunch at Le Grand Café", "Contract negotiation",
    "Réunion de planification",  "Site visit",   "Training session",       "Budget review"};
const QStringList ToDoTopics{"Send the revised proposal",      "Prepare the presentation",
                             "Envoyer le contrat signé",       "Update the price list",
                             "Book the trade-show booth",      "Write a thank-you note",
                             "Mettre à jour le dossier client"};
const QStringList Details{"Bring the Q3 figures and the new catalogue.",
                          "Ask about the second warehouse.",
                          "Apporter les échantillons; stationnement à l'arrière.",
                          "Mention the 10% loyalty discount.",
                          "Follow the agenda sent on Monday.",
                          "Leur demander l'avis de Geneviève sur le \"nouveau\" modèle.",
                          "",
                          "",
                          ""};
const int Colors[]{0, 255, 32768, 16711680, 8421376, 33023, 8388736};
const int AlarmLeads[]{5, 10, 15, 30, 60};

template <typename List> const auto& pick(QRandomGenerator& random, const List& list) {
    return list[random.bounded(int(std::size(list)))];
}

QString when(const QDate& day, int minutes) {
    return QDateTime(day, QTime(0, 0), Qt::UTC)
        .addSecs(qint64(minutes) * 60)
        .toString(QLatin1String(DateTimeFormat));
}

QJsonArray dates(const QList<QDate>& days) {
    QJsonArray list;
    for (const QDate& day : days)
        list.append(day.toString(Qt::ISODate));
    return list;
}

class Schedule {
public:
    Schedule(QRandomGenerator& random, const DemoPeople& people, const QDate& today)
        : random_(random)
        , people_(people)
        , today_(today) {}

    QJsonArray make() {
        for (int offset = -DaysBefore; offset < DaysAfter; ++offset)
            fillDay(today_.addDays(offset));
        addOwnRecordActivities();
        addMultiDayActivities();
        addRecurringActivities();
        return activities_;
    }

private:
    QString nextId() { return QStringLiteral("ACT%1").arg(++count_, 9, 10, QLatin1Char('0')); }
    const QString& client() { return pick(random_, people_.clientIds); }
    const QString& user() { return pick(random_, people_.listableUserIds); }
    const QString& me() const { return people_.currentUser; }

    QJsonObject activity(int type, const QString& regarding, const QDate& day, int minutes,
                         int duration, const QString& user, const QString& contact) {
        QJsonObject a{{"id", nextId()},
                      {"type", int(type)},
                      {"priority", random_.bounded(5) == 0 ? 0 : 1 + random_.bounded(2)},
                      {"regarding", regarding},
                      {"details", pick(random_, Details)},
                      {"start", when(day, minutes)},
                      {"duration", duration},
                      {"scheduled_for", user},
                      {"contact", contact},
                      {"color", pick(random_, Colors)}};
        if (random_.bounded(4) == 0) {
            a.insert("alarm", true);
            a.insert("alarm_lead", pick(random_, AlarmLeads));
        }
        if (day < today_ && random_.bounded(3) != 0)
            a.insert("cleared", true);
        return a;
    }

    void add(const QJsonObject& a) { activities_.append(a); }

    // Everyone scheduled with: mostly the contact alone, sometimes more clients, sometimes
    // a colleague as well.
    QJsonArray withList(const QString& contact) {
        QJsonArray with{contact};
        const int roll = random_.bounded(100);
        if (roll < 12)
            for (int n = 1 + random_.bounded(2); n > 0; --n)
                with.append(client());
        else if (roll < 22)
            with.append(user());
        return with;
    }

    void fillDay(const QDate& day) {
        const bool weekend = day.dayOfWeek() >= 6;
        for (const QString& owner : people_.listableUserIds) {
            const int count = weekend ? (random_.bounded(8) == 0 ? 1 : 0) : random_.bounded(4);
            for (int n = 0; n < count; ++n)
                addTimed(day, owner);
        }
        for (int n = weekend ? 0 : 1 + random_.bounded(2); n > 0; --n)
            addToDo(day, user());
    }

    void addTimed(const QDate& day, const QString& owner) {
        const bool call = random_.bounded(100) < 55;
        const int start = 8 * 60 + 15 * random_.bounded(36);
        const int duration = call ? 15 * (1 + random_.bounded(2)) : 30 * (1 + random_.bounded(4));
        const QString contact = client();
        QJsonObject a = activity(call ? ActivityType::Call : ActivityType::Meeting,
                                 pick(random_, call ? CallTopics : MeetingTopics), day, start,
                                 duration, owner, contact);
        a.insert("with", withList(contact));
        if (random_.bounded(5) == 0)
            a.insert("timeless", false);
        add(a);
    }

    void addToDo(const QDate& day, const QString& owner) {
        const bool timeless = random_.bounded(2) == 0;
        QJsonObject a = activity(ActivityType::ToDo, pick(random_, ToDoTopics), day,
                                 timeless ? 0 : 9 * 60 + 30 * random_.bounded(16),
                                 timeless ? 0 : 30, owner, client());
        if (timeless)
            a.insert("timeless", true);
        add(a);
    }

    // Colleagues booking time with the current user, and the user's own errands.
    void addOwnRecordActivities() {
        for (int n = 0; n < 8; ++n) {
            const QDate day = today_.addDays(random_.bounded(-DaysBefore, DaysAfter));
            const QString booker = people_.listableUserIds.at(
                1 + random_.bounded(int(people_.listableUserIds.size()) - 1));
            QJsonObject a = activity(ActivityType::Meeting, QStringLiteral("One-on-one"), day,
                                     10 * 60 + 30 * random_.bounded(12), 30, booker, me());
            a.insert("with", QJsonArray{me(), booker});
            add(a);
        }
        for (const char* errand :
             {"Dentist appointment", "Expense report", "Rendez-vous chez le garagiste"}) {
            const QDate day = today_.addDays(random_.bounded(-7, 14));
            add(activity(ActivityType::Call, QString::fromUtf8(errand), day, 16 * 60, 60, me(),
                         me()));
        }
    }

    void addSpan(const QString& regarding, const QDate& first, int startMinutes, const QDate& last,
                 int endMinutes, const QString& owner) {
        const qint64 seconds =
            QDateTime(first, QTime(0, 0), Qt::UTC).secsTo(QDateTime(last, QTime(0, 0), Qt::UTC));
        QJsonObject a = activity(ActivityType::Meeting, regarding, first, startMinutes,
                                 int(seconds / 60) + endMinutes - startMinutes, owner, client());
        a.insert("end", when(last, endMinutes));
        add(a);
    }

    void addMultiDayActivities() {
        const QDate t = today_;
        addSpan(QStringLiteral("Salon de l'habitation (trade show)"), t.addDays(3), 8 * 60,
                t.addDays(5), 18 * 60, me());
        addSpan(QStringLiteral("Sales trip to Toronto"), t.addDays(-12), 7 * 60, t.addDays(-11),
                20 * 60, people_.listableUserIds.at(1));
        addSpan(QStringLiteral("Server migration overnight"), t.addDays(8), 22 * 60, t.addDays(9),
                2 * 60, people_.listableUserIds.at(2));
        addSpan(QStringLiteral("Congrès annuel à Québec"), t.addDays(17), 9 * 60, t.addDays(20),
                16 * 60, people_.listableUserIds.at(3));
        addSpan(QStringLiteral("Long project kickoff phase"), t.addDays(-45), 9 * 60,
                t.addDays(-25), 17 * 60, me());
        addSpan(QStringLiteral("Customer onsite training"), t.addDays(-3), 13 * 60, t.addDays(-2),
                12 * 60, people_.listableUserIds.at(4));
        addSpan(QStringLiteral("Vacances d'été"), t.addDays(22), 0, t.addDays(26), 23 * 60 + 59,
                people_.listableUserIds.at(1));
    }

    void addRecurring(int type, const QString& regarding, const QDate& first, int minutes,
                      int duration, const QString& owner, const QJsonObject& recurrence) {
        QJsonObject a = activity(type, regarding, first, minutes, duration, owner, client());
        a.remove("cleared");
        a.insert("recurrence", recurrence);
        add(a);
    }

    void addRecurringActivities() {
        const QDate t = today_;
        const QStringList& u = people_.listableUserIds;
        addRecurring(ActivityType::Call, QStringLiteral("Check voicemail"), t.addDays(-60), 8 * 60,
                     15, me(),
                     {{"kind", RecurrenceKind::Daily},
                      {"until", t.addDays(30).toString(Qt::ISODate)},
                      {"exceptions", dates({t.addDays(-4), t.addDays(2)})}});
        addRecurring(ActivityType::ToDo, QStringLiteral("Water the office plants"), t.addDays(-20),
                     0, 0, u.at(4),
                     {{"kind", RecurrenceKind::Daily},
                      {"every", 3},
                      {"until", t.addDays(60).toString(Qt::ISODate)}});
        addRecurring(ActivityType::ToDo, QStringLiteral("Inventaire de l'entrepôt"), t.addDays(-10),
                     14 * 60, 60, u.at(2),
                     {{"kind", RecurrenceKind::Daily},
                      {"every", 2},
                      {"until", t.addDays(10).toString(Qt::ISODate)}});
        addRecurring(ActivityType::Meeting, QStringLiteral("Morning stand-up"), t.addDays(-400),
                     9 * 60, 15, me(),
                     {{"kind", RecurrenceKind::Weekly},
                      {"weekdays", QJsonArray{2, 3, 4, 5, 6}},
                      {"until", t.addDays(200).toString(Qt::ISODate)},
                      {"exceptions", dates({t.addDays(-7), t.addDays(1), t.addDays(15)})}});
        addRecurring(ActivityType::Meeting, QStringLiteral("Payroll review"), t.addDays(-30),
                     14 * 60, 60, u.at(3),
                     {{"kind", RecurrenceKind::Weekly}, {"every", 2}, {"weekdays", QJsonArray{6}}});
        addRecurring(ActivityType::Meeting, QStringLiteral("Point d'équipe"), t.addDays(-50),
                     11 * 60, 30, u.at(1),
                     {{"kind", RecurrenceKind::Weekly},
                      {"weekdays", QJsonArray{2, 4}},
                      {"until", t.addDays(14).toString(Qt::ISODate)}});
        addRecurring(ActivityType::Call, QStringLiteral("Client check-in call"), t.addDays(-35),
                     15 * 60, 30, u.at(4),
                     {{"kind", RecurrenceKind::Weekly}, {"every", 3}, {"weekdays", QJsonArray{5}}});
        addRecurring(ActivityType::ToDo, QStringLiteral("Weekend backup check"), t.addDays(-90),
                     10 * 60, 15, u.at(2),
                     {{"kind", RecurrenceKind::Weekly}, {"weekdays", QJsonArray{1}}});
        addRecurring(ActivityType::ToDo, QStringLiteral("Invoice run"), t.addDays(-120), 9 * 60,
                     120, me(),
                     {{"kind", RecurrenceKind::MonthlyOnDays},
                      {"days_of_month", QJsonArray{1, 15}},
                      {"exceptions", dates({QDate(t.year(), t.month(), 15)})}});
        addRecurring(ActivityType::ToDo, QStringLiteral("Rapport bimestriel"), t.addDays(-70),
                     13 * 60, 60, u.at(1),
                     {{"kind", RecurrenceKind::MonthlyOnDays},
                      {"every", 2},
                      {"days_of_month", QJsonArray{28}}});
        addRecurring(ActivityType::Meeting, QStringLiteral("Month-end close"), t.addDays(-200),
                     16 * 60, 90, u.at(3),
                     {{"kind", RecurrenceKind::MonthlyOnDays},
                      {"days_of_month", QJsonArray{31}},
                      {"until", t.addDays(90).toString(Qt::ISODate)}});
        addRecurring(ActivityType::Meeting, QStringLiteral("First-Monday board meeting"),
                     t.addDays(-150), 8 * 60, 120, me(),
                     {{"kind", RecurrenceKind::MonthlyOnWeeks},
                      {"weeks", QJsonArray{1}},
                      {"weekdays", QJsonArray{2}}});
        addRecurring(ActivityType::Meeting, QStringLiteral("Last-Friday 5 à 7"), t.addDays(-100),
                     17 * 60, 120, u.at(4),
                     {{"kind", RecurrenceKind::MonthlyOnWeeks},
                      {"weeks", QJsonArray{5}},
                      {"weekdays", QJsonArray{6}}});
        addRecurring(ActivityType::Meeting, QStringLiteral("Sales pipeline review"), t.addDays(-40),
                     10 * 60, 60, u.at(1),
                     {{"kind", RecurrenceKind::MonthlyOnWeeks},
                      {"weeks", QJsonArray{2, 4}},
                      {"weekdays", QJsonArray{3}},
                      {"until", t.addDays(45).toString(Qt::ISODate)}});
        addRecurring(ActivityType::Meeting, QStringLiteral("Quarterly planning"), t.addDays(-95),
                     13 * 60, 180, u.at(2),
                     {{"kind", RecurrenceKind::MonthlyOnWeeks},
                      {"every", 3},
                      {"weeks", QJsonArray{3}},
                      {"weekdays", QJsonArray{5}}});
    }

    QRandomGenerator& random_;
    const DemoPeople& people_;
    QDate today_;
    QJsonArray activities_;
    int count_ = 0;
};

} // namespace

QJsonArray makeDemoActivities(QRandomGenerator& random, const DemoPeople& people,
                              const QDate& today) {
    return Schedule(random, people, today).make();
}

} // namespace act::standin
