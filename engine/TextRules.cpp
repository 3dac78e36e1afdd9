#include "TextRules.h"

#include <algorithm>

namespace {

bool changedByCheck(QChar c) {
    switch (c.unicode()) {
    case u'\\':
    case u'\r':
    case u'\n':
    case u'\'':
    case u'{':
    case u'}':
    case 0x2028:
    case 0x2029:
        return true;
    default:
        return false;
    }
}

bool changedByHtml(QChar c) {
    const char16_t u = c.unicode();
    return u == u'<' || u == u'>' || u == u'&' || u == u'"';
}

} // namespace

QString Check(const QString& text) {
    // Most texts need no change: they are then shared, not copied.
    if (std::none_of(text.cbegin(), text.cend(), changedByCheck))
        return text;
    QString safe;
    safe.reserve(text.size() + 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\':
            safe += QLatin1String("\\\\");
            break;
        case u'\r':
            safe += QLatin1Char(' ');
            break;
        case u'\n':
            break;
        case u'\'':
            safe += QLatin1String("\\'");
            break;
        case u'{':
            safe += QLatin1Char('(');
            break;
        case u'}':
            safe += QLatin1Char(')');
            break;
        // Line separators end a string literal in older script engines.
        case 0x2028:
        case 0x2029:
            safe += QLatin1Char(' ');
            break;
        default:
            safe += c;
        }
    }
    return safe;
}

QString htmlText(const QString& text) {
    if (std::none_of(text.cbegin(), text.cend(), changedByHtml))
        return text;
    return text.toHtmlEscaped();
}

QString Convert(const QString& strHex) {
    const QString padded = strHex.size() < 6 ? strHex.rightJustified(6, QLatin1Char('0')) : strHex;
    return padded.right(2) + padded.mid(2, 2) + padded.left(2);
}

QString colorText(qint64 windowsColor) {
    return Convert(QString::number(quint32(windowsColor), 16).toUpper());
}
