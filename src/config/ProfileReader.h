#pragma once

#include "config/IndicatorSettings.h"
#include "config/Windows1252.h"

#include <QByteArrayView>
#include <QString>

class QIODevice;

// What loading a profile does to an editor window, one operation per effect.
// The reader drives this interface line by line; the upload window implements
// it on its controls (running the same handlers a user's click would), and
// SettingsProfileTarget implements it on a plain TIndicatorSettings.
//
// Alarm rows are numbered 1 to 8. Enumerations are the item indexes of
// TIndicatorSettings.
class ProfileTarget
{
public:
    // The same set names the alarm rows and the check use.
    using AlarmSet = SettingsField::Set;
    enum class PdfText { Logo, Device, Url, UsbName, DeviceId, TripDescription };

    virtual ~ProfileTarget() = default;

    // CascadeAlarmRows with row 1 off for the temperature set and for the
    // humidity set (all sixteen switches off, values kept), both alarm tabs
    // hidden, the first tab selected, CollectHumidity off.
    virtual void resetAlarmPart() = 0;

    virtual void setStopMode(int mode) = 0;
    virtual void setLanguage(int language) = 0;
    virtual void setCollectTemperature(bool on) = 0;
    // Selects the unit. When the selection changes, the target runs the unit's
    // click handler as for a user's click: ApplyTemperatureUnit, then
    // ConvertAlarmThresholds of the thresholds it holds.
    virtual void setTemperatureUnit(int unit) = 0;
    // ApplyTemperatureUnit for the unit now selected (labels and limits only).
    virtual void applyTemperatureUnit() = 0;
    // The windows offer only "In": a target built on them keeps 0 for either.
    virtual void setProbeType(int probe) = 0;
    virtual void setTimesOfUse(int times) = 0;

    // On shows the "PDF Format" group, off hides it.
    virtual void setOutputPdf(bool on) = 0;
    virtual void setOutputCsv(bool on) = 0;
    // All seven show flags off, the time-format choice disabled.
    virtual void resetPdfShowFlags() = 0;
    // The item's show flag on and its text set.
    virtual void showPdfText(PdfText item, const QString& value) = 0;
    // PdfShowTimeFormat on, the time-format choice enabled, PdfTimeFormat set.
    virtual void showPdfTimeFormat(int format) = 0;

    virtual void setTimeZoneIndex(int index) = 0;
    virtual void setRecordingDays(const QString& days) = 0;
    virtual void setRecordingInterval(const QString& minutes) = 0;
    // DelayedStart set; DelayEnabled, the delay field and its spinner follow delayEnabled.
    virtual void setDelayedStart(const QString& minutes, bool delayEnabled) = 0;

    // Both alarm tabs hidden (the collect flags are not touched).
    virtual void hideAlarmTabs() = 0;
    // CollectTemperature on, the unit choice enabled, the temperature tab shown.
    virtual void showTemperatureTab() = 0;
    // CollectHumidity on, the humidity tab shown.
    virtual void showHumidityTab() = 0;

    // Loading rule n of a set runs these in this order; a line whose number
    // cannot be read stops the load after the operations already done.
    // Enabled on, then CascadeAlarmRows(set, n, on) as when the user ticks it.
    virtual void enableAlarmRule(AlarmSet set, int n) = 0;
    virtual void setAlarmDirection(AlarmSet set, int n, int direction) = 0;
    virtual void setAlarmThreshold(AlarmSet set, int n, const QString& threshold) = 0;
    // Sets the condition without running the condition's change handler
    // (which would set the time to 1 for "Instantly").
    virtual void setAlarmCondition(AlarmSet set, int n, int condition) = 0;
    // Sets the time text; the change refreshes the row's time caption.
    virtual void setAlarmTime(AlarmSet set, int n, const QString& time) = 0;
};

// ProfileTarget on a plain record: every effect lands in the TIndicatorSettings
// given (not owned), as the window's controls would hold it. Tabs, groups and
// enabled states have no counterpart in the record and are ignored. A unit
// change does not convert the thresholds of rows the file leaves out: they are
// switched off by the reset and do not count.
class SettingsProfileTarget : public ProfileTarget
{
public:
    explicit SettingsProfileTarget(TIndicatorSettings& settings) : m_settings(settings) {}

    void resetAlarmPart() override;
    void setStopMode(int mode) override;
    void setLanguage(int language) override;
    void setCollectTemperature(bool on) override;
    void setTemperatureUnit(int unit) override;
    void applyTemperatureUnit() override {}
    void setProbeType(int probe) override;
    void setTimesOfUse(int times) override;
    void setOutputPdf(bool on) override;
    void setOutputCsv(bool on) override;
    void resetPdfShowFlags() override;
    void showPdfText(PdfText item, const QString& value) override;
    void showPdfTimeFormat(int format) override;
    void setTimeZoneIndex(int index) override;
    void setRecordingDays(const QString& days) override;
    void setRecordingInterval(const QString& minutes) override;
    void setDelayedStart(const QString& minutes, bool delayEnabled) override;
    void hideAlarmTabs() override {}
    void showTemperatureTab() override;
    void showHumidityTab() override;
    void enableAlarmRule(AlarmSet set, int n) override;
    void setAlarmDirection(AlarmSet set, int n, int direction) override;
    void setAlarmThreshold(AlarmSet set, int n, const QString& threshold) override;
    void setAlarmCondition(AlarmSet set, int n, int condition) override;
    void setAlarmTime(AlarmSet set, int n, const QString& time) override;

private:
    TAlarmRule& rule(AlarmSet set, int n);

    TIndicatorSettings& m_settings;
};

struct ProfileReadResult
{
    bool ok = false;
    // Why the load failed, for the log and for tests; the user is shown only
    // "Profile load failed!".
    QString error;
    // The line (counted from 1) the reader was on when it failed; 0 when the
    // file could not be opened.
    int line = 0;
};

// Loads a settings text file (a profile) into the target, walking its lines
// once from the top. Every field changes only when its line is recognised;
// fields set before a failure keep their new values. The file is closed when
// the call returns. Takes any file: unreadable content ends in a failure,
// never in a crash or a hang.
//
// The caller writes the path to Config.ini ("Path", "Last Profile Path")
// before calling, and then shows the outcome exactly once; see
// ReadProfileAndReport.
ProfileReadResult ReadProfile(const QString& path, ProfileTarget& target);
// Same, from an open device positioned at the start of the profile.
ProfileReadResult ReadProfile(QIODevice& device, ProfileTarget& target);

// ReadProfile followed by its one message through ShowPrompt, caption "Prompt",
// information icon: "Profile load successed!" or "Profile load failed!".
ProfileReadResult ReadProfileAndReport(const QString& path, ProfileTarget& target);
