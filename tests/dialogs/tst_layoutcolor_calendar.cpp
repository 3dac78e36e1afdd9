#include "DialogTestSupport.h"
#include "dialogs/frmColor.h"
#include "dialogs/frmLayout.h"
#include "engine/Generation.h"
#include "engine/SelectionTests.h"
#include "support/StandinFixture.h"

#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

// One user with a high and a low priority meeting on Monday 11 March 2024.
const QByteArray Office = R"({
  "current_user": "USR000000001",
  "users": [{"id": "USR000000001", "name": "Alice Martin"}],
  "contacts": [{"id": "CON000000042", "name": "Paul Client"}],
  "activities": [
    {"id": "ACT000000001", "type": 1, "priority": 0, "regarding": "Urgent review",
     "start": "2024-03-11 09:00", "scheduled_for": "USR000000001", "contact": "CON000000042"},
    {"id": "ACT000000002", "type": 1, "priority": 2, "regarding": "Coffee later",
     "start": "2024-03-11 15:00", "scheduled_for": "USR000000001", "contact": "CON000000042"}
  ]
})";

// The calendar of the week of 11 March 2024 as the current settings make it.
struct Calendar {
    QString data;
    QString script;
};

Calendar generate(act::ActSession& session) {
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

// Where the script places a field's text: its column, and its rank among the field lines.
struct Placement {
    int column = -1;
    qsizetype rank = -1;
};

Placement placement(const QString& script, int field) {
    static const QRegularExpression line(
        QStringLiteral(R"(Activities\[f\+(\d+)\]!=""\)  document\.getElementById\(Cell(\d)\))"));
    qsizetype rank = 0;
    for (const QRegularExpressionMatch& match : line.globalMatch(script)) {
        if (match.captured(1).toInt() == field)
            return {match.captured(2).toInt(), rank};
        ++rank;
    }
    return {};
}

} // namespace

class LayoutColorCalendarTest : public QObject {
    Q_OBJECT

private slots:
    void theLayoutMovesFieldsAndWidensColumns() {
        DialogTestEnvironment env;
        StandinFixture act(Office);
        const Calendar before = generate(act.session());
        QVERIFY(before.script.contains(QStringLiteral("class=c2 width=15%")));

        frmLayout dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        press(dlg, QStringLiteral("cmdRestore"));
        auto* regarding = control<QLineEdit>(dlg, QStringLiteral("txtNb4"));
        regarding->setFocus();
        regarding->selectAll();
        QTest::keyClicks(regarding, QStringLiteral("5"));
        control<QLineEdit>(dlg, QStringLiteral("txtCol4"))->setFocus();
        control<QLineEdit>(dlg, QStringLiteral("txtCol4"))->setText(QStringLiteral("D"));
        control<QLineEdit>(dlg, QStringLiteral("txtWidth2"))->setText(QStringLiteral("10"));
        press(dlg, QStringLiteral("cmdOK"));

        const Calendar after = generate(act.session());
        QVERIFY(after.script.contains(QStringLiteral("class=c2 width=10%")));
        const Placement regardingLine = placement(after.script, 4);
        QCOMPARE(regardingLine.column, 3);
        QVERIFY(regardingLine.rank < placement(after.script, 6).rank);       // before the contact
        QVERIFY(after.script.contains(QStringLiteral("function GetTotal"))); // written whole
        QVERIFY(env.messages.shown.isEmpty());
    }

    void chosenColoursColourTheEntriesAndDates() {
        DialogTestEnvironment env;
        StandinFixture act(Office);
        QVERIFY(!generate(act.session()).data.contains(QStringLiteral("112233")));

        frmColor dlg(act.session().users());
        const QList<QColor> answers{QColor(0x11, 0x22, 0x33), QColor(0, 0, 0),
                                    QColor(0x44, 0x55, 0x66)};
        qsizetype next = 0;
        dlg.setColorPicker([&](const QColor&, QWidget*) { return answers.at(next++); });
        dlg.show();
        QTest::mouseDClick(control<QWidget>(dlg, QStringLiteral("picPriority0")), Qt::LeftButton);
        QTest::mouseDClick(control<QWidget>(dlg, QStringLiteral("picPriority2")), Qt::LeftButton);
        QTest::mouseDClick(control<QWidget>(dlg, QStringLiteral("picBgcolor")), Qt::LeftButton);
        press(dlg, QStringLiteral("cmdOK"));

        const Calendar after = generate(act.session());
        const qsizetype urgent = after.data.indexOf(QStringLiteral("Urgent review"));
        const qsizetype coffee = after.data.indexOf(QStringLiteral("Coffee later"));
        QVERIFY(urgent >= 0 && coffee > urgent);
        // Each activity's colour is its last entry: the high one's before the low one's text.
        const qsizetype urgentColor = after.data.indexOf(QStringLiteral("'112233'"), urgent);
        QVERIFY(urgentColor > urgent && urgentColor < coffee);
        QVERIFY(after.data.indexOf(QStringLiteral("'000000'"), coffee) > coffee);
        QVERIFY(after.script.contains(QStringLiteral("bgcolor=#445566")));
        QVERIFY(env.messages.shown.isEmpty());
    }
};

QTEST_MAIN(LayoutColorCalendarTest)
#include "tst_layoutcolor_calendar.moc"
