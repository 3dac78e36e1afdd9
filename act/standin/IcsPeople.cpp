#include "IcsPeople.h"

#include <QJsonObject>

namespace act::standin {

namespace {

QString addressOf(icalproperty* person) {
    const QString value = QString::fromUtf8(icalproperty_get_value_as_string(person));
    if (value.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        return value.mid(7).trimmed();
    return QString();
}

QString nameOf(icalproperty* person) {
    icalparameter* cn = icalproperty_get_first_parameter(person, ICAL_CN_PARAMETER);
    return cn ? QString::fromUtf8(icalparameter_get_cn(cn)).trimmed() : QString();
}

} // namespace

QString IcsPeople::idOf(icalproperty* person) {
    const QString address = addressOf(person);
    QString name = nameOf(person);
    if (name.compare(userName_, Qt::CaseInsensitive) == 0 ||
        address.compare(userName_, Qt::CaseInsensitive) == 0)
        return UserId;
    if (name.isEmpty())
        name = address.isEmpty() ? QString::fromUtf8(icalproperty_get_value_as_string(person))
                                 : address;
    const QString key = (address.isEmpty() ? name : address).toLower();
    if (const auto found = ids_.constFind(key); found != ids_.constEnd())
        return *found;
    const QString id = QStringLiteral("CON%1").arg(ids_.size() + 1, 9, 10, QLatin1Char('0'));
    ids_.insert(key, id);
    QJsonObject contact{{"id", id}, {"name", name}};
    if (!address.isEmpty())
        contact.insert("email", address);
    contacts_.append(contact);
    return id;
}

IcsPeople::Scheduled IcsPeople::scheduledWith(icalcomponent* item) {
    QStringList people;
    for (const icalproperty_kind kind : {ICAL_ORGANIZER_PROPERTY, ICAL_ATTENDEE_PROPERTY})
        for (icalproperty* p = icalcomponent_get_first_property(item, kind); p;
             p = icalcomponent_get_next_property(item, kind))
            if (const QString id = idOf(p); !people.contains(id))
                people << id;
    Scheduled scheduled;
    for (const QString& id : people)
        if (id != UserId) {
            scheduled.contact = id;
            break;
        }
    if (scheduled.contact.isEmpty())
        scheduled.contact = UserId;
    scheduled.with << scheduled.contact;
    for (const QString& id : people)
        if (id != scheduled.contact)
            scheduled.with << id;
    return scheduled;
}

} // namespace act::standin
