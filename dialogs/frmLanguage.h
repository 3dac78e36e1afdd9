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

    QLabel* Label1;
    QComboBox* cmbLanguage;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();

    // On the first start the user must choose: no language has been stored yet.
    bool firstStart_ = true;
};
