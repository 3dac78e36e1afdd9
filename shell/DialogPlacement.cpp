#include "DialogPlacement.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>

void placeDialog(QDialog& dialog, const QWidget& mainWindow) {
    Qt::WindowFlags flags = dialog.windowFlags();
    // Without CustomizeWindowHint the window manager picks the buttons; with it, only the
    // hints given count, so a dialog that chose its own keeps them.
    if (!flags.testFlag(Qt::CustomizeWindowHint))
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint;
    flags &= ~Qt::WindowMinMaxButtonsHint;
    dialog.setWindowFlags(flags);
    if (mainWindow.isVisible())
        return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    dialog.adjustSize();
    QRect frame = dialog.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    dialog.move(frame.topLeft());
}
