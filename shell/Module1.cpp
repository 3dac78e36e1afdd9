#include "Module1.h"

#include "AppInfo.h"
#include "DesktopShellOpener.h"
#include "ErrorReport.h"
#include "InstanceGuard.h"
#include "MessageBoxes.h"
#include "Messages.h"
#include "ProgramState.h"
#include "QtSettingsStore.h"
#include "SettingsStore.h"
#include "act/standin/StandinFactory.h"
#include "engine/HtmlFolder.h"
#include "frmMain.h"
#include "frmSplash.h"

#include <QApplication>

namespace {

// Steps 4 and 5: ACT! with a database open, and the objects Daywise works with.
act::ActSession openSession(act::ActFactory& factory) {
    act::ActSession session;
    Procedure proc(QStringLiteral("Module1"), QStringLiteral("Sub"), QStringLiteral("Main"));
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
        session.events = factory.createEventControl();
    });
    return opened ? std::move(session) : act::ActSession{};
}

} // namespace

std::unique_ptr<frmMain> Main(act::ActFactory& factory, InstanceGuard& guard) {
    LanguageBase = 200;
    frmSplash splash;
    splash.show();
    splash.repaint();
    QApplication::processEvents();

    if (!guard.acquire()) {
        messages().show(QStringLiteral("An instance of this program is already running !"),
                        QStringLiteral("Daywise"));
        return nullptr;
    }
    act::ActSession session = openSession(factory);
    if (!session.isOpen() || !session.events)
        return nullptr;
    splash.close();

    auto form = std::make_unique<frmMain>(std::move(session), htmlFolder());
    form->Form_Load();
    if (form->ended())
        return nullptr;
    return form;
}

int runDesktop(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(app::Title);
    QApplication::setOrganizationName(app::Title);
    QApplication::setApplicationVersion(app::versionText());
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.daywise"));
    // The window hides during an ACT! restart; only the program's own end stops it.
    QApplication::setQuitOnLastWindowClosed(false);

    QtSettingsStore store;
    setSettings(&store);
    MessageBoxes boxes;
    setMessages(&boxes);
    DesktopShellOpener opener;
    setShellOpener(&opener);

    act::standin::StandinFactory factory;
    InstanceGuard guard;
    const std::unique_ptr<frmMain> form = Main(factory, guard);
    if (!form)
        return 1;
    QObject::connect(form.get(), &frmMain::programEnded, &application, &QCoreApplication::quit);
    const int status = QApplication::exec();
    setShellOpener(nullptr);
    setMessages(nullptr);
    setSettings(nullptr);
    return status;
}
