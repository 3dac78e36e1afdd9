#pragma once

#include <QObject>

namespace act {

// ACT!'s event control, called by dispatch number: 1 registers (a result of 1 or more, or
// -1, is success), 2 acknowledges ACT!'s close request, 3 tells whether ACT! runs.
// OnActUserWantsToClose is emitted when ACT!'s user closes ACT! while registered.
class EventControl : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual qint32 dispatchRegister(qint32 flags) = 0;
    virtual void dispatchAcknowledgeClose() = 0;
    virtual bool dispatchIsRunning() const = 0;

signals:
    void OnActUserWantsToClose();
};

} // namespace act
