#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace act {
class Users;
}

// Filter Activities: which activity types, whether cleared ones are hidden and whose
// activities reach the calendar (section "Filter").
class frmFilter : public QDialog {
    Q_OBJECT

public:
    explicit frmFilter(act::Users& users, QWidget* parent = nullptr);

    // Puts the stored choices into the controls and lists the other users.
    void loadSettings();
    // Writes every key of the section; false (after reporting) when the store refused a value.
    bool saveSettings();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void setCaptions();
    // Throws RuntimeError when the store refuses a write.
    void writeSettings();
    void fillUserList(bool preselect);
    bool isPreselected(const QString& uniqueId, const QString& selUsers) const;
    void cmdOK_Click();
    void Label3_Click();

    act::Users& users_;
    QGroupBox* Frame1 = nullptr;
    std::array<QCheckBox*, 3> Check1{};
    QCheckBox* chkCleared = nullptr;
    QLabel* Label3 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QRadioButton* optMe = nullptr;
    QRadioButton* optMeAnd = nullptr;
    QRadioButton* optAll = nullptr;
    QListWidget* List1 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};
