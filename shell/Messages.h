#pragma once

#include <QString>

// Every modal message and question of the program goes through this one interface, so that
// tests answer them without a display and the headless run never blocks on one.
class Messages {
public:
    enum class Icon { None, Critical, Exclamation, Question, Information };
    enum class Buttons { Ok, YesNo, OkCancel };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~Messages() = default;
    virtual Answer show(const QString& text, const QString& title, Icon icon = Icon::None,
                        Buttons buttons = Buttons::Ok) = 0;
};

// The program's current message sink; the start-up code installs one before anything runs.
Messages& messages();
void setMessages(Messages* sink);

// Writes messages to standard error and answers every question "No" (or Cancel): for the
// headless run.
class StderrMessages : public Messages {
public:
    Answer show(const QString& text, const QString& title, Icon icon, Buttons buttons) override;
    int count() const { return count_; }

private:
    int count_ = 0;
};
