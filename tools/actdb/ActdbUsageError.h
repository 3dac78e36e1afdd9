#pragma once

#include <QString>

// A mistake on daywise-actdb's command line, named in one line; the exit status is 2.
struct ActdbUsageError {
    QString message;
};
