#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// E-mail options: whether contacts' e-mail addresses become links and the subject and body
// templates those links pre-fill (section "Email").
class frmEmail : public QDialog {
    Q_OBJECT

public:
    explicit frmEmail(QWidget* parent = nullptr);

    // Puts the stored choices into the controls, or the language's default templates when
    // no body was ever saved.
    void loadSettings();
    // Writes the three keys; false (after reporting) when the store refused a value.
    bool saveSettings();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void setCaptions();
    // Throws RuntimeError when the store refuses a write.
    void writeSettings();
    void cmdSave_Click();

    QCheckBox* chkActive = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtSubject = nullptr;
    QLabel* Label3 = nullptr;
    QPlainTextEdit* txtBody = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;
};
