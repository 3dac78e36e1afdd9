#include "EmailLink.h"

#include "SelectionTests.h"
#include "TextRules.h"

#include <QLocale>
#include <QUrl>
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

} // namespace

QString Finalize(const QString& mailTemplate, const ActivityRow& row) {
    return fill(mailTemplate, row, DayTexts(row.StartTime.date()));
}

QString CompleteEmail(const ActivityRow& row, const GenerationState& state) {
    if (row.EmailAddress.isEmpty())
        return row.EmailText;
    const DayTexts day(row.StartTime.date());
    QString href = QLatin1String("mailto:") +
                   QString::fromLatin1(QUrl::toPercentEncoding(row.EmailAddress, "@"));
    QString separator = QStringLiteral("?");
    if (!state.EmailSubject.isEmpty()) {
        href += separator + QLatin1String("Subject=") +
                QString::fromLatin1(QUrl::toPercentEncoding(fill(state.EmailSubject, row, day)));
        separator = QStringLiteral("&");
    }
    if (!state.EmailBody.isEmpty())
        href += separator + QLatin1String("Body=") +
                QString::fromLatin1(QUrl::toPercentEncoding(fill(state.EmailBody, row, day)));

    const QString prefix =
        state.LabelShown[9] ? state.FieldLabels[9] + QLatin1Char(' ') : QString();
    // Check changes characters one by one, and the percent-encoded address has none it
    // changes: only the other pieces need it.
    return Check(prefix) + QLatin1String("<a href=\"") + htmlText(href) + QLatin1String("\">") +
           Check(htmlText(row.EmailAddress)) + QLatin1String("</a>");
}
