#include "DialogTestSupport.h"
#include "dialogs/frmFilter.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

FakeUsers officeUsers() {
    FakeUsers users;
    users.current = "USR000000001";
    users.users = {
        {"USR000000001", "Alice Martin"},    {"USR000000002", "Bob Stone"},
        {"USR000000003", "Chloé Dubois"},    {"USR000000004", "Locked Out", 2, 0},
        {"USR000000005", "Read Only", 3, 0}, {"USR000000006", "Secured", 0, 1},
        {"USR000000007", "Dan Ortiz"},       {"USR000000008", "Eve Novak", 1, 2},
    };
    return users;
}

QStringList listed(const frmFilter& dlg, bool selectedOnly) {
    QStringList names;
    auto* list = control<QListWidget>(dlg, "List1");
    for (int row = 0; row < list->count(); ++row)
        if (!selectedOnly || list->item(row)->isSelected())
            names << list->item(row)->text();
    return names;
}

QStringList selected(const frmFilter& dlg) {
    return listed(dlg, true);
}

void select(frmFilter& dlg, const QStringList& names) {
    auto* list = control<QListWidget>(dlg, "List1");
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setSelected(names.contains(list->item(row)->text()));
}

bool checked(const frmFilter& dlg, const char* name) {
    return control<QAbstractButton>(dlg, name)->isChecked();
}

} // namespace

class FrmFilterTest : public QObject {
    Q_OBJECT

    std::unique_ptr<DialogTestEnvironment> env;
    FakeUsers users;

private slots:
    void init() {
        env = std::make_unique<DialogTestEnvironment>("Filter");
        users = officeUsers();
    }
    void cleanup() { env.reset(); }

    void freshUserSeesDefaultsAndOtherListableUsers() {
        frmFilter dlg(users);
        QVERIFY(checked(dlg, "Check10") && checked(dlg, "Check11") && !checked(dlg, "Check12"));
        QVERIFY(checked(dlg, "chkCleared"));
        QVERIFY(checked(dlg, "optMe"));
        QCOMPARE(listed(dlg, false),
                 (QStringList{"Bob Stone", "Chloé Dubois", "Dan Ortiz", "Eve Novak"}));
        QVERIFY(selected(dlg).isEmpty());

        press(dlg, "cmdOK");
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(env->differing("Type0=1;Type1=1;Type2=0;Cleared=1;Users=Me;SelUsers=;SelNames="),
                 QStringList());
        QVERIFY(env->messages.shown.isEmpty());
    }

    void okWithoutChangesWritesBackWhatWasStored() {
        const QString values = "Type0=0;Type1=1;Type2=1;Cleared=0;Users=MeAnd;"
                               "SelUsers=USR000000002USR000000007;SelNames=Bob Stone & Dan Ortiz";
        env->set(values);
        frmFilter dlg(users);
        QCOMPARE(selected(dlg), (QStringList{"Bob Stone", "Dan Ortiz"}));
        press(dlg, "cmdOK");
        QCOMPARE(env->differing(values), QStringList());
        QCOMPARE(env->store.size(), 7);
    }

    void chosenUsersAreNamedInListOrder() {
        frmFilter dlg(users);
        control<QRadioButton>(dlg, "optMeAnd")->setChecked(true);
        select(dlg, {"Eve Novak", "Bob Stone", "Dan Ortiz"});
        press(dlg, "cmdOK");
        QCOMPARE(env->differing("Users=MeAnd;SelUsers=USR000000002USR000000007USR000000008;"
                                "SelNames=Bob Stone & Dan Ortiz & Eve Novak"),
                 QStringList());
    }

    void allUsersIsNamedInEnglishWhateverTheLanguage() {
        LanguageBase = 400;
        env->set("Users=MeAnd;SelUsers=USR000000002");
        frmFilter dlg(users);
        QCOMPARE(control<QAbstractButton>(dlg, "optAll")->text(), "Tous les utilisateurs");
        control<QRadioButton>(dlg, "optAll")->setChecked(true);
        press(dlg, "cmdOK");
        QCOMPARE(env->differing("Users=All;SelUsers=;SelNames=All Users"), QStringList());
    }

    void storedUsersArePreselectedOnlyAtTheirOwnPlace() {
        users.current = "ME0000000000";
        users.users = {{"ME0000000000", "Me"},
                       {"AAAAAA000000", "Ann"},
                       {"000000111111", "Straddler"},
                       {"111111BBBBBB", "Ben"}};
        env->set("Users=MeAnd;SelUsers=AAAAAA000000111111BBBBBB");
        frmFilter dlg(users);
        QCOMPARE(selected(dlg), (QStringList{"Ann", "Ben"}));
    }

    void unknownUserModeShowsMeOnly() {
        env->set("Users=me;SelUsers=USR000000002");
        frmFilter dlg(users);
        QVERIFY(checked(dlg, "optMe"));
        QVERIFY(!checked(dlg, "optMeAnd") && !checked(dlg, "optAll"));
        QVERIFY(selected(dlg).isEmpty());
    }

    void clickingTheClearedTextTogglesTheBox() {
        frmFilter dlg(users);
        dlg.show();
        auto* label = control<QLabel>(dlg, "Label3");
        QTest::mouseClick(label, Qt::LeftButton);
        QVERIFY(!checked(dlg, "chkCleared"));
        QTest::mouseClick(label, Qt::LeftButton);
        QVERIFY(checked(dlg, "chkCleared"));
    }

    void unreadableValuesAreReportedAndCanBeRepaired() {
        env->set("Type0=yes;Type1=0;Cleared=99999;Users=MeAnd;SelUsers=USR000000003");
        frmFilter dlg(users);
        const QStringList reports = env->messages.texts();
        QCOMPARE(reports.size(), 2);
        QVERIFY(reports[0].startsWith("Error 13: 'Type mismatch'\rin frmFilter: Sub Form_Load"));
        QVERIFY(reports[1].startsWith("Error 6: 'Overflow'\rin frmFilter: Sub Form_Load"));
        QVERIFY(!checked(dlg, "Check11"));
        QCOMPARE(selected(dlg), QStringList{"Chloé Dubois"});

        press(dlg, "cmdOK");
        QCOMPARE(env->differing("Type0=1;Cleared=1;SelUsers=USR000000003"), QStringList());
    }
};

QTEST_MAIN(FrmFilterTest)
#include "tst_frmfilter.moc"
