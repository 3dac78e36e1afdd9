#pragma once

#include <QString>
#include <array>

// The twenty fields the page can show. The index is at once the layout index (settings
// FieldCol/FieldOrder), the entry number within an activity in data.js and the position
// in this table.
struct CalendarField {
    int captionKey;     // string-table offset of the caption
    int showHideIndex;  // the Options/Field switch, -1 when always shown
    char defaultColumn; // 'A' to 'F'
};

inline constexpr int CalendarFieldCount = 20;

inline constexpr std::array<CalendarField, CalendarFieldCount> CalendarFields{{
    {97, -1, 'A'},  // type of activity
    {98, 15, 'B'},  // priority
    {99, -1, 'C'},  // time
    {63, 11, 'B'},  // alarm
    {64, 4, 'F'},   // regarding
    {65, 5, 'F'},   // details
    {101, -1, 'D'}, // contact
    {70, 3, 'D'},   // title
    {102, -1, 'D'}, // company
    {103, -1, 'E'}, // phone
    {67, 0, 'F'},   // street
    {68, 1, 'F'},   // city (with zip + state, show/hide 2)
    {58, 6, 'F'},   // fax
    {59, 7, 'F'},   // cellular
    {60, 8, 'F'},   // pager
    {61, 9, 'F'},   // e-mail
    {62, 10, 'F'},  // assistant
    {71, 13, 'F'},  // custom
    {100, 12, 'F'}, // scheduled for
    {183, 14, 'F'}, // also scheduled with
}};

// The field's default column letter, for a field number 0 to 19.
QString defaultColumn(int field);

// Stores the default column of field i as Layout/FieldCol<i>.
void saveCol(int field);
