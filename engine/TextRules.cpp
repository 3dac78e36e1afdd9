#include "TextRules.h"

#include <optional>

namespace {

// The characters some rule replaces, for a quick scan past all others.
constexpr bool mayBeReplaced(char16_t c) {
    switch (c) {
    case u'\\':
    case u'\r':
    case u'\n':
    case u'\'':
    case u'{':
    case u'}':
    case u'<':
    case u'>':
    case u'&':
    case u'"':
    case 0x2028:
    case 0x2029:
        return true;
    default:
        return false;
    }
}

// The text with each character the rule replaces swapped for its replacement, copied in
// runs; the text itself, shared, when the rule replaces nothing, as for most texts.
template <std::optional<QLatin1String> (*rule)(QChar)> QString replacing(const QString& text) {
    const QStringView view(text);
    const auto replaced = [](QChar c) { return mayBeReplaced(c.unicode()) && rule(c); };
    qsizetype i = 0;
    while (i < view.size() && !replaced(view[i]))
        ++i;
    if (i == view.size())
        return text;
    QString out;
    out.reserve(view.size() + 16);
    qsizetype copied = 0;
    for (; i < view.size(); ++i) {
        if (!mayBeReplaced(view[i].unicode()))
            continue;
        const std::optional<QLatin1String> replacement = rule(view[i]);
        if (!replacement)
            continue;
        out.append(view.sliced(copied, i - copied));
        out.append(*replacement);
        copied = i + 1;
    }
    out.append(view.sliced(copied));
    return out;
}

std::optional<QLatin1String> scriptReplacement(QChar c) {
    switch (c.unicode()) {
    case u'\\':
        return QLatin1String("\\\\");
    case u'\r':
        return QLatin1String(" ");
    case u'\n':
        return QLatin1String("");
    case u'\'':
        return QLatin1String("\\'");
    case u'{':
        return QLatin1String("(");
    case u'}':
        return QLatin1String(")");
    // Line separators end a string literal in older script engines.
    case 0x2028:
    case 0x2029:
        return QLatin1String(" ");
    default:
        return std::nullopt;
    }
}

// As QString::toHtmlEscaped, which copies character by character.
std::optional<QLatin1String> htmlReplacement(QChar c) {
    switch (c.unicode()) {
    case u'<':
        return QLatin1String("&lt;");
    case u'>':
        return QLatin1String("&gt;");
    case u'&':
        return QLatin1String("&amp;");
    case u'"':
        return QLatin1String("&quot;");
    default:
        return std::nullopt;
    }
}

} // namespace

QString Check(const QString& text) {
    return replacing<scriptReplacement>(text);
}

QString htmlText(const QString& text) {
    return replacing<htmlReplacement>(text);
}

QString Convert(const QString& strHex) {
    const QString padded = strHex.size() < 6 ? strHex.rightJustified(6, QLatin1Char('0')) : strHex;
    return padded.right(2) + padded.mid(2, 2) + padded.left(2);
}

QString colorText(qint64 windowsColor) {
    return Convert(QString::number(quint32(windowsColor), 16).toUpper());
}
