#include "DialogTestSupport.h"
#include "dialogs/frmColor.h"
#include "dialogs/frmEmail.h"
#include "dialogs/frmFields.h"
#include "dialogs/frmFilter.h"
#include "engine/ActivitySelection.h"
#include "engine/Generation.h"
#include "support/StandinFixture.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

// The data and script of the week of 11 March 2024 as the current settings make them.
QStringList generate(act::ActSession& session) {
    QTemporaryDir html;
    MyRecordId = getUserID(*session.database);
    Generation generation(session);
    generation.setHtmlFolder(html.path());
    generation.setPageOpening(Generation::PageOpening::Never);
    if (generation.run(QDate(2024, 3, 11), QDate(2024, 3, 17)).result !=
        GenerationOutcome::Result::Written)
        return {};
    const auto read = [&](const char* name) {
        QFile file(html.filePath(QString::fromLatin1(name)));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    return {read("data.js"), read("script.js")};
}

} // namespace

// What each dialog saves must reach the next calendar.
class DialogsCalendarTest : public QObject {
    Q_OBJECT

    std::unique_ptr<DialogTestEnvironment> env;
    std::unique_ptr<StandinFixture> act;

    QStringList calendar() { return generate(act->session()); }

private slots:
    void init() {
        env = std::make_unique<DialogTestEnvironment>();
        act = std::make_unique<StandinFixture>(StandinFixture::fixtureFile("engine-week.json"));
    }
    void cleanup() {
        QVERIFY(env->messages.shown.isEmpty());
        act.reset();
        env.reset();
    }

    // A dialog shows the defaults the calendar uses while nothing is stored, so confirming it
    // unchanged leaves the calendar as it was.
    void confirmingADialogUnchangedKeepsTheCalendar() {
        const QStringList before = calendar();
        QVERIFY(!before.isEmpty() && !before[0].isEmpty());
        frmFilter filter(act->session().users());
        press(filter, "cmdOK");
        frmFields fields(act->session().contact().fields());
        press(fields, "cmdOK");
        frmColor colors(act->session().users());
        press(colors, "cmdOK");
        frmEmail email;
        press(email, "cmdSave");

        QCOMPARE(calendar(), before);
    }
};

QTEST_MAIN(DialogsCalendarTest)
#include "tst_dialogs_calendar.moc"
