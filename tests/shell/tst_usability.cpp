#include "ShellTestSupport.h"
#include "dialogs/frmColor.h"
#include "engine/HtmlFolder.h"
#include "shell/ClickableLabel.h"
#include "shell/MessageBoxes.h"
#include "shell/QtTranslation.h"
#include "shell/frmMain.h"
#include "support/StandinFixture.h"

#include <QAccessible>
#include <QAction>
#include <QDateEdit>
#include <QGroupBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

class UsabilityTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ShellTestEnvironment> env;
    std::unique_ptr<StandinFixture> act;

    std::unique_ptr<frmMain> mainWindow(const char* language = "0") {
        env->store.SaveSetting("Settings", "Installed", 1);
        env->store.SaveSetting("Options", "Language", language);
        auto window = std::make_unique<frmMain>(act->openSession(), htmlFolder());
        window->Form_Load();
        return window;
    }
    static QString bare(QString name) {
        return name.remove(QLatin1Char('&'))
            .remove(QRegularExpression(QStringLiteral("[\\s:]+$")))
            .trimmed();
    }
    // Tabs once round the window from its first control, then names the controls Tab never
    // reached and those it reached without a name.
    static QStringList unnamedOrUnreached(QWidget& window) {
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            return {QStringLiteral("the window never takes the focus")};
        QWidget* first = window.nextInFocusChain();
        while (first != &window &&
               !(first->focusPolicy() & Qt::TabFocus && first->isVisible() && first->isEnabled()))
            first = first->nextInFocusChain();
        first->setFocus(Qt::TabFocusReason);
        // A date picker takes one Tab per part of the date before it lets the focus go.
        QList<QWidget*> visited{first};
        for (int presses = 0; presses < 500; ++presses) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focus = QApplication::focusWidget();
            if (focus == first && visited.size() > 1)
                break;
            if (focus && !visited.contains(focus))
                visited << focus;
        }
        QStringList faults;
        for (QWidget* control : window.findChildren<QWidget*>()) {
            if (!control->isVisible() || !(control->focusPolicy() & Qt::TabFocus) ||
                control->focusProxy() || control->window() != &window)
                continue;
            // Disabled ones too: they are named once enabled. Qt falls back on the frame's
            // title, which tells one control of a frame from no other.
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
            const QString name = bare(accessible ? accessible->text(QAccessible::Name) : QString());
            QString frame;
            for (QWidget* w = control->parentWidget(); w && frame.isEmpty(); w = w->parentWidget())
                if (const auto* box = qobject_cast<QGroupBox*>(w))
                    frame = box->title();
            if (name.isEmpty() || name == bare(frame))
                faults << QStringLiteral("no name: ") + control->metaObject()->className() +
                              QLatin1Char(' ') + control->objectName();
            // Of a group of options, Tab visits only the chosen one.
            const auto* option = qobject_cast<QRadioButton*>(control);
            const bool skippedOption = option && option->autoExclusive() && !option->isChecked();
            if (control->isEnabled() && !skippedOption && !visited.contains(control))
                faults << QStringLiteral("not reached: ") + control->objectName();
        }
        return faults;
    }

private slots:
    void init() {
        env = std::make_unique<ShellTestEnvironment>(
            QDateTime(QDate(2024, 3, 11), QTime(10, 0), Qt::UTC));
        act = std::make_unique<StandinFixture>(StandinFixture::fixtureFile("engine-week.json"));
    }
    void cleanup() {
        useQtTranslation(200);
        act.reset();
        env.reset();
    }
    void everyWindowIsNamedAllTheWayRound_data() {
        QTest::addColumn<QString>("menu");
        QTest::newRow("frmMain") << QString();
        QTest::newRow("frmFilter") << "mnuFilterActivities";
        QTest::newRow("frmColor") << "mnuColor";
        QTest::newRow("frmEmail") << "mnuEmail";
        QTest::newRow("frmFields") << "mnuFields";
        QTest::newRow("frmLayout") << "mnuLayout";
        QTest::newRow("frmLanguage") << "mnuLanguage";
        QTest::newRow("frmIntegrate") << "mnuIntegrate";
        QTest::newRow("frmAbout") << "mnuAbout";
    }
    // Each dialog is opened from its menu, so a menu that opens another or none fails too.
    void everyWindowIsNamedAllTheWayRound() {
        QFETCH(QString, menu);
        auto main = mainWindow();
        QStringList faults{QStringLiteral("nothing opened")};
        auto watch = whenShown<QDialog>([&faults](QDialog* dialog) {
            faults = unnamedOrUnreached(*dialog);
            if (QLatin1String(dialog->metaObject()->className()) != QTest::currentDataTag())
                faults << QStringLiteral("opened ") + dialog->metaObject()->className();
            dialog->reject();
        });
        if (menu.isEmpty())
            faults = unnamedOrUnreached(*main);
        else
            main->findChild<QAction*>(menu)->trigger();
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    }
    // Enter presses Create, Escape is Cancel, F1 opens the help, and the link is a control.
    void theMainWindowAnswersTheKeyboard() {
        auto window = mainWindow();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->optCustom->click();
        window->DTPicker2->setDate(QDate(2024, 5, 1));
        window->DTPicker1->setFocus();
        QTest::keyClick(window->DTPicker1, Qt::Key_Return);
        QCOMPARE(env->messages.shown.size(), 1);
        QVERIFY(window->isVisible() && !window->ended());

        QTest::keySequence(window.get(), QKeySequence::HelpContents);
        QCOMPARE(env->opener.opened.size(), 1);

        window->lblLink->setFocus(Qt::TabFocusReason);
        QTest::keyClick(window->lblLink, Qt::Key_Return);
        QCOMPARE(env->opener.opened.mid(1), QList<QUrl>{QUrl("https://www.daywise.example.com/")});
        QCOMPARE(env->messages.shown.size(), 1); // Enter on the link is not Create

        QTest::keyClick(window->optCustom, Qt::Key_Escape);
        QVERIFY(window->ended());
        QCOMPARE(env->store.GetSetting("Settings", "EndDate", ""), "2024-04-10"); // corrected

        // Enter on the Cancel button in focus cancels.
        auto another = mainWindow();
        another->cmdCancel->setFocus();
        QTest::keyClick(another->cmdCancel, Qt::Key_Return);
        QVERIFY(another->ended());
        QCOMPARE(env->messages.shown.size(), 1);
    }
    void colourBoxesOpenFromTheKeyboard() {
        frmColor colors(act->session().users());
        int asked = 0;
        colors.setColorPicker([&](const QColor&, QWidget*) -> std::optional<QColor> {
            ++asked;
            return QColor(Qt::green);
        });
        colors.show();
        QVERIFY(QTest::qWaitForWindowActive(&colors));
        auto* box = colors.findChild<QFrame*>("picColor0");
        QVERIFY(box->focusPolicy() & Qt::TabFocus); // reachable with Tab, not only given focus
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClick(box, Qt::Key_Space);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(asked, 2);
    }
    void frenchAllThrough() {
        auto window = mainWindow("1");
        QVERIFY(window->DTPicker1->text().contains("mars"));
        QString cancel;
        auto watch = whenShown<QMessageBox>([&cancel](QMessageBox* box) {
            cancel = box->button(QMessageBox::Cancel)->text();
            box->button(QMessageBox::Cancel)->click();
        });
        MessageBoxes().show("?", "Daywise", Messages::Icon::Question, Messages::Buttons::OkCancel);
        QCOMPARE(cancel, "Annuler");
    }
};

QTEST_MAIN(UsabilityTest)
#include "tst_usability.moc"
