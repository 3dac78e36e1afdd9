#pragma once

#include "act/ActObjects.h"
#include "shell/Captions.h"
#include "shell/Messages.h"

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

class Procedure;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

// The Integrate with ACT! dialog: places Daywise into ACT! as a contact-screen tab, a
// view-bar view and a command on the toolbars and Tools menus of ACT!'s six views, and
// offers the ACT! restart those changes need. `pageFolder` is the folder the calendar is
// written to, which the tab and the view show. `requestUnload` runs the main window's unload
// once the user agrees to restart; it is called after this dialog has closed.
class frmIntegrate : public QDialog {
    Q_OBJECT

public:
    frmIntegrate(act::Application& application, const QString& pageFolder,
                 std::function<void()> requestUnload, QWidget* parent = nullptr);
    ~frmIntegrate() override;

    void done(int result) override;

private:
    static constexpr int ScreenBoxes = 12; // 0-5 toolbar, 6-11 Tools menu, views 1-6

    void buildControls();
    void Form_Load();
    void Form_Unload();
    void cmdOK_Click();
    void chkOutputTab_Click();
    void chkOutputView_Click();
    void chkScreen_Click(int index);
    void Create_Tab();
    void Remove_Tab();
    void Create_View();
    void Remove_view();
    void CheckCommand();
    void Message();
    void MessAddFailed();

    void setCaptions();
    void showScreenBoxes();
    void showOutputBoxes(Procedure& proc);
    void showViewBox();
    Messages::Answer confirm(Caption k);
    act::AuxCommands& auxCommands() const;
    QString tabFile() const;
    QString viewBarFile() const;
    QString pagePath() const;

    act::Application& application_;
    QString pageFolder_;
    std::function<void()> requestUnload_;
    std::unique_ptr<act::AuxCommands> auxCommands_;

    QString commandName_;
    QString linkFolder_;
    bool tabPresent_ = false;
    bool viewPresent_ = false;
    bool changed_ = false;
    bool loaded_ = false;
    bool ieChosen_ = false; // the user has changed chkOutputIE since opening
    bool unloaded_ = false;
    qint32 lastResult_ = 0;
    Messages::Answer lastAnswer_ = Messages::Answer::Ok;

    std::array<QGroupBox*, 2> Frame1{};
    std::array<QCheckBox*, ScreenBoxes> chkScreen{};
    QGroupBox* Frame2 = nullptr;
    QCheckBox* chkOutputTab = nullptr;
    QCheckBox* chkOutputView = nullptr;
    QCheckBox* chkOutputIE = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};
