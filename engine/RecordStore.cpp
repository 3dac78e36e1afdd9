#include "RecordStore.h"

#include "ActivitySelection.h"
#include "TextRules.h"
#include "act/ActObjects.h"
#include "act/ActivityFields.h"
#include "act/ContactFields.h"
#include "shell/Conversions.h"
#include "shell/ProgramState.h"

#include <QSet>
#include <exception>

namespace {

// A field ACT! cannot give leaves its text as built so far; the row is kept all the same.
// A database that cannot be read is no such field: it ends the generation.
template <typename Step> void ignoringErrors(Step&& step) {
    try {
        step();
    } catch (const act::DatabaseError&) {
        throw;
    } catch (const std::exception&) {
    }
}

QString priorityText(int priority) {
    switch (priority) {
    case 0:
        return QStringLiteral("High");
    case 1:
        return QStringLiteral("Medium");
    case 2:
        return QStringLiteral("Low");
    default:
        return {};
    }
}

bool timelessMark(const QVariant& mark) {
    const QString text = mark.toString();
    return !text.isEmpty() && convert::toBool(text);
}

} // namespace

RecordStore::RecordStore(GenerationState& state, act::Activity& activity, act::Contact& contact)
    : state_(state)
    , activity_(activity)
    , contact_(contact) {
    for (std::size_t k = 0; k < labels_.size(); ++k) {
        if (state_.LabelShown[k])
            labels_[k] = state_.FieldLabels[k] + QLatin1Char(' ');
    }
    for (std::size_t p = 0; p < priorityColors_.size(); ++p)
        priorityColors_[p] = colorText(state_.PriorityColors[p]);
    for (const QString& name : std::as_const(state_.SelectedUserNames))
        scheduledFor_.append(Check(label(12) + value(12, name)));
}

void RecordStore::Store_Record(const QString&, qint64 offset, qint64 endMinutes,
                               bool minuteOffset) {
    const QList<qsizetype> users = state_.OccurrenceUsers;
    for (const qsizetype user : users) {
        ActivityRow& row = state_.ActivityRows.emplace_back();
        storeActivityFields(row, user, offset, endMinutes, minuteOffset);
        const QString me = state_.SelectedUserIds.at(user);
        ignoringErrors([&] {
            if (activity_.Data(act::ActivityField::PeopleCount).toInt() <= 1)
                return;
            const QString list = othersScheduledWith(me);
            if (!list.isEmpty())
                row.AlsoWithText = label(14);
            if (state_.FieldShown[14])
                row.AlsoWithText += list;
            row.AlsoWithText = Check(row.AlsoWithText);
        });
        // A contact ACT! cannot find leaves the contact fields empty: the contact object
        // would otherwise still show whoever it held before.
        QString contactId;
        bool positioned = false;
        ignoringErrors([&] {
            contactId = contactIdFor(me);
            positioned = contact_.GoTo(contactId);
        });
        if (positioned)
            ignoringErrors([&] { storeContact(row, me, contactId); });
    }
}

void RecordStore::storeContact(ActivityRow& row, const QString& me, const QString& contactId) {
    const bool withMyself = me == MyRecordId && contact_.Data(act::ContactField::Id) == MyRecordId;
    if (!withMyself)
        storeContactFields(row, contactId);
    else if (state_.MyselfMode)
        row.ContactText = Check(state_.MyselfText);
    else
        row.ContactText = Check(htmlText(contact_.Data(act::ContactField::Name)));
}

void RecordStore::storeActivityFields(ActivityRow& row, qsizetype user, qint64 offset,
                                      qint64 endMinutes, bool minuteOffset) {
    ignoringErrors([&] {
        row.ActivityId = text(act::ActivityField::Id);
        row.TypeCode = text(act::ActivityField::Type);
    });
    ignoringErrors([&] {
        const QDateTime start = activity_.Data(act::ActivityField::Start).toDateTime();
        row.StartTime = minuteOffset ? start.addSecs(qint64(offset) * 60) : start.addDays(offset);
        const qint64 minutes = endMinutes != 0
                                   ? endMinutes
                                   : activity_.Data(act::ActivityField::Duration).toLongLong();
        row.EndTime = row.StartTime.addSecs(minutes * 60);
    });
    ignoringErrors(
        [&] { row.Timeless = timelessMark(activity_.Data(act::ActivityField::Timeless)); });
    ignoringErrors([&] { row.Cleared = activity_.Data(act::ActivityField::Cleared).toInt() == 1; });
    ignoringErrors([&] {
        if (state_.FieldShown[15])
            row.PriorityText = priorityText(activity_.Data(act::ActivityField::Priority).toInt());
    });
    row.ScheduledForText = scheduledFor_.at(user);
    ignoringErrors([&] {
        row.RecurringFlag = activity_.IsRecurring() ? QStringLiteral("1") : QStringLiteral("0");
    });
    ignoringErrors([&] {
        if (activity_.Data(act::ActivityField::Alarm).toInt() == 1) {
            row.AlarmText = label(11);
            if (state_.FieldShown[11])
                row.AlarmText += text(act::ActivityField::AlarmLead) + QLatin1Char('\'');
            row.AlarmText = Check(row.AlarmText);
        }
    });
    // The e-mail link tells no more than the row shows.
    ignoringErrors([&] {
        const QString regarding = text(act::ActivityField::Regarding);
        if (!regarding.isEmpty())
            row.RegardingText = Check(label(4) + value(4, regarding));
        if (state_.FieldShown[4])
            row.Regarding = regarding;
    });
    ignoringErrors([&] {
        const QString details = text(act::ActivityField::Details);
        if (!details.isEmpty())
            row.DetailsText = Check(label(5) + value(5, details));
        if (state_.FieldShown[5])
            row.Details = details;
    });
    ignoringErrors([&] { storeColor(row, user); });
    ignoringErrors([&] { row.ClearedText = text(act::ActivityField::Cleared); });
}

void RecordStore::storeColor(ActivityRow& row, qsizetype user) {
    switch (state_.ColorMode) {
    case 0: {
        const int priority = activity_.Data(act::ActivityField::Priority).toInt();
        if (priority >= 0 && priority <= 2)
            row.ColorText = priorityColors_[std::size_t(priority)];
        break;
    }
    case 1:
        row.ColorText = state_.UserColorTexts.value(user);
        break;
    case 3:
        row.ColorText = colorText(activity_.Data(act::ActivityField::Color).toLongLong());
        break;
    default:
        break;
    }
}

// The names of everyone else the activity is scheduled with, each once, one per line: the
// row's own user and the main contact (shown as the contact) are left out.
QString RecordStore::othersScheduledWith(const QString& me) {
    const QString main = text(act::ActivityField::Contact);
    QSet<QString> listed;
    QStringList names;
    const auto add = [&](const QString& person) {
        if (person.isEmpty() || person == me || listed.contains(person))
            return;
        listed.insert(person);
        const QString name = nameOf(person);
        if (!name.isEmpty())
            names.append(htmlText(name));
    };
    for (QString p = activity_.FirstScheduledWith(); !p.isEmpty();
         p = activity_.NextScheduledWith()) {
        if (p != main)
            add(p);
    }
    // Seen from another user's calendar, the user the activity is scheduled for is one of
    // the others too, also when it is planned with that user's own record.
    add(text(act::ActivityField::ScheduledFor));
    return names.join(QLatin1String("<br>"));
}

QString RecordStore::contactIdFor(const QString& me) const {
    const QString main = text(act::ActivityField::Contact);
    const bool withOwnUser = main == me && IsScheduledWithUser(state_, activity_);
    return withOwnUser ? text(act::ActivityField::ScheduledFor) : main;
}

void RecordStore::storeContactFields(ActivityRow& row, const QString& contactId) {
    auto known = contactTexts_.constFind(contactId);
    if (known == contactTexts_.cend()) {
        ContactTexts texts;
        // A contact read only in part gives this row what was read, and is read again for
        // the next.
        try {
            readContactTexts(texts);
        } catch (const std::exception&) {
            texts.applyTo(row);
            throw;
        }
        known = contactTexts_.insert(contactId, texts);
    }
    known->applyTo(row);
}

void ContactTexts::applyTo(ActivityRow& row) const {
    row.ContactText = Contact;
    row.TitleText = Title;
    row.CompanyText = Company;
    row.AddressText = Address;
    row.CityText = City;
    row.PhoneText = Phone;
    row.EmailText = Email;
    row.EmailAddress = EmailAddress;
    row.AssistantText = Assistant;
    row.FaxText = Fax;
    row.CellularText = Cellular;
    row.PagerText = Pager;
    row.CustomText = Custom;
}

void RecordStore::readContactTexts(ContactTexts& texts) const {
    // Each field is read once: the contact object makes a new text on every read.
    const auto data = [&](int field) { return contact_.Data(field); };
    texts.Contact = Check(htmlText(data(26)));
    const QString title = data(46);
    if (!title.isEmpty())
        texts.Title = Check(label(3) + value(3, title));

    const QString company = data(25);
    const qsizetype q = company.indexOf(QLatin1Char(';'));
    QString ordered = company;
    if (q >= 0) {
        QString after = company.mid(q + 1);
        while (after.endsWith(QLatin1Char(' ')))
            after.chop(1);
        ordered = after + QLatin1Char(' ') + company.left(q);
    }
    texts.Company = Check(htmlText(ordered));

    QStringList street;
    for (int field = 27; field <= 29; ++field) {
        const QString line = data(field);
        if (!line.isEmpty())
            street.append(line);
    }
    if (!street.isEmpty())
        texts.Address = Check(label(0) + value(0, street.join(QLatin1Char(' '))));

    QString city;
    const QString town = data(30);
    if (!town.isEmpty())
        city = label(1) + value(1, town + QLatin1Char(' '));
    const QString zip = data(31);
    const QString region = data(32);
    if (!zip.isEmpty() || !region.isEmpty()) {
        if (state_.LabelShown[2])
            city += QLatin1Char(' ') + state_.FieldLabels[2] + QLatin1Char(' ');
        city += value(2, zip + QLatin1Char(' ') + region);
    }
    texts.City = Check(city);

    QString phone = data(35);
    const QString extension = data(80);
    if (!extension.isEmpty())
        phone += QLatin1String(" Ext: ") + extension;
    texts.Phone = Check(htmlText(phone));

    const auto optional = [&](QString& target, const QString& text, int k) {
        if (!text.isEmpty())
            target = Check(label(k) + value(k, text));
    };
    const QString email = data(200);
    optional(texts.Email, email, 9);
    if (state_.FieldShown[9])
        texts.EmailAddress = email;
    optional(texts.Assistant, data(47), 10);
    optional(texts.Fax, data(36), 6);
    optional(texts.Cellular, data(38), 7);
    optional(texts.Pager, data(39), 8);
    if (state_.CustomField >= 1)
        optional(texts.Custom, data(state_.CustomField), 13);
}

QString RecordStore::label(int k) const {
    return labels_[std::size_t(k)];
}

QString RecordStore::value(int k, const QString& raw) const {
    return state_.FieldShown[std::size_t(k)] ? htmlText(raw) : QString();
}

QString RecordStore::text(int field) const {
    return activity_.Data(field).toString();
}

QString RecordStore::nameOf(const QString& contactId) {
    return contact_.GoTo(contactId) ? contact_.Data(act::ContactField::Name) : QString();
}
