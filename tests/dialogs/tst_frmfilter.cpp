#include "DialogTestSupport.h"
#include "dialogs/frmFilter.h"

#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

namespace {

QStringList listed(const frmFilter& dlg, bool selectedOnly = true) {
    QStringList names;
    auto* list = control<QListWidget>(dlg, "List1");
    for (int row = 0; row < list->count(); ++row)
        if (!selectedOnly || list->item(row)->isSelected())
            names << list->item(row)->text();
    return names;
}

} // namespace

class FrmFilterTest : public QObject {
    Q_OBJECT

    std::unique_ptr<DialogTestEnvironment> env;
    FakeUsers users;

private slots:
    void init() {
        env = std::make_unique<DialogTestEnvironment>("Filter");
        users.current = "USR000000001";
        users.users = {
            {"USR000000001", "Alice Martin"},     {"USR000000002", "Bob Stone"},
            {"USR000000004", "Locked Out", 2, 0}, {"USR000000005", "Read Only", 3, 0},
            {"USR000000006", "Secured", 0, 1},    {"USR000000007", "Dan Ortiz"},
            {"USR000000008", "Eve Novak", 1, 2},
        };
    }
    void cleanup() { env.reset(); }

    void onlyOtherListableUsersAreOffered() {
        frmFilter dlg(users);
        QCOMPARE(listed(dlg, false), (QStringList{"Bob Stone", "Dan Ortiz", "Eve Novak"}));
    }

    void chosenUsersAreNamedInListOrder() {
        frmFilter dlg(users);
        control<QRadioButton>(dlg, "optMeAnd")->setChecked(true);
        auto* list = control<QListWidget>(dlg, "List1");
        for (int row : {2, 0, 1})
            list->item(row)->setSelected(true);
        press(dlg, "cmdOK");
        QCOMPARE(env->differing("Users=MeAnd;SelUsers=USR000000002USR000000007USR000000008;"
                                "SelNames=Bob Stone & Dan Ortiz & Eve Novak"),
                 QStringList());
    }

    void allUsersIsNamedInEnglishWhateverTheLanguage() {
        LanguageBase = 400;
        env->set("Users=MeAnd;SelUsers=USR000000002");
        frmFilter dlg(users);
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
        QCOMPARE(listed(dlg), (QStringList{"Ann", "Ben"}));
    }

    void unknownUserModeShowsMeOnly() {
        env->set("Users=me;SelUsers=USR000000002");
        frmFilter dlg(users);
        QVERIFY(control<QRadioButton>(dlg, "optMe")->isChecked());
        QVERIFY(listed(dlg).isEmpty());
    }
};

QTEST_MAIN(FrmFilterTest)
#include "tst_frmfilter.moc"
