#include "Generation.h"

#include "ActivitySelection.h"
#include "AtomicTextFile.h"
#include "DataFile.h"
#include "Expansion.h"
#include "GenerationSettings.h"
#include "GenerationState.h"
#include "HtmlFolder.h"
#include "RangeLimits.h"
#include "RecordStore.h"
#include "ScriptFile.h"
#include "SortData.h"
#include "StagedFiles.h"
#include "ViewRefresh.h"
#include "act/ActSession.h"
#include "act/ActivityFields.h"
#include "act/LinkFolder.h"
#include "shell/Conversions.h"
#include "shell/ErrorReport.h"
#include "shell/Messages.h"
#include "shell/ShellOpener.h"
#include "shell/StringTable.h"
#include "shell/modTime.h"

#include <QUrl>
#include <exception>

namespace {

Procedure frmMainSub(const char* name) {
    return Procedure(QStringLiteral("frmMain"), QString::fromLatin1(name));
}

// Walks the range's activities and stores the rows of those that pass the user, cleared
// and type filters.
void storeActivities(GenerationState& state, act::ActSession& session) {
    act::Activity& activity = session.activity();
    activity.MoveFirst();
    activity.SetDateScope(state.FirstDay, state.LastDay.addDays(1));
    // Most activities of a scope make one row: room for that many spares the row list the
    // copies of growing.
    qsizetype inScope = 0;
    for (; !activity.IsEOF(); activity.MoveNext())
        ++inScope;
    activity.MoveFirst();
    state.ActivityRows.reserve(state.ActivityRows.size() + inScope);
    RecordStore store(state, activity, session.contact());
    // The expansions report a failing occurrence and go on; a database that cannot be read
    // must end the walk instead, reported once.
    std::exception_ptr unreadable;
    const StoreRecordFn storeFn = [&](const QString& id, qint64 offset, qint64 endMinutes,
                                      bool minuteOffset) {
        if (unreadable)
            return;
        try {
            store.Store_Record(id, offset, endMinutes, minuteOffset);
        } catch (const act::DatabaseError&) {
            unreadable = std::current_exception();
        }
    };
    for (; !activity.IsEOF(); activity.MoveNext()) {
        if (unreadable)
            std::rethrow_exception(unreadable);
        if (CountUserGood(state, activity) < 1)
            continue;
        if (state.HideCleared && activity.Data(act::ActivityField::Cleared).toInt() == 1)
            continue;
        const QString type = activity.Data(act::ActivityField::Type).toString();
        if (type.size() != 1 || !state.EnabledTypeCodes.contains(type))
            continue;
        if (activity.IsRecurring()) {
            Treat_Recurring(activity, state.FirstDay, state.LastDay, storeFn);
            continue;
        }
        const QDateTime start = activity.Data(act::ActivityField::Start).toDateTime();
        if (isMultiDay(start, activity.Data(act::ActivityField::End).toDateTime())) {
            Treat_MultipleDays(activity, state.FirstDay, state.LastDay, storeFn);
            continue;
        }
        if (InRange(state, start.date()))
            store.Store_Record(activity.Data(act::ActivityField::Id).toString(), 0, 0, false);
    }
    if (unreadable)
        std::rethrow_exception(unreadable);
}

} // namespace

bool checkRange(const QDate& start, const QDate& end, QDate* correctedEnd) {
    if (end < start) {
        messages().show(QStringLiteral("End Date is earlier than Start Date!"),
                        QStringLiteral("Selection date error!"), Messages::Icon::Critical);
        return false;
    }
    if (!rangeTooLong(start, end))
        return true;
    messages().show(str(Caption::EndDateTooLate), str(Caption::DateSelectionError),
                    Messages::Icon::Critical);
    if (correctedEnd)
        *correctedEnd = monthEnd(start);
    return false;
}

Generation::Generation(act::ActSession& session)
    : session_(session) {}

GenerationOutcome Generation::run(const QDate& start, const QDate& end) {
    GenerationOutcome outcome;
    GenerationState state;
    state.TimeFormat = GetTimeFormat();
    if (!checkRange(start, end, &outcome.correctedEnd)) {
        outcome.result = outcome.correctedEnd.isValid() ? GenerationOutcome::Result::RangeTooLong
                                                        : GenerationOutcome::Result::EndBeforeStart;
        return outcome;
    }
    state.FirstDay = start;
    state.LastDay = end;

    Procedure proc = frmMainSub("cmdOK_Click");
    QString folder;
    const bool stored = proc.run([&] {
        proc.line(5);
        selectUsers(state, session_.users());
        proc.line(7);
        loadGenerationSettings(state);
        proc.line(13);
        storeActivities(state, session_);
        proc.line(14);
        folder = preparePageFolder(folder_);
    });
    if (!stored || !writeFiles(state, folder))
        return outcome;
    outcome.pagePath = folder + QLatin1Char('/') + PageFileName;
    outcome.rows = std::move(state.ActivityRows);

    UpdateView(session_.views());
    UpdateTab(session_.views());
    Procedure finish = frmMainSub("cmdOK_Click");
    finish.line(16);
    const bool opened = finish.run([&] { openPage(outcome.pagePath, state.OpenInBrowser); });
    outcome.result =
        opened ? GenerationOutcome::Result::Written : GenerationOutcome::Result::Failed;
    return outcome;
}

bool Generation::writeFiles(GenerationState& state, const QString& folder) {
    SortResult sorted;
    Procedure sort = frmMainSub("SortData");
    if (!sort.run([&] {
            sorted = SortData(state.ActivityRows, state.FirstDay, state.LastDay, state.TimeFormat);
        }))
        return false;
    // The page must never see the new range with the old layout, nor the reverse.
    StagedFiles files;
    Procedure data = frmMainSub("CreateDataFile");
    if (!data.run([&] {
            data.line(1);
            CreateDataFile(folder + QLatin1String("/data.js"), state, sorted, &files);
        }))
        return false;
    Procedure script = frmMainSub("CreateScriptFile");
    return script.run([&] {
        script.line(1);
        writeTextFile(folder + QLatin1String("/script.js"),
                      scriptFileLines(state.DateBackground, state.Layout), &files);
        script.line(2);
        files.commit();
    });
}

void Generation::openPage(const QString& pagePath, const QString& openInBrowser) {
    const QString linkFolder = integration::linkFolder(session_.application->GetAppPath());
    const bool forced =
        integration::forceBrowserUnlessShownInAct(integration::pageShownInAct(linkFolder));
    bool open = opening_ == PageOpening::Always;
    if (opening_ == PageOpening::AsSettingSays)
        open = forced || convert::toNumber(openInBrowser) == 1;
    if (open)
        shellOpener().open(QUrl::fromLocalFile(pagePath));
}
