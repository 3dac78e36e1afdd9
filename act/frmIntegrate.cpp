#include "frmIntegrate.h"

#include "BrowserControlFiles.h"
#include "dialogs/PlainButton.h"
#include "shell/AppInfo.h"
#include "shell/Conversions.h"
#include "shell/ErrorReport.h"
#include "shell/ProgramState.h"
#include "shell/SettingsStore.h"
#include "shell/ShippedFolder.h"
#include "shell/StringTable.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString Unit = QStringLiteral("frmIntegrate");

QString programFolder() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

// A picture shipped with the program, for ACT! to show.
QString shippedPicture(const QString& name) {
    return QDir::toNativeSeparators(shippedFolder() + QLatin1Char('/') + name);
}

QString programFile(const QString& suffix) {
    return shippedPicture(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
                          suffix);
}

void setBox(QCheckBox* box, bool checked) {
    const QSignalBlocker quiet(box);
    box->setChecked(checked);
}

} // namespace

frmIntegrate::frmIntegrate(act::Application& application, const QString& pageFolder,
                           std::function<void()> requestUnload, QWidget* parent)
    : QDialog(parent)
    , application_(application)
    , pageFolder_(pageFolder)
    , requestUnload_(std::move(requestUnload)) {
    setModal(true);
    buildControls();
    Form_Load();
}

frmIntegrate::~frmIntegrate() = default;

void frmIntegrate::buildControls() {
    auto* screens = new QHBoxLayout;
    for (int frame = 0; frame < 2; ++frame) {
        Frame1[frame] = new QGroupBox(this);
        Frame1[frame]->setObjectName(QStringLiteral("Frame1_%1").arg(frame));
        auto* boxes = new QVBoxLayout(Frame1[frame]);
        for (int view = 0; view < 6; ++view) {
            const int index = frame * 6 + view;
            chkScreen[index] = new QCheckBox(Frame1[frame]);
            chkScreen[index]->setObjectName(QStringLiteral("chkScreen_%1").arg(index));
            boxes->addWidget(chkScreen[index]);
            // toggled, not clicked: a box checked by the load applies its placement again.
            connect(chkScreen[index], &QCheckBox::toggled, this,
                    [this, index] { chkScreen_Click(index); });
        }
        screens->addWidget(Frame1[frame]);
    }

    Frame2 = new QGroupBox(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto* outputs = new QVBoxLayout(Frame2);
    chkOutputTab = new QCheckBox(Frame2);
    chkOutputTab->setObjectName(QStringLiteral("chkOutputTab"));
    chkOutputView = new QCheckBox(Frame2);
    chkOutputView->setObjectName(QStringLiteral("chkOutputView"));
    chkOutputIE = new QCheckBox(Frame2);
    chkOutputIE->setObjectName(QStringLiteral("chkOutputIE"));
    chkOutputIE->setEnabled(false);
    chkOutputIE->setChecked(true);
    outputs->addWidget(chkOutputTab);
    outputs->addWidget(chkOutputView);
    outputs->addWidget(chkOutputIE);
    connect(chkOutputTab, &QCheckBox::toggled, this, &frmIntegrate::chkOutputTab_Click);
    connect(chkOutputView, &QCheckBox::toggled, this, &frmIntegrate::chkOutputView_Click);
    connect(chkOutputIE, &QCheckBox::clicked, this, [this] { ieChosen_ = true; });

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);

    cmdOK = new QPushButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdOK, &QPushButton::clicked, this, &frmIntegrate::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = buttonRow(cmdOK, cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(screens);
    layout->addWidget(Frame2);
    layout->addWidget(Label2);
    layout->addLayout(buttons);
}

void frmIntegrate::setCaptions() {
    setWindowTitle(str(Caption::IntegrateWithAct));
    Frame1[0]->setTitle(strWithColon(Caption::ToolbarButtonViews));
    Frame1[1]->setTitle(strWithColon(Caption::ToolsMenuViews));
    Frame2->setTitle(strWithColon(Caption::DisplayOptions));
    cmdOK->setText(str(Caption::Close));
    cmdCancel->setText(str(Caption::Cancel));
    Label2->setText(str(Caption::RestartActForChanges));
    chkOutputIE->setText(str(Caption::OpenInSeparateBrowser));
    chkOutputTab->setText(str(Caption::AddContactTab));
    chkOutputView->setText(str(Caption::AddViewbarButton));
    for (int i = 0; i < 6; ++i)
        chkScreen[i]->setText(str(Caption::ContactsView + i));
    for (int i = 6; i < ScreenBoxes; ++i)
        chkScreen[i]->setText(str(Caption::ContactsView + (i - 6)));
}

// Each step is reported on its own and the loaded flag is always set: a load that stopped
// part-way would leave the tab and view boxes ticking and unticking without asking.
void frmIntegrate::Form_Load() {
    Procedure proc(Unit, QStringLiteral("Form_Load"));
    proc.line(1);
    loaded_ = false;
    setCaptions();
    proc.line(2);
    commandName_ = QStringLiteral("Daywise");
    proc.run([&] { auxCommands_ = application_.auxCommands(); });
    proc.line(3);
    proc.run([&] { showScreenBoxes(); });
    proc.line(4);
    changed_ = false;
    proc.line(5);
    proc.run([&] {
        linkFolder_ = integration::linkFolder(application_.GetAppPath());
        tabPresent_ = QFileInfo::exists(tabFile());
        viewPresent_ = QFileInfo::exists(viewBarFile());
    });
    setBox(chkOutputTab, tabPresent_);
    setBox(chkOutputView, viewPresent_);
    showOutputBoxes(proc);
    loaded_ = true;
}

void frmIntegrate::showScreenBoxes() {
    for (int i = 0; i < 6; ++i)
        chkScreen[i]->setChecked(auxCommands().AuxCommandExistsInToolbar(i + 1, commandName_) == 1);
    for (int i = 6; i < ScreenBoxes; ++i)
        chkScreen[i]->setChecked(auxCommands().AuxCommandExistsInToolsMenu(i - 5, commandName_) ==
                                 1);
}

// The box shows the stored choice until the user changes it; adding or removing the tab or
// the view keeps that unsaved change for Close to store.
void frmIntegrate::showOutputBoxes(Procedure& proc) {
    const bool shownInAct = tabPresent_ || viewPresent_;
    chkOutputIE->setEnabled(shownInAct);
    proc.line(6);
    proc.run([&] { integration::forceBrowserUnlessShownInAct(shownInAct); });
    if (!shownInAct) {
        ieChosen_ = false;
        setBox(chkOutputIE, true);
        return;
    }
    if (ieChosen_)
        return;
    proc.line(7);
    proc.run([&] {
        setBox(chkOutputIE, convert::toNumber(settings().GetSetting(setting::OpenInBrowser)) != 0);
    });
}

void frmIntegrate::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    // ACT! may already be gone; nothing here is worth a message.
    try {
        int sum = 0;
        for (QCheckBox* box : chkScreen)
            sum += box->isChecked() ? 1 : 0;
        if (sum == 0 && auxCommands_ && auxCommands_->AuxCommandExists(commandName_) == 1)
            auxCommands_->DeleteAuxCommand(commandName_);
    } catch (const std::exception&) {
    }
    auxCommands_.reset();
}

void frmIntegrate::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

void frmIntegrate::cmdOK_Click() {
    Procedure proc(Unit, QStringLiteral("cmdOK_Click"));
    proc.run([&] {
        proc.line(1);
        settings().SaveSetting(setting::OpenInBrowser, chkOutputIE->isChecked() ? 1 : 0);
        proc.line(2);
        if (changed_) {
            if (lastResult_ != 0)
                MessAddFailed();
            else
                Message();
        }
        proc.line(3);
        if (!unloaded_)
            accept();
    });
}

Messages::Answer frmIntegrate::confirm(Caption k) {
    lastAnswer_ =
        messages().show(str(k), app::Title, Messages::Icon::Question, Messages::Buttons::OkCancel);
    return lastAnswer_;
}

void frmIntegrate::chkOutputTab_Click() {
    if (!loaded_)
        return;
    Procedure proc(Unit, QStringLiteral("chkOutputTab_Click"));
    proc.run([&] {
        proc.line(1);
        if (tabPresent_) {
            if (confirm(Caption::ConfirmRemoveContactTab) != Messages::Answer::Cancel)
                Remove_Tab();
        } else if (confirm(Caption::ConfirmAddContactTab) != Messages::Answer::Cancel) {
            Create_Tab();
        }
    });
}

void frmIntegrate::chkOutputView_Click() {
    if (!loaded_)
        return;
    Procedure proc(Unit, QStringLiteral("chkOutputView_Click"));
    proc.run([&] {
        proc.line(1);
        if (viewPresent_) {
            if (confirm(Caption::ConfirmRemoveViewbarButton) != Messages::Answer::Cancel)
                Remove_view();
        } else if (confirm(Caption::ConfirmAddViewbarButton) != Messages::Answer::Cancel) {
            Create_View();
        }
    });
}

// A file that could not be written or deleted leaves ACT! unchanged, so there is nothing to
// restart for: the user is told instead.
void frmIntegrate::Create_Tab() {
    const bool written =
        integration::writeControlFile(tabFile(), integration::tabFileLines(pagePath()));
    Form_Load();
    if (written)
        Message();
    else
        MessAddFailed();
}

void frmIntegrate::Remove_Tab() {
    if (!QFileInfo::exists(tabFile()))
        return;
    const bool removed = integration::removeControlFile(tabFile());
    Form_Load();
    if (removed)
        Message();
    else
        MessAddFailed();
}

void frmIntegrate::Create_View() {
    const QString bitmap = shippedPicture(QStringLiteral("Daywise.bmp"));
    const bool written = integration::writeControlFile(
        viewBarFile(), integration::viewBarFileLines(pagePath(), bitmap));
    showViewBox();
    if (written)
        Message();
    else
        MessAddFailed();
}

void frmIntegrate::Remove_view() {
    if (!QFileInfo::exists(viewBarFile()))
        return;
    const bool removed = integration::removeControlFile(viewBarFile());
    showViewBox();
    if (removed)
        Message();
    else
        MessAddFailed();
}

// The view flag follows the file, so a second click in the same opening asks the right
// question.
void frmIntegrate::showViewBox() {
    viewPresent_ = QFileInfo::exists(viewBarFile());
    setBox(chkOutputView, viewPresent_);
    Procedure proc(Unit, QStringLiteral("chkOutputView_Click"));
    showOutputBoxes(proc);
}

void frmIntegrate::chkScreen_Click(int index) {
    Procedure proc(Unit, QStringLiteral("chkScreen_Click"));
    proc.run([&] {
        proc.line(1);
        changed_ = true;
        proc.line(2);
        if (auxCommands().AuxCommandExists(commandName_) == 0)
            CheckCommand();
        proc.line(3);
        const bool placed = chkScreen[index]->isChecked();
        act::AuxCommands& aux = auxCommands();
        qint32 result = 0;
        if (index >= 6) {
            const int view = index - 5;
            result = placed ? aux.AddAuxCommandToToolsMenu(view, commandName_)
                            : aux.RemoveAuxCommandFromToolsMenu(view, commandName_);
        } else {
            const int view = index + 1;
            result = placed ? aux.AddAuxCommandToToolbar(view, commandName_)
                            : aux.RemoveAuxCommandFromToolbar(view, commandName_);
        }
        proc.line(4);
        lastResult_ = result;
    });
}

void frmIntegrate::CheckCommand() {
    lastResult_ = auxCommands().AddAuxCommand(
        commandName_, QDir::toNativeSeparators(QCoreApplication::applicationFilePath()),
        programFolder(), app::Title, str(Caption::ClickToLaunch) + QLatin1Char(' ') + app::Title,
        programFile(QStringLiteral(".ico")), programFile(QStringLiteral("32.ico")), 1);
    if (lastResult_ != 0)
        MessAddFailed();
}

void frmIntegrate::Message() {
    lastAnswer_ = messages().show(str(Caption::RestartActForChanges) + QStringLiteral("\r\n") +
                                      str(Caption::RestartActNow),
                                  app::Title, Messages::Icon::Question, Messages::Buttons::YesNo);
    if (lastAnswer_ != Messages::Answer::Yes)
        return;
    RestartRequested = true;
    accept();
    // The main window's unload closes the ACT! connection this dialog was using, so it runs
    // only once the dialog has let go of it and its modal loop has returned.
    if (requestUnload_)
        QTimer::singleShot(0, qApp, requestUnload_);
}

void frmIntegrate::MessAddFailed() {
    messages().show(str(Caption::ChangeItManually), app::Title, Messages::Icon::Exclamation);
}

act::AuxCommands& frmIntegrate::auxCommands() const {
    if (!auxCommands_)
        throw RuntimeError(91, QStringLiteral("Object variable or With block variable not set"));
    return *auxCommands_;
}

QString frmIntegrate::tabFile() const {
    return linkFolder_ + integration::TabFileName;
}

QString frmIntegrate::viewBarFile() const {
    return linkFolder_ + integration::ViewBarFileName;
}

QString frmIntegrate::pagePath() const {
    return QDir::toNativeSeparators(pageFolder_ + QLatin1Char('/') + PageFileName);
}
