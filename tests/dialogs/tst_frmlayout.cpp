#include "DialogTestSupport.h"
#include "dialogs/frmLayout.h"

#include <QLineEdit>
#include <QSet>

class tst_frmLayout : public QObject {
    Q_OBJECT

    std::unique_ptr<DialogTestEnvironment> env;
    std::unique_ptr<frmLayout> dialog;

    // Opens the dialog as the menu does, active so that focus changes reach its boxes.
    void open() {
        dialog = std::make_unique<frmLayout>();
        dialog->show();
        if (!QTest::qWaitForWindowActive(dialog.get()))
            qFatal("the dialog never became active");
    }
    QLineEdit* box(const char* name, int index) {
        return control<QLineEdit>(*dialog, QString::fromLatin1(name) + QString::number(index));
    }
    QStringList orders() {
        QStringList list;
        for (int i = 0; i < frmLayout::FieldCount; ++i)
            list << box("txtNb", i)->text();
        return list;
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

private slots:
    void init() { env = std::make_unique<DialogTestEnvironment>("Layout"); }
    void cleanup() {
        dialog.reset();
        env.reset();
    }

    void okFillsWhatIsMissingAndRestoreSwapsCustomAndScheduledFor() {
        env->set("Width2=40;FieldCol4=A;FieldCol5=-1;FieldOrder4=12");
        open();
        press(*dialog, "cmdOK");
        QCOMPARE(env->differing("Width2=40;Width5=37;FieldCol4=A;FieldCol5=F;FieldOrder4=12;"
                                "FieldOrder18=19"),
                 QStringList());
        QCOMPARE(env->store.size(), 6 + 20 + 20);
        open();
        press(*dialog, "cmdRestore");
        press(*dialog, "cmdOK");
        QCOMPARE(env->differing("FieldOrder17=19;FieldOrder4=9;Width2=15"), QStringList());
    }

    // Phone's move to 5 comes first: Contact, lower in index order, holds 5 already, and the
    // shift must still run only once.
    void everyNumberStaysWithOneFieldOverManyMoves() {
        open();
        const QList<QPair<int, QString>> moves{{9, "5"}, {19, "5"},  {3, "7"},   {17, "2"},
                                               {0, "9"}, {12, "19"}, {19, "18"}, {6, "3"}};
        for (const auto& [field, number] : moves) {
            enter(box("txtNb", field), number);
            QCOMPARE(box("txtNb", field)->text(), number);
            const QStringList numbers = orders();
            QCOMPARE(QSet<QString>(numbers.cbegin(), numbers.cend()).size(), frmLayout::FieldCount);
        }
    }

    void unacceptedNumbersPutThePreviousBack() {
        open();
        const QStringList before = orders();
        enter(box("txtNb", 4), "1");
        enter(box("txtNb", 5), "");
        enter(box("txtNb", 4), "25");
        QCOMPARE(env->messages.texts(), QStringList{"Value cannot be higher 19!"});
        QTRY_COMPARE(QApplication::focusWidget(), box("txtNb", 4));
        QCOMPARE(orders(), before);
    }

    void widthAndColumnMessagesReturnTheFocusButNeverBlockOk() {
        open();
        enter(box("txtWidth", 3), "150");
        QTRY_COMPARE(QApplication::focusWidget(), box("txtWidth", 3));
        enter(box("txtCol", 2), "AB");
        QTRY_COMPARE(QApplication::focusWidget(), box("txtCol", 2));
        enter(box("txtWidth", 4), "500", control<QPushButton>(*dialog, "cmdOK"));
        press(*dialog, "cmdOK");
        QCOMPARE(env->messages.texts(),
                 (QStringList{"Value cannot be higher 100%!", "Value must be between A and F!"}));
        QCOMPARE(env->differing("Width3=150;Width4=500;FieldCol2=AB"), QStringList());
    }

    void okByItsAccessKeySettlesTheEditedNumber() {
        open();
        press(*dialog, "cmdRestore");
        QLineEdit* alarm = box("txtNb", 3);
        alarm->setFocus();
        alarm->selectAll();
        QTest::keyClicks(alarm, "7");
        QTest::keyClick(alarm, Qt::Key_O, Qt::AltModifier);
        QTRY_VERIFY(!dialog->isVisible());
        QCOMPARE(env->differing("FieldOrder3=7;FieldOrder6=4;FieldOrder8=6"), QStringList());
    }
};

QTEST_MAIN(tst_frmLayout)
#include "tst_frmlayout.moc"
