#pragma once

class QDialog;
class QWidget;

// Readies a dialog of the main window for showing: a title bar without minimise and maximise
// buttons, and, while the main window is hidden (the first run, an ACT! restart), the centre
// of the screen rather than wherever the window manager puts it.
void placeDialog(QDialog& dialog, const QWidget& mainWindow);
