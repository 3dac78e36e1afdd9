#include "GenerationSettings.h"

#include "ActivitySelection.h"
#include "TextRules.h"
#include "act/ActObjects.h"
#include "shell/Conversions.h"
#include "shell/ProgramState.h"
#include "shell/RuntimeError.h"
#include "shell/SettingsStore.h"
#include "shell/StringTable.h"

#include <cmath>

namespace {

QString setting(const QString& section, const QString& key, const QString& defaultValue) {
    return settings().GetSetting(section, key, defaultValue);
}

bool flag(const QString& section, const QString& key, int defaultValue) {
    return convert::toBool(settings().GetSetting(section, key, defaultValue));
}

void loadTypes(GenerationState& state) {
    state.ActivityTypeNames = {str(78), str(79), str(123)};
    const int defaults[] = {1, 1, 0};
    for (int t = 0; t < 3; ++t) {
        if (convert::toNumber(settings().GetSetting(
                QStringLiteral("Filter"), QStringLiteral("Type%1").arg(t), defaults[t])) != 1)
            continue;
        state.EnabledTypeCodes += QString::number(t);
        if (!state.EnabledTypeNames.isEmpty())
            state.EnabledTypeNames += QLatin1String(", ");
        state.EnabledTypeNames += state.ActivityTypeNames[std::size_t(t)];
    }
    state.HideCleared = flag(QStringLiteral("Filter"), QStringLiteral("Cleared"), 1);
}

// The Show/Hide Fields dialog stores empty text for "no custom field"; anything else that is
// not a field number shows none either, rather than stopping the calendar.
qint16 customField() {
    try {
        return convert::toInt16(
            settings().GetSetting(QStringLiteral("Options"), QStringLiteral("Custom"), 0));
    } catch (const RuntimeError&) {
        return 0;
    }
}

void loadFields(GenerationState& state) {
    const QString options = QStringLiteral("Options");
    for (int k = 0; k <= 15; ++k) {
        const int defaultValue = (k == 4 || k == 15) ? 1 : 0;
        state.FieldShown[std::size_t(k)] =
            flag(options, QStringLiteral("Field%1").arg(k), defaultValue);
    }
    for (int n = 30; n <= 44; ++n) {
        const std::size_t k = std::size_t(n - 30);
        state.LabelShown[k] = flag(options, QStringLiteral("Field%1").arg(n), 0);
        const QString label = setting(options, QStringLiteral("Label%1").arg(n), QString());
        state.FieldLabels[k] = label == QLatin1String("None") ? QString() : label;
    }
    state.CustomField = customField();
    state.MyselfMode = flag(options, QStringLiteral("Myself"), 0);
    state.MyselfText = setting(options, QStringLiteral("Myselftext"), QString());
}

void loadEmail(GenerationState& state) {
    const QString email = QStringLiteral("Email");
    state.EmailLinks =
        convert::toNumber(settings().GetSetting(email, QStringLiteral("Active"), 0)) != 0;
    if (!state.EmailLinks)
        return;
    state.EmailSubject = setting(email, QStringLiteral("Subject"), QString());
    state.EmailBody = setting(email, QStringLiteral("Body"), QString());
}

// A user whose stored colour is unreadable gets no colour rather than stopping the calendar.
QString userColor(const QString& userName) {
    try {
        return colorText(
            convert::toInt32(settings().GetSetting(QStringLiteral("Colors"), userName, 0)));
    } catch (const RuntimeError&) {
        return {};
    }
}

void loadColors(GenerationState& state) {
    const QString colors = QStringLiteral("Colors");
    state.ColorMode =
        convert::toInt16(settings().GetSetting(colors, QStringLiteral("ColorDefault"), 2));
    if (state.ColorMode == 0) {
        for (int p = 0; p < 3; ++p)
            state.PriorityColors[std::size_t(p)] = convert::toInt32(
                settings().GetSetting(colors, QStringLiteral("PriorityColor%1").arg(p), 0));
    }
    if (state.ColorMode == 1) {
        for (const QString& name : std::as_const(state.SelectedUserNames))
            state.UserColorTexts.append(userColor(name));
    }
    state.DateBackground = colorText(
        convert::toInt32(settings().GetSetting(colors, QStringLiteral("bgColor"), 52479)));
}

void chooseUsers(GenerationState& state, act::Users& users) {
    for (int i = 1; i <= users.Count(); ++i) {
        const int access = users.Access(i);
        if (access != 2 && access != 3 && users.Security(i) != 1)
            state.EligibleUserIds.append(users.UniqueId(i));
    }

    const QString mode =
        settings().GetSetting(QStringLiteral("Filter"), QStringLiteral("Users"), "Me");
    if (mode == QLatin1String("All")) {
        state.SelectedUserIds = state.EligibleUserIds;
        for (const QString& id : std::as_const(state.EligibleUserIds))
            state.SelectedUserNames.append(GetUserName(users, id));
        return;
    }

    state.SelectedUserIds = {users.CurrentUserID()};
    state.SelectedUserNames = {CurrentUserName};
    if (mode != QLatin1String("MeAnd"))
        return;
    const QString chosen =
        settings().GetSetting(QStringLiteral("Filter"), QStringLiteral("SelUsers"), QString());
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
}
