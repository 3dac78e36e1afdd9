#pragma once

#include <QLabel>

// A label that reacts to a click, as the main window's option texts and link do. Given the
// focus (the link), Enter and Space click it too, and a focus frame shows it.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
