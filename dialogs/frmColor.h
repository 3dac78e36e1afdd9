#pragma once

#include <QColor>
#include <QDialog>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

namespace act {
class Users;
}

// Choose Colors: how calendar entries are coloured (by priority, by user, black, or as in
// ACT!) and the colour behind the date headings. Only OK writes the settings.
class frmColor : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxUsers = 16;
    static constexpr int PriorityCount = 3;
    static constexpr int ModeCount = 4;

    // Asks the user for a colour starting from `initial`; nothing when the user cancels.
    using ColorPicker =
        std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)>;

    // `users` are the open database's users, listed in their order; the dialog only reads them
    // while it is built.
    explicit frmColor(act::Users& users, QWidget* parent = nullptr);

    // Replaces the colour dialog, so that tests can answer it.
    void setColorPicker(ColorPicker picker);

    // Puts the stored colours and mode into the controls; an absent or unreadable key leaves
    // its control at the default.
    void loadSettings();
    // Writes the background, the user colours chosen in this opening, the priority colours
    // and the mode; false (after reporting) when the store refused a value.
    bool saveSettings();

    // How much the window gives up for a database with `userCount` users, in twips.
    static int shrinkTwips(int userCount);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    QFrame* newColorBox(const QString& name);
    void Form_Load(act::Users& users);
    void listUsers(act::Users& users);
    void Resize_Window(int userCount);

    void cmdOK_Click();
    void picPriority_DblClick(int index);
    void picColor_DblClick(int index);
    void picBgcolor_DblClick();
    bool pickColor(QFrame* box);

    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, ModeCount> optColor{};
    std::array<QFrame*, PriorityCount> picPriority{};
    std::array<QFrame*, MaxUsers> picColor{};
    // 0 to 15 name the users, 16 to 18 the priorities.
    std::array<QLabel*, MaxUsers + PriorityCount> Label2{};
    QLabel* Label3 = nullptr;
    QWidget* userArea_ = nullptr;
    QGroupBox* Frame3 = nullptr;
    QFrame* picBgcolor = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    // The name behind each shown user box, and whether its colour was chosen in this opening.
    QStringList userNames_;
    std::array<bool, MaxUsers> userChosen_{};
    ColorPicker picker_;
};
