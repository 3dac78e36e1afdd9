#include "Module1.h"

#include "AppInfo.h"
#include "DesktopShellOpener.h"
#include "ErrorReport.h"
#include "InstanceGuard.h"
#include "MessageBoxes.h"
#include "Messages.h"
#include "ProgramState.h"
#include "QtSettingsStore.h"
#include "SessionStart.h"
#include "SettingsStore.h"
#include "act/standin/StandinFactory.h"
#include "engine/HtmlFolder.h"
#include "frmMain.h"
#include "frmSplash.h"

#include <QApplication>

std::unique_ptr<frmMain> Main(act::ActFactory& factory, InstanceGuard& guard) {
    LanguageBase = EnglishBase;
    frmSplash splash;
    splash.show();
    splash.repaint();
    QApplication::processEvents();

    if (!guard.acquire()) {
        messages().show(QStringLiteral("An instance of this program is already running !"),
                        QStringLiteral("Daywise"));
        return nullptr;
    }
    Procedure proc(QStringLiteral("Module1"), QStringLiteral("Main"));
    act::ActSession session = openSession(factory, proc);
    if (!session.isOpen() || !proc.run([&] { session.events = factory.createEventControl(); }) ||
        !session.events)
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
