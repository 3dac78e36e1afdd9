#pragma once

#include <QDate>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>

namespace act::standin {

// Reads the keys of one fixture object, failing with a FixtureError that names the object
// and the key.
class JsonFields {
public:
    JsonFields(const QJsonValue& value, QString what);

    // Once the object's identifier is known, messages name it by that.
    void setName(const QString& what) { what_ = what; }
    QString name() const { return what_; }
    void rejectUnknownKeys(const QStringList& allowed) const;

    bool has(const QString& key) const { return object_.contains(key); }
    QString text(const QString& key) const;
    QString text(const QString& key, const QString& fallback) const;
    int integer(const QString& key) const;
    int integer(const QString& key, int fallback) const;
    bool flag(const QString& key, bool fallback) const;
    QDateTime dateTime(const QString& key) const;
    QDate date(const QString& key) const;
    QJsonArray array(const QString& key) const;
    QJsonObject object(const QString& key) const;

    [[noreturn]] void fail(const QString& key, const QString& problem) const;

    // Element readers for arrays of texts, numbers and dates.
    QString textAt(const QString& key, const QJsonValue& item) const;
    int integerAt(const QString& key, const QJsonValue& item) const;
    QDate dateAt(const QString& key, const QJsonValue& item) const;

private:
    QJsonValue required(const QString& key) const;

    QJsonObject object_;
    QString what_;
};

QDateTime parseFixtureDateTime(QStringView text); // invalid when malformed
QDate parseFixtureDate(QStringView text);         // invalid when malformed

// A bit set as the fixture writes it: the numbers, from 1, of the bits that are set.
QJsonArray bitList(quint32 bits);

} // namespace act::standin
