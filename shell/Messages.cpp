#include "Messages.h"

#include <cstdio>

namespace {
StderrMessages fallback;
Messages* current = &fallback;
} // namespace

Messages& messages() {
    return *current;
}

void setMessages(Messages* sink) {
    current = sink ? sink : &fallback;
}

Messages::Answer StderrMessages::show(const QString& text, const QString& title, Icon,
                                      Buttons buttons) {
    ++count_;
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::fprintf(stderr, "%s: %s\n", qUtf8Printable(title), qUtf8Printable(shown));
    switch (buttons) {
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::OkCancel:
        return Answer::Cancel;
    case Buttons::Ok:
        break;
    }
    return Answer::Ok;
}
