#include "StandinEventControl.h"

namespace act::standin {

namespace {
constexpr int PollMilliseconds = 500;
}

StandinEventControl::StandinEventControl(ActHome home, QObject* parent)
    : EventControl(parent)
    , home_(std::move(home)) {
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this,
            &StandinEventControl::checkSession);
    connect(&poll_, &QTimer::timeout, this, &StandinEventControl::checkSession);
    poll_.setInterval(PollMilliseconds);
}

qint32 StandinEventControl::dispatchRegister(qint32) {
    if (!home_.isRunning())
        return 0;
    if (!registered_) {
        registered_ = true;
        watcher_.addPath(home_.path());
        poll_.start();
    }
    return 1;
}

// ACT! needs nothing back from a program that accepts its closing.
void StandinEventControl::dispatchAcknowledgeClose() {}

bool StandinEventControl::dispatchIsRunning() const {
    return home_.isRunning();
}

void StandinEventControl::checkSession() {
    if (home_.isRunning()) {
        closeRaised_ = false;
        return;
    }
    if (closeRaised_)
        return;
    closeRaised_ = true;
    emit OnActUserWantsToClose();
}

} // namespace act::standin
