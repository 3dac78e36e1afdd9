#include "frmLanguage.h"

#include "PlainButton.h"
#include "shell/AppInfo.h"
#include "shell/Conversions.h"
#include "shell/ErrorReport.h"
#include "shell/ProgramState.h"
#include "shell/SettingsStore.h"
#include "shell/StringTable.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString Unit = QStringLiteral("frmLanguage");

} // namespace

frmLanguage::frmLanguage(QWidget* parent)
    : QDialog(parent)
    , Label1(new QLabel(this))
    , cmbLanguage(new QComboBox(this))
    , cmdOK(new QPushButton(QStringLiteral("&OK"), this))
    , cmdCancel(new QPushButton(this)) {
    setObjectName(Unit);
    Label1->setObjectName(QStringLiteral("Label1"));
    cmbLanguage->setObjectName(QStringLiteral("cmbLanguage"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    // Not editable, so the stored choice can only ever be one of the two languages.
    cmbLanguage->setEditable(false);
    cmdOK->setDefault(true);

    cmbLanguage->addItem(QStringLiteral("English"));
    cmbLanguage->addItem(QStringLiteral("Français"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(cmbLanguage);
    layout->addLayout(buttonRow(cmdOK, cmdCancel));

    connect(cmdOK, &QPushButton::clicked, this, &frmLanguage::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLanguage::cmdCancel_Click);
    loadSettings();
    setCaptions();
}

void frmLanguage::loadSettings() {
    Procedure proc(Unit, QStringLiteral("Form_Load"));
    // An unreadable mark counts as a first start: the user then picks a language once more.
    proc.line(1);
    proc.run(
        [&] { firstStart_ = convert::toNumber(settings().GetSetting(setting::Installed)) == 0; });
    const QString stored = settings().GetSetting(setting::Language);
    cmbLanguage->setCurrentIndex(languageBaseFor(stored) == FrenchBase ? 1 : 0);
}

void frmLanguage::setCaptions() {
    if (firstStart_) {
        setWindowTitle(app::Title);
        // No language has been chosen yet, so the prompt speaks both.
        Label1->setText(QStringLiteral("Pick your language/Choisissez une langue :"));
        cmdCancel->hide();
    } else {
        setWindowTitle(str(Caption::Language));
        Label1->setText(strWithColon(Caption::PickLanguage));
        cmdOK->setText(str(Caption::Ok));
        cmdCancel->setText(str(Caption::Cancel));
    }
}

bool frmLanguage::saveSettings() {
    Procedure proc(Unit, QStringLiteral("cmdOK_Click"));
    proc.line(1);
    return proc.run(
        [&] { settings().SaveSetting(setting::Language, cmbLanguage->currentIndex()); });
}

// A failed write keeps the window open, so the user can try again. On the first start a
// store that keeps refusing must not hold the user here: Cancel appears, and the next start
// asks again.
void frmLanguage::cmdOK_Click() {
    if (saveSettings()) {
        accept();
        return;
    }
    if (firstStart_) {
        firstStart_ = false;
        cmdCancel->setText(str(Caption::Cancel));
        cmdCancel->show();
    }
}

void frmLanguage::cmdCancel_Click() {
    reject();
}

void frmLanguage::keyPressEvent(QKeyEvent* event) {
    if (firstStart_ && event->matches(QKeySequence::Cancel))
        return;
    QDialog::keyPressEvent(event);
}

void frmLanguage::closeEvent(QCloseEvent* event) {
    if (firstStart_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
