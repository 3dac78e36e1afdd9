#include "dialogs/frmLanguage.h"
#include "shell/MemorySettingsStore.h"
#include "shell/ProgramState.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class FrmLanguageTest : public QObject {
    Q_OBJECT

    MemorySettingsStore* store = nullptr;

    QString language() const {
        return store->GetSetting(QStringLiteral("Options"), QStringLiteral("Language"), "absent");
    }

private slots:
    void init() {
        store = new MemorySettingsStore;
        setSettings(store);
        LanguageBase = 200;
    }
    void cleanup() {
        setSettings(nullptr);
        delete store;
    }

    void firstStartSpeaksBothLanguagesAndCannotBeCancelled() {
        frmLanguage dialog;
        QCOMPARE(dialog.Label1->text(),
                 QStringLiteral("Pick your language/Choisissez une langue :"));
        QVERIFY(dialog.cmdCancel->isHidden());
        QCOMPARE(dialog.cmbLanguage->currentText(), QStringLiteral("English"));
        // Only the two listed languages can be chosen, never free text.
        QVERIFY(!dialog.cmbLanguage->isEditable());
        dialog.cmbLanguage->setCurrentIndex(1);
        dialog.cmdOK->click();
        QCOMPARE(language(), QStringLiteral("1"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void firstStartCannotBeEscapedOrClosed() {
        frmLanguage dialog;
        dialog.show();
        QTest::keyClick(dialog.cmbLanguage, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.close());
        QVERIFY(dialog.isVisible());
        QCOMPARE(language(), QStringLiteral("absent"));

        store->SaveSetting(QStringLiteral("Settings"), QStringLiteral("Installed"), "1");
        frmLanguage later;
        later.show();
        QTest::keyClick(later.cmbLanguage, Qt::Key_Escape);
        QVERIFY(!later.isVisible());
        QCOMPARE(later.result(), int(QDialog::Rejected));
        QCOMPARE(language(), QStringLiteral("absent"));
    }

    void laterOpeningsSpeakTheCurrentLanguageAndCancelStoresNothing() {
        store->SaveSetting(QStringLiteral("Settings"), QStringLiteral("Installed"), "1");
        store->SaveSetting(QStringLiteral("Options"), QStringLiteral("Language"), "1");
        LanguageBase = 400;
        frmLanguage dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Langue"));
        QCOMPARE(dialog.cmdCancel->text(), QStringLiteral("&Annuler"));
        QVERIFY(!dialog.cmdCancel->isHidden());
        QCOMPARE(dialog.cmbLanguage->currentText(), QStringLiteral("Français"));
        dialog.cmbLanguage->setCurrentIndex(0);
        dialog.cmdCancel->click();
        QCOMPARE(language(), QStringLiteral("1"));
    }
};

QTEST_MAIN(FrmLanguageTest)
#include "tst_frmlanguage.moc"
