#include "StandinActivity.h"

#include "JsonFields.h"
#include "Schema.h"
#include "SqlConnection.h"
#include "SqliteRows.h"
#include "StandinContact.h"
#include "act/ActivityFields.h"
#include "shell/RuntimeError.h"

#include <QStringList>
#include <algorithm>
#include <iterator>

namespace act::standin {

struct StandinActivity::Record {
    QString id;
    int type = 0;
    int priority = 0;
    QString regarding;
    QString details;
    QDateTime start;
    QDateTime end;
    qint64 duration = 0;
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

QStringList listAt(const SqliteRows& q, int column) {
    if (q.utf8(column).isEmpty())
        return {};
    return q.text(column).split(ListSeparator);
}

// Stored date-times are ASCII of a fixed length: read from SQLite's bytes without a text of
// their own; any other length is no stored date-time.
QDateTime dateTimeAt(const SqliteRows& q, int column) {
    const QByteArrayView bytes = q.utf8(column);
    char16_t text[16];
    if (bytes.size() != std::ssize(text))
        return {};
    std::copy(bytes.begin(), bytes.end(), std::begin(text));
    return parseFixtureDateTime(QStringView(text, std::ssize(text)));
}

void readRecord(const SqliteRows& q, StandinActivity::Record& r) {
    r.id = q.text(0);
    r.type = int(q.integer(1));
    r.priority = int(q.integer(2));
    r.regarding = q.text(3);
    r.details = q.text(4);
    r.start = dateTimeAt(q, 5);
    r.end = dateTimeAt(q, 6);
    r.duration = q.integer(7);
    if (!q.isNull(8))
        r.timeless = q.integer(8) != 0;
    r.alarm = q.integer(9) != 0;
    r.alarmLead = int(q.integer(10));
    r.color = int(q.integer(11));
    r.scheduledFor = q.text(12);
    r.contact = q.text(13);
    r.cleared = q.integer(14) != 0;
    r.with = listAt(q, 15);
    r.recurring = q.integer(16) != 0;
    if (!r.recurring)
        return;
    r.kind = int(q.integer(17));
    r.every = int(q.integer(18));
    r.until = parseFixtureDate(q.text(19));
    r.daysOfMonth = quint32(q.integer(20));
    r.weeks = quint32(q.integer(21));
    r.weekdays = quint32(q.integer(22));
    for (const QString& day : listAt(q, 23))
        r.exceptions << parseFixtureDate(day);
}

} // namespace

StandinActivity::StandinActivity(std::shared_ptr<const SqlConnection> connection,
                                 StandinContact& contacts)
    : connection_(std::move(connection))
    , contacts_(contacts) {
    auto query = connection_->prepare(
        QStringLiteral("SELECT value FROM meta WHERE key = 'longest_span_minutes'"));
    connection_->exec(query);
    if (connection_->next(query))
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
    SqliteRows rows(
        *connection_,
        QStringLiteral("SELECT %1 FROM activities WHERE recurring = 0 AND start >= ? "
                       "AND start < ? AND (end_at > ? OR start >= ?) "
                       "UNION ALL SELECT %1 FROM activities WHERE recurring = 1 AND "
                       "rec_until >= ? AND start < ? ORDER BY start, row")
            .arg(Columns),
        {lookBack, toText, fromText, fromText, first.toString(QLatin1String(DateFormat)), toText});
    records_.clear();
    while (rows.next())
        readRecord(rows, records_.emplace_back());
    contacts_.markStale();
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
    case ActivityField::Id:
        return r.id;
    case ActivityField::Type:
        return r.type;
    case ActivityField::Priority:
        return r.priority;
    case ActivityField::Regarding:
        return r.regarding;
    case ActivityField::Start:
        return r.start;
    case ActivityField::End:
        return r.end;
    case ActivityField::Duration:
        return r.duration;
    case ActivityField::Timeless:
        return r.timeless ? QVariant(*r.timeless) : QVariant(QString());
    case ActivityField::AlarmLead:
        return r.alarmLead;
    case ActivityField::Alarm:
        return int(r.alarm);
    case ActivityField::Color:
        return r.color;
    case ActivityField::ScheduledFor:
        return r.scheduledFor;
    case ActivityField::Contact:
        return r.contact;
    case ActivityField::Cleared:
        return int(r.cleared);
    case ActivityField::Details:
        return r.details;
    case ActivityField::PeopleCount:
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
