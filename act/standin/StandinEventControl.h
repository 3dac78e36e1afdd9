#pragma once

#include "ActHome.h"
#include "act/EventControl.h"

#include <QFileSystemWatcher>
#include <QTimer>

namespace act::standin {

// The event control: once registered, it watches the home and raises
// OnActUserWantsToClose when the session file goes away (the ACT! user closed ACT!).
class StandinEventControl : public EventControl {
    Q_OBJECT
public:
    explicit StandinEventControl(ActHome home, QObject* parent = nullptr);

    qint32 dispatchRegister(qint32 flags) override;
    void dispatchAcknowledgeClose() override;
    bool dispatchIsRunning() const override;

private:
    void checkSession();

    ActHome home_;
    QFileSystemWatcher watcher_;
    // The watcher can miss a change (a home on a network drive, a folder re-created), so
    // a slow poll backs it up.
    QTimer poll_;
    bool registered_ = false;
    bool closeRaised_ = false;
};

} // namespace act::standin
