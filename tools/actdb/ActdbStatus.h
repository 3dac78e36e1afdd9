#pragma once

#include "act/standin/ActHome.h"

#include <QString>

// What the stand-in ACT! in `home` looks like now, as lines of text.
QString actdbStatus(const act::standin::ActHome& home);
