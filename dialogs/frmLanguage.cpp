#include "frmLanguage.h"

#include "shell/AppInfo.h"
#include "shell/Conversions.h"
#include "shell/ErrorReport.h"
#include "shell/ProgramState.h"
#include "shell/SettingsStore.h"
#include "shell/StringTable.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmLanguage::frmLanguage(QWidget* parent)
    : QDialog(parent)
    , Label1(new QLabel(this))
    , cmbLanguage(new QComboBox(this))
    , cmdOK(new QPushButton(QStringLiteral("&OK"), this))
    , cmdCancel(new QPushButton(this)) {
    setObjectName(QStringLiteral("frmLanguage"));
    Label1->setObjectName(QStringLiteral("Label1"));
    cmbLanguage->setObjectName(QStringLiteral("cmbLanguage"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    // Not editable, so the stored choice can only ever be one of the two languages.
    cmbLanguage->setEditable(false);
    cmdOK->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(cmbLanguage);
    layout->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &frmLanguage::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLanguage::cmdCancel_Click);
    Form_Load();
}

void frmLanguage::Form_Load() {
    Procedure proc(QStringLiteral("frmLanguage"), QStringLiteral("Sub"),
                   QStringLiteral("Form_Load"));
    // An unreadable mark counts as a first start: the user then picks a language once more.
    proc.line(1);
    proc.run(
        [&] { firstStart_ = convert::toNumber(settings().GetSetting(setting::Installed)) == 0; });
    if (firstStart_) {
        setWindowTitle(app::Title);
        // No language has been chosen yet, so the prompt speaks both.
        Label1->setText(QStringLiteral("Pick your language/Choisissez une langue :"));
        cmdCancel->hide();
    } else {
        setWindowTitle(str(119));
        Label1->setText(str(120) + QStringLiteral(" :"));
        cmdOK->setText(str(1));
        cmdCancel->setText(str(2));
    }
    cmbLanguage->addItem(QStringLiteral("English"));
    cmbLanguage->addItem(QStringLiteral("Français"));
    const QString stored = settings().GetSetting(setting::Language);
    cmbLanguage->setCurrentIndex(languageBaseFor(stored) == 400 ? 1 : 0);
}

void frmLanguage::cmdOK_Click() {
    Procedure proc(QStringLiteral("frmLanguage"), QStringLiteral("Sub"),
                   QStringLiteral("cmdOK_Click"));
    proc.line(1);
    proc.run([&] { settings().SaveSetting(setting::Language, cmbLanguage->currentIndex()); });
    accept();
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
