#include "DialogTestSupport.h"
#include "dialogs/frmColor.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

namespace {

FakeUsers usersNamed(int count) {
    FakeUsers users;
    for (int i = 1; i <= count; ++i)
        users.users.append(
            {QString::number(i).rightJustified(12, '0'), QStringLiteral("User %1").arg(i)});
    return users;
}

} // namespace

class tst_frmColor : public QObject {
    Q_OBJECT

    std::unique_ptr<DialogTestEnvironment> env;
    FakeUsers users;
    std::unique_ptr<frmColor> dialog;
    // The colour the next colour dialog answers; none means the user cancels it.
    std::optional<QColor> answer;
    QColor offered;

    frmColor& open() {
        dialog = std::make_unique<frmColor>(users);
        dialog->setColorPicker([this](const QColor& initial, QWidget*) {
            offered = initial;
            return answer;
        });
        dialog->show();
        return *dialog;
    }
    QWidget* child(const QString& name) { return control<QWidget>(*dialog, name); }
    QColor shown(const QString& box) { return child(box)->palette().color(QPalette::Window); }
    QString label(const QString& name) { return control<QLabel>(*dialog, name)->text(); }
    bool mode(int index) {
        return control<QRadioButton>(*dialog, QStringLiteral("optColor%1").arg(index))->isChecked();
    }
    void doubleClick(const QString& box, std::optional<QColor> chosen) {
        answer = chosen;
        QTest::mouseDClick(child(box), Qt::LeftButton);
    }
    void click(const char* button) {
        QTest::mouseClick(control<QPushButton>(*dialog, button), Qt::LeftButton);
    }

private slots:
    void init() {
        env = std::make_unique<DialogTestEnvironment>("Colors");
        users = FakeUsers();
        users.users = {{"USR000000001", "Anna"}, {"USR000000002", "Bob"}, {"USR000000003", "Carl"}};
    }
    void cleanup() {
        dialog.reset();
        env.reset();
    }

    void nothingStoredShowsTheDefaultsAndCancelKeepsThem() {
        open();
        QVERIFY(mode(2));
        QCOMPARE(shown("picPriority0"), QColor(255, 0, 0));
        QCOMPARE(shown("picBgcolor"), QColor(255, 204, 0));
        QCOMPARE(label("Label21"), "Bob");
        QVERIFY(env->messages.shown.isEmpty());

        doubleClick("picColor0", QColor(1, 2, 3));
        doubleClick("picPriority0", QColor(1, 2, 3));
        click("cmdCancel");
        QVERIFY(!dialog->isVisible());
        QCOMPARE(env->store.size(), 0);
    }

    void okWithoutChangesKeepsWhatWasStored() {
        env->set("Anna=65280;PriorityColor0=123456;ColorDefault=1;bgColor=255");
        open();
        QVERIFY(mode(1));
        QCOMPARE(shown("picColor0"), QColor(0, 255, 0));
        click("cmdOK");
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(
            env->differing("Anna=65280;Bob=<absent>;PriorityColor0=123456;PriorityColor1=16711680;"
                           "PriorityColor2=0;ColorDefault=1;bgColor=255"),
            QStringList());
    }

    void doubleClicksPickColoursAndSwitchTheMode() {
        open();
        doubleClick("picPriority1", QColor(0, 128, 0));
        QVERIFY(mode(0));
        QCOMPARE(offered, QColor(0, 0, 255));
        doubleClick("picColor2", QColor(255, 0, 255));
        QVERIFY(mode(1));
        doubleClick("picBgcolor", QColor(0, 0, 128));
        QVERIFY(mode(1));
        QCOMPARE(offered, QColor(255, 204, 0));
        doubleClick("picPriority2", std::nullopt); // cancelled: keeps the colour
        QVERIFY(mode(0));
        QCOMPARE(shown("picPriority2"), QColor(0, 0, 0));
        doubleClick("picColor0", std::nullopt); // cancelled: chooses nothing
        click("cmdOK");
        QCOMPARE(env->stored("PriorityColor1"), QString::number(128 << 8));
        QCOMPARE(env->stored("Carl"), QString::number(0xFF00FF));
        QCOMPARE(env->stored("bgColor"), QString::number(128 << 16));
        QCOMPARE(env->differing("ColorDefault=1;Anna=<absent>"), QStringList());
    }

    void blackIsAColour() {
        env->set("Anna=255");
        open();
        doubleClick("picColor0", QColor(0, 0, 0));
        doubleClick("picPriority0", QColor(0, 0, 0));
        click("cmdOK");
        QCOMPARE(env->differing("Anna=0;PriorityColor0=0"), QStringList());
        open();
        QCOMPARE(shown("picPriority0"), QColor(0, 0, 0));
        QCOMPARE(shown("picColor0"), QColor(0, 0, 0));
        click("cmdOK");
        QCOMPARE(env->stored("PriorityColor0"), "0");
    }

    void theWindowShrinksWithFewerUsers() {
        for (const auto& [count, twips] :
             QList<QPair<int, int>>{{13, 0}, {12, 720}, {5, 2880}, {2, 4320}})
            QCOMPARE(frmColor::shrinkTwips(count), twips);
        users = usersNamed(16);
        const int fullHeight = open().height();
        users = usersNamed(5);
        open();
        const int expected = 2880 * dialog->logicalDpiY() / 1440;
        QCOMPARE(fullHeight - dialog->height(), expected);
        QVERIFY(child("picColor4")->isVisible());
        QVERIFY(!child("picColor5")->isVisible());
        QVERIFY(!child("Label215")->isVisible());
        QVERIFY(child("picColor4")->geometry().bottom() <=
                child("userArea")->height()); // the last row still fits
    }

    void onlySixteenListableUsersAreOffered() {
        users = usersNamed(18);
        users.users.insert(1, {"USR000000091", "Gone", 2, 0});
        users.users.insert(2, {"USR000000092", "Browser", 0, 1});
        open();
        QCOMPARE(env->messages.texts(),
                 QStringList{"You may only color-code 16 users.\nPlease contact "
                             "support@daywise.example.com to color-code more users."});
        QCOMPARE(label("Label21"), "User 2");
        QCOMPARE(label("Label215"), "User 16");
        QVERIFY(child("picColor15")->isVisible());
        doubleClick("picColor15", QColor(1, 1, 1));
        click("cmdOK");
        QCOMPARE(env->stored("User 16"), QString::number(0x010101));
    }

    void userNamesShowAsWrittenNotAsMarkup() {
        const QStringList names{"<b>Boss</b>", "Carol <i>", "Tom &amp; Jerry"};
        users.users = {
            {"USR000000001", names[0]}, {"USR000000002", names[1]}, {"USR000000003", names[2]}};
        open();
        for (int k = 0; k < names.size(); ++k) {
            const auto* shown = control<QLabel>(*dialog, QStringLiteral("Label2%1").arg(k));
            QCOMPARE(shown->text(), names[k]);
            // Markup would draw fewer characters than the name holds.
            QVERIFY2(shown->sizeHint().width() >= shown->fontMetrics().horizontalAdvance(names[k]),
                     qPrintable(names[k]));
        }
    }

    void unreadableStoredValuesStillOpenTheDialog() {
        env->set("ColorDefault=7;PriorityColor1=blue;Bob=x");
        open();
        QCOMPARE(env->messages.shown.size(), 3);
        for (const QString& text : env->messages.texts())
            QVERIFY2(text.contains("in frmColor: Sub Form_Load"), qPrintable(text));
        QVERIFY(mode(2));
        QCOMPARE(shown("picPriority1"), QColor(0, 0, 255));
        QCOMPARE(shown("picColor1"), QColor(0, 0, 0));
        click("cmdOK");
        QCOMPARE(env->differing("ColorDefault=2;PriorityColor1=16711680;Bob=x"), QStringList());
    }
};

QTEST_MAIN(tst_frmColor)
#include "tst_frmcolor.moc"
