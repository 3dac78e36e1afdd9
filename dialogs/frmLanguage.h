#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

// The language choice: English or French. It only stores the choice; the main window
// applies it when it loads again.
class frmLanguage : public QDialog {
    Q_OBJECT
public:
    explicit frmLanguage(QWidget* parent = nullptr);

    QLabel* Label1;
    QComboBox* cmbLanguage;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();
};
