#include "DialogTestSupport.h"
#include "dialogs/frmColor.h"
#include "dialogs/frmEmail.h"
#include "dialogs/frmFields.h"
#include "dialogs/frmFilter.h"
#include "dialogs/frmLanguage.h"
#include "dialogs/frmLayout.h"
#include "engine/ActivitySelection.h"
#include "engine/Generation.h"
#include "support/StandinFixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <optional>
#include <tuple>

using OpenDialog = std::function<std::unique_ptr<QDialog>()>;

namespace {

// Everything a user could change without a colour picker: every button but the confirming
// ones pressed, every entry chosen, every text box typed into and Enter pressed in it.
void changeEverything(QDialog& dialog, const QString& confirm) {
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        if (button->objectName() != confirm && button->objectName() != "cmdCancel")
            button->click();
    for (QListWidget* list : dialog.findChildren<QListWidget*>())
        list->selectAll();
    for (QComboBox* combo : dialog.findChildren<QComboBox*>())
        combo->setCurrentIndex(combo->count() - 1);
    for (QLineEdit* text : dialog.findChildren<QLineEdit*>()) {
        text->setFocus();
        QTest::keyClicks(text, "7");
        QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClick(text, Qt::Key_Enter);
    }
}

// The data and script of the week of 11 March 2024 as the current settings make them.
QStringList generate(act::ActSession& session) {
    QTemporaryDir html;
    MyRecordId = getUserID(*session.database);
    Generation generation(session);
    generation.setHtmlFolder(html.path());
    generation.setPageOpening(Generation::PageOpening::Never);
    generation.run(QDate(2024, 3, 11), QDate(2024, 3, 17));
    const auto read = [&](const char* name) {
        QFile file(html.filePath(QString::fromLatin1(name)));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    return {read("data.js"), read("script.js")};
}

} // namespace

// What every settings dialog promises: only its confirming button writes, and a write the
// store refuses is reported under that button's name and leaves the dialog open, so
// nothing the user set is lost. Confirmed unchanged, a dialog leaves the calendar as it was.
class DialogsContractTest : public QObject {
    Q_OBJECT

    std::unique_ptr<DialogTestEnvironment> env;
    FakeUsers users;
    FakeContactFields fields;

    OpenDialog opener(const QString& name) {
        const QHash<QString, OpenDialog> open{
            {"frmFilter", [this] { return std::make_unique<frmFilter>(users); }},
            {"frmFields", [this] { return std::make_unique<frmFields>(fields); }},
            {"frmEmail", [] { return std::make_unique<frmEmail>(); }},
            {"frmColor", [this] { return std::make_unique<frmColor>(users); }},
            {"frmLayout", [] { return std::make_unique<frmLayout>(); }},
            {"frmLanguage", [] { return std::make_unique<frmLanguage>(); }}};
        return open.value(name);
    }
    static QString confirmOf(const QString& dialog) {
        return dialog == "frmEmail" ? "cmdSave" : "cmdOK";
    }

    static void everyDialog() {
        QTest::addColumn<QString>("frenchTitle");
        QTest::newRow("frmFilter") << "Filtrage des activités";
        QTest::newRow("frmFields") << "Éléments devant apparaître dans le calendrier";
        QTest::newRow("frmEmail") << "Options e-mail";
        QTest::newRow("frmColor") << "Choix des couleurs";
        QTest::newRow("frmLayout") << "Disposition à l'écran";
        QTest::newRow("frmLanguage") << "Langue";
    }

private slots:
    void init() {
        env = std::make_unique<DialogTestEnvironment>();
        // Not the first start, so the language dialog can be cancelled too.
        env->store.SaveSetting("Settings", "Installed", "1");
        users.users = {{"USR000000001", "Alice Martin"},     {"USR000000002", "Bob Stone"},
                       {"USR000000004", "Locked Out", 2, 0}, {"USR000000006", "Secured", 0, 1},
                       {"USR000000007", "Dan Ortiz"},        {"USR000000008", "Eve Novak", 1, 2}};
        users.current = "USR000000001";
        fields.positions = {{25, "Company"}, {80, "Phone Ext."}};
    }
    void cleanup() { env.reset(); }

    void cancelEnterAndTheCloseBoxWriteNothing_data() { everyDialog(); }
    void cancelEnterAndTheCloseBoxWriteNothing() {
        const OpenDialog open = opener(QTest::currentDataTag());
        const QString confirm = confirmOf(QTest::currentDataTag());
        for (const bool closeBox : {false, true}) {
            const std::unique_ptr<QDialog> dialog = open();
            dialog->show();
            QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
            changeEverything(*dialog, confirm);
            QVERIFY(dialog->isVisible());
            if (closeBox)
                dialog->close();
            else
                press(*dialog, "cmdCancel");
            QCOMPARE(dialog->result(), int(QDialog::Rejected));
            QCOMPARE(env->store.size(), 1);
        }
    }

    // In French too: each window takes its captions from the chosen language, not only the
    // main one, and the report keeps its English frame.
    void aRefusedWriteIsReportedAndKeepsTheDialogOpen_data() { everyDialog(); }
    void aRefusedWriteIsReportedAndKeepsTheDialogOpen() {
        QFETCH(QString, frenchTitle);
        LanguageBase = 400;
        const QString confirm = confirmOf(QTest::currentDataTag());
        const std::unique_ptr<QDialog> dialog = opener(QTest::currentDataTag())();
        QCOMPARE(dialog->windowTitle(), frenchTitle);
        env->store.failWrites = true;
        press(*dialog, confirm);
        QVERIFY(dialog->isVisible());
        QCOMPARE(env->messages.shown.size(), 1);
        QVERIFY(env->messages.texts()[0].contains(
            QStringLiteral("in %1: Sub %2_Click").arg(QTest::currentDataTag(), confirm)));
    }

    // Confirming unchanged writes back what was stored; each unreadable value is reported,
    // the dialog still opens, and confirming repairs it.
    void confirmingKeepsWhatWasStoredAndRepairsWhatIsUnreadable_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("reports");
        QTest::addColumn<QString>("written");
        const auto row = [](const char* dialog, const char* stored, int reports,
                            const char* written = nullptr) {
            QTest::addRow("%s %s", dialog, stored) << QString(dialog) << QString(stored) << reports
                                                   << QString(written ? written : stored);
        };
        row("frmFilter", "Type2=1;Cleared=0;Users=MeAnd;SelUsers=USR000000002;SelNames=Bob Stone",
            0);
        row("frmEmail", "Active=1;Subject=Q&A;Body=", 0);
        row("frmColor", "Bob Stone=0;PriorityColor0=123456;ColorDefault=1;bgColor=255", 0);
        row("frmFilter", "Type0=yes;Type1=0;Cleared=99999;Users=MeAnd;SelUsers=USR000000002", 2,
            "Type0=1;Type1=0;Cleared=1;SelUsers=USR000000002");
        row("frmFields", "Field4=shown;Custom=Birthday;Header=x;Myself=1;HeaderText=Title", 3,
            "Field4=1;Custom=0;Header=1;Myself=1;HeaderText=Title");
        row("frmFilter", "Users=me;SelUsers=USR000000002", 0, "Users=Me;SelUsers=");
        row("frmEmail", "Active=yes;Subject=S;Body=B", 1, "Active=0;Subject=S;Body=B");
        row("frmColor", "ColorDefault=7;PriorityColor1=blue;Bob Stone=x", 3,
            "ColorDefault=2;PriorityColor1=16711680;Bob Stone=x");
        row("frmLayout", "Width2=wide;FieldOrder3=x;FieldOrder4=11", 2,
            "Width2=15;FieldOrder3=4;FieldOrder4=11");
    }
    void confirmingKeepsWhatWasStoredAndRepairsWhatIsUnreadable() {
        QFETCH(QString, dialog);
        QFETCH(QString, stored);
        QFETCH(int, reports);
        QFETCH(QString, written);
        const QHash<QString, QString> sections{{"frmFilter", "Filter"},
                                               {"frmFields", "Options"},
                                               {"frmEmail", "Email"},
                                               {"frmColor", "Colors"},
                                               {"frmLayout", "Layout"}};
        env->section = sections.value(dialog);
        env->set(stored);
        const std::unique_ptr<QDialog> opened = opener(dialog)();
        press(*opened, confirmOf(dialog));
        QCOMPARE(env->messages.shown.size(), reports);
        for (const QString& text : env->messages.texts())
            QVERIFY(text.startsWith("Error ") && text.contains("in " + dialog + ": Sub Form_Load"));
        QCOMPARE(env->differing(written), QStringList());
    }

    // A dialog shows the defaults the calendar uses while nothing is stored.
    void confirmingADialogUnchangedKeepsTheCalendar() {
        StandinFixture act(StandinFixture::fixtureFile("engine-week.json"));
        const QStringList before = generate(act.session());
        QVERIFY(!before.isEmpty() && !before[0].isEmpty());
        frmFilter filter(act.session().users());
        press(filter, "cmdOK");
        frmFields fields(act.session().contact().fields());
        press(fields, "cmdOK");
        frmColor colors(act.session().users());
        press(colors, "cmdOK");
        frmEmail email;
        press(email, "cmdSave");
        QCOMPARE(generate(act.session()), before);
        QVERIFY(env->messages.shown.isEmpty());
    }

    // The first start must end with a stored language: it cannot be escaped or closed unless
    // the choice cannot be stored.
    void theFirstLanguageChoiceCanOnlyBeLeftWhenRefused() {
        env.reset();
        env = std::make_unique<DialogTestEnvironment>("Options");
        frmLanguage dialog;
        dialog.show();
        QTest::keyClick(control<QComboBox>(dialog, "cmbLanguage"), Qt::Key_Escape);
        QVERIFY(!dialog.close());
        env->store.failWrites = true;
        press(dialog, "cmdOK");
        QVERIFY(dialog.isVisible());
        press(dialog, "cmdCancel");
        QVERIFY(!dialog.isVisible());
    }

    // "xyz", the body stored while the user never edited it, gives the language's templates.
    void theEmailTextsTakeTheTemplatesAndNoTypedEnterOrAmpersand() {
        env->section = "Email";
        env->set("Subject=Mine;Body=xyz");
        LanguageBase = 400;
        frmEmail dlg;
        auto* subject = control<QLineEdit>(dlg, "txtSubject");
        auto* body = control<QPlainTextEdit>(dlg, "txtBody");
        QCOMPARE(subject->text(), "Notre prochaine rencontre prévue <joursem>");
        QVERIFY(body->toPlainText() != "xyz");

        // The subject goes through the same key filter.
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        body->clear();
        body->setFocus();
        QTest::keyClicks(body, "A&B");
        QTest::keyClick(body, Qt::Key_Return);
        QCOMPARE(body->toPlainText(), "AB");
    }

    // All users are named in English whatever the language.
    void theFilterNamesChosenUsersInListOrderAndAllUsersInEnglish() {
        env->section = "Filter";
        frmFilter dlg(users);
        auto* list = control<QListWidget>(dlg, "List1");
        QCOMPARE(entries(list->model()), (QStringList{"Bob Stone", "Dan Ortiz", "Eve Novak"}));
        control<QRadioButton>(dlg, "optMeAnd")->setChecked(true);
        for (int row : {2, 0, 1})
            list->item(row)->setSelected(true);
        press(dlg, "cmdOK");
        QCOMPARE(env->differing("Users=MeAnd;SelUsers=USR000000002USR000000007USR000000008;"
                                "SelNames=Bob Stone & Dan Ortiz & Eve Novak"),
                 QStringList());

        LanguageBase = 400;
        frmFilter french(users);
        control<QRadioButton>(french, "optAll")->setChecked(true);
        press(french, "cmdOK");
        QCOMPARE(env->differing("Users=All;SelUsers=;SelNames=All Users"), QStringList());
    }

    void storedUsersArePreselectedOnlyAtTheirOwnPlace() {
        users.users = {{"USR000000001", "Me"},
                       {"AAAAAA000000", "Ann"},
                       {"000000111111", "Straddler"},
                       {"111111BBBBBB", "Ben"}};
        env->section = "Filter";
        env->set("Users=MeAnd;SelUsers=AAAAAA000000111111BBBBBB");
        const frmFilter dlg(users);
        const auto* list = control<QListWidget>(dlg, "List1");
        QCOMPARE(entries(list->model(), list->selectionModel()), (QStringList{"Ann", "Ben"}));
    }

    // Double-clicks switch the colouring mode; black is a colour, and a cancelled picker
    // chooses nothing.
    void colourPicksSwitchTheModeAndBlackIsAColour() {
        env->section = "Colors";
        frmColor dlg(users);
        std::optional<QColor> answer;
        dlg.setColorPicker([&](const QColor&, QWidget*) { return answer; });
        dlg.show();
        for (const auto& [box, chosen, mode] :
             QList<std::tuple<QString, std::optional<QColor>, int>>{
                 {"picColor1", QColor(0, 0, 0), 1},
                 {"picPriority0", QColor(0, 0, 0), 0},
                 {"picColor0", std::nullopt, 1}}) {
            answer = chosen;
            QTest::mouseDClick(control<QWidget>(dlg, box), Qt::LeftButton);
            QVERIFY(
                control<QRadioButton>(dlg, QStringLiteral("optColor%1").arg(mode))->isChecked());
        }
        press(dlg, "cmdOK");
        QCOMPARE(env->differing("ColorDefault=1;PriorityColor0=0;Bob Stone=0;"
                                "Alice Martin=<absent>"),
                 QStringList());
    }

    // Past sixteen listable users the dialog says so and colours no more: there are only
    // sixteen colour boxes.
    void onlySixteenListableUsersAreColoured() {
        env->section = "Colors";
        for (int i = 1; i <= 14; ++i)
            users.users.append({QStringLiteral("USR1%1").arg(i, 11, 10, QChar('0')),
                                QStringLiteral("User %1").arg(i)});
        frmColor dlg(users);
        QCOMPARE(env->messages.shown.size(), 1);
        dlg.setColorPicker([](const QColor&, QWidget*) { return QColor(1, 1, 1); });
        dlg.show();
        QTest::mouseDClick(control<QWidget>(dlg, "picColor15"), Qt::LeftButton);
        press(dlg, "cmdOK");
        QCOMPARE(env->differing("User 12=65793;User 13=<absent>"), QStringList());
    }

    void colouredUserNamesShowAsWrittenNotAsMarkup() {
        users.users[0].name = "<b>Boss</b> &amp; Carol <i>";
        frmColor dlg(users);
        const auto* shown = control<QLabel>(dlg, "Label20");
        // Markup would draw fewer characters than the name holds.
        QVERIFY(shown->sizeHint().width() >=
                shown->fontMetrics().horizontalAdvance(users.users[0].name));
    }
};

QTEST_MAIN(DialogsContractTest)
#include "tst_dialogs_contract.moc"
