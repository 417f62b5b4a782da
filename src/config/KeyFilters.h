#pragma once

#include <QChar>
#include <QString>

class QLineEdit;

// The typing rules of the numeric edit boxes. A refused character is dropped
// silently; pasted text does not pass through them.
enum class KeyRule {
    Digits,               // delayed start and the alarm times
    RecordingInterval,    // digits, no leading zero
    RecordingDays,        // digits, no leading zero, nothing beyond 400
    TemperatureThreshold, // digits, minus signs, one decimal point
    HumidityThreshold,    // digits, one decimal point, two digits before it
};

// Whether a typed character passes, judged on the text before it and on
// whether the selection covers the whole text. Backspace, tab and enter
// always pass; the decimal point is always the full stop.
bool KeyPasses(KeyRule rule, QChar key, const QString& text, bool wholeTextSelected);

// Filters the characters typed into the box by the rule.
void InstallKeyFilter(QLineEdit* edit, KeyRule rule);

// Limits what is typed or pasted to a number of characters while leaving
// longer texts that the program puts in whole (setMaxLength would cut them).
// Such a text can still be shortened.
void LimitTyping(QLineEdit* edit, int limit);
