#pragma once

#include <QString>
#include <array>

// One stored setting: the section and key it is kept under and the text that stands for it
// while nothing is stored.
struct SettingKey {
    QString section;
    QString key;
    QString defaultValue;
};

// Every setting Daywise keeps, spelled here and nowhere else: the dialog that edits a
// setting and the code that uses it both go through its entry.
namespace setting {

namespace section {
inline const QString Settings = QStringLiteral("Settings");
inline const QString Options = QStringLiteral("Options");
inline const QString Filter = QStringLiteral("Filter");
inline const QString Email = QStringLiteral("Email");
inline const QString Colors = QStringLiteral("Colors");
inline const QString Layout = QStringLiteral("Layout");
inline const QString Integration = QStringLiteral("Integration");
} // namespace section

inline SettingKey entry(const QString& section, const QString& key, int defaultValue) {
    return {section, key, QString::number(defaultValue)};
}

inline SettingKey entry(const QString& section, const QString& key) {
    return {section, key, QString()};
}

// The main window: the first-run mark and the range it restores. A missing date is today.
inline const SettingKey Installed = entry(section::Settings, QStringLiteral("Installed"), 0);
inline const SettingKey RangeOption = entry(section::Settings, QStringLiteral("RangeOption"), 0);
inline const SettingKey StartDate = entry(section::Settings, QStringLiteral("StartDate"));
inline const SettingKey EndDate = entry(section::Settings, QStringLiteral("EndDate"));
// RangeOption's values: a week or a month from the start, or the stored dates. Any other
// value reads as a week.
inline constexpr qint16 RangeWeek = 0;
inline constexpr qint16 RangeMonth = 1;
inline constexpr qint16 RangeCustom = 2;

// 0 English, 1 French.
inline const SettingKey Language = entry(section::Options, QStringLiteral("Language"), 0);

// Show/Hide Fields: field and label switches, the custom field's id, "myself" and the title.
inline SettingKey field(int index) {
    const bool shown = index == 4 || index == 15;
    return entry(section::Options, QStringLiteral("Field%1").arg(index), shown ? 1 : 0);
}
inline SettingKey label(int index) {
    return entry(section::Options, QStringLiteral("Label%1").arg(index));
}
// Stored for a label the user emptied, as opposed to no label stored (the default label).
inline const QString NoLabel = QStringLiteral("None");
inline const SettingKey Custom = entry(section::Options, QStringLiteral("Custom"), 0);
inline const SettingKey Myself = entry(section::Options, QStringLiteral("Myself"), 0);
inline const SettingKey MyselfText = entry(section::Options, QStringLiteral("Myselftext"));
inline const SettingKey Header = entry(section::Options, QStringLiteral("Header"), 1);
inline const SettingKey HeaderText = entry(section::Options, QStringLiteral("HeaderText"));

// Filter: activity types 0 call, 1 meeting, 2 to-do; cleared ones; whose activities.
inline SettingKey filterType(int type) {
    return entry(section::Filter, QStringLiteral("Type%1").arg(type), type < 2 ? 1 : 0);
}
inline const SettingKey Cleared = entry(section::Filter, QStringLiteral("Cleared"), 1);
inline const SettingKey Users{section::Filter, QStringLiteral("Users"), QStringLiteral("Me")};
inline const QString UsersMe = QStringLiteral("Me");
inline const QString UsersMeAnd = QStringLiteral("MeAnd");
inline const QString UsersAll = QStringLiteral("All");
// The other users' ids side by side, and their names as the calendar's title shows them.
inline const SettingKey SelUsers = entry(section::Filter, QStringLiteral("SelUsers"));
inline const SettingKey SelNames = entry(section::Filter, QStringLiteral("SelNames"));
inline const QString AllUsersNames = QStringLiteral("All Users");

// E-mail links and the message they start.
inline const SettingKey EmailActive = entry(section::Email, QStringLiteral("Active"), 0);
inline const SettingKey EmailSubject = entry(section::Email, QStringLiteral("Subject"));
inline const SettingKey EmailBody = entry(section::Email, QStringLiteral("Body"));

// Colours as 0xBBGGRR numbers. Mode 0 by priority, 1 by user, 2 none; each user's colour is
// kept under the user's name.
inline const SettingKey ColorMode = entry(section::Colors, QStringLiteral("ColorDefault"), 2);
inline SettingKey priorityColor(int priority) {
    constexpr std::array<int, 3> defaults{255, 0xFF0000, 0};
    return entry(section::Colors, QStringLiteral("PriorityColor%1").arg(priority),
                 defaults.at(std::size_t(priority)));
}
inline SettingKey userColor(const QString& userName) {
    return entry(section::Colors, userName, 0);
}
inline const SettingKey DateBackground = entry(section::Colors, QStringLiteral("bgColor"), 52479);

// Layout: the six columns' widths, and each field's column letter and place. A missing
// column is the field's own default column, which the field table holds.
inline SettingKey columnWidth(int column) {
    constexpr std::array<int, 6> defaults{3, 6, 15, 24, 15, 37};
    return entry(section::Layout, QStringLiteral("Width%1").arg(column),
                 defaults.at(std::size_t(column)));
}
inline SettingKey fieldColumn(int field) {
    return entry(section::Layout, QStringLiteral("FieldCol%1").arg(field));
}
inline SettingKey fieldOrder(int field) {
    return entry(section::Layout, QStringLiteral("FieldOrder%1").arg(field), field + 1);
}

// 1 when Create opens the page in the outside browser.
inline const SettingKey OpenInBrowser = entry(section::Integration, QStringLiteral("IE"), 1);

} // namespace setting
