#pragma once

#include <QList>
#include <QString>
#include <array>

// One alarm row of a set. Numbers are held as the text typed.
struct TAlarmRule
{
    enum Direction { Above = 0, Below = 1 };
    enum Condition { Accumulative = 0, Instantly = 1 };

    bool Enabled = false;
    int Direction = Above;
    QString Threshold = QStringLiteral("0");
    int Condition = Accumulative;
    QString AlarmTime = QStringLiteral("0");

    bool operator==(const TAlarmRule&) const = default;
};

using TAlarmSet = std::array<TAlarmRule, 8>;

// One logger configuration: numeric fields are the text as typed,
// enumerations the index of the chosen item.
struct TIndicatorSettings
{
    QString RecordingDays = QStringLiteral("1");
    QString RecordingInterval = QStringLiteral("1");
    bool DelayEnabled = true;
    QString DelayedStart = QStringLiteral("1");
    int StopMode = 1;        // 0 Manual, 1 Automatic
    int Language = 1;        // 0 Russian, 1 English
    int TemperatureUnit = 0; // 0 C, 1 F
    int ProbeType = 0;       // 0 In, 1 out
    int TimesOfUse = 1;      // 0 Single, 1 Many

    bool OutputPdf = true;
    bool OutputCsv = false;
    bool PdfShowLogo = false;
    QString PdfLogo = QStringLiteral("Please write your Logo");
    bool PdfShowDevice = false;
    QString PdfDevice = QStringLiteral("Please write your Device Name");
    bool PdfShowTimeFormat = false;
    int PdfTimeFormat = 0; // 0 DD/MM/YY, 1 MM/DD/YY
    bool PdfShowUrl = false;
    QString PdfUrl = QStringLiteral("www.example.com");
    bool PdfShowUsbName = false;
    QString PdfUsbName = QStringLiteral("Please write your USB Name");
    bool PdfShowDeviceId = false;
    QString PdfDeviceId = QStringLiteral("180500004A");
    bool PdfShowTripDescription = false;
    QString PdfTripDescription = QStringLiteral("New York to Canada");

    int TimeZoneIndex = 24; // (UTC+00:00)
    bool CollectTemperature = true;
    bool CollectHumidity = false;
    TAlarmSet TemperatureAlarms{};
    TAlarmSet HumidityAlarms{};

    bool operator==(const TIndicatorSettings&) const = default;
};

// The placeholder web address put into the Url field when a window opens.
inline constexpr const char* kPlaceholderUrl = "www.example.com";

// The rules of a set's alarm chain: the unbroken run of enabled rules from rule 1.
QList<TAlarmRule> EffectiveAlarms(const TAlarmSet& set);

// Blanks are spaces and control characters; a blank text is empty after
// removing them from both ends. Both the check and the writer trim this way.
QString TrimBlanks(const QString& text);
bool IsBlank(const QString& text);

inline constexpr int kTimeZoneCount = 49;
// "(UTC -12:00)" … "(UTC -00:30)", "(UTC+00:00)" … "(UTC+12:00)".
QString TimeZoneText(int index);

// The field a failed check points at, so the window can focus its control.
struct SettingsField
{
    enum Kind {
        None,
        RecordingDays,
        RecordingInterval,
        DelayedStart,
        PdfLogo,
        PdfDevice,
        PdfUrl,
        PdfUsbName,
        PdfDeviceId,
        PdfTripDescription,
        AlarmThreshold,
        AlarmTime,
    };
    enum Set { Temperature, Humidity };

    Kind kind = None;
    Set set = Temperature;
    int rule = 0; // 1..8 for the alarm fields

    bool operator==(const SettingsField&) const = default;
};

struct ValidationResult
{
    bool ok = true;
    SettingsField field;
    // Empty when the caller is to show its own incomplete-parameter message;
    // otherwise a message of our own that names the field (values that would
    // corrupt the settings text). Not yet shown.
    QString message;
};

// The check before a save or an upload; stops at the first fault. Shows
// "Please choose at least one output format!" itself when requireOutputFormat
// is set and no format is chosen. A missing value fails with an empty message
// (the caller shows its incomplete-parameter message); a value the settings
// text cannot hold (not a number, too wide, a PDF text with characters the
// file cannot carry) fails with a message naming the field, which the caller
// shows with caption "Prompt" and the information icon.
ValidationResult ValidateSettings(const TIndicatorSettings& settings, bool requireOutputFormat);
