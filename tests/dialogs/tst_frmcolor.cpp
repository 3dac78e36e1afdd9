#include "DialogTestSupport.h"
#include "dialogs/frmColor.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

namespace {

const QString Colors = QStringLiteral("Colors");

FakeUsers usersNamed(int count) {
    FakeUsers users;
    for (int i = 1; i <= count; ++i)
        users.users.append(
            {QString::number(i).rightJustified(12, '0'), QStringLiteral("User %1").arg(i)});
    return users;
}

QColor color(const QWidget* box) {
    return box->palette().color(QPalette::Window);
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
    QWidget* child(const QString& name) {
        auto* widget = dialog->findChild<QWidget*>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    bool mode(int index) {
        return static_cast<QRadioButton*>(child(QStringLiteral("optColor%1").arg(index)))
            ->isChecked();
    }
    void doubleClick(const QString& box, std::optional<QColor> chosen) {
        answer = chosen;
        QTest::mouseDClick(child(box), Qt::LeftButton);
    }
    void ok() { QTest::mouseClick(static_cast<QPushButton*>(child("cmdOK")), Qt::LeftButton); }
    QString stored(const QString& key) { return env->value(Colors, key); }

private slots:
    void init() {
        env = std::make_unique<DialogTestEnvironment>();
        users = FakeUsers();
        users.users = {{"USR000000001", "Anna"}, {"USR000000002", "Bob"}, {"USR000000003", "Carl"}};
    }
    void cleanup() {
        dialog.reset();
        env.reset();
    }

    void nothingStoredShowsTheDefaults() {
        open();
        QVERIFY(mode(2));
        QCOMPARE(color(child("picPriority0")), QColor(255, 0, 0));
        QCOMPARE(color(child("picPriority1")), QColor(0, 0, 255));
        QCOMPARE(color(child("picPriority2")), QColor(0, 0, 0));
        QCOMPARE(color(child("picColor1")), QColor(0, 0, 0));
        QCOMPARE(color(child("picBgcolor")), QColor(255, 204, 0));
        QCOMPARE(static_cast<QLabel*>(child("Label21"))->text(), QString("Bob"));
        QCOMPARE(static_cast<QLabel*>(child("Label216"))->text(), QString("High"));
        QVERIFY(env->messages.shown.isEmpty());
    }

    void okWithoutChangesKeepsWhatWasStored() {
        env->store.SaveSetting(Colors, "Anna", "65280");
        env->store.SaveSetting(Colors, "PriorityColor0", "123456");
        env->store.SaveSetting(Colors, "ColorDefault", "1");
        env->store.SaveSetting(Colors, "bgColor", "255");
        open();
        QVERIFY(mode(1));
        QCOMPARE(color(child("picColor0")), QColor(0, 255, 0));
        ok();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(stored("Anna"), QString("65280"));
        QCOMPARE(stored("Bob"), QString("<absent>"));
        QCOMPARE(stored("PriorityColor0"), QString("123456"));
        QCOMPARE(stored("PriorityColor1"), QString("16711680"));
        QCOMPARE(stored("PriorityColor2"), QString("0"));
        QCOMPARE(stored("ColorDefault"), QString("1"));
        QCOMPARE(stored("bgColor"), QString("255"));
    }

    void cancelWritesNothing() {
        open();
        doubleClick("picColor0", QColor(1, 2, 3));
        doubleClick("picPriority0", QColor(1, 2, 3));
        QTest::mouseClick(static_cast<QPushButton*>(child("cmdCancel")), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(env->store.size(), 0);
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
        QCOMPARE(color(child("picPriority2")), QColor(0, 0, 0));
        doubleClick("picColor0", std::nullopt); // cancelled: chooses nothing
        ok();
        QCOMPARE(stored("PriorityColor1"), QString::number(128 << 8));
        QCOMPARE(stored("Carl"), QString::number(0xFF00FF));
        QCOMPARE(stored("bgColor"), QString::number(128 << 16));
        QCOMPARE(stored("ColorDefault"), QString("1"));
        QCOMPARE(stored("Anna"), QString("<absent>"));
    }

    void blackIsAColour() {
        env->store.SaveSetting(Colors, "Anna", "255");
        open();
        doubleClick("picColor0", QColor(0, 0, 0));
        doubleClick("picPriority0", QColor(0, 0, 0));
        ok();
        QCOMPARE(stored("Anna"), QString("0"));
        QCOMPARE(stored("PriorityColor0"), QString("0"));
        open();
        QCOMPARE(color(child("picPriority0")), QColor(0, 0, 0));
        QCOMPARE(color(child("picColor0")), QColor(0, 0, 0));
        ok();
        QCOMPARE(stored("PriorityColor0"), QString("0"));
    }

    void theWindowShrinksWithFewerUsers() {
        QCOMPARE(frmColor::shrinkTwips(13), 0);
        QCOMPARE(frmColor::shrinkTwips(12), 720);
        QCOMPARE(frmColor::shrinkTwips(5), 2880);
        QCOMPARE(frmColor::shrinkTwips(2), 4320);
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
        QCOMPARE(static_cast<QLabel*>(child("Label21"))->text(), QString("User 2"));
        QCOMPARE(static_cast<QLabel*>(child("Label215"))->text(), QString("User 16"));
        QVERIFY(child("picColor15")->isVisible());
        doubleClick("picColor15", QColor(1, 1, 1));
        ok();
        QCOMPARE(stored("User 16"), QString::number(0x010101));
    }

    void unreadableStoredValuesStillOpenTheDialog() {
        env->store.SaveSetting(Colors, "ColorDefault", "7");
        env->store.SaveSetting(Colors, "PriorityColor1", "blue");
        env->store.SaveSetting(Colors, "Bob", "x");
        open();
        QCOMPARE(env->messages.shown.size(), 3);
        for (const QString& text : env->messages.texts())
            QVERIFY2(text.contains("in frmColor: Sub Form_Load"), qPrintable(text));
        QVERIFY(mode(2));
        QCOMPARE(color(child("picPriority1")), QColor(0, 0, 255));
        QCOMPARE(color(child("picColor1")), QColor(0, 0, 0));
        ok();
        QCOMPARE(stored("ColorDefault"), QString("2"));
        QCOMPARE(stored("PriorityColor1"), QString("16711680"));
        QCOMPARE(stored("Bob"), QString("x"));
    }
};

QTEST_MAIN(tst_frmColor)
#include "tst_frmcolor.moc"
