#pragma once

#include <QDateTime>

// The program's view of "now". Tests fix it so that the logger time line,
// proposed file names and log rows are predictable.
QDateTime NowUtc();
QDateTime NowLocal();
// Fixes the clock at the given instant; an invalid QDateTime restores the real clock.
void SetFixedClock(const QDateTime& instant);
