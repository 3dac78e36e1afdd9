#include "EmailLink.h"

#include "ActivitySelection.h"
#include "TextRules.h"

#include <QLocale>
#include <algorithm>

namespace {

// The date placeholders' texts of a row, made once for both templates of its link.
struct DayTexts {
    explicit DayTexts(const QDate& day)
        : weekday(GetDay(day))
        , dayNumber(QString::number(day.day()))
        , month(QLocale::system().monthName(day.month()))
        , year(QString::number(day.year())) {}

    QString weekday;
    QString dayNumber;
    QString month;
    QString year;
};

// Appends the piece with every "&" as "and"; piece by piece, as the texts are put together.
void appendMailText(QString& out, QStringView piece) {
    for (qsizetype at = piece.indexOf(u'&'); at >= 0; at = piece.indexOf(u'&')) {
        out += piece.first(at);
        out += QLatin1String("and");
        piece = piece.sliced(at + 1);
    }
    out += piece;
}

QString fill(const QString& mailTemplate, const ActivityRow& row, const DayTexts& day) {
    const std::pair<QStringView, const QString*> placeholders[] = {
        {u"<dayofweek>", &day.weekday},   {u"<joursem>", &day.weekday},
        {u"<day>", &day.dayNumber},       {u"<jour>", &day.dayNumber},
        {u"<month>", &day.month},         {u"<mois>", &day.month},
        {u"<year>", &day.year},           {u"<année>", &day.year},
        {u"<start>", &row.StartText},     {u"<début>", &row.StartText},
        {u"<end>", &row.EndText},         {u"<fin>", &row.EndText},
        {u"<regarding>", &row.Regarding}, {u"<objet>", &row.Regarding},
        {u"<details>", &row.Details},     {u"<détails>", &row.Details},
    };
    // One pass over the template, copying the text between placeholders in runs: every link
    // of every row fills the same two templates.
    QString filled;
    filled.reserve(mailTemplate.size() + row.Regarding.size() + row.Details.size());
    const QStringView rest(mailTemplate);
    qsizetype copied = 0;
    for (qsizetype i = rest.indexOf(u'<'); i >= 0; i = rest.indexOf(u'<', i)) {
        // Each placeholder ends at its first '>'.
        const qsizetype close = rest.indexOf(u'>', i);
        const QStringView name = close < 0 ? QStringView() : rest.sliced(i, close - i + 1);
        const auto match =
            std::find_if(std::begin(placeholders), std::end(placeholders), [&](const auto& p) {
                return p.first.size() == name.size() && p.first == name;
            });
        if (match == std::end(placeholders)) {
            ++i;
            continue;
        }
        appendMailText(filled, rest.sliced(copied, i - copied));
        appendMailText(filled, *match->second);
        i += match->first.size();
        copied = i;
    }
    appendMailText(filled, rest.sliced(copied));
    return filled;
}

// Appends the text as QUrl::toPercentEncoding(text, kept) gives it: its UTF-8 bytes, each
// but the unreserved characters and `kept` as %XX. Written straight into the link, which
// otherwise takes three intermediate copies per text.
void appendPercentEncoded(QString& out, const QString& text, char kept = 0) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    const QByteArray utf8 = text.toUtf8();
    const qsizetype start = out.size();
    out.resize(start + 3 * utf8.size());
    QChar* at = out.data() + start;
    for (const char c : utf8) {
        const auto byte = uchar(c);
        const bool unreserved = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                                (byte >= '0' && byte <= '9') || c == '-' || c == '.' || c == '_' ||
                                c == '~' || (kept != 0 && c == kept);
        if (unreserved) {
            *at++ = QLatin1Char(c);
            continue;
        }
        *at++ = u'%';
        *at++ = QLatin1Char(Hex[byte >> 4]);
        *at++ = QLatin1Char(Hex[byte & 15]);
    }
    out.truncate(at - out.constData());
}

} // namespace

QString Finalize(const QString& mailTemplate, const ActivityRow& row) {
    return fill(mailTemplate, row, DayTexts(row.StartTime.date()));
}

QString CompleteEmail(const ActivityRow& row, const GenerationState& state) {
    if (row.EmailAddress.isEmpty())
        return row.EmailText;
    const DayTexts day(row.StartTime.date());
    // Check changes characters one by one, and neither it nor the HTML escaping has anything
    // to change in percent-encoded text: only the separator between subject and body needs
    // escaping ("&amp;"), and only the label and the shown address need Check.
    QString link = state.LabelShown[9] ? Check(state.FieldLabels[9] + QLatin1Char(' ')) : QString();
    link.reserve(link.size() + 64 +
                 3 * (state.EmailSubject.size() + state.EmailBody.size() +
                      2 * (row.Regarding.size() + row.Details.size())));
    link += QLatin1String("<a href=\"mailto:");
    appendPercentEncoded(link, row.EmailAddress, '@');
    QLatin1String separator("?");
    if (!state.EmailSubject.isEmpty()) {
        link += separator + QLatin1String("Subject=");
        appendPercentEncoded(link, fill(state.EmailSubject, row, day));
        separator = QLatin1String("&amp;");
    }
    if (!state.EmailBody.isEmpty()) {
        link += separator + QLatin1String("Body=");
        appendPercentEncoded(link, fill(state.EmailBody, row, day));
    }
    link += QLatin1String("\">") + Check(htmlText(row.EmailAddress)) + QLatin1String("</a>");
    return link;
}
