#include "EmailLink.h"

#include "SelectionTests.h"
#include "TextRules.h"

#include <QLocale>
#include <QUrl>
#include <algorithm>

QString Finalize(const QString& mailTemplate, const ActivityRow& row) {
    const QDate day = row.StartTime.date();
    const QString weekday = GetDay(day);
    const QString dayNumber = QString::number(day.day());
    const QString month = QLocale::system().monthName(day.month());
    const QString year = QString::number(day.year());
    const std::pair<QStringView, const QString*> placeholders[] = {
        {u"<dayofweek>", &weekday},
        {u"<joursem>", &weekday},
        {u"<day>", &dayNumber},
        {u"<jour>", &dayNumber},
        {u"<month>", &month},
        {u"<mois>", &month},
        {u"<year>", &year},
        {u"<année>", &year},
        {u"<start>", &row.StartText},
        {u"<début>", &row.StartText},
        {u"<end>", &row.EndText},
        {u"<fin>", &row.EndText},
        {u"<regarding>", &row.Regarding},
        {u"<objet>", &row.Regarding},
        {u"<details>", &row.Details},
        {u"<détails>", &row.Details},
    };
    // One pass over the template: every link of every row fills the same two templates.
    QString filled;
    filled.reserve(mailTemplate.size() + row.Regarding.size() + row.Details.size());
    const QStringView rest(mailTemplate);
    for (qsizetype i = 0; i < rest.size();) {
        if (rest[i] == u'<') {
            const QStringView tail = rest.mid(i);
            const auto match =
                std::find_if(std::begin(placeholders), std::end(placeholders),
                             [&](const auto& p) { return tail.startsWith(p.first); });
            if (match != std::end(placeholders)) {
                filled += *match->second;
                i += match->first.size();
                continue;
            }
        }
        filled += rest[i++];
    }
    filled.replace(QLatin1Char('&'), QLatin1String("and"));
    return filled;
}

QString CompleteEmail(const ActivityRow& row, const GenerationState& state) {
    if (row.EmailAddress.isEmpty())
        return row.EmailText;
    QString href = QLatin1String("mailto:") +
                   QString::fromLatin1(QUrl::toPercentEncoding(row.EmailAddress, "@"));
    QString separator = QStringLiteral("?");
    if (!state.EmailSubject.isEmpty()) {
        href += separator + QLatin1String("Subject=") +
                QString::fromLatin1(QUrl::toPercentEncoding(Finalize(state.EmailSubject, row)));
        separator = QStringLiteral("&");
    }
    if (!state.EmailBody.isEmpty())
        href += separator + QLatin1String("Body=") +
                QString::fromLatin1(QUrl::toPercentEncoding(Finalize(state.EmailBody, row)));

    const QString prefix =
        state.LabelShown[9] ? state.FieldLabels[9] + QLatin1Char(' ') : QString();
    return Check(prefix + QLatin1String("<a href=\"") + htmlText(href) + QLatin1String("\">") +
                 htmlText(row.EmailAddress) + QLatin1String("</a>"));
}
