#pragma once

#include <QString>
#include <optional>

// The numbers of the alarm fields are shown and read in one fixed form,
// whatever the system locale: a full stop as decimal separator and a comma
// grouping from 1000 on. What the window shows, what the settings text writer
// reads and what the workbook receives therefore always agree.

// A whole number with grouping: 1000 gives "1,000".
QString FormatGroupedWhole(int value);

// Reads a number in the fixed form (grouping commas allowed, surrounding
// blanks ignored). Empty when the text is not a finite number.
std::optional<double> ReadFixedNumber(const QString& text);

// A threshold as the alarm rows write it: rounded to four significant digits
// and then to one decimal, always with exactly one decimal, grouped from 1000
// on: 0.1, -0.1, 99.9, 100.0, -148.0, 1,832.0. A value that rounds to zero is
// written "0.0", never "-0.0".
QString FormatAlarmThreshold(double value);

// The caption beside an alarm time, for condition 0 (accumulative, minutes)
// or 1 (instantly, a number of readings). An empty string when the time is
// blank; empty optional when its digits do not form a whole number (pasted
// letters, a fraction, a number beyond 32 bits).
std::optional<QString> AlarmTimeCaption(const QString& timeText, int condition);

// The messages naming a text that cannot be read.
QString NotANumberMessage(const QString& text);
QString NotAWholeNumberMessage(const QString& text);
