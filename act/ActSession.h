#pragma once

#include "ActObjects.h"
#include "EventControl.h"

#include <memory>

namespace act {

// The open connection to ACT!: application, database and its objects, plus the event
// control. Created by the start-up code, closed by Cleanup.
struct ActSession {
    std::unique_ptr<Application> application;
    std::unique_ptr<Database> database;
    std::unique_ptr<EventControl> events;

    bool isOpen() const { return application && database; }
    Activity& activity() { return database->activity(); }
    Contact& contact() { return database->contact(); }
    Users& users() { return database->users(); }
    Views& views() { return application->views(); }
};

// Makes ACT!'s objects: the one place that knows which ACT! implementation runs.
class ActFactory {
public:
    virtual ~ActFactory() = default;
    virtual std::unique_ptr<Application> createApplication() = 0;
    virtual std::unique_ptr<EventControl> createEventControl() = 0;
};

} // namespace act
