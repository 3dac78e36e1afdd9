#include "IcsSource.h"

#include "shell/WholeFile.h"

#include <QRegularExpression>

namespace act::standin {

namespace {

[[noreturn]] void failAt(const IcsSource& source, int line, const QString& problem) {
    throw IcsError(
        QStringLiteral("%1:%2: %3").arg(source.fileName).arg(line).arg(problem).toStdString());
}

bool isLine(const QString& line, QLatin1String text) {
    return line.trimmed().compare(text, Qt::CaseInsensitive) == 0;
}

// Whole-file checks libical leaves to us: it reads almost anything as some calendar.
void checkFrame(const IcsSource& source) {
    qsizetype first = 0;
    while (first < source.lines.size() && source.lines.at(first).trimmed().isEmpty())
        ++first;
    if (first == source.lines.size() ||
        !isLine(source.lines.at(first), QLatin1String("BEGIN:VCALENDAR")))
        failAt(source, int(first + 1),
               QStringLiteral("not an iCalendar file (no BEGIN:VCALENDAR)"));
    qsizetype last = source.lines.size() - 1;
    while (source.lines.at(last).trimmed().isEmpty())
        --last;
    if (!isLine(source.lines.at(last), QLatin1String("END:VCALENDAR")))
        failAt(source, int(last + 1),
               QStringLiteral("the calendar is cut short (no END:VCALENDAR at the end)"));
}

// The BEGIN and END lines of the events and to-dos, in file order; libical gives the
// components in that order too.
QList<std::pair<int, int>> itemLines(const QStringList& lines) {
    static const QRegularExpression begin(QStringLiteral("^BEGIN:(VEVENT|VTODO)\\s*$"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression end(QStringLiteral("^END:(VEVENT|VTODO)\\s*$"),
                                        QRegularExpression::CaseInsensitiveOption);
    QList<std::pair<int, int>> spans;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (begin.match(lines.at(i)).hasMatch())
            spans.append({int(i + 1), int(i + 1)});
        else if (end.match(lines.at(i)).hasMatch() && !spans.isEmpty())
            spans.last().second = int(i + 1);
    }
    return spans;
}

void collectItems(IcsSource& source) {
    const QList<std::pair<int, int>> spans = itemLines(source.lines);
    const auto addFrom = [&](icalcomponent* calendar) {
        for (icalcomponent* c = icalcomponent_get_first_component(calendar, ICAL_ANY_COMPONENT); c;
             c = icalcomponent_get_next_component(calendar, ICAL_ANY_COMPONENT)) {
            const icalcomponent_kind kind = icalcomponent_isa(c);
            if (kind != ICAL_VEVENT_COMPONENT && kind != ICAL_VTODO_COMPONENT)
                continue;
            const auto span = spans.value(source.items.size(), {0, 0});
            source.items.append({c, &source, span.first, span.second});
        }
    };
    icalcomponent* root = source.root.get();
    if (icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT) {
        addFrom(root);
        return;
    }
    for (icalcomponent* c = icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT); c;
         c = icalcomponent_get_next_component(root, ICAL_VCALENDAR_COMPONENT))
        addFrom(c);
}

} // namespace

int IcsItem::lineOf(const char* property) const {
    const QRegularExpression start(QStringLiteral("^%1[;:]").arg(QLatin1String(property)),
                                   QRegularExpression::CaseInsensitiveOption);
    for (int line = firstLine; line > 0 && line <= lastLine; ++line)
        if (start.match(source->lines.at(line - 1)).hasMatch())
            return line;
    return firstLine;
}

void IcsItem::fail(const char* property, const QString& problem) const {
    failAt(*source, property ? lineOf(property) : firstLine, problem);
}

std::unique_ptr<IcsSource> readIcsFile(const QString& path) {
    QByteArray text = readWholeFile(path);
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    auto source = std::make_unique<IcsSource>();
    source->fileName = path;
    source->lines = QString::fromUtf8(text).split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    checkFrame(*source);
    source->root.reset(icalparser_parse_string(text.constData()));
    if (!source->root)
        failAt(*source, 1, QStringLiteral("not an iCalendar file"));
    collectItems(*source);
    return source;
}

} // namespace act::standin
