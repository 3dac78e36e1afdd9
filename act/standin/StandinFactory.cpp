#include "StandinFactory.h"

#include "StandinApplication.h"
#include "StandinEventControl.h"

namespace act::standin {

std::unique_ptr<Application> StandinFactory::createApplication() {
    return std::make_unique<StandinApplication>(home_);
}

std::unique_ptr<EventControl> StandinFactory::createEventControl() {
    return std::make_unique<StandinEventControl>(home_);
}

} // namespace act::standin
