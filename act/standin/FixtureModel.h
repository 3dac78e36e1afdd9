#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

namespace act::standin {

// A fixture after checking: every reference resolved, every default applied.
struct FixtureUser {
    QString id;
    QString name;
    int access = 0;
    int security = 0;
};

struct FixtureContact {
    QString id;
    QMap<int, QString> fields; // by ACT! field number, without the identifier
};

struct FixtureField {
    int id = 0;
    QString label;
};

struct FixtureRecurrence {
    int kind = 0;
    int every = 1;
    QDate until;
    quint32 daysOfMonth = 0;
    quint32 weeks = 0;
    quint32 weekdays = 0;
    QList<QDate> exceptions;
};

struct FixtureActivity {
    QString id;
    int type = 0;
    int priority = 1;
    QString regarding;
    QString details;
    QDateTime start;
    QDateTime end;
    qint64 duration = 60; // minutes; a span of centuries is more than an int holds
    std::optional<bool> timeless;
    bool alarm = false;
    int alarmLead = 0;
    int color = 0;
    QString scheduledFor;
    QString contact;
    bool cleared = false;
    QStringList with;
    std::optional<FixtureRecurrence> recurrence;
};

struct Fixture {
    QString currentUser;
    QList<FixtureUser> users;
    QList<FixtureContact> contacts;
    std::optional<QList<FixtureField>> contactFields;
    QList<FixtureActivity> activities;
};

// Reads and checks fixture JSON; throws FixtureError naming the object and key at fault.
Fixture parseFixture(const QByteArray& json);

} // namespace act::standin
