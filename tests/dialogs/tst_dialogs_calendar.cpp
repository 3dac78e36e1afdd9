#include "DialogTestSupport.h"
#include "dialogs/frmEmail.h"
#include "dialogs/frmFields.h"
#include "dialogs/frmFilter.h"
#include "engine/Generation.h"
#include "engine/SelectionTests.h"
#include "support/StandinFixture.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

// Three users, each with one meeting on Monday 11 March 2024 with the same client.
const QByteArray Office = R"({
  "current_user": "USR000000001",
  "users": [
    {"id": "USR000000001", "name": "Alice Martin"},
    {"id": "USR000000002", "name": "Bob Stone"},
    {"id": "USR000000003", "name": "Chloe Dubois"}
  ],
  "contacts": [
    {"id": "CON000000042", "name": "Paul Client", "email": "paul@example.org"}
  ],
  "activities": [
    {"id": "ACT000000001", "type": 1, "regarding": "Alice quarterly review",
     "details": "Bring the figures", "start": "2024-03-11 09:00",
     "scheduled_for": "USR000000001", "contact": "CON000000042"},
    {"id": "ACT000000002", "type": 1, "regarding": "Bob workshop",
     "start": "2024-03-11 11:00", "scheduled_for": "USR000000002", "contact": "CON000000042"},
    {"id": "ACT000000003", "type": 1, "regarding": "Chloe visit",
     "start": "2024-03-11 14:00", "scheduled_for": "USR000000003", "contact": "CON000000042"}
  ]
})";

// The data.js of the week of 11 March 2024 as the current settings make it.
QString calendarData(act::ActSession& session) {
    QTemporaryDir html;
    MyRecordId = getUserID(*session.database);
    Generation generation(session);
    generation.setHtmlFolder(html.path());
    generation.setPageOpening(Generation::PageOpening::Never);
    const GenerationOutcome outcome = generation.run(QDate(2024, 3, 11), QDate(2024, 3, 17));
    if (outcome.result != GenerationOutcome::Result::Written)
        return {};
    QFile data(html.filePath(QStringLiteral("data.js")));
    if (!data.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(data.readAll());
}

} // namespace

class DialogsCalendarTest : public QObject {
    Q_OBJECT

private slots:
    void chosenUsersJoinTheCalendar() {
        DialogTestEnvironment env;
        StandinFixture act(Office);
        const QString before = calendarData(act.session());
        QVERIFY(before.contains(QStringLiteral("Alice quarterly review")));
        QVERIFY(!before.contains(QStringLiteral("Bob workshop")));

        frmFilter dlg(act.session().users());
        control<QRadioButton>(dlg, QStringLiteral("optMeAnd"))->setChecked(true);
        control<QListWidget>(dlg, QStringLiteral("List1"))->item(0)->setSelected(true);
        press(dlg, QStringLiteral("cmdOK"));

        const QString after = calendarData(act.session());
        QVERIFY(after.contains(QStringLiteral("Bob workshop")));
        QVERIFY(!after.contains(QStringLiteral("Chloe visit")));
        QVERIFY(after.contains(QStringLiteral("Users='Alice Martin, Bob Stone';")));
        QVERIFY(env.messages.shown.isEmpty());
    }

    void labelledDetailsAppearInTheCalendar() {
        DialogTestEnvironment env;
        StandinFixture act(Office);
        QVERIFY(!calendarData(act.session()).contains(QStringLiteral("Bring the figures")));

        frmFields dlg(act.session().contact().fields());
        control<QCheckBox>(dlg, QStringLiteral("Check135"))->setChecked(true);
        control<QLineEdit>(dlg, QStringLiteral("Text135"))->setText(QStringLiteral("Notes :"));
        press(dlg, QStringLiteral("cmdOK"));

        QVERIFY(calendarData(act.session()).contains(QStringLiteral("Notes : Bring the figures")));
        QVERIFY(env.messages.shown.isEmpty());
    }

    void emailAddressesBecomeLinksWithTheTemplates() {
        DialogTestEnvironment env;
        env.store.SaveSetting(QStringLiteral("Options"), QStringLiteral("Field9"), 1);
        StandinFixture act(Office);
        QVERIFY(!calendarData(act.session()).contains(QStringLiteral("mailto:")));

        frmEmail dlg;
        control<QCheckBox>(dlg, QStringLiteral("chkActive"))->setChecked(true);
        press(dlg, QStringLiteral("cmdSave"));

        QVERIFY(calendarData(act.session())
                    .contains(QStringLiteral("mailto:paul@example.org?Subject=Our%20meeting%20of"
                                             "%20this%20coming%20Monday")));
        QVERIFY(env.messages.shown.isEmpty());
    }
};

QTEST_MAIN(DialogsCalendarTest)
#include "tst_dialogs_calendar.moc"
