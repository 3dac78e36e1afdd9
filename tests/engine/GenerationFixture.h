#pragma once

#include "RecordingMessages.h"
#include "RecordingOpener.h"
#include "act/ActivityFields.h"
#include "engine/ActivitySelection.h"
#include "engine/GenerationSettings.h"
#include "engine/RecordStore.h"
#include "shell/MemorySettingsStore.h"
#include "shell/ProgramState.h"
#include "support/StandinFixture.h"

#include <QFile>
#include <QUrl>

// The week of 11 to 17 March 2024 of tests/fixtures/engine-week.json, or of the fixture
// given, with settings in memory.
struct GenerationFixture {
    explicit GenerationFixture(
        const QByteArray& fixture = StandinFixture::fixtureFile(QStringLiteral("engine-week.json")))
        : act(fixture) {
        setSettings(&store);
        LanguageBase = 200;
        MyRecordId = getUserID(*act.session().database);
    }
    ~GenerationFixture() { setSettings(nullptr); }

    // The generation state as Create reads it from the settings.
    GenerationState state() {
        GenerationState state;
        state.FirstDay = QDate(2024, 3, 11);
        state.LastDay = QDate(2024, 3, 17);
        selectUsers(state, act.session().users());
        loadGenerationSettings(state);
        return state;
    }

    // The rows Create stores for one activity of the week.
    QList<ActivityRow> rowsOf(GenerationState& state, const QString& id) {
        act::Activity& activity = act.session().activity();
        activity.SetDateScope(state.FirstDay, state.LastDay.addDays(1));
        while (!activity.IsEOF() && activity.Data(act::ActivityField::Id).toString() != id)
            activity.MoveNext();
        if (activity.IsEOF())
            return {};
        const qsizetype first = state.ActivityRows.size();
        CountUserGood(state, activity);
        RecordStore(state, activity, act.session().contact()).Store_Record(id, 0, 0, false);
        return state.ActivityRows.mid(first);
    }

    QList<ActivityRow> rowsOf(const QString& id) {
        GenerationState fresh = state();
        return rowsOf(fresh, id);
    }

    MemorySettingsStore store;
    RecordingMessages messages;
    RecordingOpener opener;
    StandinFixture act;
};

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
