#pragma once

// ACT!'s numbers for the activity object (ActObjects.h): the fields Activity::Data reads,
// the activity types field Type holds, and the kinds recurringType gives.
namespace act {

namespace ActivityField {
inline constexpr int Id = 1;
inline constexpr int Type = 25;
inline constexpr int Priority = 26;
inline constexpr int Regarding = 27;
inline constexpr int Start = 28;
inline constexpr int End = 29;
inline constexpr int Duration = 30;     // minutes, as qint64
inline constexpr int Timeless = 31;     // empty text when the activity has no mark
inline constexpr int AlarmLead = 32;    // minutes before the start
inline constexpr int Alarm = 33;        // 1 when an alarm is set
inline constexpr int Color = 34;        // a Windows colour
inline constexpr int ScheduledFor = 37; // the user's own contact id
inline constexpr int Contact = 40;      // the main contact's id
inline constexpr int Cleared = 41;      // 1 when done
inline constexpr int Details = 45;
inline constexpr int PeopleCount = 100; // how many the activity is scheduled with
} // namespace ActivityField

namespace ActivityType {
inline constexpr int Call = 0;
inline constexpr int Meeting = 1;
inline constexpr int ToDo = 2;
inline constexpr int Count = 3;
} // namespace ActivityType

namespace RecurrenceKind {
inline constexpr int Daily = 1;
inline constexpr int Weekly = 2;
inline constexpr int MonthlyOnDays = 3;  // on given days of the month
inline constexpr int MonthlyOnWeeks = 4; // on given week days of given weeks
} // namespace RecurrenceKind

} // namespace act
