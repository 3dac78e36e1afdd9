#include "frmColor.h"

#include "PlainButton.h"
#include "act/ActObjects.h"
#include "act/ListableUser.h"
#include "shell/AppInfo.h"
#include "shell/Conversions.h"
#include "shell/ErrorReport.h"
#include "shell/Messages.h"
#include "shell/RuntimeError.h"
#include "shell/SettingsStore.h"
#include "shell/StringTable.h"

#include <QColorDialog>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString Unit = QStringLiteral("frmColor");

// Colours are stored as 0x00BBGGRR numbers: red in the lowest byte.
QColor colorFromValue(qint32 value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

qint32 colorValue(const QColor& color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

QColor boxColor(const QFrame* box) {
    return box->palette().color(QPalette::Window);
}

void setBoxColor(QFrame* box, const QColor& color) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, color);
    box->setPalette(palette);
}

QColor storedColor(const SettingKey& entry) {
    return colorFromValue(convert::toInt32(settings().GetSetting(entry)));
}

QString indexed(const char* name, int index) {
    return QString::fromLatin1(name) + QString::number(index);
}

QColor defaultColor(const SettingKey& entry) {
    return colorFromValue(entry.defaultValue.toInt());
}

// The user boxes stand two to a row; each row is half an inch high, so that the window
// shrinks by whole rows as the number of users falls.
constexpr int UserColumns = 2;
constexpr int UserRowTwips = 720;
constexpr int UserRows = frmColor::MaxUsers / UserColumns;
constexpr int TwipsPerInch = 1440;

std::optional<QColor> askColorDialog(const QColor& initial, QWidget* parent) {
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

// A double click opens a box's colour picker, and so do Enter and Space on the box in focus.
bool opensPicker(const QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick)
        return true;
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

} // namespace

frmColor::frmColor(act::Users& users, QWidget* parent)
    : QDialog(parent)
    , picker_(askColorDialog) {
    setObjectName(Unit);
    setModal(true);
    buildWindow();
    Form_Load(users);
}

void frmColor::setColorPicker(ColorPicker picker) {
    picker_ = std::move(picker);
}

QFrame* frmColor::newColorBox(const QString& name) {
    auto* box = new QFrame(this);
    box->setObjectName(name);
    box->setFrameShape(QFrame::Box);
    box->setAutoFillBackground(true);
    box->setFixedSize(36, 20);
    box->setFocusPolicy(Qt::StrongFocus);
    box->installEventFilter(this);
    return box;
}

void frmColor::buildWindow() {
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    for (int i = 0; i < ModeCount; ++i) {
        optColor[i] = new QRadioButton(this);
        optColor[i]->setObjectName(indexed("optColor", i));
    }
    for (int i = 0; i < MaxUsers + PriorityCount; ++i) {
        Label2[i] = new QLabel(this);
        Label2[i]->setObjectName(indexed("Label2", i));
        // User names come from the database: "<b>Boss</b>" is a name, not markup.
        Label2[i]->setTextFormat(Qt::PlainText);
    }
    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));

    auto* priorities = new QHBoxLayout;
    for (int i = 0; i < PriorityCount; ++i) {
        picPriority[i] = newColorBox(indexed("picPriority", i));
        priorities->addWidget(picPriority[i]);
        priorities->addWidget(Label2[MaxUsers + i]);
        Label2[MaxUsers + i]->setBuddy(picPriority[i]);
        priorities->addSpacing(12);
    }
    priorities->addStretch();

    userArea_ = new QWidget(this);
    userArea_->setObjectName(QStringLiteral("userArea"));
    auto* users = new QGridLayout(userArea_);
    users->setContentsMargins(0, 0, 0, 0);
    users->setAlignment(Qt::AlignTop);
    for (int k = 0; k < MaxUsers; ++k) {
        picColor[k] = newColorBox(indexed("picColor", k));
        const int row = k / UserColumns;
        const int column = (k % UserColumns) * 2;
        users->addWidget(picColor[k], row, column);
        users->addWidget(Label2[k], row, column + 1);
    }
    users->setColumnStretch(1, 1);
    users->setColumnStretch(3, 1);

    auto* frame1 = new QVBoxLayout(Frame1);
    frame1->addWidget(Label3);
    frame1->addWidget(optColor[0]);
    frame1->addLayout(priorities);
    frame1->addWidget(optColor[1]);
    frame1->addWidget(userArea_);
    frame1->addWidget(optColor[2]);
    frame1->addWidget(optColor[3]);

    Frame3 = new QGroupBox(this);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    picBgcolor = newColorBox(QStringLiteral("picBgcolor"));
    Label4 = new QLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    auto* frame3 = new QHBoxLayout(Frame3);
    frame3->addWidget(picBgcolor);
    frame3->addWidget(Label4);
    Label4->setBuddy(picBgcolor);
    frame3->addStretch();

    cmdOK = new QPushButton(this);
    cmdCancel = new QPushButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmColor::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmColor::reject);
    auto* buttons = buttonRow(cmdOK, cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(Frame3);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmColor::Form_Load(act::Users& users) {
    setWindowTitle(str(Caption::ChooseColors));
    Frame1->setTitle(strWithColon(Caption::ChooseColorCodedItems));
    optColor[0]->setText(str(Caption::ColorCodePriorities));
    optColor[1]->setText(str(Caption::ColorCodeUsers));
    optColor[2]->setText(str(Caption::ColorCodeNoneInBlack));
    optColor[3]->setText(str(Caption::ColorCodeNoneAsInAct));
    Label3->setText(str(Caption::DoubleClickToEditColor));
    Frame3->setTitle(strWithColon(Caption::ChooseColorFor));
    Label4->setText(str(Caption::DateBackground));
    for (int i = 0; i < PriorityCount; ++i)
        Label2[MaxUsers + i]->setText(str(Caption::High + i));
    cmdOK->setText(str(Caption::Ok));
    cmdCancel->setText(str(Caption::Cancel));

    listUsers(users);
    int userCount = 0;
    Procedure proc(Unit, QStringLiteral("Resize_Window"));
    proc.run([&] { userCount = users.Count(); });
    Resize_Window(userCount);
    loadSettings();
}

void frmColor::listUsers(act::Users& users) {
    Procedure proc(Unit, QStringLiteral("Form_Load"));
    QStringList names;
    proc.line(2);
    proc.run([&] {
        for (int n = 1; n <= users.Count(); ++n) {
            if (act::isListableUser(users, n))
                names << users.Name(n);
        }
    });
    proc.line(3);
    if (names.size() > MaxUsers) {
        messages().show(str(Caption::ColorCodeUserLimit) + QLatin1Char('\n') +
                            str(Caption::ContactSupportForMoreUsers),
                        app::Title);
        names.resize(MaxUsers);
    }
    proc.line(5);
    userNames_.clear();
    for (const QString& name : std::as_const(names)) {
        if (name.isEmpty())
            continue;
        // Named directly, not through a buddy label, which would take "&" in a name for a
        // shortcut mark.
        picColor[userNames_.size()]->setAccessibleName(name);
        Label2[userNames_.size()]->setText(name);
        userNames_ << name;
    }
    for (int k = 0; k < MaxUsers; ++k) {
        picColor[k]->setVisible(k < userNames_.size());
        Label2[k]->setVisible(k < userNames_.size());
    }
}

int frmColor::shrinkTwips(int userCount) {
    int twips = 0;
    for (int threshold : {13, 11, 9, 7, 5, 3}) {
        if (userCount < threshold)
            twips += UserRowTwips;
    }
    return twips;
}

void frmColor::Resize_Window(int userCount) {
    // Twips are 1/1440 inch, so they become pixels at the screen's resolution.
    const auto pixels = [this](int twips) { return twips * logicalDpiY() / TwipsPerInch; };
    auto* grid = static_cast<QGridLayout*>(userArea_->layout());
    const int usedRows = (int(userNames_.size()) + UserColumns - 1) / UserColumns;
    for (int row = 0; row < UserRows; ++row)
        grid->setRowMinimumHeight(row, row < usedRows ? pixels(UserRowTwips) : 0);
    userArea_->setFixedHeight(pixels(UserRows * UserRowTwips - shrinkTwips(userCount)));
}

void frmColor::loadSettings() {
    Procedure proc(Unit, QStringLiteral("Form_Load"));
    // Each key on its own: one unreadable value must not keep the others from showing.
    proc.line(5);
    userChosen_.fill(false);
    for (int k = 0; k < userNames_.size(); ++k) {
        setBoxColor(picColor[k], Qt::black);
        proc.run([&] { setBoxColor(picColor[k], storedColor(setting::userColor(userNames_[k]))); });
    }
    proc.line(8);
    for (int i = 0; i < PriorityCount; ++i) {
        const SettingKey priority = setting::priorityColor(i);
        setBoxColor(picPriority[i], defaultColor(priority));
        proc.run([&] {
            // Absent and black differ: only an absent key leaves the default.
            const QString stored = settings().GetSetting(priority.section, priority.key, QString());
            if (!stored.isEmpty())
                setBoxColor(picPriority[i], colorFromValue(convert::toInt32(stored)));
        });
    }
    proc.line(9);
    optColor[setting::ColorMode.defaultValue.toInt()]->setChecked(true);
    proc.run([&] {
        const int mode = convert::toInt16(settings().GetSetting(setting::ColorMode));
        if (mode < 0 || mode >= ModeCount)
            throw RuntimeError(
                340, QStringLiteral("Control array element '%1' doesn't exist").arg(mode));
        optColor[mode]->setChecked(true);
    });
    proc.line(10);
    setBoxColor(picBgcolor, defaultColor(setting::DateBackground));
    proc.run([&] { setBoxColor(picBgcolor, storedColor(setting::DateBackground)); });
}

bool frmColor::saveSettings() {
    Procedure proc(Unit, QStringLiteral("cmdOK_Click"));
    return proc.run([&] {
        SettingsStore& store = settings();
        proc.line(1);
        store.SaveSetting(setting::DateBackground, colorValue(boxColor(picBgcolor)));
        proc.line(2);
        for (int k = 0; k < userNames_.size(); ++k) {
            if (userChosen_[k])
                store.SaveSetting(setting::userColor(userNames_[k]),
                                  colorValue(boxColor(picColor[k])));
        }
        proc.line(3);
        for (int i = 0; i < PriorityCount; ++i)
            store.SaveSetting(setting::priorityColor(i), colorValue(boxColor(picPriority[i])));
        proc.line(4);
        for (int i = 0; i < ModeCount; ++i) {
            if (optColor[i]->isChecked())
                store.SaveSetting(setting::ColorMode, i);
        }
    });
}

void frmColor::cmdOK_Click() {
    if (saveSettings())
        accept();
}

bool frmColor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        // A thicker frame shows which box Enter or Space opens.
        static_cast<QFrame*>(watched)->setLineWidth(event->type() == QEvent::FocusIn ? 3 : 1);
        return false;
    }
    if (!opensPicker(event))
        return QDialog::eventFilter(watched, event);
    if (watched == picBgcolor)
        picBgcolor_DblClick();
    for (int i = 0; i < PriorityCount; ++i) {
        if (watched == picPriority[i])
            picPriority_DblClick(i);
    }
    for (int k = 0; k < MaxUsers; ++k) {
        if (watched == picColor[k])
            picColor_DblClick(k);
    }
    return true;
}

bool frmColor::pickColor(QFrame* box) {
    const std::optional<QColor> chosen = picker_(boxColor(box), this);
    if (!chosen || !chosen->isValid())
        return false;
    setBoxColor(box, *chosen);
    return true;
}

void frmColor::picPriority_DblClick(int index) {
    optColor[0]->setChecked(true);
    pickColor(picPriority[index]);
}

void frmColor::picColor_DblClick(int index) {
    optColor[1]->setChecked(true);
    if (pickColor(picColor[index]))
        userChosen_[index] = true;
}

void frmColor::picBgcolor_DblClick() {
    pickColor(picBgcolor);
}
