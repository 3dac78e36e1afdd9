#include "SessionStart.h"

#include "AppInfo.h"
#include "ErrorReport.h"
#include "Messages.h"

act::ActSession openSession(act::ActFactory& factory, Procedure& proc) {
    act::ActSession session;
    bool databaseOpen = false;
    proc.line(4);
    const bool reached = proc.run([&] {
        session.application = factory.createApplication();
        session.application->OpenFile(QString());
        databaseOpen = session.application->IsDBOpen();
    });
    if (!reached)
        return {};
    if (!databaseOpen) {
        messages().show(QStringLiteral("Please open a database BEFORE running ") + app::Title +
                            QLatin1Char('!'),
                        app::Title);
        return {};
    }
    proc.line(5);
    const bool opened = proc.run([&] {
        session.database = session.application->database();
        session.database->OpenEx(QString());
        session.database->PhoneFormatting(2);
    });
    return opened ? std::move(session) : act::ActSession{};
}
