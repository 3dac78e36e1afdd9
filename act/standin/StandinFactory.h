#pragma once

#include "ActHome.h"
#include "act/ActSession.h"

namespace act::standin {

// Makes the stand-in's objects, all working in one ACT! home (by default the one
// $DAYWISE_ACT_HOME names).
class StandinFactory : public ActFactory {
public:
    StandinFactory() = default;
    explicit StandinFactory(ActHome home)
        : home_(std::move(home)) {}

    std::unique_ptr<Application> createApplication() override;
    std::unique_ptr<EventControl> createEventControl() override;

private:
    ActHome home_;
};

} // namespace act::standin
