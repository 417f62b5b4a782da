#include "Clock.h"

namespace {
QDateTime g_fixed;
}

QDateTime NowUtc()
{
    return g_fixed.isValid() ? g_fixed.toUTC() : QDateTime::currentDateTimeUtc();
}

QDateTime NowLocal()
{
    return g_fixed.isValid() ? g_fixed.toLocalTime() : QDateTime::currentDateTime();
}

void SetFixedClock(const QDateTime& instant)
{
    g_fixed = instant;
}
