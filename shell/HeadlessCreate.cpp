#include "HeadlessCreate.h"

#include "AppInfo.h"
#include "Clock.h"
#include "CommandLine.h"
#include "Conversions.h"
#include "ErrorReport.h"
#include "HeadlessCommandLine.h"
#include "Messages.h"
#include "ProgramState.h"
#include "QtSettingsStore.h"
#include "SessionStart.h"
#include "SettingsStore.h"
#include "ShellOpener.h"
#include "act/ActSession.h"
#include "act/standin/StandinFactory.h"
#include "engine/ActivitySelection.h"
#include "engine/Generation.h"
#include "engine/HtmlFolder.h"
#include "engine/IcsExport.h"
#include "engine/RangeLimits.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>
#include <cstdio>
#include <optional>

namespace {

// Passes every message on and remembers that one was shown: any report fails the run.
class CountingMessages : public Messages {
public:
    explicit CountingMessages(Messages& next)
        : next_(next) {
        setMessages(this);
    }
    ~CountingMessages() override { setMessages(&next_); }

    Answer show(const QString& text, const QString& title, Icon icon, Buttons buttons) override {
        ++count;
        return next_.show(text, title, icon, buttons);
    }

    int count = 0;

private:
    Messages& next_;
};

struct Range {
    QDate start;
    QDate end;
};

QDate storedDate(const SettingKey& entry) {
    return convert::toDate(
        settings().GetSetting(entry.section, entry.key, convert::dateText(now().date())));
}

// The range as given, completed the way the main window restores it: week or month from the
// start, or the stored custom dates. The stored choice is read only when the command line
// leaves part of the range open.
Range rangeFor(const HeadlessRequest& request) {
    std::optional<qint16> stored;
    const auto option = [&stored] {
        if (!stored)
            stored = convert::toInt16(settings().GetSetting(setting::RangeOption));
        return *stored;
    };
    using Length = HeadlessRequest::Length;
    Range range;
    range.start = request.start;
    if (!range.start.isValid())
        range.start =
            option() == setting::RangeCustom ? storedDate(setting::StartDate) : now().date();
    range.end = request.end;
    if (range.end.isValid())
        return range;
    const QDate week = weekEnd(range.start);
    const QDate month = monthEnd(range.start);
    if (request.length != Length::AsStored)
        range.end = request.length == Length::Week ? week : month;
    else if (option() == setting::RangeCustom)
        range.end = storedDate(setting::EndDate);
    else
        range.end = option() == setting::RangeMonth
                        ? month
                        : week; // an unknown choice is a week, as in the window
    return range;
}

// The desktop's "open" without a display server connection of our own.
class XdgShellOpener : public ShellOpener {
public:
    bool open(const QUrl& url) override {
        return QProcess::startDetached(QStringLiteral("xdg-open"), {url.toString()});
    }
};

int usageMistake(const QString& message) {
    std::fprintf(stderr, "daywise: %s\nTry 'daywise --help' for more information.\n",
                 qUtf8Printable(message));
    return 2;
}

// Answers --help, --help-all and --version; false for a request to create.
bool answered(const HeadlessRequest& request) {
    switch (request.action) {
    case HeadlessRequest::Action::Help:
    case HeadlessRequest::Action::HelpAll:
        std::fputs(
            qUtf8Printable(headlessHelpText(request.action == HeadlessRequest::Action::HelpAll)),
            stdout);
        return true;
    case HeadlessRequest::Action::Version:
        std::printf("daywise %s\n", qUtf8Printable(app::versionText()));
        return true;
    case HeadlessRequest::Action::Create:
        break;
    }
    return false;
}

// Writes the calendar just made as an iCalendar file; reports a failure as an error.
bool exportIcs(const QString& path, act::ActSession& session, const GenerationOutcome& outcome,
               const Range& range) {
    Procedure proc(QStringLiteral("Module1"), QStringLiteral("ExportIcs"));
    const bool done = proc.run([&] {
        proc.line(1);
        writeIcsCalendar(path, session, outcome.rows, range.start, range.end);
    });
    if (done)
        std::printf("%s\n",
                    qUtf8Printable(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())));
    return done;
}

} // namespace

int runHeadlessCreate(const QStringList& arguments, act::ActFactory& factory) {
    HeadlessRequest request;
    try {
        request = parseHeadlessCommandLine(arguments, now().date());
    } catch (const UsageError& mistake) {
        return usageMistake(mistake.message);
    }
    if (answered(request))
        return 0;

    CountingMessages counting(messages());
    applyStoredLanguage();
    Procedure proc(QStringLiteral("Module1"), QStringLiteral("Create"));
    proc.line(1);
    Range range;
    if (!proc.run([&] { range = rangeFor(request); }))
        return 1;
    if (request.start.isValid() || request.end.isValid()) {
        const QString mistake = rangeMistake(range.start, range.end);
        if (!mistake.isEmpty())
            return usageMistake(mistake);
    }

    act::ActSession session = openSession(factory, proc);
    if (!session.isOpen())
        return 1;
    proc.line(6);
    if (!proc.run([&] { MyRecordId = getUserID(*session.database); }))
        return 1;

    Generation generation(session);
    generation.setHtmlFolder(request.htmlDir.isEmpty() ? htmlFolder()
                                                       : QDir(request.htmlDir).absolutePath());
    generation.setPageOpening(request.open ? Generation::PageOpening::Always
                                           : Generation::PageOpening::Never);
    const GenerationOutcome outcome = generation.run(range.start, range.end);
    if (!outcome.pagePath.isEmpty())
        std::printf("%s\n", qUtf8Printable(QDir::toNativeSeparators(outcome.pagePath)));
    const bool written = outcome.result == GenerationOutcome::Result::Written;
    if (written && !request.icsFile.isEmpty() &&
        !exportIcs(request.icsFile, session, outcome, range))
        return 1;
    return written && counting.count == 0 ? 0 : 1;
}

int runHeadless(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(app::Title);
    QCoreApplication::setOrganizationName(app::Title);
    QCoreApplication::setApplicationVersion(app::versionText());
    QtSettingsStore store;
    setSettings(&store);
    StderrMessages errors;
    setMessages(&errors);
    XdgShellOpener opener;
    setShellOpener(&opener);
    act::standin::StandinFactory factory;
    const int status =
        runHeadlessCreate(withoutQtWindowOptions(QCoreApplication::arguments()), factory);
    setShellOpener(nullptr);
    setMessages(nullptr);
    setSettings(nullptr);
    return status;
}
