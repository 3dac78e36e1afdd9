#pragma once

#include "ActHome.h"
#include "StandinViews.h"
#include "act/ActObjects.h"

namespace act::standin {

// The application object of the stand-in ACT! that runs in an ACT! home.
class StandinApplication : public Application {
public:
    explicit StandinApplication(ActHome home);

    // An empty path keeps the database ACT! has open; another path opens that database.
    void OpenFile(const QString& path) override;
    bool IsDBOpen() const override;
    QString GetAppPath() const override;
    void Command(int number) override;
    std::unique_ptr<Database> database() override;
    Views& views() override { return views_; }
    std::unique_ptr<AuxCommands> auxCommands() override;

private:
    ActHome home_;
    StandinViews views_;
};

} // namespace act::standin
