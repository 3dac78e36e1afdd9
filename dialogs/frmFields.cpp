#include "frmFields.h"

#include "PlainButton.h"
#include "SettingReads.h"
#include "act/ActObjects.h"
#include "shell/Conversions.h"
#include "shell/ErrorReport.h"
#include "shell/SettingsStore.h"
#include "shell/StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <optional>

namespace {

const QString Unit = QStringLiteral("frmFields");

constexpr int CustomIndex = 13;

struct FieldBox {
    int index;
    std::optional<Caption> caption; // the box's caption
    std::optional<Caption> label;   // the default label, when the field has a label
};

// In the order the boxes are shown.
constexpr FieldBox FieldBoxes[] = {
    {0, Caption::Street, std::nullopt},
    {1, Caption::City, std::nullopt},
    {2, Caption::ZipAndState, std::nullopt},
    {3, Caption::Title, std::nullopt},
    {4, Caption::Regarding, Caption::Regarding},
    {5, Caption::Details, Caption::Details},
    {6, Caption::Fax, Caption::Fax},
    {7, Caption::Cellular, Caption::Cellular},
    {8, Caption::Pager, Caption::Pager},
    {9, Caption::Email, Caption::Email},
    {10, Caption::Assistant, Caption::Assistant},
    {11, Caption::Alarm, Caption::Alarm},
    {12, Caption::UserScheduledFor, Caption::ScheduledFor},
    {13, std::nullopt, Caption::Custom},
    {14, Caption::AlsoScheduledWith, Caption::AlsoScheduledWith},
    {15, Caption::PriorityToAppear, std::nullopt},
};

// The contact fields that make sense as the custom field; the others are the ones every
// entry already shows or ACT!'s own bookkeeping.
bool isOfferedField(int id) {
    return (id >= 7 && id <= 24) || (id >= 27 && id <= 40) || (id >= 45 && id <= 77) ||
           (id >= 80 && id <= 200) || (id >= 204 && id <= 499) || id >= 503;
}

// A field list whose positions stop yielding fields before its count is reached must not
// hang the dialog.
constexpr int MaxEmptyPositions = 1000;

QString checkText(const QCheckBox* box) {
    return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

frmFields::frmFields(const act::ContactFields& fields, QWidget* parent)
    : QDialog(parent)
    , fields_(fields) {
    setObjectName(Unit);
    setModal(true);
    buildControls();
    setCaptions();
    loadSettings();
}

void frmFields::buildControls() {
    auto* lists = new QHBoxLayout;
    lists->addWidget(buildFieldFrame());
    lists->addWidget(buildLabelFrame());
    auto* choices = new QHBoxLayout;
    choices->addWidget(buildMyselfFrame());
    choices->addWidget(buildHeaderFrame());

    cmdOK = plainButton(QStringLiteral("cmdOK"), this);
    cmdCancel = plainButton(QStringLiteral("cmdCancel"), this);
    connect(cmdOK, &QPushButton::clicked, this, &frmFields::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = buttonRow(cmdOK, cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(choices);
    layout->addLayout(buttons);

    for (int index = 0; index < IndexCount; ++index) {
        if (Check1[index])
            connect(Check1[index], &QCheckBox::toggled, this,
                    [this, index] { Check1_Click(index); });
    }
}

QGroupBox* frmFields::buildFieldFrame() {
    Frame3 = new QGroupBox(this);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    auto* column = new QVBoxLayout(Frame3);
    for (const FieldBox& box : FieldBoxes) {
        auto* check = new QCheckBox(Frame3);
        check->setObjectName(QStringLiteral("Check1%1").arg(box.index));
        Check1[box.index] = check;
        if (box.index != CustomIndex) {
            column->addWidget(check);
            continue;
        }
        Combo1 = new QComboBox(Frame3);
        Combo1->setObjectName(QStringLiteral("Combo1"));
        auto* custom = new QHBoxLayout;
        custom->addWidget(check);
        custom->addWidget(Combo1, 1);
        column->addLayout(custom);
    }
    return Frame3;
}

QGroupBox* frmFields::buildLabelFrame() {
    Frame2 = new QGroupBox(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto* grid = new QGridLayout(Frame2);
    int row = 0;
    for (const FieldBox& box : FieldBoxes) {
        if (!box.label)
            continue;
        const int index = box.index + LabelOffset;
        Check1[index] = new QCheckBox(Frame2);
        Check1[index]->setObjectName(QStringLiteral("Check1%1").arg(index));
        Text1[index] = new QLineEdit(Frame2);
        Text1[index]->setObjectName(QStringLiteral("Text1%1").arg(index));
        Text1[index]->installEventFilter(this);
        grid->addWidget(Check1[index], row, 0);
        grid->addWidget(Text1[index], row, 1);
        ++row;
    }
    grid->setRowStretch(row, 1);
    return Frame2;
}

QGroupBox* frmFields::buildMyselfFrame() {
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(Frame1);
    for (int i = 0; i < int(optMyself.size()); ++i) {
        optMyself[i] = new QRadioButton(Frame1);
        optMyself[i]->setObjectName(QStringLiteral("optMyself%1").arg(i));
        grid->addWidget(optMyself[i], i, 0);
    }
    txtMyself = new QLineEdit(Frame1);
    txtMyself->setObjectName(QStringLiteral("txtMyself"));
    txtMyself->installEventFilter(this);
    grid->addWidget(txtMyself, 1, 1);
    return Frame1;
}

QGroupBox* frmFields::buildHeaderFrame() {
    Frame4 = new QGroupBox(this);
    Frame4->setObjectName(QStringLiteral("Frame4"));
    auto* column = new QVBoxLayout(Frame4);
    for (int i = 0; i < int(optTitle.size()); ++i) {
        optTitle[i] = new QRadioButton(Frame4);
        optTitle[i]->setObjectName(QStringLiteral("optTitle%1").arg(i));
        column->addWidget(optTitle[i]);
    }
    txtHeader = new QLineEdit(Frame4);
    txtHeader->setObjectName(QStringLiteral("txtHeader"));
    column->addWidget(txtHeader);
    return Frame4;
}

void frmFields::setCaptions() {
    setWindowTitle(str(Caption::ItemsToAppear));
    Frame1->setTitle(strWithColon(Caption::WhenScheduledWithMyself));
    Frame2->setTitle(strWithColon(Caption::LabelsToAppear));
    Frame3->setTitle(strWithColon(Caption::FieldsToAppear));
    Frame4->setTitle(strWithColon(Caption::Header));
    for (const FieldBox& box : FieldBoxes) {
        if (box.caption)
            Check1[box.index]->setText(str(*box.caption));
        else
            Check1[box.index]->setAccessibleName(str(*box.label));
        if (!box.label)
            continue;
        const int index = box.index + LabelOffset;
        Text1[index]->setText(strWithColon(*box.label));
        // The label boxes show no text of their own: a screen reader names them.
        Check1[index]->setAccessibleName(strWithColon(Caption::LabelsToAppear) + QLatin1Char(' ') +
                                         str(*box.label));
        Text1[index]->setAccessibleName(str(*box.label));
    }
    optTitle[0]->setText(str(Caption::DisplayHeader));
    optTitle[1]->setText(str(Caption::HideHeader));
    optMyself[0]->setText(str(Caption::MyName));
    optMyself[1]->setAccessibleName(str(Caption::TextInsteadOfMyName));
    txtMyself->setAccessibleName(str(Caption::TextInsteadOfMyName));
    txtHeader->setAccessibleName(str(Caption::HeaderText));
    cmdOK->setText(str(Caption::Ok));
    cmdCancel->setText(str(Caption::Cancel));
}

void frmFields::loadSettings() {
    Procedure proc(Unit, QStringLiteral("Form_Load"));
    proc.run([&] {
        proc.line(1);
        for (const FieldBox& box : FieldBoxes) {
            Check1[box.index]->setChecked(readNumberSetting(proc, setting::field(box.index)));
        }

        proc.line(2);
        for (const FieldBox& box : FieldBoxes) {
            if (!box.label)
                continue;
            const int index = box.index + LabelOffset;
            Check1[index]->setChecked(readNumberSetting(proc, setting::field(index)));
            const QString label = settings().GetSetting(setting::label(index));
            if (label == setting::NoLabel)
                Text1[index]->clear();
            else if (!label.isEmpty())
                Text1[index]->setText(label);
        }

        proc.line(3);
        optMyself[1]->setChecked(readNumberSetting(proc, setting::Myself));
        optMyself[0]->setChecked(!optMyself[1]->isChecked());
        txtMyself->setText(settings().GetSetting(setting::MyselfText));

        proc.line(4);
        // Absent means shown, as the page has always shown it.
        const bool header = readNumberSetting(proc, setting::Header) != 0;
        optTitle[0]->setChecked(header);
        optTitle[1]->setChecked(!header);
        txtHeader->setText(settings().GetSetting(setting::HeaderText));

        proc.line(5);
        const int customId = readCustomField(proc);
        proc.line(6);
        fillCombo(customId);
    });
}

int frmFields::readCustomField(Procedure& proc) {
    int id = 0;
    proc.run([&] {
        const QString stored = settings().GetSetting(setting::Custom);
        if (!stored.isEmpty())
            id = convert::toInt32(stored);
    });
    return id;
}

void frmFields::fillCombo(int customId) {
    Combo1->clear();
    Combo1->addItem(QStringLiteral("(") + str(Caption::None) + QStringLiteral(")"), 0);
    const int count = fields_.Count();
    int found = 0;
    int emptyRun = 0;
    for (int position = 0; found < count && emptyRun < MaxEmptyPositions; ++position) {
        const int id = fields_.Id(position);
        if (id == -1) {
            ++emptyRun;
            continue;
        }
        emptyRun = 0;
        ++found;
        if (!isOfferedField(id))
            continue;
        Combo1->addItem(fields_.Label(id), id);
        if (id == customId)
            Combo1->setCurrentIndex(Combo1->count() - 1);
    }
}

void frmFields::writeSettings() {
    for (const FieldBox& box : FieldBoxes)
        settings().SaveSetting(setting::field(box.index), checkText(Check1[box.index]));
    for (const FieldBox& box : FieldBoxes) {
        if (!box.label)
            continue;
        const int index = box.index + LabelOffset;
        settings().SaveSetting(setting::field(index), checkText(Check1[index]));
        const QString label = Text1[index]->text();
        settings().SaveSetting(setting::label(index), label.isEmpty() ? setting::NoLabel : label);
    }
    // Each entry keeps its own field id, so fields sharing a label stay apart; the none
    // entry stores 0, which the calendar reads as no custom field.
    settings().SaveSetting(setting::Custom, Combo1->currentData().toInt());
    settings().SaveSetting(setting::Myself, optMyself[1]->isChecked() ? 1 : 0);
    settings().SaveSetting(setting::MyselfText, txtMyself->text());
    settings().SaveSetting(setting::Header, optTitle[0]->isChecked() ? 1 : 0);
    settings().SaveSetting(setting::HeaderText, txtHeader->text());
}

// A label is shown only with its field; unchecking the custom field keeps its label choice.
void frmFields::Check1_Click(int index) {
    const bool checked = Check1[index]->isChecked();
    if (index >= LabelOffset) {
        if (checked)
            Check1[index - LabelOffset]->setChecked(true);
        return;
    }
    const int label = index + LabelOffset;
    if (!checked && index != CustomIndex && label < IndexCount && Check1[label])
        Check1[label]->setChecked(false);
}

void frmFields::Text1_Click(int index) {
    Check1[index]->setChecked(true);
}

void frmFields::txtMyself_Click() {
    optMyself[1]->setChecked(true);
}

bool frmFields::saveSettings() {
    Procedure proc(Unit, QStringLiteral("cmdOK_Click"));
    return proc.run([&] { writeSettings(); });
}

// A failed write keeps the window open, so the choices are not lost.
void frmFields::cmdOK_Click() {
    if (saveSettings())
        accept();
}

bool frmFields::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == txtMyself)
            txtMyself_Click();
        for (int index = LabelOffset; index < IndexCount; ++index) {
            if (watched == Text1[index])
                Text1_Click(index);
        }
    }
    return QDialog::eventFilter(watched, event);
}
