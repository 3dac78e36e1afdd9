#pragma once

#include "ActHome.h"
#include "act/ActObjects.h"

namespace act::standin {

// ACT!'s views: a Daywise view exists when its browser control file is in NetLinks/ while
// ACT! runs. Refreshing a view appends a line to the home's refresh log.
class StandinViews : public Views {
public:
    explicit StandinViews(ActHome home);

    std::unique_ptr<View> FindExplorerView(const QString& name, int kind) override;
    int GetLastError() const override { return lastError_; }

    // The control file that makes view `kind` (100 tab, 7 view bar); empty for other kinds.
    static QString controlFileName(const QString& name, int kind);

private:
    ActHome home_;
    int lastError_ = 0;
};

} // namespace act::standin
