#pragma once

#include <QDate>
#include <QString>

// The administrator's code of the day: four characters derived from the local
// date, e.g. "7000" on Tuesday 2025-12-09, "571." on Saturday 2000-01-01.
QString DailyAdminCode();
// The code for a given date (DailyAdminCode uses today's local date).
QString DailyAdminCodeFor(const QDate& date);

// A number in the general format: the shortest text with up to 15 significant
// digits, never an exponent, a full stop as the decimal separator.
QString GeneralNumberText(double value);
