#include "DialogTestSupport.h"
#include "dialogs/frmLayout.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <memory>

namespace {

const QString Layout = QStringLiteral("Layout");

QStringList defaultOrders() {
    return {"1",  "2",  "3",  "4",  "9",  "10", "5",  "6",  "7",  "8",
            "11", "12", "13", "14", "15", "16", "17", "18", "19", "20"};
}

} // namespace

class tst_frmLayout : public QObject {
    Q_OBJECT

    std::unique_ptr<DialogTestEnvironment> env;
    std::unique_ptr<frmLayout> dialog;

    // Opens the dialog as the menu does, active so that focus changes reach its boxes.
    frmLayout& open() {
        dialog = std::make_unique<frmLayout>();
        dialog->show();
        if (!QTest::qWaitForWindowActive(dialog.get()))
            qFatal("the dialog never became active");
        return *dialog;
    }
    QLineEdit* box(const char* name, int index) {
        auto* edit =
            dialog->findChild<QLineEdit*>(QString::fromLatin1(name) + QString::number(index));
        if (!edit)
            qFatal("no box %s%d", name, index);
        return edit;
    }
    QStringList orders() {
        QStringList list;
        for (int i = 0; i < frmLayout::FieldCount; ++i)
            list << box("txtNb", i)->text();
        return list;
    }
    void click(const char* button) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromLatin1(button)),
                          Qt::LeftButton);
    }
    // Types into a box as a user does: focus, select what is there, type, then tab away.
    void enter(QLineEdit* edit, const QString& keys, QWidget* next = nullptr) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, keys);
        if (!next)
            next = edit == box("txtWidth", 5) ? box("txtWidth", 0) : box("txtWidth", 5);
        next->setFocus();
    }
    QString stored(const QString& key) { return env->value(Layout, key); }

private slots:
    void init() { env = std::make_unique<DialogTestEnvironment>(); }
    void cleanup() {
        dialog.reset();
        env.reset();
    }

    void nothingStoredShowsTheDefaultLayout() {
        open();
        QCOMPARE(orders(), defaultOrders());
        const QString columns = "ABCBFFDDDEFFFFFFFFFF";
        for (int i = 0; i < frmLayout::FieldCount; ++i)
            QCOMPARE(box("txtCol", i)->text(), QString(columns[i]));
        const QStringList widths{"3", "6", "15", "24", "15", "37"};
        for (int n = 0; n < frmLayout::ColumnCount; ++n)
            QCOMPARE(box("txtWidth", n)->text(), widths[n]);
        QVERIFY(env->messages.shown.isEmpty());
    }

    void captionsFollowTheLanguageAndTheLabelOrder() {
        open();
        QCOMPARE(dialog->windowTitle(), QString("Design Layout"));
        QCOMPARE(dialog->findChild<QLabel*>("lblField6")->text(), QString("Scheduled For :"));
        QCOMPARE(dialog->findChild<QLabel*>("lblField7")->text(), QString("Custom :"));
        QCOMPARE(dialog->findChild<QLabel*>("lblColumn5")->text(), QString("Column F"));
        LanguageBase = 400;
        open();
        QCOMPARE(dialog->windowTitle(), QString("Disposition à l'écran"));
        QCOMPARE(dialog->findChild<QLabel*>("lblField7")->text(), QString("À définir :"));
        QCOMPARE(dialog->findChild<QLabel*>("Label23")->text(), QString("No."));
        QCOMPARE(dialog->findChild<QPushButton*>("cmdCancel")->text(), QString("&Annuler"));
    }

    void okWritesBackWhatWasStoredAndFillsTheRest() {
        env->store.SaveSetting(Layout, "Width2", "40");
        env->store.SaveSetting(Layout, "FieldCol4", "A");
        env->store.SaveSetting(Layout, "FieldCol5", "-1");
        env->store.SaveSetting(Layout, "FieldOrder4", "12");
        open();
        QCOMPARE(box("txtWidth", 2)->text(), QString("40"));
        QCOMPARE(box("txtCol", 4)->text(), QString("A"));
        QCOMPARE(box("txtCol", 5)->text(), QString("F"));
        click("cmdOK");
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(stored("Width2"), QString("40"));
        QCOMPARE(stored("Width5"), QString("37"));
        QCOMPARE(stored("FieldCol4"), QString("A"));
        QCOMPARE(stored("FieldCol5"), QString("F"));
        QCOMPARE(stored("FieldOrder4"), QString("12"));
        QCOMPARE(stored("FieldOrder18"), QString("19"));
        QCOMPARE(env->store.size(), 6 + 20 + 20);
    }

    void cancelAndTheCloseBoxWriteNothing() {
        open();
        enter(box("txtWidth", 0), "50");
        click("cmdRestore");
        click("cmdCancel");
        QVERIFY(!dialog->isVisible());
        open();
        enter(box("txtNb", 3), "7");
        dialog->close();
        QCOMPARE(env->store.size(), 0);
    }

    void restoreSwapsCustomAndScheduledForUntilOk() {
        env->store.SaveSetting(Layout, "FieldOrder3", "7");
        env->store.SaveSetting(Layout, "Width0", "90");
        open();
        click("cmdRestore");
        QStringList restored = defaultOrders();
        restored[17] = "19";
        restored[18] = "18";
        QCOMPARE(orders(), restored);
        QCOMPARE(box("txtWidth", 0)->text(), QString("3"));
        QCOMPARE(stored("FieldOrder17"), QString("<absent>"));
        click("cmdOK");
        QCOMPARE(stored("FieldOrder17"), QString("19"));
        QCOMPARE(stored("FieldOrder3"), QString("4"));
        QCOMPARE(stored("Width0"), QString("3"));
    }

    void keyFiltersKeepOnlyWhatEachBoxAccepts() {
        open();
        QLineEdit* column = box("txtCol", 0);
        column->setFocus();
        column->clear();
        QTest::keyClicks(column, "c");
        QCOMPARE(column->text(), QString("C"));
        QTest::keyClicks(column, "a");
        QCOMPARE(column->text(), QString("CA"));
        QTest::keyClicks(column, "x");
        QCOMPARE(column->text(), QString("C")); // an unaccepted key works as Backspace

        QLineEdit* number = box("txtNb", 5);
        number->setFocus();
        number->end(false);
        QTest::keyClicks(number, "0");
        QCOMPARE(number->text(), QString("1"));
        QTest::keyClicks(number, "9");
        QCOMPARE(number->text(), QString("19"));

        QLineEdit* width = box("txtWidth", 1);
        width->setFocus();
        width->end(false);
        QTest::keyClicks(width, "0");
        QCOMPARE(width->text(), QString("60"));
        QTest::keyClicks(width, "%");
        QCOMPARE(width->text(), QString("6"));
        QTest::keyClick(width, Qt::Key_Backspace);
        QCOMPARE(width->text(), QString());
    }

    void enterInABoxDoesNotCloseTheDialog() {
        open();
        QLineEdit* width = box("txtWidth", 0);
        width->setFocus();
        QTest::keyClick(width, Qt::Key_Return);
        QTest::keyClick(width, Qt::Key_Enter);
        QVERIFY(dialog->isVisible());
        QCOMPARE(env->store.size(), 0);
    }

    void reorderShiftsAcrossColumns_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QStringList>("expected");
        QStringList restored = defaultOrders();
        restored[17] = "19";
        restored[18] = "18";
        QStringList alarm = restored;
        alarm[3] = "7";
        alarm[6] = "4";
        alarm[7] = "5";
        alarm[8] = "6";
        QTest::newRow("Alarm from 4 to 7") << 3 << "7" << alarm;
        QStringList regarding = restored;
        regarding[4] = "5";
        regarding[6] = "6";
        regarding[7] = "7";
        regarding[8] = "8";
        regarding[9] = "9";
        QTest::newRow("Regarding from 9 to 5") << 4 << "5" << regarding;
        // Contact, lower in index order than Phone, already held 5: the shift must still run
        // only once, or two fields end up sharing a number.
        QStringList phone = restored;
        phone[9] = "5";
        phone[6] = "6";
        phone[7] = "7";
        phone[8] = "8";
        QTest::newRow("Phone from 8 to 5") << 9 << "5" << phone;
    }
    void reorderShiftsAcrossColumns() {
        QFETCH(int, field);
        QFETCH(QString, number);
        QFETCH(QStringList, expected);
        open();
        click("cmdRestore");
        enter(box("txtNb", field), number);
        QCOMPARE(orders(), expected);
        QVERIFY(env->messages.shown.isEmpty());
    }

    void everyNumberStaysWithOneFieldOverManyMoves() {
        open();
        const QList<QPair<int, QString>> moves{{19, "5"},  {3, "7"},   {17, "2"}, {0, "9"},
                                               {12, "19"}, {19, "18"}, {6, "3"}};
        for (const auto& [field, number] : moves) {
            enter(box("txtNb", field), number);
            QCOMPARE(box("txtNb", field)->text(), number);
            const QStringList numbers = orders();
            const QSet<QString> distinct(numbers.cbegin(), numbers.cend());
            QCOMPARE(distinct.size(), frmLayout::FieldCount);
        }
    }

    void unacceptedNumbersPutThePreviousBack() {
        open();
        enter(box("txtNb", 4), "1");
        enter(box("txtNb", 5), "");
        QCOMPARE(orders(), defaultOrders());
        QVERIFY(env->messages.shown.isEmpty());

        QLineEdit* regarding = box("txtNb", 4);
        enter(regarding, "25");
        QCOMPARE(env->messages.texts(), QStringList{"Value cannot be higher 19!"});
        QTRY_COMPARE(QApplication::focusWidget(), regarding);
        QCOMPARE(orders(), defaultOrders());
    }

    void widthAndColumnMessagesReturnTheFocusButNeverBlockOk() {
        open();
        QLineEdit* width = box("txtWidth", 3);
        enter(width, "150");
        QCOMPARE(env->messages.texts(), QStringList{"Value cannot be higher 100%!"});
        QCOMPARE(env->messages.shown[0].title, QString("Daywise"));
        QTRY_COMPARE(QApplication::focusWidget(), width);

        QLineEdit* column = box("txtCol", 2);
        enter(column, "AB");
        QCOMPARE(env->messages.texts().last(), QString("Value must be between A and F!"));
        QTRY_COMPARE(QApplication::focusWidget(), column);

        enter(box("txtWidth", 4), "500", dialog->findChild<QPushButton*>("cmdOK"));
        click("cmdOK");
        QCOMPARE(env->messages.shown.size(), 2);
        QCOMPARE(stored("Width3"), QString("150"));
        QCOMPARE(stored("Width4"), QString("500"));
        QCOMPARE(stored("FieldCol2"), QString("AB"));
    }

    void okByItsAccessKeySettlesTheEditedNumber() {
        open();
        click("cmdRestore");
        QLineEdit* alarm = box("txtNb", 3);
        alarm->setFocus();
        alarm->selectAll();
        QTest::keyClicks(alarm, "7");
        QTest::keyClick(alarm, Qt::Key_O, Qt::AltModifier);
        QTRY_VERIFY(!dialog->isVisible());
        QCOMPARE(stored("FieldOrder3"), QString("7"));
        QCOMPARE(stored("FieldOrder6"), QString("4"));
        QCOMPARE(stored("FieldOrder8"), QString("6"));
    }

    void unreadableStoredNumbersStillOpenTheDialog() {
        env->store.SaveSetting(Layout, "Width2", "wide");
        env->store.SaveSetting(Layout, "FieldOrder3", "x");
        env->store.SaveSetting(Layout, "FieldOrder4", "11");
        open();
        QCOMPARE(env->messages.shown.size(), 2);
        QVERIFY(env->messages.texts()[0].startsWith(
            "Error 13: 'Type mismatch'\rin frmLayout: Sub Form_Load"));
        QCOMPARE(box("txtWidth", 2)->text(), QString("15"));
        QCOMPARE(box("txtNb", 3)->text(), QString("4"));
        QCOMPARE(box("txtNb", 4)->text(), QString("11"));
        click("cmdOK");
        QCOMPARE(stored("Width2"), QString("15"));
        QCOMPARE(stored("FieldOrder3"), QString("4"));
    }

    void aRefusedWriteIsReportedAndKeepsTheDialogOpen() {
        open();
        env->store.failWrites = true;
        click("cmdOK");
        QVERIFY(dialog->isVisible());
        QCOMPARE(env->messages.shown.size(), 1);
        QVERIFY(env->messages.texts()[0].contains("in frmLayout: Sub cmdOK_Click"));
    }
};

QTEST_MAIN(tst_frmLayout)
#include "tst_frmlayout.moc"
