#pragma once

#include "shell/Captions.h"

#include <QString>
#include <array>

// The twenty fields the page can show. The index is at once the layout index (settings
// FieldCol/FieldOrder), the entry number within an activity in data.js and the position
// in this table.
struct CalendarField {
    Caption caption;
    int showHideIndex;  // the Options/Field switch, -1 when always shown
    char defaultColumn; // 'A' to 'F'
};

inline constexpr int CalendarFieldCount = 20;

inline constexpr std::array<CalendarField, CalendarFieldCount> CalendarFields{{
    {Caption::TypeOfActivity, -1, 'A'},
    {Caption::Priority, 15, 'B'},
    {Caption::Time, -1, 'C'},
    {Caption::Alarm, 11, 'B'},
    {Caption::Regarding, 4, 'F'},
    {Caption::Details, 5, 'F'},
    {Caption::Contact, -1, 'D'},
    {Caption::Title, 3, 'D'},
    {Caption::Company, -1, 'D'},
    {Caption::Phone, -1, 'E'},
    {Caption::Street, 0, 'F'},
    {Caption::City, 1, 'F'}, // with zip + state, show/hide 2
    {Caption::Fax, 6, 'F'},
    {Caption::Cellular, 7, 'F'},
    {Caption::Pager, 8, 'F'},
    {Caption::Email, 9, 'F'},
    {Caption::Assistant, 10, 'F'},
    {Caption::Custom, 13, 'F'},
    {Caption::ScheduledFor, 12, 'F'},
    {Caption::AlsoScheduledWith, 14, 'F'},
}};

// The field's default column letter, for a field number 0 to 19.
QString defaultColumn(int field);

// Stores the default column of field i as Layout/FieldCol<i>.
void saveCol(int field);
