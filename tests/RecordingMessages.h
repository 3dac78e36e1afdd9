#pragma once

#include "shell/Messages.h"

#include <QList>
#include <QStringList>

// Records every message the code under test shows and answers questions from a queue
// (Yes, or OK, when the queue is empty), so tests can check exact texts without a display.
class RecordingMessages : public Messages {
public:
    struct Shown {
        QString text;
        QString title;
    };

    RecordingMessages() { setMessages(this); }
    ~RecordingMessages() override { setMessages(nullptr); }

    Answer show(const QString& text, const QString& title, Icon, Buttons buttons) override {
        shown.append({text, title});
        if (buttons == Buttons::Ok || answers.isEmpty())
            return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
        return answers.takeFirst();
    }

    QStringList texts() const {
        QStringList list;
        for (const Shown& s : shown)
            list << s.text;
        return list;
    }

    QList<Shown> shown;
    QList<Answer> answers;
};
