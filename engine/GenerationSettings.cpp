#include "GenerationSettings.h"

#include "ActivitySelection.h"
#include "ScriptFileLayout.h"
#include "TextRules.h"
#include "act/ActObjects.h"
#include "act/ListableUser.h"
#include "shell/Conversions.h"
#include "shell/ProgramState.h"
#include "shell/RuntimeError.h"
#include "shell/SettingsStore.h"
#include "shell/StringTable.h"

#include <cmath>

namespace {

QString setting(const SettingKey& entry) {
    return settings().GetSetting(entry);
}

bool flag(const SettingKey& entry) {
    return convert::toBool(settings().GetSetting(entry));
}

void loadTypes(GenerationState& state) {
    state.ActivityTypeNames = {str(Caption::Calls), str(Caption::Meetings),
                               str(Caption::ToDosForScript)};
    for (int t = 0; t < 3; ++t) {
        if (convert::toNumber(settings().GetSetting(setting::filterType(t))) != 1)
            continue;
        state.EnabledTypeCodes += QString::number(t);
        if (!state.EnabledTypeNames.isEmpty())
            state.EnabledTypeNames += QLatin1String(", ");
        state.EnabledTypeNames += state.ActivityTypeNames[std::size_t(t)];
    }
    state.HideCleared = flag(setting::Cleared);
}

// The Show/Hide Fields dialog stores empty text for "no custom field"; anything else that is
// not a field number shows none either, rather than stopping the calendar.
qint16 customField() {
    try {
        return convert::toInt16(settings().GetSetting(setting::Custom));
    } catch (const RuntimeError&) {
        return 0;
    }
}

void loadFields(GenerationState& state) {
    for (int k = 0; k <= 15; ++k)
        state.FieldShown[std::size_t(k)] = flag(setting::field(k));
    for (int n = 30; n <= 44; ++n) {
        const std::size_t k = std::size_t(n - 30);
        state.LabelShown[k] = flag(setting::field(n));
        const QString label = setting(setting::label(n));
        state.FieldLabels[k] = label == setting::NoLabel ? QString() : label;
    }
    state.CustomField = customField();
    state.MyselfMode = flag(setting::Myself);
    state.MyselfText = setting(setting::MyselfText);
    state.HeaderText = setting(setting::HeaderText);
    state.ChosenUserNames = setting(setting::SelNames);
}

void loadEmail(GenerationState& state) {
    state.EmailLinks = convert::toNumber(settings().GetSetting(setting::EmailActive)) != 0;
    if (!state.EmailLinks)
        return;
    state.EmailSubject = setting(setting::EmailSubject);
    state.EmailBody = setting(setting::EmailBody);
}

// A user whose stored colour is unreadable gets no colour rather than stopping the calendar.
QString userColor(const QString& userName) {
    try {
        return colorText(convert::toInt32(settings().GetSetting(setting::userColor(userName))));
    } catch (const RuntimeError&) {
        return {};
    }
}

void loadColors(GenerationState& state) {
    state.ColorMode = convert::toInt16(settings().GetSetting(setting::ColorMode));
    if (state.ColorMode == 0) {
        for (int p = 0; p < 3; ++p)
            state.PriorityColors[std::size_t(p)] =
                convert::toInt32(settings().GetSetting(setting::priorityColor(p)));
    }
    if (state.ColorMode == 1) {
        for (const QString& name : std::as_const(state.SelectedUserNames))
            state.UserColorTexts.append(userColor(name));
    }
    state.DateBackground =
        colorText(convert::toInt32(settings().GetSetting(setting::DateBackground)));
}

void chooseUsers(GenerationState& state, act::Users& users) {
    for (int i = 1; i <= users.Count(); ++i) {
        if (act::isListableUser(users, i))
            state.EligibleUserIds.append(users.UniqueId(i));
    }

    const QString mode = settings().GetSetting(setting::Users);
    if (mode == setting::UsersAll) {
        state.SelectedUserIds = state.EligibleUserIds;
        for (const QString& id : std::as_const(state.EligibleUserIds))
            state.SelectedUserNames.append(GetUserName(users, id));
        return;
    }

    state.SelectedUserIds = {users.CurrentUserID()};
    state.SelectedUserNames = {CurrentUserName};
    if (mode != setting::UsersMeAnd)
        return;
    const QString chosen = settings().GetSetting(setting::SelUsers);
    state.SelectedUserCount = qsizetype(std::nearbyint(double(chosen.size()) / 12));
    for (qsizetype j = 0; j < state.SelectedUserCount; ++j) {
        const QString id = chosen.mid(j * 12, 12);
        state.SelectedUserIds.append(id);
        state.SelectedUserNames.append(GetUserName(users, id));
    }
}

} // namespace

void selectUsers(GenerationState& state, act::Users& users) {
    chooseUsers(state, users);
    for (qsizetype k = 0; k < state.SelectedUserIds.size(); ++k) {
        if (!state.SelectedUserIndex.contains(state.SelectedUserIds.at(k)))
            state.SelectedUserIndex.insert(state.SelectedUserIds.at(k), k);
    }
}

void loadGenerationSettings(GenerationState& state) {
    loadTypes(state);
    loadFields(state);
    loadEmail(state);
    loadColors(state);
    state.Layout = readScriptFileLayout();
    state.OpenInBrowser = settings().GetSetting(setting::OpenInBrowser);
}
