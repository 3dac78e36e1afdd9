#include "MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon boxIcon(Messages::Icon icon) {
    switch (icon) {
    case Messages::Icon::Critical:
        return QMessageBox::Critical;
    case Messages::Icon::Exclamation:
        return QMessageBox::Warning;
    case Messages::Icon::Question:
        return QMessageBox::Question;
    case Messages::Icon::Information:
        return QMessageBox::Information;
    case Messages::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Messages::Answer MessageBoxes::show(const QString& text, const QString& title, Icon icon,
                                    Buttons buttons) {
    // Reports separate their lines with a lone CR, which a label would not break on.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));

    QMessageBox box(boxIcon(icon), title, shown, QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    switch (buttons) {
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        return box.exec() == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
    case Buttons::Ok:
        break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
}
