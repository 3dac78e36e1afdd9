#include "HeadlessCommandLine.h"

#include "CommandLine.h"
#include "engine/RangeLimits.h"

#include <QCommandLineParser>

namespace {

const QString Create = QStringLiteral("create");
const QString Start = QStringLiteral("start");
const QString End = QStringLiteral("end");
const QString Week = QStringLiteral("week");
const QString Month = QStringLiteral("month");
const QString HtmlDir = QStringLiteral("html-dir");
const QString Open = QStringLiteral("open");
const QString Ics = QStringLiteral("ics");
const QString HelpAll = QStringLiteral("help-all");

const char* const Description =
    R"(Without arguments, Daywise opens its main window; Qt's own options such as
-platform, -style or -session start the window too (see --help-all).
With --create it makes the calendar of the database open in ACT! without any
window, exactly as the Create button does, and prints the page's path. It does
not change the range the main window restores.)";

const char* const Epilogue = R"(
Days: YYYY-MM-DD, today, tomorrow, yesterday, or +N / -N days from today.
Without --start and --end the range is the one the main window would restore:
from today for a week or a month, or the custom range it kept. A range covers
a month at most.

Examples:
  daywise --create --week                 this week, from today
  daywise --create --start 2025-03-01 --month
  daywise --create --start -7 --end today --html-dir ~/calendar --open

Environment:
  DAYWISE_ACT_HOME  the stand-in ACT!'s folder (default $XDG_DATA_HOME/Daywise/act)

Exit status:
  0  the calendar was written
  1  a problem was reported (on standard error) and the last calendar kept
  2  the command line was wrong
)";

void addOptions(QCommandLineParser& parser) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QString::fromUtf8(Description));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {Create, QStringLiteral("Make the calendar (data.js and script.js) without windows.")},
        {Start,
         QStringLiteral("First day of the range (default: today, or the start of the "
                        "kept custom range)."),
         QStringLiteral("day")},
        {End,
         QStringLiteral("Last day of the range (default: a week or a month from the start, "
                        "or the end of the kept custom range, as the main window chose)."),
         QStringLiteral("day")},
        {Week, QStringLiteral("End one week after the start.")},
        {Month, QStringLiteral("End one month after the start.")},
        {HtmlDir,
         QStringLiteral("Write the calendar and a copy of the page to this folder "
                        "(default: html/ beside the program, or $XDG_DATA_HOME/Daywise/html)."),
         QStringLiteral("folder")},
        {Open, QStringLiteral("Open the page in the web browser afterwards.")},
        {Ics, QStringLiteral("Also write the calendar's activities to this iCalendar file."),
         QStringLiteral("file")},
    });
}

QDate dayOption(const QCommandLineParser& parser, const QString& name, const QDate& today) {
    const QDate day = dayFromText(parser.value(name), today);
    if (!day.isValid())
        throw UsageError{QStringLiteral("--%1: not a day: '%2' (YYYY-MM-DD, today, tomorrow, "
                                        "yesterday, +N or -N)")
                             .arg(name, parser.value(name))};
    return day;
}

void refuseCombinations(const QCommandLineParser& parser) {
    if (!parser.positionalArguments().isEmpty())
        throw UsageError{
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first())};
    QStringList ends;
    for (const QString& name : {End, Week, Month})
        if (parser.isSet(name))
            ends << QStringLiteral("--") + name;
    if (ends.size() > 1)
        throw UsageError{QStringLiteral("%1 cannot be given together").arg(ends.join(" and "))};
    if (parser.isSet(Create))
        return;
    if (!parser.optionNames().isEmpty())
        throw UsageError{QStringLiteral("--%1 needs --create").arg(parser.optionNames().first())};
}

} // namespace

HeadlessRequest parseHeadlessCommandLine(const QStringList& arguments, const QDate& today) {
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(arguments))
        throw UsageError{parser.errorText()};
    HeadlessRequest request;
    if (parser.isSet(QStringLiteral("help")))
        request.action = HeadlessRequest::Action::Help;
    else if (parser.isSet(HelpAll))
        request.action = HeadlessRequest::Action::HelpAll;
    else if (parser.isSet(QStringLiteral("version")))
        request.action = HeadlessRequest::Action::Version;
    if (request.action != HeadlessRequest::Action::Create)
        return request;

    refuseCombinations(parser);
    if (parser.isSet(Start))
        request.start = dayOption(parser, Start, today);
    if (parser.isSet(End))
        request.end = dayOption(parser, End, today);
    if (parser.isSet(Week))
        request.length = HeadlessRequest::Length::Week;
    if (parser.isSet(Month))
        request.length = HeadlessRequest::Length::Month;
    request.htmlDir = parser.value(HtmlDir);
    request.open = parser.isSet(Open);
    request.icsFile = parser.value(Ics);
    return request;
}

QString headlessHelpText(bool withQtOptions) {
    QCommandLineParser parser;
    addOptions(parser);
    QString text = parser.helpText();
    // The first line names the program as it was started, often a long build path.
    text.replace(0, text.indexOf(QLatin1Char('\n')),
                 QStringLiteral("Usage: daywise [--create [options]]"));
    text += QString::fromUtf8(Epilogue);
    if (withQtOptions)
        text += QStringLiteral("\nQt's window options:\n") + qtWindowOptionsHelp();
    return text;
}

QString rangeMistake(const QDate& start, const QDate& end) {
    if (end < start)
        return QStringLiteral("the range ends on %1, before it starts on %2")
            .arg(end.toString(Qt::ISODate), start.toString(Qt::ISODate));
    if (rangeTooLong(start, end))
        return QStringLiteral(
                   "the range %1 to %2 is longer than a month; the last end date allowed "
                   "is %3")
            .arg(start.toString(Qt::ISODate), end.toString(Qt::ISODate),
                 lastEndAllowed(start).toString(Qt::ISODate));
    return {};
}
