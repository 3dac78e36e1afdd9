#include "frmEmail.h"

#include "PlainButton.h"
#include "SettingReads.h"
#include "shell/ErrorReport.h"
#include "shell/ProgramState.h"
#include "shell/SettingsStore.h"
#include "shell/StringTable.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

const QString Unit = QStringLiteral("frmEmail");
// Read in place of an absent body: the templates were never saved.
const QString NoBody = QStringLiteral("xyz");

struct Templates {
    QString subject;
    QString body;
};

Templates defaultTemplates() {
    if (LanguageBase == FrenchBase)
        return {QStringLiteral("Notre prochaine rencontre prévue <joursem>"),
                QStringLiteral("Juste un bref message pour vous rappeler notre prochaine "
                               "rencontre prévue le <jour> <mois> et qui aura pour sujet "
                               "<objet>. Voici quelques notes préliminaires : <détails>")};
    return {QStringLiteral("Our meeting of this coming <dayofweek>"),
            QStringLiteral("Just a quick reminder of our upcoming meeting on <month> <day> at "
                           "<start> regarding <regarding>. Here are some preliminary notes : "
                           "<details>")};
}

// Typed line breaks and ampersands would split the link's query; pasted text is left alone.
bool isDiscardedKey(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter ||
           key.text().contains(QLatin1Char('&'));
}

} // namespace

frmEmail::frmEmail(QWidget* parent)
    : QDialog(parent) {
    setObjectName(Unit);
    setModal(true);
    buildControls();
    setCaptions();
    loadSettings();
}

void frmEmail::buildControls() {
    chkActive = new QCheckBox(this);
    chkActive->setObjectName(QStringLiteral("chkActive"));

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Label1 = new QLabel(Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtSubject = new QLineEdit(Frame1);
    txtSubject->setObjectName(QStringLiteral("txtSubject"));
    txtSubject->installEventFilter(this);
    Label1->setBuddy(txtSubject);
    Label3 = new QLabel(Frame1);
    Label3->setObjectName(QStringLiteral("Label3"));
    txtBody = new QPlainTextEdit(Frame1);
    txtBody->setObjectName(QStringLiteral("txtBody"));
    txtBody->setTabChangesFocus(true);
    txtBody->installEventFilter(this);
    Label3->setBuddy(txtBody);
    Label4 = new QLabel(Frame1);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setWordWrap(true);
    Label5 = new QLabel(Frame1);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setWordWrap(true);
    auto* message = new QVBoxLayout(Frame1);
    message->addWidget(Label1);
    message->addWidget(txtSubject);
    message->addWidget(Label3);
    message->addWidget(txtBody);
    message->addWidget(Label4);
    message->addWidget(Label5);

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);

    cmdSave = plainButton(QStringLiteral("cmdSave"), this);
    cmdCancel = plainButton(QStringLiteral("cmdCancel"), this);
    connect(cmdSave, &QPushButton::clicked, this, &frmEmail::cmdSave_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = buttonRow(cmdSave, cmdCancel);

    setMinimumWidth(480);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chkActive);
    layout->addWidget(Frame1);
    layout->addWidget(Label2);
    layout->addLayout(buttons);
}

void frmEmail::setCaptions() {
    setWindowTitle(str(Caption::EmailOptions));
    chkActive->setText(str(Caption::EmailAsLinks));
    Frame1->setTitle(QStringLiteral("Message :"));
    Label1->setText(strWithColon(Caption::SubjectLine));
    Label3->setText(strWithColon(Caption::Body));
    Label4->setText(str(Caption::InsertableFieldsIntro));
    Label5->setText(str(Caption::InsertableFields));
    Label2->setText(str(Caption::EmailLinksOpenDefaultClient));
    cmdSave->setText(str(Caption::Save));
    cmdCancel->setText(str(Caption::Cancel));
}

void frmEmail::loadSettings() {
    Procedure proc(Unit, QStringLiteral("Form_Load"));
    proc.run([&] {
        proc.line(1);
        chkActive->setChecked(readNumberSetting(proc, setting::EmailActive));
        proc.line(2);
        txtSubject->setText(settings().GetSetting(setting::EmailSubject));
        txtBody->setPlainText(
            settings().GetSetting(setting::EmailBody.section, setting::EmailBody.key, NoBody));
        proc.line(3);
        if (txtBody->toPlainText() == NoBody) {
            const Templates templates = defaultTemplates();
            txtSubject->setText(templates.subject);
            txtBody->setPlainText(templates.body);
        }
    });
}

void frmEmail::writeSettings() {
    settings().SaveSetting(setting::EmailActive, chkActive->isChecked() ? 1 : 0);
    settings().SaveSetting(setting::EmailSubject, txtSubject->text());
    settings().SaveSetting(setting::EmailBody, txtBody->toPlainText());
}

bool frmEmail::saveSettings() {
    Procedure proc(Unit, QStringLiteral("cmdSave_Click"));
    return proc.run([&] { writeSettings(); });
}

// A failed write keeps the window open, so the templates are not lost.
void frmEmail::cmdSave_Click() {
    if (saveSettings())
        accept();
}

bool frmEmail::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto& key = *static_cast<QKeyEvent*>(event);
        if ((watched == txtSubject || watched == txtBody) && isDiscardedKey(key))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}
