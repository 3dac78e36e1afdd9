#include "DialogTestSupport.h"
#include "dialogs/frmFilter.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QString Filter = QStringLiteral("Filter");

FakeUsers officeUsers() {
    FakeUsers users;
    users.current = QStringLiteral("USR000000001");
    users.users = {
        {QStringLiteral("USR000000001"), QStringLiteral("Alice Martin")},
        {QStringLiteral("USR000000002"), QStringLiteral("Bob Stone")},
        {QStringLiteral("USR000000003"), QStringLiteral("Chloé Dubois")},
        {QStringLiteral("USR000000004"), QStringLiteral("Locked Out"), 2, 0},
        {QStringLiteral("USR000000005"), QStringLiteral("Read Only"), 3, 0},
        {QStringLiteral("USR000000006"), QStringLiteral("Secured"), 0, 1},
        {QStringLiteral("USR000000007"), QStringLiteral("Dan Ortiz")},
        {QStringLiteral("USR000000008"), QStringLiteral("Eve Novak"), 1, 2},
    };
    return users;
}

QStringList listed(const frmFilter& dlg) {
    QStringList names;
    auto* list = control<QListWidget>(dlg, QStringLiteral("List1"));
    for (int row = 0; row < list->count(); ++row)
        names << list->item(row)->text();
    return names;
}

QStringList selected(const frmFilter& dlg) {
    QStringList names;
    auto* list = control<QListWidget>(dlg, QStringLiteral("List1"));
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->isSelected())
            names << list->item(row)->text();
    return names;
}

void select(frmFilter& dlg, const QStringList& names) {
    auto* list = control<QListWidget>(dlg, QStringLiteral("List1"));
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setSelected(names.contains(list->item(row)->text()));
}

bool checked(const frmFilter& dlg, const char* name) {
    return control<QAbstractButton>(dlg, QString::fromLatin1(name))->isChecked();
}

} // namespace

class FrmFilterTest : public QObject {
    Q_OBJECT

private slots:
    void freshUserSeesDefaultsAndOtherListableUsers() {
        DialogTestEnvironment env;
        FakeUsers users = officeUsers();
        frmFilter dlg(users);
        QVERIFY(checked(dlg, "Check10"));
        QVERIFY(checked(dlg, "Check11"));
        QVERIFY(!checked(dlg, "Check12"));
        QVERIFY(checked(dlg, "chkCleared"));
        QVERIFY(checked(dlg, "optMe"));
        QVERIFY(!checked(dlg, "optMeAnd") && !checked(dlg, "optAll"));
        QCOMPARE(listed(dlg),
                 (QStringList{QStringLiteral("Bob Stone"), QStringLiteral("Chloé Dubois"),
                              QStringLiteral("Dan Ortiz"), QStringLiteral("Eve Novak")}));
        QVERIFY(selected(dlg).isEmpty());

        press(dlg, QStringLiteral("cmdOK"));
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(env.value(Filter, QStringLiteral("Type0")), QStringLiteral("1"));
        QCOMPARE(env.value(Filter, QStringLiteral("Type1")), QStringLiteral("1"));
        QCOMPARE(env.value(Filter, QStringLiteral("Type2")), QStringLiteral("0"));
        QCOMPARE(env.value(Filter, QStringLiteral("Cleared")), QStringLiteral("1"));
        QCOMPARE(env.value(Filter, QStringLiteral("Users")), QStringLiteral("Me"));
        QCOMPARE(env.value(Filter, QStringLiteral("SelUsers")), QString());
        QCOMPARE(env.value(Filter, QStringLiteral("SelNames")), QString());
        QVERIFY(env.messages.shown.isEmpty());
    }

    void okWithoutChangesWritesBackWhatWasStored() {
        DialogTestEnvironment env;
        const QList<QPair<QString, QString>> stored = {
            {QStringLiteral("Type0"), QStringLiteral("0")},
            {QStringLiteral("Type1"), QStringLiteral("1")},
            {QStringLiteral("Type2"), QStringLiteral("1")},
            {QStringLiteral("Cleared"), QStringLiteral("0")},
            {QStringLiteral("Users"), QStringLiteral("MeAnd")},
            {QStringLiteral("SelUsers"), QStringLiteral("USR000000002USR000000007")},
            {QStringLiteral("SelNames"), QStringLiteral("Bob Stone & Dan Ortiz")},
        };
        for (const auto& [key, value] : stored)
            env.store.SaveSetting(Filter, key, value);
        FakeUsers users = officeUsers();
        frmFilter dlg(users);
        QCOMPARE(selected(dlg),
                 (QStringList{QStringLiteral("Bob Stone"), QStringLiteral("Dan Ortiz")}));
        press(dlg, QStringLiteral("cmdOK"));
        for (const auto& [key, value] : stored)
            QCOMPARE(env.value(Filter, key), value);
        QCOMPARE(env.store.size(), stored.size());
    }

    void cancelAndCloseBoxWriteNothing() {
        DialogTestEnvironment env;
        env.store.SaveSetting(Filter, QStringLiteral("Users"), QStringLiteral("All"));
        env.store.SaveSetting(Filter, QStringLiteral("SelNames"), QStringLiteral("All Users"));
        FakeUsers users = officeUsers();
        for (const char* closer : {"cmdCancel", "close box"}) {
            frmFilter dlg(users);
            for (const char* box : {"Check10", "Check11", "Check12", "chkCleared"})
                control<QCheckBox>(dlg, QString::fromLatin1(box))->toggle();
            control<QRadioButton>(dlg, QStringLiteral("optMeAnd"))->setChecked(true);
            select(dlg, {QStringLiteral("Bob Stone")});
            if (QByteArray(closer) == "cmdCancel") {
                press(dlg, QString::fromLatin1(closer));
            } else {
                dlg.show();
                dlg.close();
            }
            QCOMPARE(dlg.result(), int(QDialog::Rejected));
            QCOMPARE(env.store.size(), 2);
            QCOMPARE(env.value(Filter, QStringLiteral("Users")), QStringLiteral("All"));
        }
    }

    void chosenUsersAreNamedInListOrder() {
        DialogTestEnvironment env;
        FakeUsers users = officeUsers();
        frmFilter dlg(users);
        control<QRadioButton>(dlg, QStringLiteral("optMeAnd"))->setChecked(true);
        select(dlg, {QStringLiteral("Eve Novak"), QStringLiteral("Bob Stone"),
                     QStringLiteral("Dan Ortiz")});
        press(dlg, QStringLiteral("cmdOK"));
        QCOMPARE(env.value(Filter, QStringLiteral("Users")), QStringLiteral("MeAnd"));
        QCOMPARE(env.value(Filter, QStringLiteral("SelUsers")),
                 QStringLiteral("USR000000002USR000000007USR000000008"));
        QCOMPARE(env.value(Filter, QStringLiteral("SelNames")),
                 QStringLiteral("Bob Stone & Dan Ortiz & Eve Novak"));
    }

    void allUsersIsNamedInEnglishWhateverTheLanguage() {
        DialogTestEnvironment env;
        LanguageBase = 400;
        env.store.SaveSetting(Filter, QStringLiteral("Users"), QStringLiteral("MeAnd"));
        env.store.SaveSetting(Filter, QStringLiteral("SelUsers"), QStringLiteral("USR000000002"));
        FakeUsers users = officeUsers();
        frmFilter dlg(users);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Filtrage des activités"));
        QCOMPARE(control<QAbstractButton>(dlg, QStringLiteral("optMeAnd"))->text(),
                 QStringLiteral("Moi et :"));
        QCOMPARE(control<QAbstractButton>(dlg, QStringLiteral("optAll"))->text(),
                 QStringLiteral("Tous les utilisateurs"));
        control<QRadioButton>(dlg, QStringLiteral("optAll"))->setChecked(true);
        press(dlg, QStringLiteral("cmdOK"));
        QCOMPARE(env.value(Filter, QStringLiteral("Users")), QStringLiteral("All"));
        QCOMPARE(env.value(Filter, QStringLiteral("SelUsers")), QString());
        QCOMPARE(env.value(Filter, QStringLiteral("SelNames")), QStringLiteral("All Users"));
    }

    void storedUsersArePreselectedOnlyAtTheirOwnPlace() {
        DialogTestEnvironment env;
        FakeUsers users;
        users.current = QStringLiteral("ME0000000000");
        users.users = {{QStringLiteral("ME0000000000"), QStringLiteral("Me")},
                       {QStringLiteral("AAAAAA000000"), QStringLiteral("Ann")},
                       {QStringLiteral("000000111111"), QStringLiteral("Straddler")},
                       {QStringLiteral("111111BBBBBB"), QStringLiteral("Ben")}};
        env.store.SaveSetting(Filter, QStringLiteral("Users"), QStringLiteral("MeAnd"));
        env.store.SaveSetting(Filter, QStringLiteral("SelUsers"),
                              QStringLiteral("AAAAAA000000111111BBBBBB"));
        frmFilter dlg(users);
        QCOMPARE(selected(dlg), (QStringList{QStringLiteral("Ann"), QStringLiteral("Ben")}));
    }

    void unknownUserModeShowsMeOnly() {
        DialogTestEnvironment env;
        env.store.SaveSetting(Filter, QStringLiteral("Users"), QStringLiteral("me"));
        env.store.SaveSetting(Filter, QStringLiteral("SelUsers"), QStringLiteral("USR000000002"));
        FakeUsers users = officeUsers();
        frmFilter dlg(users);
        QVERIFY(checked(dlg, "optMe"));
        QVERIFY(!checked(dlg, "optMeAnd") && !checked(dlg, "optAll"));
        QVERIFY(selected(dlg).isEmpty());
    }

    void clickingTheClearedTextTogglesTheBox() {
        DialogTestEnvironment env;
        FakeUsers users = officeUsers();
        frmFilter dlg(users);
        dlg.show();
        auto* label = control<QLabel>(dlg, QStringLiteral("Label3"));
        QTest::mouseClick(label, Qt::LeftButton);
        QVERIFY(!checked(dlg, "chkCleared"));
        QTest::mouseClick(label, Qt::LeftButton);
        QVERIFY(checked(dlg, "chkCleared"));
    }

    void unreadableValuesAreReportedAndCanBeRepaired() {
        DialogTestEnvironment env;
        env.store.SaveSetting(Filter, QStringLiteral("Type0"), QStringLiteral("yes"));
        env.store.SaveSetting(Filter, QStringLiteral("Type1"), QStringLiteral("0"));
        env.store.SaveSetting(Filter, QStringLiteral("Cleared"), QStringLiteral("99999"));
        env.store.SaveSetting(Filter, QStringLiteral("Users"), QStringLiteral("MeAnd"));
        env.store.SaveSetting(Filter, QStringLiteral("SelUsers"), QStringLiteral("USR000000003"));
        FakeUsers users = officeUsers();
        frmFilter dlg(users);
        const QStringList reports = env.messages.texts();
        QCOMPARE(reports.size(), 2);
        QVERIFY(reports[0].startsWith(QStringLiteral("Error 13: 'Type mismatch'\rin frmFilter: "
                                                     "Sub Form_Load")));
        QVERIFY(reports[1].startsWith(QStringLiteral("Error 6: 'Overflow'\rin frmFilter: Sub "
                                                     "Form_Load")));
        QVERIFY(checked(dlg, "Check10"));
        QVERIFY(!checked(dlg, "Check11"));
        QVERIFY(checked(dlg, "chkCleared"));
        QCOMPARE(selected(dlg), QStringList{QStringLiteral("Chloé Dubois")});

        press(dlg, QStringLiteral("cmdOK"));
        QCOMPARE(env.value(Filter, QStringLiteral("Type0")), QStringLiteral("1"));
        QCOMPARE(env.value(Filter, QStringLiteral("Cleared")), QStringLiteral("1"));
        QCOMPARE(env.value(Filter, QStringLiteral("SelUsers")), QStringLiteral("USR000000003"));
    }

    void failedWriteKeepsTheDialogOpen() {
        DialogTestEnvironment env;
        env.store.failWrites = true;
        FakeUsers users = officeUsers();
        frmFilter dlg(users);
        press(dlg, QStringLiteral("cmdOK"));
        QVERIFY(dlg.isVisible());
        QCOMPARE(env.messages.shown.size(), 1);
        QVERIFY(env.messages.texts()[0].contains(QStringLiteral("frmFilter: Sub cmdOK_Click")));
    }
};

QTEST_MAIN(FrmFilterTest)
#include "tst_frmfilter.moc"
