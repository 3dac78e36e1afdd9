#pragma once

#include <QHBoxLayout>
#include <QPushButton>

// A dialog button that Enter never presses: Qt makes the first auto-default button of a
// dialog its default one, and Enter typed in a text box would then confirm the dialog.
inline QPushButton* plainButton(const QString& objectName, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

// The row of confirming buttons at the foot of a dialog, set to the right.
inline QHBoxLayout* buttonRow(QPushButton* confirm, QPushButton* cancel) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(confirm);
    row->addWidget(cancel);
    return row;
}
