#pragma once

#include "RecordingMessages.h"
#include "act/ActObjects.h"
#include "shell/MemorySettingsStore.h"
#include "shell/ProgramState.h"

#include <QAbstractItemModel>
#include <QDialog>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <memory>

// A fresh settings store and message recorder for one test, in English; `section` is the
// settings section the dialog under test owns.
struct DialogTestEnvironment {
    explicit DialogTestEnvironment(const QString& section = {})
        : section(section) {
        setSettings(&store);
        LanguageBase = 200;
    }
    ~DialogTestEnvironment() {
        setSettings(nullptr);
        LanguageBase = 200;
    }

    QString stored(const QString& key) const {
        return store.GetSetting(section, key, QStringLiteral("<absent>"));
    }
    // The keys of "key=value;key=value" whose stored text differs, each as key=stored text.
    QStringList differing(const QString& pairs) const {
        QStringList keys;
        for (const QString& pair : pairs.split(';'))
            if (const QString key = pair.section('=', 0, 0); stored(key) != pair.section('=', 1))
                keys << key + '=' + stored(key);
        return keys;
    }
    // Leaves "key=value;key=value" as an earlier session would have.
    void set(const QString& pairs) {
        for (const QString& pair : pairs.split(';'))
            store.SaveSetting(section, pair.section('=', 0, 0), pair.section('=', 1));
    }

    QString section;
    MemorySettingsStore store;
    RecordingMessages messages;
};

template <typename T> T* control(const QDialog& dlg, const QString& name) {
    T* widget = dlg.findChild<T*>(name);
    if (!widget)
        qFatal("no control %s", qPrintable(name));
    return widget;
}

// The texts of a list's or combo box's entries, or only of those `selected` holds.
inline QStringList entries(const QAbstractItemModel* model,
                           const QItemSelectionModel* selected = nullptr) {
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        if (!selected || selected->isRowSelected(row))
            texts << model->index(row, 0).data().toString();
    return texts;
}

inline void press(QDialog& dlg, const QString& button) {
    dlg.show();
    QTest::mouseClick(control<QPushButton>(dlg, button), Qt::LeftButton);
}

// ACT!'s users as a list, in database order.
class FakeUsers : public act::Users {
public:
    struct User {
        QString id;
        QString name;
        int access = 0;
        int security = 0;
    };

    int Count() const override { return int(users.size()); }
    int Access(int i) const override { return users.at(i - 1).access; }
    int Security(int i) const override { return users.at(i - 1).security; }
    QString UniqueId(int i) const override { return users.at(i - 1).id; }
    QString Name(int i) const override { return users.at(i - 1).name; }
    QString CurrentUserID() const override { return current; }

    QList<User> users;
    QString current;
};

// A contact field list with gaps (-1) between its positions, as ACT! gives it.
class FakeContactFields : public act::ContactFields {
public:
    struct Field {
        int id;
        QString label;
        bool operator==(const Field& other) const { return id == other.id; }
    };

    int Count() const override {
        return count >= 0 ? count : int(positions.size() - positions.count(Field{-1, {}}));
    }
    int Id(int position) const override {
        return position < positions.size() ? positions.at(position).id : -1;
    }
    QString Label(int id) const override {
        for (const Field& f : positions)
            if (f.id == id)
                return f.label;
        return {};
    }
    int FieldID(const QString&) const override { return -1; } // the dialogs keep ids themselves

    QList<Field> positions;
    int count = -1; // a claimed count that differs from the fields present
};
