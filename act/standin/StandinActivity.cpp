#include "StandinActivity.h"

#include "JsonFields.h"
#include "Schema.h"
#include "SqlConnection.h"
#include "shell/RuntimeError.h"

#include <QStringList>

namespace act::standin {

struct StandinActivity::Record {
    QString id;
    int type = 0;
    int priority = 0;
    QString regarding;
    QString details;
    QDateTime start;
    QDateTime end;
    int duration = 0;
    std::optional<bool> timeless;
    bool alarm = false;
    int alarmLead = 0;
    int color = 0;
    QString scheduledFor;
    QString contact;
    bool cleared = false;
    QStringList with;
    bool recurring = false;
    int kind = 0;
    int every = 0;
    QDate until;
    quint32 daysOfMonth = 0;
    quint32 weeks = 0;
    quint32 weekdays = 0;
    QList<QDate> exceptions;
};

namespace {

const QString Columns = QStringLiteral(
    "id, type, priority, regarding, details, start, end_at, duration, timeless, alarm, "
    "alarm_lead, color, scheduled_for, contact, cleared, with_list, recurring, rec_kind, "
    "rec_every, rec_until, dom_bits, week_bits, weekday_bits, exceptions, row");

QDateTime dateTimeAt(const QSqlQuery& q, int column) {
    return parseFixtureDateTime(q.value(column).toString());
}

QStringList listAt(const QSqlQuery& q, int column) {
    const QString joined = q.value(column).toString();
    return joined.isEmpty() ? QStringList() : joined.split(ListSeparator);
}

StandinActivity::Record readRecord(const QSqlQuery& q) {
    StandinActivity::Record r;
    r.id = q.value(0).toString();
    r.type = q.value(1).toInt();
    r.priority = q.value(2).toInt();
    r.regarding = q.value(3).toString();
    r.details = q.value(4).toString();
    r.start = dateTimeAt(q, 5);
    r.end = dateTimeAt(q, 6);
    r.duration = q.value(7).toInt();
    if (!q.value(8).isNull())
        r.timeless = q.value(8).toBool();
    r.alarm = q.value(9).toBool();
    r.alarmLead = q.value(10).toInt();
    r.color = q.value(11).toInt();
    r.scheduledFor = q.value(12).toString();
    r.contact = q.value(13).toString();
    r.cleared = q.value(14).toBool();
    r.with = listAt(q, 15);
    r.recurring = q.value(16).toBool();
    if (!r.recurring)
        return r;
    r.kind = q.value(17).toInt();
    r.every = q.value(18).toInt();
    r.until = parseFixtureDate(q.value(19).toString());
    r.daysOfMonth = q.value(20).toUInt();
    r.weeks = q.value(21).toUInt();
    r.weekdays = q.value(22).toUInt();
    for (const QString& day : listAt(q, 23))
        r.exceptions << parseFixtureDate(day);
    return r;
}

} // namespace

StandinActivity::StandinActivity(std::shared_ptr<const SqlConnection> connection)
    : connection_(std::move(connection)) {
    auto query = connection_->prepare(
        QStringLiteral("SELECT value FROM meta WHERE key = 'longest_span_minutes'"));
    connection_->exec(query);
    if (query.next())
        longestSpanMinutes_ = query.value(0).toLongLong();
}

StandinActivity::~StandinActivity() = default;

void StandinActivity::SetDateScope(const QDate& first, const QDate& afterLast) {
    // A single activity overlaps the scope when it starts before its end and ends after its
    // beginning (an activity of no length at the beginning counts). Single activities start
    // at most the longest span before the scope, which keeps the search on the start index.
    const QDateTime from(first, QTime(0, 0), Qt::UTC);
    const QString fromText = from.toString(QLatin1String(DateTimeFormat));
    const QString lookBack =
        from.addSecs(-longestSpanMinutes_ * 60).toString(QLatin1String(DateTimeFormat));
    const QString toText =
        QDateTime(afterLast, QTime(0, 0), Qt::UTC).toString(QLatin1String(DateTimeFormat));
    auto query = connection_->prepare(
        QStringLiteral("SELECT %1 FROM activities WHERE recurring = 0 AND start >= ? AND "
                       "start < ? AND (end_at > ? OR start >= ?) "
                       "UNION ALL SELECT %1 FROM activities WHERE recurring = 1 AND "
                       "rec_until >= ? AND start < ? ORDER BY start, row")
            .arg(Columns));
    for (const QString& value :
         {lookBack, toText, fromText, fromText, first.toString(QLatin1String(DateFormat)), toText})
        query.addBindValue(value);
    connection_->exec(query);
    records_.clear();
    while (query.next())
        records_.push_back(readRecord(query));
    MoveFirst();
}

void StandinActivity::MoveFirst() {
    position_ = 0;
    scheduledWithPosition_ = 0;
}

void StandinActivity::MoveNext() {
    if (position_ < records_.size())
        ++position_;
    scheduledWithPosition_ = 0;
}

bool StandinActivity::IsEOF() const {
    return position_ >= records_.size();
}

const StandinActivity::Record& StandinActivity::current() const {
    if (IsEOF())
        throw RuntimeError(3021, QStringLiteral("No current record"));
    return records_[position_];
}

QVariant StandinActivity::Data(int field) const {
    const Record& r = current();
    switch (field) {
    case 1:
        return r.id;
    case 25:
        return r.type;
    case 26:
        return r.priority;
    case 27:
        return r.regarding;
    case 28:
        return r.start;
    case 29:
        return r.end;
    case 30:
        return r.duration;
    case 31:
        return r.timeless ? QVariant(*r.timeless) : QVariant(QString());
    case 32:
        return r.alarmLead;
    case 33:
        return int(r.alarm);
    case 34:
        return r.color;
    case 37:
        return r.scheduledFor;
    case 40:
        return r.contact;
    case 41:
        return int(r.cleared);
    case 45:
        return r.details;
    case 100:
        return int(r.with.size());
    default:
        return QString();
    }
}

bool StandinActivity::IsRecurring() const {
    return current().recurring;
}
int StandinActivity::recurringType() const {
    return current().kind;
}
int StandinActivity::GetRecurringFrequency() const {
    return current().every;
}
QDate StandinActivity::GetRecurringUntilDate() const {
    return current().until;
}
quint32 StandinActivity::GetDaysOfMonthBits() const {
    return current().daysOfMonth;
}
quint32 StandinActivity::GetWeeksOfMonthBits() const {
    return current().weeks;
}
quint32 StandinActivity::GetDaysofWeekBits() const {
    return current().weekdays;
}
QList<QDate> StandinActivity::ExceptionInfo() const {
    return current().exceptions;
}

QString StandinActivity::FirstScheduledWith() {
    scheduledWithPosition_ = 0;
    return current().with.value(0);
}

QString StandinActivity::NextScheduledWith() {
    const QStringList& with = current().with;
    if (scheduledWithPosition_ < with.size())
        ++scheduledWithPosition_;
    return with.value(scheduledWithPosition_);
}

} // namespace act::standin
