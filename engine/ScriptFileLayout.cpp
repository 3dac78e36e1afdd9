#include "ScriptFileLayout.h"

#include "CalendarField.h"

#include "shell/SettingsStore.h"

#include <algorithm>

namespace {

int storedWidth(int column) {
    const SettingKey entry = setting::columnWidth(column);
    const QString text = settings().GetSetting(entry.section, entry.key, QString());
    bool ok = false;
    const int width = text.trimmed().toInt(&ok);
    return ok && width >= 0 && width <= 100 ? width : entry.defaultValue.toInt();
}

int storedColumn(int field) {
    const QString text = settings().GetSetting(setting::fieldColumn(field));
    const QString letter = text.trimmed().toUpper();
    if (letter.size() == 1 && letter[0] >= QLatin1Char('A') && letter[0] <= QLatin1Char('F'))
        return letter[0].unicode() - 'A';
    return CalendarFields[field].defaultColumn - 'A';
}

int storedOrder(int field) {
    const SettingKey entry = setting::fieldOrder(field);
    const QString text = settings().GetSetting(entry.section, entry.key, QString());
    bool ok = false;
    const short order = text.trimmed().toShort(&ok);
    return ok ? order : entry.defaultValue.toInt();
}

bool headerOn() {
    const QString text = settings().GetSetting(setting::Header);
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return !ok || value == 1;
}

} // namespace

ScriptFileLayout readScriptFileLayout() {
    ScriptFileLayout layout;
    layout.header = headerOn();
    for (int c = 0; c < ScriptFileLayout::Columns; ++c)
        layout.widths[c] = storedWidth(c);
    std::array<int, ScriptFileLayout::Fields> orders{};
    for (int i = 0; i < ScriptFileLayout::Fields; ++i) {
        layout.columns[i] = storedColumn(i);
        orders[i] = storedOrder(i);
    }
    // Shared or missing numbers must not lose a field: equal numbers keep index order.
    for (int i = 1; i < ScriptFileLayout::Fields; ++i)
        layout.textFieldOrder.append(i);
    std::stable_sort(layout.textFieldOrder.begin(), layout.textFieldOrder.end(),
                     [&](int a, int b) { return orders[a] < orders[b]; });
    return layout;
}
