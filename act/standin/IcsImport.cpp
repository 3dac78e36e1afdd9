#include "IcsImport.h"

#include "Fixture.h"
#include "IcsClock.h"
#include "IcsPeople.h"
#include "IcsRecurrence.h"
#include "Schema.h"
#include "act/ActivityFields.h"
#include "ical/IcalZones.h"
#include "shell/RuntimeError.h"

#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <memory>

namespace act::standin {

namespace {

QString text(const char* value) {
    return value ? QString::fromUtf8(value) : QString();
}

bool isToDo(const IcsItem& item) {
    return icalcomponent_isa(item.component) == ICAL_VTODO_COMPONENT;
}

bool has(const IcsItem& item, icalproperty_kind kind) {
    return icalcomponent_get_first_property(item.component, kind) != nullptr;
}

bool isCancelled(const IcsItem& item) {
    return has(item, ICAL_STATUS_PROPERTY) &&
           icalcomponent_get_status(item.component) == ICAL_STATUS_CANCELLED;
}

QString uidOf(const IcsItem& item) {
    return text(icalcomponent_get_uid(item.component));
}

int typeOf(const IcsItem& item) {
    if (isToDo(item))
        return ActivityType::ToDo;
    for (icalproperty* p =
             icalcomponent_get_first_property(item.component, ICAL_CATEGORIES_PROPERTY);
         p; p = icalcomponent_get_next_property(item.component, ICAL_CATEGORIES_PROPERTY))
        for (const QString& category : text(icalproperty_get_categories(p)).split(QLatin1Char(',')))
            if (category.trimmed().compare(QLatin1String("Call"), Qt::CaseInsensitive) == 0 ||
                category.trimmed().compare(QLatin1String("Phone"), Qt::CaseInsensitive) == 0)
                return ActivityType::Call;
    return ActivityType::Meeting;
}

int priorityOf(const IcsItem& item) {
    icalproperty* p = icalcomponent_get_first_property(item.component, ICAL_PRIORITY_PROPERTY);
    const int priority = p ? icalproperty_get_priority(p) : 0;
    if (priority >= 1 && priority <= 4)
        return 0;
    return priority >= 6 && priority <= 9 ? 2 : 1;
}

QString detailsOf(const IcsItem& item) {
    QStringList lines;
    for (const QString& part : {text(icalcomponent_get_description(item.component)),
                                text(icalcomponent_get_location(item.component))})
        if (!part.trimmed().isEmpty())
            lines << part.trimmed();
    return lines.join(QLatin1Char('\n'));
}

bool isCleared(const IcsItem& item) {
    return has(item, ICAL_COMPLETED_PROPERTY) ||
           (has(item, ICAL_STATUS_PROPERTY) &&
            icalcomponent_get_status(item.component) == ICAL_STATUS_COMPLETED);
}

// When the item runs: its first start and how long it lasts.
struct Span {
    icaltimetype start;
    qint64 seconds = 0;
};

Span spanOf(const IcsItem& item, const IcsClock& clock) {
    const icaltimetype start = clock.timeOf(item, ICAL_DTSTART_PROPERTY);
    const icaltimetype due = clock.timeOf(item, ICAL_DUE_PROPERTY);
    if (icaltime_is_null_time(start)) {
        if (isToDo(item) && !icaltime_is_null_time(due))
            return {due, 0};
        item.fail(nullptr,
                  QStringLiteral("%1 without a start (DTSTART)")
                      .arg(text(icalcomponent_kind_to_string(icalcomponent_isa(item.component)))));
    }
    const icaltimetype end = isToDo(item) ? due : clock.timeOf(item, ICAL_DTEND_PROPERTY);
    if (!icaltime_is_null_time(end))
        return {start, std::max(0, icaldurationtype_as_int(icaltime_subtract(end, start)))};
    if (icalproperty* p = icalcomponent_get_first_property(item.component, ICAL_DURATION_PROPERTY))
        return {start, std::max(0, icaldurationtype_as_int(icalproperty_get_duration(p)))};
    // A day's event without an end takes that day; a time without an end takes no time.
    return {start, start.is_date && !isToDo(item) ? 86400 : 0};
}

// The lead of the item's first alarm set relative to it, in minutes before the start.
std::optional<int> alarmLead(const IcsItem& item, qint64 seconds) {
    for (icalcomponent* alarm =
             icalcomponent_get_first_component(item.component, ICAL_VALARM_COMPONENT);
         alarm; alarm = icalcomponent_get_next_component(item.component, ICAL_VALARM_COMPONENT)) {
        icalproperty* trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
        if (!trigger)
            continue;
        const icaltriggertype value = icalproperty_get_trigger(trigger);
        if (!icaltime_is_null_time(value.time))
            continue;
        qint64 offset = icaldurationtype_as_int(value.duration);
        icalparameter* related = icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
        if (related && icalparameter_get_related(related) == ICAL_RELATED_END)
            offset += seconds;
        return int(std::max<qint64>(0, -offset) / 60);
    }
    return std::nullopt;
}

QString fixtureTime(const QDateTime& time) {
    return time.toString(QLatin1String(DateTimeFormat));
}

class Importer {
public:
    Importer(const IcsImportOptions& options, icaltimezone* zone)
        : options_(options)
        , clock_(zone)
        , people_(options.userName) {}

    void read(const QString& path) { sources_.push_back(readIcsFile(path)); }

    IcsImportSummary run() {
        collectMovedOccurrences();
        for (const auto& source : sources_)
            for (const IcsItem& item : source->items)
                importItem(item);
        summary_.activities = int(activities_.size());
        return summary_;
    }

    QByteArray fixture() const {
        const QJsonObject fixture{{"current_user", IcsPeople::UserId},
                                  {"users", QJsonArray{QJsonObject{{"id", IcsPeople::UserId},
                                                                   {"name", options_.userName}}}},
                                  {"contacts", people_.contacts()},
                                  {"activities", activities_}};
        return QJsonDocument(fixture).toJson(QJsonDocument::Compact);
    }

private:
    // Occurrences given a life of their own leave their series.
    void collectMovedOccurrences() {
        for (const auto& source : sources_)
            for (const IcsItem& item : source->items)
                if (icalproperty* id = icalcomponent_get_first_property(item.component,
                                                                        ICAL_RECURRENCEID_PROPERTY))
                    moved_[uidOf(item)] << clock_.wallClock(clock_.timeOf(item, id));
    }

    void importItem(const IcsItem& item) {
        if (isToDo(item) && !has(item, ICAL_DTSTART_PROPERTY) && !has(item, ICAL_DUE_PROPERTY)) {
            ++summary_.leftOut;
            return;
        }
        const Span span = spanOf(item, clock_);
        if (isCancelled(item)) {
            ++summary_.leftOut;
            return;
        }
        const QJsonObject base = baseActivity(item, span);
        const bool moved = has(item, ICAL_RECURRENCEID_PROPERTY);
        if (moved || !isRecurring(item)) {
            add(base, span.start, span.seconds);
            return;
        }
        const QList<QDateTime> removed = moved_.value(uidOf(item));
        if (const auto recurrence = standinRecurrence(item, clock_, options_.to, removed)) {
            QJsonObject activity = base;
            activity.insert("recurrence", *recurrence);
            add(activity, span.start, span.seconds);
            return;
        }
        expand(item, base, span, removed);
    }

    void expand(const IcsItem& item, const QJsonObject& base, const Span& span,
                const QList<QDateTime>& removed) {
        int count = 0;
        for (const icaltimetype& start : occurrenceStarts(item, clock_, options_.to)) {
            const QDateTime wall = clock_.wallClock(start);
            if (removed.contains(wall) || wall.date() > options_.to ||
                wall.addSecs(span.seconds).date() < options_.from)
                continue;
            add(base, start, span.seconds);
            ++count;
        }
        ++summary_.expandedItems;
        summary_.expandedOccurrences += count;
    }

    QJsonObject baseActivity(const IcsItem& item, const Span& span) {
        const IcsPeople::Scheduled scheduled = people_.scheduledWith(item.component);
        QJsonObject activity{{"type", typeOf(item)},
                             {"priority", priorityOf(item)},
                             {"regarding", text(icalcomponent_get_summary(item.component))},
                             {"details", detailsOf(item)},
                             {"scheduled_for", IcsPeople::UserId},
                             {"contact", scheduled.contact},
                             {"with", QJsonArray::fromStringList(scheduled.with)},
                             {"cleared", isCleared(item)}};
        if (span.start.is_date)
            activity.insert("timeless", true);
        if (const auto lead = alarmLead(item, span.seconds)) {
            activity.insert("alarm", true);
            activity.insert("alarm_lead", *lead);
        }
        return activity;
    }

    void add(QJsonObject activity, const icaltimetype& start, qint64 seconds) {
        const QDateTime wall = clock_.wallClock(start);
        activity.insert(
            "id", QStringLiteral("ACT%1").arg(activities_.size() + 1, 9, 10, QLatin1Char('0')));
        activity.insert("start", fixtureTime(wall));
        activity.insert("end", fixtureTime(wall.addSecs(seconds)));
        activity.insert("duration", int(seconds / 60));
        activities_.append(activity);
    }

    const IcsImportOptions& options_;
    IcsClock clock_;
    IcsPeople people_;
    std::vector<std::unique_ptr<IcsSource>> sources_;
    QHash<QString, QList<QDateTime>> moved_; // by UID
    QJsonArray activities_;
    IcsImportSummary summary_;
};

} // namespace

IcsImportSummary importIcs(const QString& dbPath, const QStringList& files,
                           const IcsImportOptions& options) {
    if (QFileInfo::exists(dbPath))
        throw RuntimeError::fileAccess(QStringLiteral("%1: the file exists already").arg(dbPath));
    const QString zoneName = options.zoneName.isEmpty() ? ical::systemZoneName() : options.zoneName;
    icaltimezone* zone = ical::zoneNamed(zoneName);
    if (!zone)
        throw IcsError(QStringLiteral("unknown time zone \"%1\"").arg(zoneName).toStdString());
    Importer importer(options, zone);
    for (const QString& path : files)
        importer.read(path);
    const IcsImportSummary summary = importer.run();
    importFixture(dbPath, importer.fixture());
    return summary;
}

} // namespace act::standin
