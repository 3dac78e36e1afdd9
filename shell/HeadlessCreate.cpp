#include "HeadlessCreate.h"

#include "AppInfo.h"
#include "Clock.h"
#include "Conversions.h"
#include "ErrorReport.h"
#include "Messages.h"
#include "ProgramState.h"
#include "QtSettingsStore.h"
#include "SettingsStore.h"
#include "ShellOpener.h"
#include "StringTable.h"
#include "act/ActSession.h"
#include "act/standin/StandinFactory.h"
#include "engine/Generation.h"
#include "engine/HtmlFolder.h"
#include "engine/IcsExport.h"
#include "engine/SelectionTests.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>
#include <cstdio>

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

QDate dateOption(const QCommandLineParser& parser, const QString& name) {
    const QDate date = QDate::fromString(parser.value(name), Qt::ISODate);
    if (!date.isValid())
        throw RuntimeError(
            13,
            QStringLiteral("--%1 wants a date YYYY-MM-DD, not '%2'").arg(name, parser.value(name)));
    return date;
}

// The range as given, completed the way the main window restores it: week or month from the
// start, or the stored custom dates.
Range rangeFrom(const QCommandLineParser& parser) {
    const QString section = QStringLiteral("Settings");
    const qint16 option =
        convert::toInt16(settings().GetSetting(section, QStringLiteral("RangeOption"), 0));
    const bool custom = option == 2;
    Range range;
    if (parser.isSet(QStringLiteral("start")))
        range.start = dateOption(parser, QStringLiteral("start"));
    else if (custom)
        range.start = convert::toDate(settings().GetSetting(section, QStringLiteral("StartDate"),
                                                            convert::dateText(now().date())));
    else
        range.start = now().date();

    if (parser.isSet(QStringLiteral("end")))
        range.end = dateOption(parser, QStringLiteral("end"));
    else if (parser.isSet(QStringLiteral("week")) ||
             (!parser.isSet(QStringLiteral("month")) && option == 0))
        range.end = range.start.addDays(6);
    else if (parser.isSet(QStringLiteral("month")) || !custom)
        range.end = range.start.addMonths(1).addDays(-1);
    else
        range.end = convert::toDate(settings().GetSetting(section, QStringLiteral("EndDate"),
                                                          convert::dateText(now().date())));
    return range;
}

// ACT! with a database open, as the desktop start-up requires it; false when there is none.
bool openSession(act::ActFactory& factory, act::ActSession& session) {
    session.application = factory.createApplication();
    session.application->OpenFile(QString());
    if (!session.application->IsDBOpen()) {
        messages().show(str(9) + QLatin1Char(' ') + app::Title, app::Title);
        return false;
    }
    session.database = session.application->database();
    session.database->OpenEx(QString());
    session.database->PhoneFormatting(2);
    return true;
}

// The desktop's "open" without a display server connection of our own.
class XdgShellOpener : public ShellOpener {
public:
    bool open(const QUrl& url) override {
        return QProcess::startDetached(QStringLiteral("xdg-open"), {url.toString()});
    }
};

void addOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Makes the calendar of the database open in ACT!, without windows."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("create"), QStringLiteral("Make the calendar (data.js and script.js).")},
        {QStringLiteral("start"), QStringLiteral("First day of the range."),
         QStringLiteral("YYYY-MM-DD")},
        {QStringLiteral("end"), QStringLiteral("Last day of the range."),
         QStringLiteral("YYYY-MM-DD")},
        {QStringLiteral("week"), QStringLiteral("One week from the start.")},
        {QStringLiteral("month"), QStringLiteral("One month from the start.")},
        {QStringLiteral("html-dir"), QStringLiteral("Folder to write the calendar to."),
         QStringLiteral("DIR")},
        {QStringLiteral("open"), QStringLiteral("Open the page in the web browser afterwards.")},
        {QStringLiteral("ics"),
         QStringLiteral("Also write the calendar's activities to an iCalendar file."),
         QStringLiteral("FILE")},
    });
}

// Writes the calendar just made as an iCalendar file; reports a failure as an error.
bool exportIcs(const QString& path, act::ActSession& session, const GenerationOutcome& outcome,
               const Range& range) {
    Procedure proc(QStringLiteral("Module1"), QStringLiteral("Sub"), QStringLiteral("ExportIcs"));
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
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qUtf8Printable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("%s %s\n", qUtf8Printable(app::Title), qUtf8Printable(app::versionText()));
        return 0;
    }
    const int exclusive = int(parser.isSet(QStringLiteral("end"))) +
                          int(parser.isSet(QStringLiteral("week"))) +
                          int(parser.isSet(QStringLiteral("month")));
    if (!parser.isSet(QStringLiteral("create")) || !parser.positionalArguments().isEmpty() ||
        exclusive > 1) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(parser.helpText()));
        return 2;
    }

    CountingMessages counting(messages());
    LanguageBase = languageBaseFor(
        settings().GetSetting(QStringLiteral("Options"), QStringLiteral("Language"), 0));
    Procedure proc(QStringLiteral("Module1"), QStringLiteral("Sub"), QStringLiteral("Create"));
    act::ActSession session;
    Range range;
    bool opened = false;
    const bool ready = proc.run([&] {
        proc.line(1);
        range = rangeFrom(parser);
        proc.line(2);
        opened = openSession(factory, session);
        proc.line(3);
        if (opened)
            MyRecordId = getUserID(*session.database);
    });
    if (!ready || !opened)
        return 1;

    Generation generation(session);
    if (parser.isSet(QStringLiteral("html-dir"))) {
        const QString folder = QDir(parser.value(QStringLiteral("html-dir"))).absolutePath();
        QDir().mkpath(folder);
        copyShippedPage(folder);
        generation.setHtmlFolder(folder);
    }
    generation.setPageOpening(parser.isSet(QStringLiteral("open"))
                                  ? Generation::PageOpening::Always
                                  : Generation::PageOpening::Never);
    const GenerationOutcome outcome = generation.run(range.start, range.end);
    if (!outcome.pagePath.isEmpty())
        std::printf("%s\n", qUtf8Printable(QDir::toNativeSeparators(outcome.pagePath)));
    const bool written = outcome.result == GenerationOutcome::Result::Written;
    if (written && parser.isSet(QStringLiteral("ics")) &&
        !exportIcs(parser.value(QStringLiteral("ics")), session, outcome, range))
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
    const int status = runHeadlessCreate(QCoreApplication::arguments(), factory);
    setShellOpener(nullptr);
    setMessages(nullptr);
    setSettings(nullptr);
    return status;
}
