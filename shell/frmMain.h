#pragma once

#include "act/ActSession.h"

#include <QMainWindow>
#include <QPointer>
#include <array>

class ClickableLabel;
class Procedure;
struct SettingKey;
class QAction;
class QDateEdit;
class QDialog;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QTimer;

// The main window: the date range of the calendar, the Create button and the menus that
// open the settings dialogs. It owns the ACT! connection from start-up until it unloads.
// `pageFolder` is the folder the calendar is written to, decided once at start-up.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(act::ActSession session, const QString& pageFolder);
    ~frmMain() override;

    // Sets every caption, registers with ACT! and restores the range, then shows the
    // window. Errors are reported and the defaults used, so the window always opens; only
    // when ACT! is not running does the load stop, and the program ends.
    void Form_Load();
    // Stores the range, closes the ACT! connection and ends the program, or restarts ACT!
    // when RestartRequested is set. Runs once, whatever closes the window.
    void Form_Unload();

    void ActEvent1_OnActUserWantsToClose();
    void Create_LinkMenuItem();
    void Update_EndDate();

    act::ActSession& session() { return session_; }
    // True once the program has reached its end (after the unload, or a load that stopped).
    bool ended() const { return ended_; }

    QGroupBox* Frame1;
    std::array<QLabel*, 3> Label1;
    std::array<ClickableLabel*, 3> Label2;
    QDateEdit* DTPicker1;
    QDateEdit* DTPicker2;
    QRadioButton* optWeek;
    QRadioButton* optMonth;
    QRadioButton* optCustom;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QLabel* lblMore;
    ClickableLabel* lblLink;
    QTimer* Timer1;

    QMenu* mnuFilter;
    QAction* mnuFilterActivities;
    QAction* mnuColor;
    QAction* mnuEmail;
    QMenu* mnuLayouttop;
    QAction* mnuFields;
    QAction* mnuLayout;
    QMenu* mnuOptions;
    QAction* mnuLanguage;
    QAction* mnuIntegrate;
    QMenu* mnuHelp;
    QAction* mnuOnline;
    QAction* mnuAbout;

signals:
    // The program is to end now: its event loop should stop.
    void programEnded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void connectHandlers();

    void firstRunSteps(Procedure& proc);
    void setCaptions();
    bool registerEvents(Procedure& proc);
    void restoreRange(Procedure& proc);
    QDate storedDate(Procedure& proc, const SettingKey& entry);
    void storeDefaultColumns(Procedure& proc);

    void storeRange();
    void endProgram();
    // Shows a dialog modally; false when the window unloaded while it was open.
    bool showModal(QDialog& dialog);

    void cmdOK_Click();
    void cmdCancel_Click();
    void optWeek_Click();
    void optMonth_Click();
    void optCustom_Click();
    void Label2_Click(int index);
    void lblLink_Click();
    void Timer1_Timer();

    void mnuFilterActivities_Click();
    void mnuColor_Click();
    void mnuEmail_Click();
    void mnuFields_Click();
    void mnuLayout_Click();
    void mnuLanguage_Click();
    void mnuIntegrate_Click();
    void mnuOnline_Click();
    void mnuAbout_Click();

    act::ActSession session_;
    QString pageFolder_;
    qint16 rangeOption_ = 0;
    qint32 eventRegistration_ = 0;
    QString databasePath_;
    qint16 ticks_ = 0;
    bool unloaded_ = false;
    bool ended_ = false;
    QPointer<QDialog> openDialog_;
};
