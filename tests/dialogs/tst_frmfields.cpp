#include "DialogTestSupport.h"
#include "dialogs/frmFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

FakeContactFields standardFields() {
    FakeContactFields fields;
    fields.positions = {{1, "Unique ID"},   {25, "Company"},   {-1, {}}, {30, "City"},
                        {80, "Phone Ext."}, {120, "Birthday"}, {-1, {}}, {-1, {}},
                        {200, "E-mail"},    {600, "Spouse"}};
    return fields;
}

QCheckBox* box(const QDialog& dlg, int index) {
    return control<QCheckBox>(dlg, QStringLiteral("Check1%1").arg(index));
}

QLineEdit* labelText(const QDialog& dlg, int index) {
    return control<QLineEdit>(dlg, QStringLiteral("Text1%1").arg(index));
}

QComboBox* combo(const QDialog& dlg) {
    return control<QComboBox>(dlg, "Combo1");
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

    std::unique_ptr<DialogTestEnvironment> env;
    FakeContactFields fields;

private slots:
    void init() {
        env = std::make_unique<DialogTestEnvironment>("Options");
        fields = standardFields();
    }
    void cleanup() { env.reset(); }

    void freshUserSeesDefaultsAndSavesThem() {
        frmFields dlg(fields);
        for (int k : FieldIndexes + LabelIndexes)
            QCOMPARE(box(dlg, k)->isChecked(), k == 4 || k == 15);
        QCOMPARE(labelText(dlg, 42)->text(), "Scheduled For :");
        QCOMPARE(labelText(dlg, 43)->text(), "Custom :");
        QCOMPARE(combo(dlg)->currentText(), "(None)");
        QVERIFY(option(dlg, "optMyself0"));
        // The page shows its header when nothing is stored, so the dialog says so too.
        QVERIFY(option(dlg, "optTitle0"));

        press(dlg, "cmdOK");
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(env->differing("Field4=1;Field13=0;Field44=0;Label41=Alarm :;Custom=0;Myself=0;"
                                "Header=1;HeaderText="),
                 QStringList());
        QCOMPARE(env->store.size(), 16 + 2 * 11 + 5);
        QVERIFY(env->messages.shown.isEmpty());
    }

    void frenchDefaults() {
        LanguageBase = 400;
        frmFields dlg(fields);
        QCOMPARE(labelText(dlg, 43)->text(), "À définir :");
        QCOMPARE(combo(dlg)->itemText(0), "(Aucun)");
    }

    void okWithoutChangesWritesBackWhatWasStored() {
        QStringList pairs;
        for (int k : FieldIndexes) // the shown labels (odd) need their fields 5 to 13 shown
            pairs << QStringLiteral("Field%1=%2").arg(k).arg(k % 3 || k == 9 ? 1 : 0);
        for (int k : LabelIndexes)
            pairs << QStringLiteral("Field%1=%2;Label%1=%3")
                         .arg(k)
                         .arg(k % 2)
                         .arg(k == 38 ? QStringLiteral("None") : QStringLiteral("L%1 :").arg(k));
        pairs << "Custom=120;Myself=1;Myselftext=Me & myself;Header=0;"
                 "HeaderText=Sales team";
        const QString values = pairs.join(';');
        env->set(values);

        frmFields dlg(fields);
        QCOMPARE(combo(dlg)->currentText(), "Birthday");
        QVERIFY(option(dlg, "optMyself1"));
        QVERIFY(option(dlg, "optTitle1"));
        press(dlg, "cmdOK");
        QCOMPARE(env->differing(values), QStringList());
        QCOMPARE(env->store.size(), 16 + 2 * 11 + 5);
    }

    void labelsAreShownOnlyWithTheirFields() {
        env->set("Field7=0;Field37=1");
        frmFields dlg(fields);
        QVERIFY(box(dlg, 7)->isChecked()); // a stored label without its field shows the field
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
        QTest::mouseClick(control<QLineEdit>(dlg, "txtMyself"), Qt::LeftButton);
        QVERIFY(option(dlg, "optMyself1"));
    }

    void emptiedLabelIsStoredAsNoneAndReopensEmpty() {
        {
            frmFields dlg(fields);
            labelText(dlg, 39)->clear();
            press(dlg, "cmdOK");
        }
        QCOMPARE(env->stored("Label39"), "None");
        frmFields reopened(fields);
        QVERIFY(labelText(reopened, 39)->text().isEmpty());
        QCOMPARE(labelText(reopened, 40)->text(), "Assistant :");
    }

    void comboOffersExactlyTheCustomisableFieldsOfAnyList() {
        const QList<int> ids = {1,  6,  7,  24, 25,  26,  27,  40,  41,  44,  45,  77,  78,
                                79, 80, 93, 94, 200, 201, 203, 204, 499, 500, 502, 503, 9000};
        FakeContactFields many;
        for (int id : ids)
            many.positions << FakeContactFields::Field{id, QStringLiteral("F%1").arg(id)}
                           << FakeContactFields::Field{-1, {}};
        QStringList offered{"(None)"};
        for (int id : {7, 24, 27, 40, 45, 77, 80, 93, 94, 200, 204, 499, 503, 9000})
            offered << QStringLiteral("F%1").arg(id);
        frmFields manyFields(many);
        QCOMPARE(comboItems(manyFields), offered);

        FakeContactFields none;
        frmFields empty(none);
        QCOMPARE(comboItems(empty), QStringList{"(None)"});

        // A list that claims more fields than its positions hold must not hang the dialog.
        fields.count = 12;
        frmFields dlg(fields);
        QCOMPARE(comboItems(dlg).size(), 6);
    }

    void theCustomFieldIsKnownByItsId() {
        env->set("Custom=25");
        frmFields notOffered(fields);
        QCOMPARE(combo(notOffered)->currentIndex(), 0);
        env->set("Custom=600");
        frmFields offered(fields);
        QCOMPARE(combo(offered)->currentText(), "Spouse");

        FakeContactFields twins;
        twins.positions = {{101, "User 1"}, {102, "User 1"}};
        frmFields dlg(twins);
        combo(dlg)->setCurrentIndex(2);
        press(dlg, "cmdOK");
        QCOMPARE(env->differing("Custom=102;Header=1"), QStringList());
    }

    void unreadableValuesAreReportedAndCanBeRepaired() {
        env->set("Field4=shown;Custom=Birthday;Header=x;Myself=1;HeaderText=Title");
        frmFields dlg(fields);
        QCOMPARE(env->messages.shown.size(), 3);
        for (const QString& report : env->messages.texts())
            QVERIFY(report.contains("in frmFields: Sub Form_Load"));
        QVERIFY(option(dlg, "optMyself1"));
        QCOMPARE(comboItems(dlg).size(), 6);

        press(dlg, "cmdOK");
        QCOMPARE(env->differing("Field4=1;Custom=0;Header=1;HeaderText=Title"), QStringList());
    }
};

QTEST_MAIN(FrmFieldsTest)
#include "tst_frmfields.moc"
