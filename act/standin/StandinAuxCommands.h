#pragma once

#include "ActHome.h"
#include "act/ActObjects.h"

#include <QJsonObject>

namespace act::standin {

// ACT!'s external commands, kept in the home as JSON: each command's definition and the
// views (1 to 6) whose toolbar and Tools menu carry it. Results are 0 on success.
class StandinAuxCommands : public AuxCommands {
public:
    explicit StandinAuxCommands(ActHome home);

    int AuxCommandExists(const QString& name) const override;
    int AddAuxCommand(const QString& name, const QString& programFile, const QString& programFolder,
                      const QString& title, const QString& toolTip, const QString& iconFile,
                      const QString& largeIconFile, int flags) override;
    int AuxCommandExistsInToolbar(int view, const QString& name) const override;
    int AuxCommandExistsInToolsMenu(int view, const QString& name) const override;
    int AddAuxCommandToToolbar(int view, const QString& name) override;
    int RemoveAuxCommandFromToolbar(int view, const QString& name) override;
    int AddAuxCommandToToolsMenu(int view, const QString& name) override;
    int RemoveAuxCommandFromToolsMenu(int view, const QString& name) override;
    void DeleteAuxCommand(const QString& name) override;

    // Every command with its definition and placements, as stored.
    QJsonObject all() const;

private:
    bool placedIn(const char* place, int view, const QString& name) const;
    int place(const char* place, int view, const QString& name, bool present);
    bool failing() const;
    void save(const QJsonObject& commands);

    ActHome home_;
};

} // namespace act::standin
