#include "DemoPeople.h"

#include "StandardFields.h"

#include <QJsonObject>

namespace act::standin {

namespace {

constexpr int ClientCount = 150;

const QStringList FirstNames{
    "Émilie",  "Jean-François", "Hélène", "Margaret", "François",  "Zoë",    "Benoît",
    "Sarah",   "Noël",          "Chloé",  "Thomas",   "Geneviève", "Olivia", "Jérôme",
    "William", "Anaïs",         "Lucas",  "Maëlle",   "Daniel",    "Renée",  "Patrick",
    "Céline",  "James",         "Josée",  "Michael",  "Aurélie",   "Robert", "Loïc",
    "Emma",    "Stéphane",      "Grace",  "Frédéric", "Hannah",    "Éloïse", "Kevin"};

const QStringList LastNames{
    "Tremblay", "O'Brien",   "Lefèvre",  "Smith",    "Gagnon",   "D'Amours",  "Côté",
    "Johnson",  "Bélanger",  "O'Neil",   "Williams", "Lévesque", "Brown",     "Bouchard",
    "Fortier",  "MacLeod",   "Gauthier", "Dubé",     "Taylor",   "L'Heureux", "Pelletier",
    "Martin",   "Thériault", "Anderson", "Ménard",   "Wilson",   "Després",   "Roy"};

const QStringList Companies{
    "Maple Leaf Consulting",    "Widgets; The",       "Boulangerie Saint-Honoré",
    "Northwind Traders",        "Grand Café; Le",     "Atelier d'Éric",
    "Harbour Logistics",        "Copper Kettle; The", "Société Générale d'Études",
    "Blue Ridge Software",      "Pâtisserie Hélène",  "Summit Health Partners",
    "Château Frontenac Events", "Greenfield Farms",   "Lighthouse Media; The",
    "Nordique Ingénierie",      "O'Malley & Sons",    "Riverbend Dental",
    "Les Entreprises Côté",     "Atlantic Insurance"};

const QStringList Titles{"President",      "Sales Manager",      "Directrice générale",
                         "Office Manager", "Chief Engineer",     "Comptable",
                         "Buyer",          "Marketing Director", "Chargé de projet",
                         "Owner",          "Consultant",         "Vice-présidente"};

struct Place {
    const char* city;
    const char* state;
    const char* zip;
    const char* area;
};

const Place Places[]{
    {"Montréal", "QC", "H2X 1Y4", "514"},       {"Québec", "QC", "G1R 4P5", "418"},
    {"Trois-Rivières", "QC", "G9A 5H7", "819"}, {"Toronto", "ON", "M5H 2N2", "416"},
    {"Ottawa", "ON", "K1P 1J1", "613"},         {"Boston", "MA", "02108", "617"},
    {"Burlington", "VT", "05401", "802"},       {"Moncton", "NB", "E1C 4M5", "506"}};

const QStringList FrenchStreets{"rue Sainte-Catherine", "boulevard René-Lévesque",
                                "rue de l'Église", "chemin du Lac", "avenue des Érables"};
const QStringList EnglishStreets{"Main Street", "Harbour Road", "King Street West", "Elm Avenue",
                                 "Queen's Quay"};

const QStringList Referrers{
    "Trade show", "Web site", "Jean-Luc O'Brien", "Existing client", "Chambre de commerce", ""};

template <typename List> const auto& pick(QRandomGenerator& random, const List& list) {
    return list[random.bounded(int(std::size(list)))];
}

QString phone(QRandomGenerator& random, const char* area) {
    return QStringLiteral("(%1) 555-%2")
        .arg(QLatin1String(area))
        .arg(random.bounded(100, 10000), 4, 10, QLatin1Char('0'));
}

// An address of plain letters: accents and apostrophes dropped.
QString mailbox(const QString& first, const QString& last) {
    QString plain;
    for (QChar c : (first + QLatin1Char('.') + last).normalized(QString::NormalizationForm_D))
        if (c.isLetter() && c.unicode() < 128)
            plain += c.toLower();
        else if (c == u'.')
            plain += c;
    return plain;
}

QJsonObject makeContact(QRandomGenerator& random, const QString& id, const QString& first,
                        const QString& last, const QString& company) {
    const Place& place = pick(random, Places);
    const QString domain = QStringLiteral("example.%1").arg(random.bounded(3) == 0 ? "org" : "com");
    QJsonObject contact{
        {"id", id},
        {"name", first + QLatin1Char(' ') + last},
        {"company", company},
        {"title", pick(random, Titles)},
        {"address1", QStringLiteral("%1 %2")
                         .arg(random.bounded(1, 2500))
                         .arg(pick(random, QLatin1String(place.state) == QLatin1String("QC")
                                               ? FrenchStreets
                                               : EnglishStreets))},
        {"city", QLatin1String(place.city)},
        {"state", QLatin1String(place.state)},
        {"zip", QLatin1String(place.zip)},
        {"phone", phone(random, place.area)}};
    if (random.bounded(10) < 8)
        contact.insert("email", mailbox(first, last) + QLatin1Char('@') + domain);
    if (random.bounded(3) == 0)
        contact.insert("extension", QString::number(random.bounded(10, 500)));
    if (random.bounded(2) == 0)
        contact.insert("fax", phone(random, place.area));
    if (random.bounded(3) != 0)
        contact.insert("mobile", phone(random, place.area));
    if (random.bounded(8) == 0)
        contact.insert("pager", phone(random, place.area));
    if (random.bounded(4) == 0)
        contact.insert("address2", QStringLiteral("Suite %1").arg(random.bounded(100, 900)));
    if (random.bounded(12) == 0)
        contact.insert("address3", QStringLiteral("c/o Réception"));
    if (random.bounded(4) == 0)
        contact.insert("assistant",
                       pick(random, FirstNames) + QLatin1Char(' ') + pick(random, LastNames));
    QJsonObject custom{
        {"120", QDate(1950 + random.bounded(50), 1 + random.bounded(12), 1 + random.bounded(28))
                    .toString(Qt::ISODate)}};
    if (const QString referrer = pick(random, Referrers); !referrer.isEmpty())
        custom.insert("121", referrer);
    if (random.bounded(2) == 0)
        custom.insert("310", QStringLiteral("www.") + domain);
    contact.insert("fields", custom);
    return contact;
}

struct DemoUser {
    const char* first;
    const char* last;
    int access;
    int security;
};

// The current user first; the last one is a service account that is not listable.
const DemoUser Users[]{{"Claire", "Fontaine", 0, 0}, {"Marc-André", "Côté", 0, 0},
                       {"Sarah", "O'Connor", 1, 0},  {"David", "Kim", 0, 2},
                       {"Émilie", "Roy", 0, 0},      {"Sync", "Service", 2, 1}};

QJsonArray contactFieldList() {
    QJsonArray fields;
    for (const StandardField& field : StandardContactFields)
        fields.append(QJsonObject{{"id", field.number}, {"label", QLatin1String(field.label)}});
    fields.append(QJsonObject{{"id", 120}, {"label", "Birthday"}});
    fields.append(QJsonObject{{"id", 121}, {"label", "Referred By"}});
    fields.append(QJsonObject{{"id", 310}, {"label", "Web Site"}});
    return fields;
}

} // namespace

DemoPeople makeDemoPeople(QRandomGenerator& random) {
    DemoPeople people;
    people.contactFields = contactFieldList();
    for (int i = 0; i < int(std::size(Users)); ++i) {
        const DemoUser& user = Users[i];
        const QString id = QStringLiteral("USR%1").arg(i + 1, 9, 10, QLatin1Char('0'));
        const QString first = QString::fromUtf8(user.first);
        const QString last = QString::fromUtf8(user.last);
        people.users.append(QJsonObject{{"id", id},
                                        {"name", first + QLatin1Char(' ') + last},
                                        {"access", user.access},
                                        {"security", user.security}});
        people.contacts.append(
            makeContact(random, id, first, last, QStringLiteral("Daywise Demo Inc.")));
        if (user.access != 2 && user.access != 3 && user.security != 1)
            people.listableUserIds << id;
    }
    people.currentUser = people.listableUserIds.first();
    for (int i = 0; i < ClientCount; ++i) {
        const QString id = QStringLiteral("CON%1").arg(i + 1, 9, 10, QLatin1Char('0'));
        people.contacts.append(makeContact(random, id, pick(random, FirstNames),
                                           pick(random, LastNames), pick(random, Companies)));
        people.clientIds << id;
    }
    return people;
}

} // namespace act::standin
