#pragma once

#include "act/ActObjects.h"

#include <QSet>
#include <QStringList>
#include <stdexcept>

// An ACT! that only knows its program folder and its aux commands, for testing the
// Integrate dialog on its own.
struct FakeActState {
    QString appPath;
    QSet<QString> commands;
    QSet<int> toolbar;      // views holding the command's button
    QSet<int> toolsMenu;    // views holding the command's menu item
    QStringList registered; // the arguments of the last AddAuxCommand
    bool failAdd = false;
    bool failPlacements = false;
};

class FakeAuxCommands : public act::AuxCommands {
public:
    explicit FakeAuxCommands(FakeActState& state)
        : s(state) {}

    int AuxCommandExists(const QString& name) const override {
        return s.commands.contains(name) ? 1 : 0;
    }
    int AddAuxCommand(const QString& name, const QString& programFile, const QString& programFolder,
                      const QString& title, const QString& toolTip, const QString& iconFile,
                      const QString& largeIconFile, int flags) override {
        s.registered = {name,    programFile, programFolder, title,
                        toolTip, iconFile,    largeIconFile, QString::number(flags)};
        if (s.failAdd)
            return 1;
        s.commands.insert(name);
        return 0;
    }
    int AuxCommandExistsInToolbar(int view, const QString&) const override {
        return s.toolbar.contains(view) ? 1 : 0;
    }
    int AuxCommandExistsInToolsMenu(int view, const QString&) const override {
        return s.toolsMenu.contains(view) ? 1 : 0;
    }
    int AddAuxCommandToToolbar(int view, const QString& name) override {
        return place(s.toolbar, view, name, true);
    }
    int RemoveAuxCommandFromToolbar(int view, const QString& name) override {
        return place(s.toolbar, view, name, false);
    }
    int AddAuxCommandToToolsMenu(int view, const QString& name) override {
        return place(s.toolsMenu, view, name, true);
    }
    int RemoveAuxCommandFromToolsMenu(int view, const QString& name) override {
        return place(s.toolsMenu, view, name, false);
    }
    void DeleteAuxCommand(const QString& name) override {
        s.commands.remove(name);
        s.toolbar.clear();
        s.toolsMenu.clear();
    }

private:
    int place(QSet<int>& where, int view, const QString& name, bool add) {
        if (s.failPlacements || !s.commands.contains(name))
            return 1;
        if (add)
            where.insert(view);
        else
            where.remove(view);
        return 0;
    }

    FakeActState& s;
};

class FakeApplication : public act::Application {
public:
    explicit FakeApplication(FakeActState& state)
        : s(state) {}

    void OpenFile(const QString&) override {}
    bool IsDBOpen() const override { return true; }
    QString GetAppPath() const override { return s.appPath; }
    void Command(int) override {}
    std::unique_ptr<act::Database> database() override { return nullptr; }
    act::Views& views() override { throw std::logic_error("no views in this ACT!"); }
    std::unique_ptr<act::AuxCommands> auxCommands() override {
        return std::make_unique<FakeAuxCommands>(s);
    }

private:
    FakeActState& s;
};
