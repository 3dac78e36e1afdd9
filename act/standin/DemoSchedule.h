#pragma once

#include "DemoPeople.h"

#include <QDate>
#include <QJsonArray>

namespace act::standin {

// The demo's activities: a working calendar over the eight weeks around `today`.
QJsonArray makeDemoActivities(QRandomGenerator& random, const DemoPeople& people,
                              const QDate& today);

} // namespace act::standin
