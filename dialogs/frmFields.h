#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class Procedure;

namespace act {
class ContactFields;
}

// Show/Hide Fields: which fields each calendar entry shows and under which labels, the
// custom contact field, what stands for the user's own record and the page header
// (section "Options").
class frmFields : public QDialog {
    Q_OBJECT

public:
    explicit frmFields(const act::ContactFields& fields, QWidget* parent = nullptr);

    // Puts the stored choices into the controls and offers the contact fields.
    void loadSettings();
    // Writes every key of the dialog; false (after reporting) when the store refused a value.
    bool saveSettings();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Field boxes are indexes 0 to 15, their label boxes and texts the same index + 30.
    static constexpr int LabelOffset = 30;
    static constexpr int IndexCount = 45;

    void buildControls();
    QGroupBox* buildFieldFrame();
    QGroupBox* buildLabelFrame();
    QGroupBox* buildMyselfFrame();
    QGroupBox* buildHeaderFrame();
    void setCaptions();
    // Throws RuntimeError when the store refuses a write.
    void writeSettings();
    int readCustomField(Procedure& proc);
    void fillCombo(int customId);
    void Check1_Click(int index);
    void Text1_Click(int index);
    void txtMyself_Click();
    void cmdOK_Click();

    const act::ContactFields& fields_;
    std::array<QCheckBox*, IndexCount> Check1{};
    std::array<QLineEdit*, IndexCount> Text1{};
    QComboBox* Combo1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame4 = nullptr;
    std::array<QRadioButton*, 2> optMyself{};
    QLineEdit* txtMyself = nullptr;
    std::array<QRadioButton*, 2> optTitle{};
    QLineEdit* txtHeader = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};
