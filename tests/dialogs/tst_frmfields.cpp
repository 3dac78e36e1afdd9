#include "DialogTestSupport.h"
#include "dialogs/frmFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace {

QCheckBox* box(const QDialog& dlg, int index) {
    return control<QCheckBox>(dlg, QStringLiteral("Check1%1").arg(index));
}

} // namespace

class FrmFieldsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<DialogTestEnvironment> env;
    FakeContactFields fields;

private slots:
    void init() {
        env = std::make_unique<DialogTestEnvironment>("Options");
        fields.count = -1;
        fields.positions = {{1, "Unique ID"},   {25, "Company"},   {-1, {}}, {30, "City"},
                            {80, "Phone Ext."}, {120, "Birthday"}, {-1, {}}, {-1, {}},
                            {200, "E-mail"},    {600, "Spouse"}};
    }
    void cleanup() { env.reset(); }

    void okWithoutChangesWritesBackWhatWasStored() {
        QStringList pairs;
        for (int k = 0; k < 16; ++k) // the shown labels (odd) need their fields 5 to 13 shown
            pairs << QStringLiteral("Field%1=%2").arg(k).arg(k % 3 || k == 9 ? 1 : 0);
        for (int k = 34; k <= 44; ++k)
            pairs << QStringLiteral("Field%1=%2;Label%1=L%1 :").arg(k).arg(k % 2);
        pairs << "Custom=120;Myself=1;Myselftext=Me & I;Header=0;HeaderText=Sales team";
        env->set(pairs.join(';'));

        frmFields dlg(fields);
        press(dlg, "cmdOK");
        QCOMPARE(env->differing(pairs.join(';')), QStringList());
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
        box(dlg, 13)->click();
        QVERIFY(box(dlg, 43)->isChecked()); // the custom field's label keeps its choice
    }

    void emptiedLabelIsStoredAsNoneAndReopensEmpty() {
        {
            frmFields dlg(fields);
            control<QLineEdit>(dlg, "Text139")->clear();
            press(dlg, "cmdOK");
        }
        QCOMPARE(env->stored("Label39"), "None");
        frmFields reopened(fields);
        QVERIFY(control<QLineEdit>(reopened, "Text139")->text().isEmpty());
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
        QCOMPARE(entries(control<QComboBox>(manyFields, "Combo1")->model()), offered);

        // A list that claims more fields than its positions hold must not hang the dialog.
        fields.count = 12;
        frmFields dlg(fields);
        QCOMPARE(entries(control<QComboBox>(dlg, "Combo1")->model()).size(), 6);
    }
};

QTEST_MAIN(FrmFieldsTest)
#include "tst_frmfields.moc"
