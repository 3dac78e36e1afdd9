#pragma once

#include "shell/Captions.h"

#include <QString>
#include <array>

// The twenty fields the page can show. The index is at once the layout index (settings
// FieldCol/FieldOrder), the entry number within an activity in data.js and the position
// in this table.
struct CalendarField {
    Caption caption;
    int showHideIndex;     // the Options/Field switch, -1 when always shown
    char defaultColumn;    // 'A' to 'F'
    const char* pageClass; // the class of the field's text in the page
};

inline constexpr int CalendarFieldCount = 20;

inline constexpr std::array<CalendarField, CalendarFieldCount> CalendarFields{{
    {Caption::TypeOfActivity, -1, 'A', "type"},
    {Caption::Priority, 15, 'B', "priority"},
    {Caption::Time, -1, 'C', "time"},
    {Caption::Alarm, 11, 'B', "alarm"},
    {Caption::Regarding, 4, 'F', "regarding"},
    {Caption::Details, 5, 'F', "details"},
    {Caption::Contact, -1, 'D', "contact"},
    {Caption::Title, 3, 'D', "title"},
    {Caption::Company, -1, 'D', "company"},
    {Caption::Phone, -1, 'E', "phone"},
    {Caption::Street, 0, 'F', "address"},
    {Caption::City, 1, 'F', "city"}, // with zip + state, show/hide 2
    {Caption::Fax, 6, 'F', "fax"},
    {Caption::Cellular, 7, 'F', "cell"},
    {Caption::Pager, 8, 'F', "pager"},
    {Caption::Email, 9, 'F', "email"},
    {Caption::Assistant, 10, 'F', "assistant"},
    {Caption::Custom, 13, 'F', "custom"},
    {Caption::ScheduledFor, 12, 'F', "scheduledfor"},
    {Caption::AlsoScheduledWith, 14, 'F', "alsowith"},
}};

// The field's default column letter, for a field number 0 to 19.
QString defaultColumn(int field);

// Stores the default column of field i as Layout/FieldCol<i>.
void saveCol(int field);
