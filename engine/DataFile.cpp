#include "DataFile.h"

#include "ActivitySelection.h"
#include "AtomicTextFile.h"
#include "DateTexts.h"
#include "EmailLink.h"
#include "TextRules.h"
#include "shell/AppInfo.h"
#include "shell/ProgramState.h"
#include "shell/SettingsStore.h"
#include "shell/StringTable.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <future>
#include <iterator>

namespace {

constexpr int FieldsPerActivity = 22;

QString quoted(const QString& name, const QString& value) {
    return name + QLatin1String("='") + value + QLatin1String("';");
}

QString dayText(const QDate& day) {
    return QStringLiteral("%1 %2 %3").arg(day.year()).arg(day.month()).arg(day.day());
}

// The users the calendar shows, as the Filter dialog described the choice.
QString usersCaption(const QString& chosen) {
    if (chosen == setting::AllUsersNames)
        return Check(str(Caption::AllUsers));
    if (chosen.isEmpty())
        return Check(htmlText(CurrentUserName));
    return Check(htmlText(CurrentUserName + QLatin1String(", ") + chosen));
}

// Fills a line whose greatest length is known beforehand, piece by piece, without the
// checks and temporaries of QString's appending: data.js has over twenty pieces a row.
class LineWriter {
public:
    explicit LineWriter(qsizetype capacity)
        : line_(capacity, Qt::Uninitialized)
        , at_(line_.data()) {}

    void put(QStringView text) { at_ = std::copy(text.begin(), text.end(), at_); }
    void put(QLatin1String text) {
        for (const char c : text)
            *at_++ = QLatin1Char(c);
    }
    void put(qint64 number) {
        char digits[24];
        const char* end = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
        put(QLatin1String(digits, end - digits));
    }
    QString take() {
        line_.truncate(at_ - line_.constData());
        return std::move(line_);
    }

private:
    QString line_;
    QChar* at_;
};

// The data.js lines of the rows shown at positions from to to - 1, in UTF-8.
QByteArray rowLines(const GenerationState& state, const SortResult& sorted, qsizetype from,
                    qsizetype to) {
    QByteArray lines;
    for (qsizetype k = from; k < to; ++k) {
        lines += FilePrint(state.ActivityRows[sorted.order[k]], state, k).toUtf8();
        lines += "\r\n";
    }
    return lines;
}

} // namespace

QString FilePrint(const ActivityRow& row, const GenerationState& state, qsizetype position) {
    const QString email = state.EmailLinks ? CompleteEmail(row, state) : row.EmailText;
    const QString* entries[FieldsPerActivity] = {
        &row.TypeCode,      &row.PriorityText, &row.TimeText,         &row.AlarmText,
        &row.RegardingText, &row.DetailsText,  &row.ContactText,      &row.TitleText,
        &row.CompanyText,   &row.PhoneText,    &row.AddressText,      &row.CityText,
        &row.FaxText,       &row.CellularText, &row.PagerText,        &email,
        &row.AssistantText, &row.CustomText,   &row.ScheduledForText, &row.AlsoWithText,
        &row.RecurringFlag, &row.ColorText,
    };
    constexpr qsizetype LongestFrame = 40; // Activities[n]='...'; around each entry
    qsizetype size = 0;
    for (const QString* entry : entries)
        size += entry->size() + LongestFrame;
    LineWriter line(size);
    const qint64 first = qint64(position) * FieldsPerActivity;
    for (int j = 0; j < FieldsPerActivity; ++j) {
        line.put(QLatin1String("Activities["));
        line.put(first + j);
        line.put(QLatin1String("]='"));
        line.put(*entries[j]);
        line.put(QLatin1String("';"));
    }
    return line.take();
}

void CreateDataFile(const QString& path, const GenerationState& state, const SortResult& sorted,
                    StagedFiles* together) {
    AtomicTextFile file(path, together);
    // Chromium then compiles Read() while the file loads, instead of parsing it twice: a
    // month of a large database shows half a second sooner.
    file.writeLine(QStringLiteral("//# allFunctionsCalledOnLoad"));
    file.writeLine(QStringLiteral("function Read(){"));
    file.writeLine(quoted(QStringLiteral("Version"), app::versionText()));
    file.writeLine(quoted(QStringLiteral("Header"), Check(state.HeaderText)));
    file.writeLine(quoted(QStringLiteral("Users"), usersCaption(state.ChosenUserNames)));
    // The type names are the program's own captions, stored ready for a script string.
    file.writeLine(quoted(QStringLiteral("Activitytype"), state.EnabledTypeNames));
    file.writeLine(quoted(QStringLiteral("Fdaydate"), dayText(state.FirstDay)));
    file.writeLine(quoted(QStringLiteral("Ldaydate"), dayText(state.LastDay)));
    file.writeLine(
        quoted(QStringLiteral("Fmonthmmm"), Check(monthName(state.FirstDay.month()).left(3))));
    file.writeLine(
        quoted(QStringLiteral("Lmonthmmm"), Check(monthName(state.LastDay.month()).left(3))));
    file.writeLine(QStringLiteral("Nbfields=%1;").arg(FieldsPerActivity));
    file.writeLine(QStringLiteral("Nbdays=%1;").arg(sorted.dayCounts.size()));
    file.writeLine(QStringLiteral("Day=new Array(Nbdays);"));
    file.writeLine(QStringLiteral("Nbactivities=new Array(Nbdays);"));
    for (qsizetype i = 0; i < sorted.dayCounts.size(); ++i) {
        const QDate day = state.FirstDay.addDays(i);
        const QString index = QString::number(i);
        file.writeLine(QLatin1String("Day[") + index + QLatin1String("]='") + Check(GetDay(day)) +
                       QLatin1Char('~') + Check(FormattedDate(day)) +
                       QLatin1String("';Nbactivities[") + index + QLatin1String("]=") +
                       QString::number(sorted.dayCounts[i]));
    }
    file.writeLine(QStringLiteral("Totalactivities=GetTotal(Nbdays);"));
    file.writeLine(
        QStringLiteral("Activities=new Array(Totalactivities*%1);").arg(FieldsPerActivity));
    // The rows are independent and formatting them is most of the work: two threads each
    // format a block at a time, and the blocks are written in order.
    constexpr qsizetype Block = 2048;
    const qsizetype count = sorted.order.size();
    for (qsizetype from = 0; from < count; from += 2 * Block) {
        const qsizetype middle = std::min(from + Block, count);
        const qsizetype to = std::min(middle + Block, count);
        auto second = std::async(std::launch::async, rowLines, std::cref(state), std::cref(sorted),
                                 middle, to);
        file.writeLines(rowLines(state, sorted, from, middle));
        file.writeLines(second.get());
    }
    file.writeLine(QStringLiteral("}"));
    file.commit();
}
