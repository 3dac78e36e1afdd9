#pragma once

#include <QDialog>

class QCloseEvent;
class QComboBox;
class QKeyEvent;
class QLabel;
class QPushButton;

// The language choice: English or French. It only stores the choice; the main window
// applies it when it loads again.
class frmLanguage : public QDialog {
    Q_OBJECT
public:
    explicit frmLanguage(QWidget* parent = nullptr);

    // Reads whether a language was ever chosen and shows the stored one.
    void loadSettings();
    // Writes the chosen language; false (after reporting) when the store refused it.
    bool saveSettings();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void setCaptions();
    void cmdOK_Click();
    void cmdCancel_Click();

    QLabel* Label1;
    QComboBox* cmbLanguage;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

    // On the first start the user must choose: no language has been stored yet.
    bool firstStart_ = true;
};
