#pragma once

#include "IndicatorSettings.h"
#include "Windows1252.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringList>

class QIODevice;

// Keeps only the digits and the full stop, in order.
QString FilterNumberChars(const QString& text);
// Whole number zero-padded to width; empty when the text holds no number.
QString FormatWholeField(const QString& text, int width);
// Threshold as "08.0", "-20.5", "100.0"; empty when not a number.
QString FormatThresholdField(const QString& text);

// The logger time: true UTC plus the zone's offset, "yy/MM/dd HH:mm:ss".
QString LoggerTimeText(const QDateTime& utcNow, int timeZoneIndex);

// The lines of the settings text in order, without terminators. Lines that
// carry their own carriage return in the file are flagged.
struct SettingsLine
{
    enum Kind {
        StopMode,
        Language,
        Unit,
        Probe,
        TimesOfUse,
        OutputFormat,
        PdfCustom,
        TimeZone,
        Time,
        RecordingDays,
        RecordingInterval,
        DelayedStart,
        CollectTemperature,
        TemperatureAlarm,
        CollectHumidity,
        HumidityAlarm
    };
    Kind kind = StopMode;
    QString text;      // without leading tabs, without the carriage return
    bool ownCr = true; // false for the alarm lines
    // For OutputFormat: the format part and the custom mark, which the
    // workbook joins differently.
    QString formatPart;
    QString customMark;
};
QList<SettingsLine> BuildSettingsLines(const TIndicatorSettings& settings, const QDateTime& utcNow);

// The whole file as bytes (Windows-1252, no byte-order mark).
QByteArray BuildSettingsText(const TIndicatorSettings& settings, const QDateTime& utcNow);

// Writes all bytes to an open device; false with the reason when the device
// refuses or accepts only part of them.
bool WriteAllBytes(QIODevice& device, const QByteArray& bytes, QString* errorString = nullptr);

// Writes bytes to path atomically: a temporary file in the same directory,
// flushed to the device, then renamed over the target. On failure the old
// file is untouched, the temporary file is gone and errorString says why.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* errorString = nullptr);

// Reads the file back and compares it byte for byte with what was meant to
// be written; false with the reason when it cannot be read or differs. The
// cached pages are dropped first where the system allows, so that the bytes
// come from the device itself.
bool VerifyFileContents(const QString& path, const QByteArray& expected, QString* errorString = nullptr);

enum class SettingsTextVariant { Upload, Profile };

// Writes the settings text for the current clock and shows the variant's
// messages: Upload reads the file back and shows "Upload successed!" only when
// it holds what was written, otherwise "Upload failed!"; Profile shows
// "Save failed!" on failure and nothing on success. Returns success.
bool WriteSettingsText(const TIndicatorSettings& settings, const QString& path, SettingsTextVariant variant);
