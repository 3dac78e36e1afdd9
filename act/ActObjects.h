#pragma once

#include "shell/RuntimeError.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>
#include <memory>

// Daywise's view of ACT!'s automation objects: the members Daywise calls, with their
// argument orders, and nothing more. A failing call throws RuntimeError, as an automation
// call raises a run-time error; DatabaseError when the database cannot be read. Date-times are
// wall-clock readings in Qt::UTC, never converted between zones.
namespace act {

// The database itself could not be read (a damaged file, a failing disk), as opposed to one
// field ACT! cannot give: nothing read after it can be trusted.
class DatabaseError : public RuntimeError {
public:
    explicit DatabaseError(const QString& what)
        : RuntimeError(fileAccess(what)) {}
};

// The activity object: a cursor over the activities of a date scope.
class Activity {
public:
    virtual ~Activity() = default;

    // Keeps the activities that can occur in [first, afterLast): single ones whose time
    // overlaps it, recurring ones that start before afterLast and run until first or later.
    virtual void SetDateScope(const QDate& first, const QDate& afterLast) = 0;
    virtual void MoveFirst() = 0;
    virtual void MoveNext() = 0;
    virtual bool IsEOF() const = 0;

    // Field n of the current activity: text fields as QString, 28 and 29 as QDateTime,
    // numbers as int but the duration (30) as qint64; 31 (timeless) is an empty QString when the
    // activity has no mark. An unknown field number gives an empty QString.
    virtual QVariant Data(int field) const = 0;

    virtual bool IsRecurring() const = 0;
    virtual int recurringType() const = 0;
    virtual int GetRecurringFrequency() const = 0;
    virtual QDate GetRecurringUntilDate() const = 0;
    virtual quint32 GetDaysOfMonthBits() const = 0;  // day d at bit d - 1
    virtual quint32 GetWeeksOfMonthBits() const = 0; // week w at bit w - 1, 5 = last
    virtual quint32 GetDaysofWeekBits() const = 0;   // 1 = Sunday ... 7 = Saturday at bit d - 1
    // ExceptionInfo: the dates on which an occurrence is cancelled (Value(i) is element i - 1).
    virtual QList<QDate> ExceptionInfo() const = 0;

    // The people the activity is scheduled with, in order; empty text after the last.
    virtual QString FirstScheduledWith() = 0;
    virtual QString NextScheduledWith() = 0;
};

// The contact field list: positions from 0, ids, labels.
class ContactFields {
public:
    virtual ~ContactFields() = default;
    virtual int Count() const = 0;
    virtual int Id(int position) const = 0; // -1 for a position that holds no field
    virtual QString Label(int id) const = 0;
    virtual int FieldID(const QString& label) const = 0; // -1 when no field has that label
};

// The contact object: a current contact record.
class Contact {
public:
    virtual ~Contact() = default;
    virtual void LookupMyRecord() = 0;
    virtual void SetQuery(const QString& query) = 0;
    virtual void Execute() = 0;
    // Makes the contact current; false (and no current contact) when there is none.
    virtual bool GoTo(const QString& id) = 0;
    virtual QString Data(int field) const = 0; // empty text without a current contact
    virtual const ContactFields& fields() const = 0;
};

// The users of the database; i runs from 1 to Count().
class Users {
public:
    virtual ~Users() = default;
    virtual int Count() const = 0;
    virtual int Access(int i) const = 0;
    virtual int Security(int i) const = 0;
    virtual QString UniqueId(int i) const = 0;
    virtual QString Name(int i) const = 0;
    virtual QString CurrentUserID() const = 0;
};

// A view of ACT!'s screens that shows Daywise's page.
class View {
public:
    virtual ~View() = default;
    virtual void Refresh() = 0;
};

// What FindExplorerView looks for: the contact-screen tab or the view-bar view.
namespace ViewKind {
inline constexpr int Tab = 100;
inline constexpr int ViewBar = 7;
} // namespace ViewKind

class Views {
public:
    virtual ~Views() = default;
    // GetLastError() is 0 only when the view was found, and then the result is not null.
    virtual std::unique_ptr<View> FindExplorerView(const QString& name, int kind) = 0;
    virtual int GetLastError() const = 0;
};

// ACT!'s external commands and their toolbar and Tools-menu placements (views 1 to 6).
class AuxCommands {
public:
    virtual ~AuxCommands() = default;
    virtual int AuxCommandExists(const QString& name) const = 0;
    virtual int AddAuxCommand(const QString& name, const QString& programFile,
                              const QString& programFolder, const QString& title,
                              const QString& toolTip, const QString& iconFile,
                              const QString& largeIconFile, int flags) = 0;
    virtual int AuxCommandExistsInToolbar(int view, const QString& name) const = 0;
    virtual int AuxCommandExistsInToolsMenu(int view, const QString& name) const = 0;
    virtual int AddAuxCommandToToolbar(int view, const QString& name) = 0;
    virtual int RemoveAuxCommandFromToolbar(int view, const QString& name) = 0;
    virtual int AddAuxCommandToToolsMenu(int view, const QString& name) = 0;
    virtual int RemoveAuxCommandFromToolsMenu(int view, const QString& name) = 0;
    virtual void DeleteAuxCommand(const QString& name) = 0;
};

class Database {
public:
    virtual ~Database() = default;
    virtual void OpenEx(const QString& path) = 0;
    virtual void PhoneFormatting(int mode) = 0;
    virtual void Close() = 0;
    virtual QString GetDatabasePath() const = 0;
    virtual QString CurrentUser() const = 0;
    virtual Activity& activity() = 0;
    virtual Contact& contact() = 0;
    virtual Users& users() = 0;
};

// The Command that closes ACT!.
inline constexpr int CloseActCommand = 150;

class Application {
public:
    virtual ~Application() = default;
    virtual void OpenFile(const QString& path) = 0;
    virtual bool IsDBOpen() const = 0;
    virtual QString GetAppPath() const = 0; // ACT!'s program folder, no trailing separator
    virtual void Command(int number) = 0;
    virtual std::unique_ptr<Database> database() = 0;
    virtual Views& views() = 0;
    virtual std::unique_ptr<AuxCommands> auxCommands() = 0;
};

} // namespace act
