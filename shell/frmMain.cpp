#include "frmMain.h"

#include "AppInfo.h"
#include "ClickableLabel.h"
#include "Clock.h"
#include "Conversions.h"
#include "DialogPlacement.h"
#include "ErrorReport.h"
#include "Messages.h"
#include "ProgramState.h"
#include "QtTranslation.h"
#include "SettingsStore.h"
#include "ShellOpener.h"
#include "StringTable.h"
#include "act/LinkFolder.h"
#include "act/frmIntegrate.h"
#include "dialogs/frmColor.h"
#include "dialogs/frmEmail.h"
#include "dialogs/frmFields.h"
#include "dialogs/frmFilter.h"
#include "dialogs/frmLanguage.h"
#include "dialogs/frmLayout.h"
#include "engine/ActivitySelection.h"
#include "engine/CalendarField.h"
#include "engine/Cleanup.h"
#include "engine/Generation.h"
#include "engine/RangeLimits.h"
#include "frmAbout.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString Unit = QStringLiteral("frmMain");

QString accessKeyCaption(Caption k) {
    return QStringLiteral("&") + str(k);
}

template <typename Widget> Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

frmMain::frmMain(act::ActSession session, const QString& pageFolder)
    : session_(std::move(session))
    , pageFolder_(pageFolder) {
    setObjectName(QStringLiteral("frmMain"));
    buildControls();
    buildMenus();
    connectHandlers();
}

frmMain::~frmMain() {
    // Closing the window moves focus, and a date picker losing it would call back into a
    // window already half destroyed.
    DTPicker1->disconnect(this);
}

void frmMain::buildControls() {
    Frame1 = named(new QGroupBox, "Frame1");
    for (int i = 0; i < 3; ++i) {
        Label1[i] = named(new QLabel, "Label1");
        Label1[i]->setProperty("index", i);
        Label2[i] = named(new ClickableLabel, "Label2");
        Label2[i]->setProperty("index", i);
    }
    DTPicker1 = named(new QDateEdit, "DTPicker1");
    DTPicker2 = named(new QDateEdit, "DTPicker2");
    for (QDateEdit* picker : {DTPicker1, DTPicker2})
        picker->setCalendarPopup(true);
    optWeek = named(new QRadioButton, "optWeek");
    optMonth = named(new QRadioButton, "optMonth");
    optCustom = named(new QRadioButton, "optCustom");
    cmdOK = named(new QPushButton, "cmdOK");
    cmdCancel = named(new QPushButton, "cmdCancel");
    cmdOK->setDefault(true);
    lblMore = named(new QLabel, "lblMore");
    lblLink = named(new ClickableLabel(app::WebAddress), "lblLink");
    lblLink->setCursor(Qt::PointingHandCursor);
    lblLink->setFocusPolicy(Qt::StrongFocus);
    QPalette linkColours = lblLink->palette();
    linkColours.setColor(QPalette::WindowText, linkColours.color(QPalette::Link));
    lblLink->setPalette(linkColours);
    QFont underlined = lblLink->font();
    underlined.setUnderline(true);
    lblLink->setFont(underlined);
    Timer1 = named(new QTimer(this), "Timer1");

    auto* range = new QGridLayout(Frame1);
    Label1[0]->setBuddy(DTPicker1);
    Label1[2]->setBuddy(DTPicker2);
    range->addWidget(Label1[0], 0, 0);
    range->addWidget(DTPicker1, 1, 0, Qt::AlignTop);
    range->addWidget(Label1[1], 0, 1, 1, 2);
    const std::array<QRadioButton*, 3> options{optWeek, optMonth, optCustom};
    for (int i = 0; i < 3; ++i) {
        range->addWidget(options[i], 1 + i, 1);
        range->addWidget(Label2[i], 1 + i, 2);
        Label2[i]->setBuddy(options[i]);
    }
    range->addWidget(Label1[2], 4, 1, 1, 2);
    range->addWidget(DTPicker2, 5, 1, 1, 2, Qt::AlignLeft);
    range->setColumnStretch(2, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblMore);
    bottom->addWidget(lblLink);
    bottom->addStretch();
    bottom->addWidget(cmdOK);
    bottom->addWidget(cmdCancel);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(Frame1);
    layout->addLayout(bottom);
    setCentralWidget(central);
}

void frmMain::buildMenus() {
    mnuFilter = named(menuBar()->addMenu(QString()), "mnuFilter");
    mnuFilterActivities = named(mnuFilter->addAction(QString()), "mnuFilterActivities");
    mnuColor = named(mnuFilter->addAction(QString()), "mnuColor");
    mnuEmail = named(mnuFilter->addAction(QString()), "mnuEmail");
    mnuLayouttop = named(menuBar()->addMenu(QString()), "mnuLayouttop");
    mnuFields = named(mnuLayouttop->addAction(QString()), "mnuFields");
    mnuLayout = named(mnuLayouttop->addAction(QString()), "mnuLayout");
    mnuOptions = named(menuBar()->addMenu(QString()), "mnuOptions");
    mnuLanguage = named(mnuOptions->addAction(QString()), "mnuLanguage");
    mnuIntegrate = named(mnuOptions->addAction(QString()), "mnuIntegrate");
    mnuHelp = named(menuBar()->addMenu(QString()), "mnuHelp");
    mnuOnline = named(mnuHelp->addAction(QString()), "mnuOnline");
    mnuOnline->setShortcut(QKeySequence::HelpContents);
    mnuAbout = named(mnuHelp->addAction(QString()), "mnuAbout");
}

void frmMain::connectHandlers() {
    connect(cmdOK, &QPushButton::clicked, this, &frmMain::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmMain::cmdCancel_Click);
    connect(optWeek, &QRadioButton::clicked, this, &frmMain::optWeek_Click);
    connect(optMonth, &QRadioButton::clicked, this, &frmMain::optMonth_Click);
    connect(optCustom, &QRadioButton::clicked, this, &frmMain::optCustom_Click);
    for (int i = 0; i < 3; ++i)
        connect(Label2[i], &ClickableLabel::clicked, this, [this, i] { Label2_Click(i); });
    connect(lblLink, &ClickableLabel::clicked, this, &frmMain::lblLink_Click);
    // A change, a pick in the calendar and leaving the field all keep the end date in step.
    connect(DTPicker1, &QDateEdit::dateChanged, this, &frmMain::Update_EndDate);
    connect(DTPicker1, &QDateEdit::editingFinished, this, &frmMain::Update_EndDate);
    connect(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    if (session_.events)
        connect(session_.events.get(), &act::EventControl::OnActUserWantsToClose, this,
                &frmMain::ActEvent1_OnActUserWantsToClose);

    connect(mnuFilterActivities, &QAction::triggered, this, &frmMain::mnuFilterActivities_Click);
    connect(mnuColor, &QAction::triggered, this, &frmMain::mnuColor_Click);
    connect(mnuEmail, &QAction::triggered, this, &frmMain::mnuEmail_Click);
    connect(mnuFields, &QAction::triggered, this, &frmMain::mnuFields_Click);
    connect(mnuLayout, &QAction::triggered, this, &frmMain::mnuLayout_Click);
    connect(mnuLanguage, &QAction::triggered, this, &frmMain::mnuLanguage_Click);
    connect(mnuIntegrate, &QAction::triggered, this, &frmMain::mnuIntegrate_Click);
    connect(mnuOnline, &QAction::triggered, this, &frmMain::mnuOnline_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
}

// --- Load ---------------------------------------------------------------------------------

void frmMain::Form_Load() {
    if (unloaded_)
        return;
    Procedure proc(Unit, QStringLiteral("Form_Load"));
    firstRunSteps(proc);
    if (unloaded_)
        return;
    applyStoredLanguage();
    setWindowIcon(QIcon(QStringLiteral(":/daywise/icons/daywise.png")));
    setWindowTitle(app::Title);
    setCaptions();
    if (!registerEvents(proc))
        return;
    proc.line(6);
    proc.run([&] { MyRecordId = getUserID(*session_.database); });
    restoreRange(proc);
    storeDefaultColumns(proc);
    show();
}

void frmMain::firstRunSteps(Procedure& proc) {
    // An unreadable mark counts as a first run, which stores a good one.
    bool firstRun = true;
    proc.line(1);
    proc.run([&] { firstRun = convert::toNumber(settings().GetSetting(setting::Installed)) == 0; });
    if (!firstRun)
        return;
    // A language chosen where it cannot be kept would be asked for again at every start;
    // the Languages menu still sets it for the run.
    if (settings().keepsValues()) {
        frmLanguage language(this);
        if (!showModal(language) || language.result() != QDialog::Accepted)
            return;
        applyStoredLanguage();
    }
    Create_LinkMenuItem();
    proc.run([] { settings().SaveSetting(setting::Installed, 1); });
}

void frmMain::setCaptions() {
    mnuFilter->setTitle(str(Caption::SettingsMenu));
    mnuFilterActivities->setText(str(Caption::FilterActivitiesMenu));
    mnuOptions->setTitle(str(Caption::OptionsMenu));
    mnuFields->setText(str(Caption::ShowHideFieldsMenu));
    mnuColor->setText(accessKeyCaption(Caption::ChooseColors));
    mnuEmail->setText(accessKeyCaption(Caption::EmailView));
    mnuLayouttop->setTitle(accessKeyCaption(Caption::LayoutMenu));
    mnuLayout->setText(accessKeyCaption(Caption::DesignLayout));
    mnuIntegrate->setText(str(Caption::IntegrateWithActMenu));
    mnuLanguage->setText(str(Caption::LanguagesMenu));
    mnuHelp->setTitle(str(Caption::HelpMenu));
    mnuOnline->setText(str(Caption::OnlineHelpMenu));
    mnuAbout->setText(str(Caption::AboutMenu));
    Frame1->setTitle(strWithColon(Caption::ChooseDateRange));
    Label1[0]->setText(strWithColon(Caption::StartDate));
    Label1[1]->setText(strWithColon(Caption::EndDate));
    Label1[2]->setText(strWithColon(Caption::EndDate));
    for (int i = 0; i < 3; ++i)
        Label2[i]->setText(str(Caption::OneWeekFromStart + i));
    cmdOK->setText(str(Caption::Create));
    cmdCancel->setText(str(Caption::Cancel));
    lblMore->setText(str(Caption::MoreAt));
    useQtTranslation(LanguageBase);
    for (QDateEdit* picker : {DTPicker1, DTPicker2})
        picker->setLocale(languageLocale(LanguageBase));
}

bool frmMain::registerEvents(Procedure& proc) {
    proc.line(5);
    bool registered = false;
    bool running = true;
    proc.run([&] {
        eventRegistration_ = session_.events->dispatchRegister(0);
        registered = eventRegistration_ >= 1 || eventRegistration_ == -1;
        if (!registered)
            running = session_.events->dispatchIsRunning();
    });
    if (registered)
        return true;
    if (running) {
        messages().show(str(Caption::ActEventsNotRegistered) + QStringLiteral("\r\n") +
                            str(Caption::RunActRegAndRetry),
                        app::Title);
        return true;
    }
    messages().show(str(Caption::RunActFirst) + QLatin1Char(' ') + app::Title, app::Title);
    // Without ACT! there is nothing to work on: end without storing anything.
    unloaded_ = true;
    endProgram();
    return false;
}

void frmMain::restoreRange(Procedure& proc) {
    proc.line(7);
    // An unreadable or unknown option falls back to one week, so one option is always set.
    rangeOption_ = setting::RangeWeek;
    proc.run([&] { rangeOption_ = convert::toInt16(settings().GetSetting(setting::RangeOption)); });
    if (rangeOption_ == setting::RangeCustom) {
        optCustom->setChecked(true);
        optCustom_Click();
        DTPicker1->setDate(storedDate(proc, setting::StartDate));
        DTPicker2->setDate(storedDate(proc, setting::EndDate));
        return;
    }
    if (rangeOption_ != setting::RangeMonth)
        rangeOption_ = setting::RangeWeek;
    DTPicker1->setDate(now().date());
    if (rangeOption_ == setting::RangeMonth) {
        optMonth->setChecked(true);
        optMonth_Click();
    } else {
        optWeek->setChecked(true);
        optWeek_Click();
    }
}

QDate frmMain::storedDate(Procedure& proc, const SettingKey& entry) {
    const QDate today = now().date();
    QDate date = today;
    proc.run([&] {
        date = convert::toDate(
            settings().GetSetting(entry.section, entry.key, convert::dateText(today)));
    });
    return date;
}

void frmMain::storeDefaultColumns(Procedure& proc) {
    proc.line(8);
    proc.run([] {
        for (int field = 0; field < CalendarFieldCount; ++field) {
            const SettingKey column = setting::fieldColumn(field);
            if (settings().GetSetting(column.section, column.key, "-1") == QLatin1String("-1"))
                saveCol(field);
        }
    });
}

// --- Unload -------------------------------------------------------------------------------

// A main window has no default button of its own: Enter presses Create, or the button in
// focus, and Escape Cancel, as in a dialog. Controls that use these keys themselves (the open
// calendar, the link) take them first.
void frmMain::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* focused = qobject_cast<QPushButton*>(focusWidget()))
            focused->click();
        else
            cmdOK->click();
        return;
    case Qt::Key_Escape:
        cmdCancel->click();
        return;
    default:
        QMainWindow::keyPressEvent(event);
    }
}

void frmMain::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void frmMain::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    Procedure proc(Unit, QStringLiteral("Form_Unload"));
    if (RestartRequested) {
        proc.line(1);
        proc.run([&] {
            databasePath_ = session_.database->GetDatabasePath();
            session_.application->Command(act::CloseActCommand);
        });
    }
    Cleanup(session_, true, true);
    proc.line(3);
    proc.run([&] { storeRange(); });
    if (!RestartRequested) {
        endProgram();
        return;
    }
    proc.line(5);
    proc.run([&] {
        if (!shellOpener().open(QUrl::fromLocalFile(databasePath_)))
            throw RuntimeError::fileAccess(databasePath_);
    });
    hide();
    ticks_ = 0;
    Timer1->setInterval(1000);
    Timer1->start();
}

void frmMain::storeRange() {
    qint16 option = rangeOption_;
    if (optWeek->isChecked())
        option = setting::RangeWeek;
    else if (optMonth->isChecked())
        option = setting::RangeMonth;
    else if (optCustom->isChecked())
        option = setting::RangeCustom;
    // Together or not at all: a start date stored without its end would restore a range
    // that ends before it starts.
    settings().SaveSettings(setting::section::Settings,
                            {{setting::StartDate.key, convert::dateText(DTPicker1->date())},
                             {setting::EndDate.key, convert::dateText(DTPicker2->date())},
                             {setting::RangeOption.key, QString::number(option)}});
}

void frmMain::endProgram() {
    ended_ = true;
    emit programEnded();
}

void frmMain::Timer1_Timer() {
    ++ticks_;
    if (ticks_ >= 2) {
        Timer1->stop();
        endProgram();
    }
}

// --- ACT! events --------------------------------------------------------------------------

void frmMain::ActEvent1_OnActUserWantsToClose() {
    Procedure proc(Unit, QStringLiteral("ActEvent1_OnActUserWantsToClose"));
    proc.line(1);
    proc.run([&] { session_.events->dispatchAcknowledgeClose(); });
    if (RestartRequested)
        return;
    if (openDialog_)
        openDialog_->reject();
    Form_Unload();
    hide();
}

void frmMain::Create_LinkMenuItem() {
    Procedure proc(Unit, QStringLiteral("Create_LinkMenuItem"));
    proc.line(1);
    proc.run([&] {
        const QDir folder(integration::linkFolder(session_.application->GetAppPath()));
        if (!folder.exists() && !folder.mkpath(QStringLiteral(".")))
            throw RuntimeError::fileAccess(folder.path());
        proc.line(2);
        const QString path = folder.filePath(integration::LinkMenuFileName);
        if (QFileInfo::exists(path))
            return;
        proc.line(3);
        QSaveFile file(path);
        const QString line = QLatin1Char('[') + str(Caption::FreeAddOns) + QLatin1Char(']') +
                             app::WebAddress + str(Caption::SoftwarePage) + QStringLiteral("\r\n");
        if (!file.open(QIODevice::WriteOnly) || file.write(line.toUtf8()) < 0 || !file.commit())
            throw RuntimeError::fileAccess(path);
    });
}

// --- Range --------------------------------------------------------------------------------

void frmMain::optWeek_Click() {
    DTPicker2->setDate(weekEnd(DTPicker1->date()));
    DTPicker2->setEnabled(false);
}

void frmMain::optMonth_Click() {
    DTPicker2->setDate(monthEnd(DTPicker1->date()));
    DTPicker2->setEnabled(false);
}

void frmMain::optCustom_Click() {
    DTPicker2->setEnabled(true);
}

void frmMain::Update_EndDate() {
    if (optWeek->isChecked())
        optWeek_Click();
    else if (optMonth->isChecked())
        optMonth_Click();
    else if (optCustom->isChecked())
        optCustom_Click();
}

void frmMain::Label2_Click(int index) {
    const std::array<QRadioButton*, 3> options{optWeek, optMonth, optCustom};
    const std::array<void (frmMain::*)(), 3> rules{
        &frmMain::optWeek_Click, &frmMain::optMonth_Click, &frmMain::optCustom_Click};
    (this->*rules[index])();
    options[index]->setChecked(true);
}

// --- Buttons, links and menus -------------------------------------------------------------

void frmMain::cmdOK_Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Generation generation(session_);
    generation.setHtmlFolder(pageFolder_);
    const GenerationOutcome outcome = generation.run(DTPicker1->date(), DTPicker2->date());
    QApplication::restoreOverrideCursor();
    switch (outcome.result) {
    case GenerationOutcome::Result::Written:
        close();
        break;
    case GenerationOutcome::Result::RangeTooLong:
        DTPicker2->setDate(outcome.correctedEnd);
        break;
    case GenerationOutcome::Result::EndBeforeStart:
    case GenerationOutcome::Result::Failed:
        break;
    }
}

void frmMain::cmdCancel_Click() {
    close();
}

void frmMain::lblLink_Click() {
    shellOpener().open(QUrl(app::WebAddress));
}

void frmMain::mnuOnline_Click() {
    shellOpener().open(QUrl(app::HelpBaseAddress + str(Caption::OnlineHelpPage)));
}

bool frmMain::showModal(QDialog& dialog) {
    placeDialog(dialog, *this);
    openDialog_ = &dialog;
    dialog.exec();
    openDialog_ = nullptr;
    return !unloaded_;
}

void frmMain::mnuLanguage_Click() {
    frmLanguage language(this);
    if (showModal(language))
        Form_Load();
}

void frmMain::mnuAbout_Click() {
    frmAbout about(this);
    showModal(about);
}

void frmMain::mnuFilterActivities_Click() {
    frmFilter filter(session_.users(), this);
    showModal(filter);
}

void frmMain::mnuColor_Click() {
    frmColor colors(session_.users(), this);
    showModal(colors);
}

void frmMain::mnuEmail_Click() {
    frmEmail email(this);
    showModal(email);
}

void frmMain::mnuFields_Click() {
    frmFields fields(session_.contact().fields(), this);
    showModal(fields);
}

void frmMain::mnuLayout_Click() {
    frmLayout layout(this);
    showModal(layout);
}
void frmMain::mnuIntegrate_Click() {
    frmIntegrate integrate(
        *session_.application, pageFolder_, [this] { Form_Unload(); }, this);
    showModal(integrate);
}
