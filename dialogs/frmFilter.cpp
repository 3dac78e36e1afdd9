#include "frmFilter.h"

#include "PlainButton.h"
#include "SettingReads.h"
#include "act/ActObjects.h"
#include "act/ListableUser.h"
#include "shell/ErrorReport.h"
#include "shell/SettingsStore.h"
#include "shell/StringTable.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString Unit = QStringLiteral("frmFilter");

// Identifiers are stored side by side, each 12 characters long.
constexpr int IdLength = 12;

QString checkText(const QCheckBox* box) {
    return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

frmFilter::frmFilter(act::Users& users, QWidget* parent)
    : QDialog(parent)
    , users_(users) {
    setObjectName(Unit);
    setModal(true);
    buildControls();
    setCaptions();
    loadSettings();
}

void frmFilter::buildControls() {
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* types = new QVBoxLayout(Frame1);
    for (int i = 0; i < int(Check1.size()); ++i) {
        Check1[i] = new QCheckBox(Frame1);
        Check1[i]->setObjectName(QStringLiteral("Check1%1").arg(i));
        types->addWidget(Check1[i]);
    }

    chkCleared = new QCheckBox(this);
    chkCleared->setObjectName(QStringLiteral("chkCleared"));
    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->installEventFilter(this);
    Label3->setBuddy(chkCleared);
    auto* cleared = new QHBoxLayout;
    cleared->addWidget(chkCleared);
    cleared->addWidget(Label3, 1);

    Frame2 = new QGroupBox(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    optMe = new QRadioButton(Frame2);
    optMe->setObjectName(QStringLiteral("optMe"));
    optMeAnd = new QRadioButton(Frame2);
    optMeAnd->setObjectName(QStringLiteral("optMeAnd"));
    List1 = new QListWidget(Frame2);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setSelectionMode(QAbstractItemView::MultiSelection);
    optAll = new QRadioButton(Frame2);
    optAll->setObjectName(QStringLiteral("optAll"));
    auto* who = new QVBoxLayout(Frame2);
    who->addWidget(optMe);
    who->addWidget(optMeAnd);
    who->addWidget(List1);
    who->addWidget(optAll);

    cmdOK = plainButton(QStringLiteral("cmdOK"), this);
    cmdCancel = plainButton(QStringLiteral("cmdCancel"), this);
    connect(cmdOK, &QPushButton::clicked, this, &frmFilter::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = buttonRow(cmdOK, cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(cleared);
    layout->addWidget(Frame2);
    layout->addLayout(buttons);
}

void frmFilter::setCaptions() {
    setWindowTitle(str(Caption::FilterActivities));
    for (int i = 0; i < int(Check1.size()); ++i)
        Check1[i]->setText(str(Caption::Calls + i));
    Label3->setText(str(Caption::HideClearedActivities));
    Frame1->setTitle(strWithColon(Caption::TypeOfActivities));
    Frame2->setTitle(strWithColon(Caption::Users));
    optMeAnd->setText(strWithColon(Caption::MyselfAnd));
    List1->setAccessibleName(str(Caption::MyselfAnd));
    optAll->setText(str(Caption::AllUsers));
    optMe->setText(str(Caption::MeOnly));
    cmdOK->setText(str(Caption::Ok));
    cmdCancel->setText(str(Caption::Cancel));
}

void frmFilter::loadSettings() {
    Procedure proc(Unit, QStringLiteral("Form_Load"));
    proc.run([&] {
        proc.line(1);
        for (int i = 0; i < int(Check1.size()); ++i)
            Check1[i]->setChecked(readNumberSetting(proc, setting::filterType(i)));

        proc.line(2);
        // An unknown mode shows "Me", which is also what the calendar then does.
        const QString mode = settings().GetSetting(setting::Users);
        optMeAnd->setChecked(mode == setting::UsersMeAnd);
        optAll->setChecked(mode == setting::UsersAll);
        optMe->setChecked(!optMeAnd->isChecked() && !optAll->isChecked());

        proc.line(3);
        chkCleared->setChecked(readNumberSetting(proc, setting::Cleared));

        proc.line(4);
        fillUserList(optMeAnd->isChecked());
    });
}

void frmFilter::fillUserList(bool preselect) {
    List1->clear();
    const QString selUsers = preselect ? settings().GetSetting(setting::SelUsers) : QString();
    const QString me = users_.CurrentUserID();
    const int count = users_.Count();
    for (int n = 1; n <= count; ++n) {
        if (!act::isListableUser(users_, n))
            continue;
        const QString id = users_.UniqueId(n);
        if (id == me)
            continue;
        auto* item = new QListWidgetItem(users_.Name(n), List1);
        item->setData(Qt::UserRole, n);
        item->setSelected(preselect && isPreselected(id, selUsers));
    }
}

// Only a match at an identifier's own place counts: one identifier can appear inside the
// concatenation of two others.
bool frmFilter::isPreselected(const QString& uniqueId, const QString& selUsers) const {
    if (uniqueId.isEmpty())
        return false;
    for (qsizetype at = selUsers.indexOf(uniqueId); at >= 0;
         at = selUsers.indexOf(uniqueId, at + 1)) {
        if (at % IdLength == 0)
            return true;
    }
    return false;
}

void frmFilter::writeSettings() {
    // Everything is asked of ACT! before the first write, so a failing call writes nothing.
    QString ids;
    QStringList names;
    QString mode = setting::UsersMe;
    if (optMeAnd->isChecked()) {
        mode = setting::UsersMeAnd;
        for (int row = 0; row < List1->count(); ++row) {
            const QListWidgetItem* item = List1->item(row);
            if (!item->isSelected())
                continue;
            const int n = item->data(Qt::UserRole).toInt();
            ids += users_.UniqueId(n);
            names << users_.Name(n);
        }
    } else if (optAll->isChecked()) {
        mode = setting::UsersAll;
        // The calendar prints this text as it is, in either language.
        names << setting::AllUsersNames;
    }

    for (int i = 0; i < int(Check1.size()); ++i)
        settings().SaveSetting(setting::filterType(i), checkText(Check1[i]));
    settings().SaveSetting(setting::Cleared, checkText(chkCleared));
    settings().SaveSetting(setting::Users, mode);
    settings().SaveSetting(setting::SelUsers, ids);
    settings().SaveSetting(setting::SelNames, names.join(QStringLiteral(" & ")));
}

bool frmFilter::saveSettings() {
    Procedure proc(Unit, QStringLiteral("cmdOK_Click"));
    return proc.run([&] { writeSettings(); });
}

// A failed write keeps the window open, so the choices are not lost.
void frmFilter::cmdOK_Click() {
    if (saveSettings())
        accept();
}

void frmFilter::Label3_Click() {
    chkCleared->toggle();
}

bool frmFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label3 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Label3_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
