#pragma once

#include <QWidget>

class QLabel;

// The window that says Daywise is starting while ACT! is being reached.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    frmSplash();

    QLabel* Label1;

private:
    void Form_Load();
};
