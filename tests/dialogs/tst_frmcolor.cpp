#include "DialogTestSupport.h"
#include "dialogs/frmColor.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

class tst_frmColor : public QObject {
    Q_OBJECT

    std::unique_ptr<DialogTestEnvironment> env;
    FakeUsers users;
    std::unique_ptr<frmColor> dialog;
    // The colour the next colour dialog answers; none means the user cancels it.
    std::optional<QColor> answer;

    frmColor& open() {
        dialog = std::make_unique<frmColor>(users);
        dialog->setColorPicker([this](const QColor&, QWidget*) { return answer; });
        dialog->show();
        return *dialog;
    }
    QWidget* child(const QString& name) { return control<QWidget>(*dialog, name); }
    bool mode(int index) {
        return control<QRadioButton>(*dialog, QStringLiteral("optColor%1").arg(index))->isChecked();
    }
    void doubleClick(const QString& box, std::optional<QColor> chosen) {
        answer = chosen;
        QTest::mouseDClick(child(box), Qt::LeftButton);
    }
    void ok() { QTest::mouseClick(control<QPushButton>(*dialog, "cmdOK"), Qt::LeftButton); }
    void named(int count) {
        users.users.clear();
        for (int i = 1; i <= count; ++i)
            users.users.append(
                {QString::number(i).rightJustified(12, '0'), QStringLiteral("User %1").arg(i)});
    }

private slots:
    void init() {
        env = std::make_unique<DialogTestEnvironment>("Colors");
        users.users = {{"USR000000001", "Anna"}, {"USR000000002", "Bob"}, {"USR000000003", "Carl"}};
    }
    void cleanup() {
        dialog.reset();
        env.reset();
    }

    void doubleClicksSwitchTheModeAndACancelledPickerChoosesNothing() {
        open();
        doubleClick("picPriority1", QColor(0, 128, 0));
        QVERIFY(mode(0));
        doubleClick("picColor2", QColor(255, 0, 255));
        QVERIFY(mode(1));
        doubleClick("picPriority2", std::nullopt);
        QVERIFY(mode(0));
        doubleClick("picColor0", std::nullopt);
        ok();
        QCOMPARE(env->differing("ColorDefault=1;PriorityColor1=32768;PriorityColor2=0;"
                                "Carl=16711935;Anna=<absent>"),
                 QStringList());
    }

    void blackIsAColour() {
        env->set("Anna=255");
        open();
        doubleClick("picColor0", QColor(0, 0, 0));
        doubleClick("picPriority0", QColor(0, 0, 0));
        ok();
        QCOMPARE(env->differing("Anna=0;PriorityColor0=0"), QStringList());
    }

    void onlySixteenListableUsersAreOffered() {
        named(18);
        users.users.insert(1, {"USR000000091", "Gone", 2, 0});
        users.users.insert(2, {"USR000000092", "Browser", 0, 1});
        open();
        QCOMPARE(env->messages.shown.size(), 1);
        QCOMPARE(control<QLabel>(*dialog, "Label21")->text(), "User 2");
        doubleClick("picColor15", QColor(1, 1, 1));
        ok();
        QCOMPARE(env->stored("User 16"), QString::number(0x010101));
    }

    void userNamesShowAsWrittenNotAsMarkup() {
        const QStringList names{"<b>Boss</b>", "Carol <i>", "Tom &amp; Jerry"};
        for (int k = 0; k < names.size(); ++k)
            users.users[k].name = names[k];
        open();
        for (int k = 0; k < names.size(); ++k) {
            const auto* shown = control<QLabel>(*dialog, QStringLiteral("Label2%1").arg(k));
            // Markup would draw fewer characters than the name holds.
            QVERIFY2(shown->sizeHint().width() >= shown->fontMetrics().horizontalAdvance(names[k]),
                     qPrintable(names[k]));
        }
    }
};

QTEST_MAIN(tst_frmColor)
#include "tst_frmcolor.moc"
