#include "frmLayout.h"

#include "PlainButton.h"
#include "engine/CalendarField.h"
#include "shell/AppInfo.h"
#include "shell/Conversions.h"
#include "shell/ErrorReport.h"
#include "shell/Messages.h"
#include "shell/SettingsStore.h"
#include "shell/StringTable.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QVBoxLayout>
#include <span>

namespace {

const QString Unit = QStringLiteral("frmLayout");

constexpr QChar Backspace(u'\b');

// A row of the field grid: the field's boxes and the label beside them, whose index
// differs from the field's.
struct FieldRow {
    int field;
    int label;
};

constexpr std::array<FieldRow, 9> LeftRows{
    {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {18, 6}, {19, 19}, {17, 7}}};
constexpr std::array<FieldRow, 11> RightRows{{{6, 8},
                                              {7, 9},
                                              {8, 10},
                                              {9, 11},
                                              {10, 12},
                                              {11, 13},
                                              {12, 14},
                                              {13, 15},
                                              {14, 16},
                                              {15, 17},
                                              {16, 18}}};

// The numbers shown when nothing is stored, and those Restore puts back: they differ only in
// whether Custom or Scheduled For comes first.
constexpr std::array<int, frmLayout::FieldCount> InitialOrders{
    1, 2, 3, 4, 9, 10, 5, 6, 7, 8, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
constexpr std::array<int, frmLayout::FieldCount> RestoreOrders{
    1, 2, 3, 4, 9, 10, 5, 6, 7, 8, 11, 12, 13, 14, 15, 16, 17, 19, 18, 20};

// 1 belongs to the type of activity, which always comes first; the last field holds 20.
constexpr int FirstMovableNumber = 2;
constexpr int HighestTypedNumber = 19;

QString indexed(const char* name, int index) {
    return QString::fromLatin1(name) + QString::number(index);
}

} // namespace

frmLayout::frmLayout(QWidget* parent)
    : QDialog(parent) {
    setObjectName(Unit);
    setModal(true);
    buildWindow();
    Form_Load();
}

QLineEdit* frmLayout::newBox(BoxKind kind, int index, const QString& name) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    // Typed keys go through the key filters; the validators keep pasted text to the same set.
    const QString pattern =
        kind == BoxKind::Column ? QStringLiteral("[A-F]*") : QStringLiteral("[0-9]*");
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
    edit->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    edit->installEventFilter(this);
    boxes_.insert(edit, {kind, index});
    return edit;
}

void frmLayout::buildWindow() {
    Frame2 = new QGroupBox(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    for (int n = 0; n < 4; ++n) {
        Label2[n] = new QLabel(this);
        Label2[n]->setObjectName(indexed("Label2", n));
    }
    auto* halves = new QHBoxLayout(Frame2);
    auto addHalf = [&](auto rows, QLabel* colHeading, QLabel* numberHeading) {
        auto* grid = new QGridLayout;
        grid->addWidget(colHeading, 0, 1);
        grid->addWidget(numberHeading, 0, 2);
        int line = 1;
        for (const FieldRow& row : rows) {
            lblField[row.label] = new QLabel(this);
            lblField[row.label]->setObjectName(indexed("lblField", row.label));
            txtCol[row.field] = newBox(BoxKind::Column, row.field, indexed("txtCol", row.field));
            txtNb[row.field] = newBox(BoxKind::Number, row.field, indexed("txtNb", row.field));
            grid->addWidget(lblField[row.label], line, 0);
            grid->addWidget(txtCol[row.field], line, 1);
            grid->addWidget(txtNb[row.field], line, 2);
            ++line;
        }
        grid->setRowStretch(line, 1);
        halves->addLayout(grid);
    };
    addHalf(LeftRows, Label2[0], Label2[2]);
    halves->addSpacing(24);
    addHalf(RightRows, Label2[1], Label2[3]);

    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setWordWrap(true);

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* widths = new QGridLayout(Frame1);
    for (int n = 0; n < ColumnCount; ++n) {
        lblColumn[n] = new QLabel(this);
        lblColumn[n]->setObjectName(indexed("lblColumn", n));
        txtWidth[n] = newBox(BoxKind::Width, n, indexed("txtWidth", n));
        lblColumn[n]->setBuddy(txtWidth[n]);
        Label1[n] = new QLabel(QStringLiteral("%"), this);
        Label1[n]->setObjectName(indexed("Label1", n));
        const int row = n % 3;
        const int column = (n / 3) * 3;
        widths->addWidget(lblColumn[n], row, column);
        widths->addWidget(txtWidth[n], row, column + 1);
        widths->addWidget(Label1[n], row, column + 2);
    }

    cmdRestore = plainButton(QStringLiteral("cmdRestore"), this);
    cmdOK = plainButton(QStringLiteral("cmdOK"), this);
    cmdCancel = plainButton(QStringLiteral("cmdCancel"), this);
    connect(cmdOK, &QPushButton::clicked, this, &frmLayout::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLayout::reject);
    connect(cmdRestore, &QPushButton::clicked, this, &frmLayout::cmdRestore_Click);

    auto* buttons = buttonRow(cmdOK, cmdCancel);
    buttons->insertWidget(0, cmdRestore);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame2);
    layout->addWidget(Label3);
    layout->addWidget(Frame1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmLayout::Form_Load() {
    setWindowTitle(str(Caption::DesignLayout));
    Frame1->setTitle(strWithColon(Caption::ColumnWidths));
    Frame2->setTitle(strWithColon(Caption::EnterColumnAndOrder));
    for (int n = 0; n < ColumnCount; ++n)
        lblColumn[n]->setText(str(Caption::Column) + QLatin1Char(' ') + QChar(u'A' + n));
    Label2[0]->setText(str(Caption::ColumnShort));
    Label2[1]->setText(str(Caption::ColumnShort));
    Label2[2]->setText(str(Caption::OrderNumber));
    Label2[3]->setText(str(Caption::OrderNumber));
    for (const auto& rows :
         {std::span<const FieldRow>(LeftRows), std::span<const FieldRow>(RightRows)})
        for (const FieldRow& row : rows) {
            const QString field = strWithColon(CalendarFields[row.field].caption);
            lblField[row.label]->setText(field);
            txtCol[row.field]->setAccessibleName(field + QLatin1Char(' ') + str(Caption::Column));
            txtNb[row.field]->setAccessibleName(field + QLatin1Char(' ') +
                                                str(Caption::OrderNumber));
        }
    Label3->setText(str(Caption::ColumnAndOrderExplained));
    cmdOK->setText(str(Caption::Ok));
    cmdCancel->setText(str(Caption::Cancel));
    cmdRestore->setText(str(Caption::RestoreDefaults));
    loadSettings();
}

void frmLayout::showDefaults(const std::array<int, FieldCount>& orders) {
    for (int i = 0; i < FieldCount; ++i) {
        txtCol[i]->setText(defaultColumn(i));
        txtNb[i]->setText(QString::number(orders[i]));
    }
    for (int n = 0; n < ColumnCount; ++n)
        txtWidth[n]->setText(setting::columnWidth(n).defaultValue);
}

void frmLayout::loadSettings() {
    showDefaults(InitialOrders);
    Procedure proc(Unit, QStringLiteral("Form_Load"));
    const SettingsStore& store = settings();
    // Each key on its own: one unreadable value must not keep the others from showing.
    proc.line(2);
    for (int n = 0; n < ColumnCount; ++n) {
        proc.run([&] {
            const SettingKey width = setting::columnWidth(n);
            const QString stored = store.GetSetting(width.section, width.key, -1);
            if (convert::toNumber(stored) != -1)
                txtWidth[n]->setText(stored);
        });
    }
    proc.line(3);
    for (int i = 0; i < FieldCount; ++i) {
        const SettingKey columnKey = setting::fieldColumn(i);
        const QString column = store.GetSetting(columnKey.section, columnKey.key, -1);
        if (column != QLatin1String("-1"))
            txtCol[i]->setText(column);
        proc.run([&] {
            const SettingKey order = setting::fieldOrder(i);
            const QString stored = store.GetSetting(order.section, order.key, -1);
            if (convert::toNumber(stored) != -1)
                txtNb[i]->setText(stored);
        });
    }
}

bool frmLayout::saveSettings() {
    Procedure proc(Unit, QStringLiteral("cmdOK_Click"));
    return proc.run([&] {
        SettingsStore& store = settings();
        proc.line(1);
        for (int n = 0; n < ColumnCount; ++n) {
            if (!txtWidth[n]->text().isEmpty())
                store.SaveSetting(setting::columnWidth(n), txtWidth[n]->text());
        }
        proc.line(2);
        for (int i = 0; i < FieldCount; ++i) {
            if (!txtCol[i]->text().isEmpty())
                store.SaveSetting(setting::fieldColumn(i), txtCol[i]->text());
            store.SaveSetting(setting::fieldOrder(i), txtNb[i]->text());
        }
    });
}

void frmLayout::cmdOK_Click() {
    // OK pressed through its access key leaves the focus in the box being edited, so that
    // box's change is settled here.
    if (const auto box = boxes_.constFind(focusWidget()); box != boxes_.cend())
        lostFocus(static_cast<QLineEdit*>(box.key()), *box, true);
    if (saveSettings())
        accept();
}

void frmLayout::cmdRestore_Click() {
    showDefaults(RestoreOrders);
    if (QWidget* focused = focusWidget(); boxes_.contains(focused))
        previous_ = static_cast<const QLineEdit*>(focused)->text();
}

void frmLayout::done(int result) {
    closing_ = true;
    QDialog::done(result);
}

bool frmLayout::eventFilter(QObject* watched, QEvent* event) {
    const auto box = boxes_.constFind(watched);
    if (box == boxes_.cend() || closing_)
        return QDialog::eventFilter(watched, event);
    auto* edit = static_cast<QLineEdit*>(watched);
    switch (event->type()) {
    case QEvent::KeyPress:
        return filterKey(*box, edit, static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        // Another window taking the focus (a message, a menu) does not end the edit.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            break;
        if (event->type() == QEvent::FocusIn) {
            gotFocus(edit);
        } else {
            const QWidget* next = QApplication::focusWidget();
            lostFocus(edit, *box, next == cmdOK || next == cmdCancel || next == cmdRestore);
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

bool frmLayout::filterKey(const BoxRef& box, QLineEdit* edit, QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return true;
    const QString text = event->text();
    if (text.size() != 1 || !text[0].isPrint() ||
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const QChar typed = text[0];
    QChar kept = Backspace;
    switch (box.kind) {
    case BoxKind::Column:
        kept = txtCol_KeyPress(typed);
        break;
    case BoxKind::Number:
        kept = txtNb_KeyPress(typed);
        break;
    case BoxKind::Width:
        kept = txtWidth_KeyPress(typed);
        break;
    }
    if (kept == typed)
        return false;
    if (kept == Backspace)
        edit->backspace();
    else
        edit->insert(kept);
    return true;
}

// The key filters keep the characters a box accepts; any other key works as Backspace.
QChar frmLayout::txtCol_KeyPress(QChar typed) {
    if (typed >= u'a' && typed <= u'f')
        typed = typed.toUpper();
    return typed >= u'A' && typed <= u'F' ? typed : Backspace;
}

QChar frmLayout::txtNb_KeyPress(QChar typed) {
    return typed >= u'1' && typed <= u'9' ? typed : Backspace;
}

QChar frmLayout::txtWidth_KeyPress(QChar typed) {
    return typed >= u'0' && typed <= u'9' ? typed : Backspace;
}

void frmLayout::gotFocus(QLineEdit* edit) {
    previous_ = edit->text();
}

void frmLayout::lostFocus(QLineEdit* edit, const BoxRef& box, bool quiet) {
    switch (box.kind) {
    case BoxKind::Column:
        txtCol_LostFocus(box.index, quiet);
        break;
    case BoxKind::Number:
        txtNb_LostFocus(box.index, quiet);
        break;
    case BoxKind::Width:
        txtWidth_LostFocus(box.index, quiet);
        break;
    }
    // The change is settled: leaving the box again without an edit changes nothing more.
    previous_ = edit->text();
}

void frmLayout::txtCol_LostFocus(int index, bool quiet) {
    const QString text = txtCol[index]->text();
    if (text != previous_ && text.size() > 1)
        complain(txtCol[index], str(Caption::ColumnNotAToF), quiet);
}

void frmLayout::txtWidth_LostFocus(int index, bool quiet) {
    const QString text = txtWidth[index]->text();
    if (text == previous_ || text.isEmpty())
        return;
    bool ok = false;
    const int width = text.toInt(&ok);
    if (!ok || width > 100) // only digits get in, so a failed conversion is a huge number
        complain(txtWidth[index], str(Caption::PercentTooHigh), quiet);
}

void frmLayout::txtNb_LostFocus(int index, bool quiet) {
    QLineEdit* edit = txtNb[index];
    bool ok = false;
    const int number = edit->text().toInt(&ok);
    if (!ok || number < FirstMovableNumber)
        edit->setText(previous_);
    if (edit->text() == previous_)
        return;
    if (number > HighestTypedNumber) {
        // Shifting the others by such a number would leave a gap the calendar cannot lay out.
        edit->setText(previous_);
        complain(edit, QStringLiteral("Value cannot be higher 19!"), quiet);
        return;
    }
    Reorder(index);
}

void frmLayout::complain(QLineEdit* edit, const QString& text, bool quiet) {
    if (quiet)
        return;
    messages().show(text, app::Title);
    // Given back once the focus change under way has finished.
    QTimer::singleShot(0, edit, [edit] { edit->setFocus(Qt::OtherFocusReason); });
}

void frmLayout::Reorder(int i) {
    bool newOk = false;
    bool oldOk = false;
    const int newNumber = txtNb[i]->text().toInt(&newOk);
    const int oldNumber = previous_.toInt(&oldOk);
    if (!newOk || !oldOk)
        return;
    const bool up = newNumber < oldNumber;
    const int low = up ? newNumber : oldNumber + 1;
    const int high = up ? oldNumber - 1 : newNumber;
    const int step = up ? 1 : -1;
    // Every other field takes part, the last one too, so no two fields share a number.
    for (int j = 0; j < FieldCount; ++j) {
        bool ok = false;
        const int number = txtNb[j]->text().toInt(&ok);
        if (j != i && ok && number >= low && number <= high)
            txtNb[j]->setText(QString::number(number + step));
    }
}
