#include "DialogTestSupport.h"
#include "dialogs/frmFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QString Options = QStringLiteral("Options");

FakeContactFields standardFields() {
    FakeContactFields fields;
    fields.positions = {{1, QStringLiteral("Unique ID")},
                        {25, QStringLiteral("Company")},
                        {-1, {}},
                        {30, QStringLiteral("City")},
                        {80, QStringLiteral("Phone Ext.")},
                        {120, QStringLiteral("Birthday")},
                        {-1, {}},
                        {-1, {}},
                        {200, QStringLiteral("E-mail")},
                        {600, QStringLiteral("Spouse")}};
    return fields;
}

QCheckBox* box(const QDialog& dlg, int index) {
    return control<QCheckBox>(dlg, QStringLiteral("Check1%1").arg(index));
}

QLineEdit* labelText(const QDialog& dlg, int index) {
    return control<QLineEdit>(dlg, QStringLiteral("Text1%1").arg(index));
}

QComboBox* combo(const QDialog& dlg) {
    return control<QComboBox>(dlg, QStringLiteral("Combo1"));
}

QStringList comboItems(const QDialog& dlg) {
    QStringList items;
    for (int i = 0; i < combo(dlg)->count(); ++i)
        items << combo(dlg)->itemText(i);
    return items;
}

bool option(const QDialog& dlg, const QString& name) {
    return control<QRadioButton>(dlg, name)->isChecked();
}

const QList<int> FieldIndexes = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
const QList<int> LabelIndexes = {34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44};

} // namespace

class FrmFieldsTest : public QObject {
    Q_OBJECT

private slots:
    void freshUserSeesDefaultsAndSavesThem() {
        DialogTestEnvironment env;
        FakeContactFields fields = standardFields();
        frmFields dlg(fields);
        for (int k : FieldIndexes)
            QCOMPARE(box(dlg, k)->isChecked(), k == 4 || k == 15);
        for (int k : LabelIndexes)
            QVERIFY(!box(dlg, k)->isChecked());
        QCOMPARE(labelText(dlg, 34)->text(), QStringLiteral("Regarding :"));
        QCOMPARE(labelText(dlg, 42)->text(), QStringLiteral("Scheduled For :"));
        QCOMPARE(labelText(dlg, 43)->text(), QStringLiteral("Custom :"));
        QCOMPARE(combo(dlg)->currentText(), QStringLiteral("(None)"));
        QVERIFY(option(dlg, QStringLiteral("optMyself0")));
        // The page shows its header when nothing is stored, so the dialog says so too.
        QVERIFY(option(dlg, QStringLiteral("optTitle0")));
        QVERIFY(control<QLineEdit>(dlg, QStringLiteral("txtMyself"))->text().isEmpty());
        QVERIFY(control<QLineEdit>(dlg, QStringLiteral("txtHeader"))->text().isEmpty());

        press(dlg, QStringLiteral("cmdOK"));
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(env.value(Options, QStringLiteral("Field4")), QStringLiteral("1"));
        QCOMPARE(env.value(Options, QStringLiteral("Field13")), QStringLiteral("0"));
        QCOMPARE(env.value(Options, QStringLiteral("Field44")), QStringLiteral("0"));
        QCOMPARE(env.value(Options, QStringLiteral("Label41")), QStringLiteral("Alarm :"));
        QCOMPARE(env.value(Options, QStringLiteral("Custom")), QStringLiteral("0"));
        QCOMPARE(env.value(Options, QStringLiteral("Myself")), QStringLiteral("0"));
        QCOMPARE(env.value(Options, QStringLiteral("Header")), QStringLiteral("1"));
        QCOMPARE(env.value(Options, QStringLiteral("HeaderText")), QString());
        QCOMPARE(env.store.size(), 16 + 2 * 11 + 5);
        QVERIFY(env.messages.shown.isEmpty());
    }

    void frenchDefaults() {
        DialogTestEnvironment env;
        LanguageBase = 400;
        FakeContactFields fields = standardFields();
        frmFields dlg(fields);
        QCOMPARE(dlg.windowTitle(),
                 QStringLiteral("Éléments devant apparaître dans le calendrier"));
        QCOMPARE(box(dlg, 12)->text(), QStringLiteral("Utilis. (Programmé pour)"));
        QCOMPARE(labelText(dlg, 42)->text(), QStringLiteral("Planifié pour :"));
        QCOMPARE(labelText(dlg, 43)->text(), QStringLiteral("À définir :"));
        QCOMPARE(combo(dlg)->itemText(0), QStringLiteral("(Aucun)"));
    }

    void okWithoutChangesWritesBackWhatWasStored() {
        DialogTestEnvironment env;
        QHash<QString, QString> stored;
        for (int k : FieldIndexes)
            stored[QStringLiteral("Field%1").arg(k)] = k % 3 ? QStringLiteral("1") : "0";
        for (int k : LabelIndexes) {
            stored[QStringLiteral("Field%1").arg(k)] = k % 2 ? QStringLiteral("1") : "0";
            stored[QStringLiteral("Label%1").arg(k)] = QStringLiteral("L%1 :").arg(k);
        }
        stored[QStringLiteral("Field5")] = QStringLiteral("1"); // shown labels need their fields
        stored[QStringLiteral("Field9")] = QStringLiteral("1");
        stored[QStringLiteral("Field13")] = QStringLiteral("1");
        stored[QStringLiteral("Label38")] = QStringLiteral("None");
        stored[QStringLiteral("Custom")] = QStringLiteral("120");
        stored[QStringLiteral("Myself")] = QStringLiteral("1");
        stored[QStringLiteral("Myselftext")] = QStringLiteral("Me & myself");
        stored[QStringLiteral("Header")] = QStringLiteral("0");
        stored[QStringLiteral("HeaderText")] = QStringLiteral("Sales team");
        for (auto it = stored.cbegin(); it != stored.cend(); ++it)
            env.store.SaveSetting(Options, it.key(), it.value());

        FakeContactFields fields = standardFields();
        frmFields dlg(fields);
        QCOMPARE(combo(dlg)->currentText(), QStringLiteral("Birthday"));
        QVERIFY(option(dlg, QStringLiteral("optMyself1")));
        QVERIFY(option(dlg, QStringLiteral("optTitle1")));
        press(dlg, QStringLiteral("cmdOK"));
        for (auto it = stored.cbegin(); it != stored.cend(); ++it)
            QCOMPARE(env.value(Options, it.key()), it.value());
        QCOMPARE(env.store.size(), stored.size());
    }

    void cancelWritesNothing() {
        DialogTestEnvironment env;
        env.store.SaveSetting(Options, QStringLiteral("Field0"), QStringLiteral("1"));
        FakeContactFields fields = standardFields();
        frmFields dlg(fields);
        dlg.show();
        for (int k : FieldIndexes + LabelIndexes)
            box(dlg, k)->toggle();
        labelText(dlg, 35)->clear();
        combo(dlg)->setCurrentIndex(2);
        control<QRadioButton>(dlg, QStringLiteral("optTitle1"))->setChecked(true);
        QTest::mouseClick(control<QPushButton>(dlg, QStringLiteral("cmdCancel")), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(env.store.size(), 1);
        QCOMPARE(env.value(Options, QStringLiteral("Field0")), QStringLiteral("1"));
    }

    void labelsAreShownOnlyWithTheirFields() {
        DialogTestEnvironment env;
        FakeContactFields fields = standardFields();
        frmFields dlg(fields);
        dlg.show();
        box(dlg, 35)->click();
        QVERIFY(box(dlg, 5)->isChecked());
        box(dlg, 5)->click();
        QVERIFY(!box(dlg, 35)->isChecked());

        box(dlg, 43)->click();
        QVERIFY(box(dlg, 13)->isChecked());
        box(dlg, 13)->click();
        QVERIFY(box(dlg, 43)->isChecked()); // the custom field's label keeps its choice

        QTest::mouseClick(labelText(dlg, 36), Qt::LeftButton);
        QVERIFY(box(dlg, 36)->isChecked());
        QVERIFY(box(dlg, 6)->isChecked());
        QTest::mouseClick(control<QLineEdit>(dlg, QStringLiteral("txtMyself")), Qt::LeftButton);
        QVERIFY(option(dlg, QStringLiteral("optMyself1")));
    }

    void storedLabelWithoutItsFieldShowsTheField() {
        DialogTestEnvironment env;
        env.store.SaveSetting(Options, QStringLiteral("Field7"), QStringLiteral("0"));
        env.store.SaveSetting(Options, QStringLiteral("Field37"), QStringLiteral("1"));
        FakeContactFields fields = standardFields();
        frmFields dlg(fields);
        QVERIFY(box(dlg, 7)->isChecked());
        QVERIFY(box(dlg, 37)->isChecked());
    }

    void emptiedLabelIsStoredAsNoneAndReopensEmpty() {
        DialogTestEnvironment env;
        FakeContactFields fields = standardFields();
        {
            frmFields dlg(fields);
            labelText(dlg, 39)->clear();
            press(dlg, QStringLiteral("cmdOK"));
        }
        QCOMPARE(env.value(Options, QStringLiteral("Label39")), QStringLiteral("None"));
        frmFields reopened(fields);
        QVERIFY(labelText(reopened, 39)->text().isEmpty());
        QCOMPARE(labelText(reopened, 40)->text(), QStringLiteral("Assistant :"));
    }

    void comboOffersExactlyTheCustomisableFields() {
        DialogTestEnvironment env;
        const QList<int> ids = {1,  6,  7,  24, 25,  26,  27,  40,  41,  44,  45,  77,  78,
                                79, 80, 93, 94, 200, 201, 203, 204, 499, 500, 502, 503, 9000};
        FakeContactFields fields;
        QStringList offered{QStringLiteral("(None)")};
        for (int id : ids) {
            fields.positions << FakeContactFields::Field{id, QStringLiteral("F%1").arg(id)}
                             << FakeContactFields::Field{-1, {}};
        }
        for (int id : {7, 24, 27, 40, 45, 77, 80, 93, 94, 200, 204, 499, 503, 9000})
            offered << QStringLiteral("F%1").arg(id);
        frmFields dlg(fields);
        QCOMPARE(comboItems(dlg), offered);
    }

    void storedCustomFieldIsPreselectedOnlyWhenOffered() {
        DialogTestEnvironment env;
        FakeContactFields fields = standardFields();
        env.store.SaveSetting(Options, QStringLiteral("Custom"), QStringLiteral("25"));
        frmFields notOffered(fields);
        QCOMPARE(notOffered.findChild<QComboBox*>(QStringLiteral("Combo1"))->currentIndex(), 0);

        env.store.SaveSetting(Options, QStringLiteral("Custom"), QStringLiteral("600"));
        frmFields offered(fields);
        QCOMPARE(combo(offered)->currentText(), QStringLiteral("Spouse"));
    }

    void chosenFieldIsStoredByItsOwnId() {
        DialogTestEnvironment env;
        FakeContactFields fields;
        fields.positions = {{101, QStringLiteral("User 1")}, {102, QStringLiteral("User 1")}};
        frmFields dlg(fields);
        combo(dlg)->setCurrentIndex(2);
        press(dlg, QStringLiteral("cmdOK"));
        QCOMPARE(env.value(Options, QStringLiteral("Custom")), QStringLiteral("102"));
        QCOMPARE(env.value(Options, QStringLiteral("Header")), QStringLiteral("1"));
    }

    void emptyOrShortFieldListsStillOpen() {
        DialogTestEnvironment env;
        FakeContactFields none;
        frmFields empty(none);
        QCOMPARE(comboItems(empty), QStringList{QStringLiteral("(None)")});

        // A list that claims more fields than its positions hold must not hang the dialog.
        FakeContactFields shortList = standardFields();
        shortList.count = 12;
        frmFields dlg(shortList);
        QCOMPARE(comboItems(dlg).size(), 6);
    }

    void unreadableValuesAreReportedAndCanBeRepaired() {
        DialogTestEnvironment env;
        env.store.SaveSetting(Options, QStringLiteral("Field4"), QStringLiteral("shown"));
        env.store.SaveSetting(Options, QStringLiteral("Custom"), QStringLiteral("Birthday"));
        env.store.SaveSetting(Options, QStringLiteral("Header"), QStringLiteral("x"));
        env.store.SaveSetting(Options, QStringLiteral("Myself"), QStringLiteral("1"));
        env.store.SaveSetting(Options, QStringLiteral("HeaderText"), QStringLiteral("Title"));
        FakeContactFields fields = standardFields();
        frmFields dlg(fields);
        QCOMPARE(env.messages.shown.size(), 3);
        for (const QString& report : env.messages.texts())
            QVERIFY(report.contains(QStringLiteral("in frmFields: Sub Form_Load")));
        QVERIFY(box(dlg, 4)->isChecked());
        QVERIFY(option(dlg, QStringLiteral("optTitle0")));
        QVERIFY(option(dlg, QStringLiteral("optMyself1")));
        QCOMPARE(comboItems(dlg).size(), 6);

        press(dlg, QStringLiteral("cmdOK"));
        QCOMPARE(env.value(Options, QStringLiteral("Field4")), QStringLiteral("1"));
        QCOMPARE(env.value(Options, QStringLiteral("Custom")), QStringLiteral("0"));
        QCOMPARE(env.value(Options, QStringLiteral("Header")), QStringLiteral("1"));
        QCOMPARE(env.value(Options, QStringLiteral("HeaderText")), QStringLiteral("Title"));
    }

    void enterInATextBoxDoesNotConfirm() {
        DialogTestEnvironment env;
        FakeContactFields fields = standardFields();
        frmFields dlg(fields);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        for (const QString& name : {QStringLiteral("txtHeader"), QStringLiteral("Text134")}) {
            auto* text = control<QLineEdit>(dlg, name);
            text->setFocus();
            QTest::keyClicks(text, QStringLiteral("Weekly"));
            QTest::keyClick(text, Qt::Key_Return);
            QTest::keyClick(text, Qt::Key_Enter);
        }
        QVERIFY(dlg.isVisible());
        QCOMPARE(env.store.size(), 0);
    }
};

QTEST_MAIN(FrmFieldsTest)
#include "tst_frmfields.moc"
