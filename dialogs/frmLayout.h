#pragma once

#include <QDialog>
#include <QHash>
#include <array>

class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

// Design Layout: the column letter and order number of each of the twenty calendar fields,
// and the width of the six columns. Only OK writes the settings.
class frmLayout : public QDialog {
    Q_OBJECT
public:
    static constexpr int FieldCount = 20;
    static constexpr int ColumnCount = 6;

    explicit frmLayout(QWidget* parent = nullptr);

    // Puts the stored layout into the boxes; a key that is absent or unreadable leaves its
    // box at the default.
    void loadSettings();
    // Writes the boxes; false (after reporting) when the store refused a value.
    bool saveSettings();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    enum class BoxKind { Column, Number, Width };
    struct BoxRef {
        BoxKind kind;
        int index;
    };

    void buildWindow();
    QLineEdit* newBox(BoxKind kind, int index, const QString& name);
    void Form_Load();
    void showDefaults(const std::array<int, FieldCount>& orders);

    void cmdOK_Click();
    void cmdRestore_Click();
    // Shifts the other fields' order numbers after field i's number has changed from the
    // previous number, so that every number stays with one field.
    void Reorder(int i);

    static QChar txtCol_KeyPress(QChar typed);
    static QChar txtNb_KeyPress(QChar typed);
    static QChar txtWidth_KeyPress(QChar typed);
    bool filterKey(const BoxRef& box, QLineEdit* edit, QKeyEvent* event);

    void gotFocus(QLineEdit* edit);
    void lostFocus(QLineEdit* edit, const BoxRef& box, bool quiet);
    void txtCol_LostFocus(int index, bool quiet);
    void txtNb_LostFocus(int index, bool quiet);
    void txtWidth_LostFocus(int index, bool quiet);
    void complain(QLineEdit* edit, const QString& text, bool quiet);

    std::array<QLabel*, FieldCount> lblField{};
    std::array<QLineEdit*, FieldCount> txtCol{};
    std::array<QLineEdit*, FieldCount> txtNb{};
    std::array<QLabel*, 4> Label2{};
    std::array<QLabel*, ColumnCount> lblColumn{};
    std::array<QLineEdit*, ColumnCount> txtWidth{};
    std::array<QLabel*, ColumnCount> Label1{};
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* cmdRestore = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    QHash<QObject*, BoxRef> boxes_;
    // What the focused box held when it received the focus: the previous order number.
    QString previous_;
    bool closing_ = false;
};
