#pragma once

#include <QDateTime>

// "Now" as a wall-clock reading (no time zone arithmetic), behind a seam tests can fix.
QDateTime now();
void setFixedNow(const QDateTime& wallClock); // an invalid value returns to the real clock
