#pragma once

#include <QDialog>

class QLabel;

// The About box: the program's name, version and web address.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* lblVersion;
};
