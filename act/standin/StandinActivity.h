#pragma once

#include "act/ActObjects.h"

#include <memory>
#include <optional>
#include <vector>

namespace act::standin {

class SqlConnection;
class StandinContact;

// The activity object: SetDateScope reads the scope's activities in visiting order (start,
// then identifier) and stands on the first. A new scope starts a new calendar, so it also
// has the contacts read again.
class StandinActivity : public Activity {
public:
    StandinActivity(std::shared_ptr<const SqlConnection> connection, StandinContact& contacts);
    ~StandinActivity() override;

    void SetDateScope(const QDate& first, const QDate& afterLast) override;
    void MoveFirst() override;
    void MoveNext() override;
    bool IsEOF() const override;
    QVariant Data(int field) const override;

    bool IsRecurring() const override;
    int recurringType() const override;
    int GetRecurringFrequency() const override;
    QDate GetRecurringUntilDate() const override;
    quint32 GetDaysOfMonthBits() const override;
    quint32 GetWeeksOfMonthBits() const override;
    quint32 GetDaysofWeekBits() const override;
    QList<QDate> ExceptionInfo() const override;

    QString FirstScheduledWith() override;
    QString NextScheduledWith() override;

    struct Record;

private:
    const Record& current() const;

    std::shared_ptr<const SqlConnection> connection_;
    StandinContact& contacts_;
    qint64 longestSpanMinutes_ = 0;
    std::vector<Record> records_;
    std::size_t position_ = 0;
    qsizetype scheduledWithPosition_ = 0;
};

} // namespace act::standin
