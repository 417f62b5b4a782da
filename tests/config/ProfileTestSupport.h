#pragma once

// Shared by the profile reader tests: a target that records every call it
// gets while filling a record, and a readable comparison of two records.

#include "config/IndicatorSettings.h"
#include "config/ProfileReader.h"

#include <QMetaType>
#include <QStringList>
#include <QVariant>

Q_DECLARE_METATYPE(TIndicatorSettings)

inline QString SetName(ProfileTarget::AlarmSet set)
{
    return set == ProfileTarget::AlarmSet::Temperature ? QStringLiteral("T") : QStringLiteral("H");
}

// Fills `settings` like SettingsProfileTarget and records each call as one
// line ("setTemperatureUnit 1", "enableAlarmRule T3", ...), in order.
class RecordingProfileTarget final : public ProfileTarget
{
public:
    explicit RecordingProfileTarget(const TIndicatorSettings& start = {}) : settings(start) {}

    TIndicatorSettings settings;
    QStringList calls;

    void resetAlarmPart() override
    {
        record(QStringLiteral("resetAlarmPart"));
        m_plain.resetAlarmPart();
    }
    void setStopMode(int v) override
    {
        record(QStringLiteral("setStopMode %1").arg(v));
        m_plain.setStopMode(v);
    }
    void setLanguage(int v) override
    {
        record(QStringLiteral("setLanguage %1").arg(v));
        m_plain.setLanguage(v);
    }
    void setCollectTemperature(bool on) override
    {
        record(QStringLiteral("setCollectTemperature %1").arg(on));
        m_plain.setCollectTemperature(on);
    }
    void setTemperatureUnit(int v) override
    {
        record(QStringLiteral("setTemperatureUnit %1").arg(v));
        m_plain.setTemperatureUnit(v);
    }
    void applyTemperatureUnit() override { record(QStringLiteral("applyTemperatureUnit")); }
    void setProbeType(int v) override
    {
        record(QStringLiteral("setProbeType %1").arg(v));
        m_plain.setProbeType(v);
    }
    void setTimesOfUse(int v) override
    {
        record(QStringLiteral("setTimesOfUse %1").arg(v));
        m_plain.setTimesOfUse(v);
    }
    void setOutputPdf(bool on) override
    {
        record(QStringLiteral("setOutputPdf %1").arg(on));
        m_plain.setOutputPdf(on);
    }
    void setOutputCsv(bool on) override
    {
        record(QStringLiteral("setOutputCsv %1").arg(on));
        m_plain.setOutputCsv(on);
    }
    void resetPdfShowFlags() override
    {
        record(QStringLiteral("resetPdfShowFlags"));
        m_plain.resetPdfShowFlags();
    }
    void showPdfText(PdfText item, const QString& value) override
    {
        record(QStringLiteral("showPdfText %1 %2").arg(int(item)).arg(value));
        m_plain.showPdfText(item, value);
    }
    void showPdfTimeFormat(int v) override
    {
        record(QStringLiteral("showPdfTimeFormat %1").arg(v));
        m_plain.showPdfTimeFormat(v);
    }
    void setTimeZoneIndex(int v) override
    {
        record(QStringLiteral("setTimeZoneIndex %1").arg(v));
        m_plain.setTimeZoneIndex(v);
    }
    void setRecordingDays(const QString& v) override
    {
        record(QStringLiteral("setRecordingDays ") + v);
        m_plain.setRecordingDays(v);
    }
    void setRecordingInterval(const QString& v) override
    {
        record(QStringLiteral("setRecordingInterval ") + v);
        m_plain.setRecordingInterval(v);
    }
    void setDelayedStart(const QString& v, bool enabled) override
    {
        record(QStringLiteral("setDelayedStart %1 %2").arg(v).arg(enabled));
        m_plain.setDelayedStart(v, enabled);
    }
    void hideAlarmTabs() override { record(QStringLiteral("hideAlarmTabs")); }
    void showTemperatureTab() override
    {
        record(QStringLiteral("showTemperatureTab"));
        m_plain.showTemperatureTab();
    }
    void showHumidityTab() override
    {
        record(QStringLiteral("showHumidityTab"));
        m_plain.showHumidityTab();
    }
    void enableAlarmRule(AlarmSet set, int n) override
    {
        record(QStringLiteral("enableAlarmRule %1%2").arg(SetName(set)).arg(n));
        m_plain.enableAlarmRule(set, n);
    }
    void setAlarmDirection(AlarmSet set, int n, int v) override
    {
        record(QStringLiteral("setAlarmDirection %1%2 %3").arg(SetName(set)).arg(n).arg(v));
        m_plain.setAlarmDirection(set, n, v);
    }
    void setAlarmThreshold(AlarmSet set, int n, const QString& v) override
    {
        record(QStringLiteral("setAlarmThreshold %1%2 %3").arg(SetName(set)).arg(n).arg(v));
        m_plain.setAlarmThreshold(set, n, v);
    }
    void setAlarmCondition(AlarmSet set, int n, int v) override
    {
        record(QStringLiteral("setAlarmCondition %1%2 %3").arg(SetName(set)).arg(n).arg(v));
        m_plain.setAlarmCondition(set, n, v);
    }
    void setAlarmTime(AlarmSet set, int n, const QString& v) override
    {
        record(QStringLiteral("setAlarmTime %1%2 %3").arg(SetName(set)).arg(n).arg(v));
        m_plain.setAlarmTime(set, n, v);
    }

    // Position of the first call that starts with `prefix`, or -1.
    qsizetype indexOf(const QString& prefix) const
    {
        for (qsizetype i = 0; i < calls.size(); ++i) {
            if (calls[i].startsWith(prefix))
                return i;
        }
        return -1;
    }

private:
    void record(const QString& call) { calls << call; }

    SettingsProfileTarget m_plain{settings};
};

// The names and values of the fields in which two records differ, e.g.
// "RecordingDays: \"90\" != \"9\""; empty when they are equal.
inline QStringList SettingsDifferences(const TIndicatorSettings& actual, const TIndicatorSettings& expected)
{
    QStringList out;
    const auto check = [&out](const char* name, const auto& a, const auto& e) {
        if (!(a == e))
            out << QStringLiteral("%1: %2 != %3")
                       .arg(QLatin1StringView(name), QVariant::fromValue(a).toString(),
                            QVariant::fromValue(e).toString());
    };
#define PARAM_FIELD(f) check(#f, actual.f, expected.f)
    PARAM_FIELD(RecordingDays);
    PARAM_FIELD(RecordingInterval);
    PARAM_FIELD(DelayEnabled);
    PARAM_FIELD(DelayedStart);
    PARAM_FIELD(StopMode);
    PARAM_FIELD(Language);
    PARAM_FIELD(TemperatureUnit);
    PARAM_FIELD(ProbeType);
    PARAM_FIELD(TimesOfUse);
    PARAM_FIELD(OutputPdf);
    PARAM_FIELD(OutputCsv);
    PARAM_FIELD(PdfShowLogo);
    PARAM_FIELD(PdfLogo);
    PARAM_FIELD(PdfShowDevice);
    PARAM_FIELD(PdfDevice);
    PARAM_FIELD(PdfShowTimeFormat);
    PARAM_FIELD(PdfTimeFormat);
    PARAM_FIELD(PdfShowUrl);
    PARAM_FIELD(PdfUrl);
    PARAM_FIELD(PdfShowUsbName);
    PARAM_FIELD(PdfUsbName);
    PARAM_FIELD(PdfShowDeviceId);
    PARAM_FIELD(PdfDeviceId);
    PARAM_FIELD(PdfShowTripDescription);
    PARAM_FIELD(PdfTripDescription);
    PARAM_FIELD(TimeZoneIndex);
    PARAM_FIELD(CollectTemperature);
    PARAM_FIELD(CollectHumidity);
#undef PARAM_FIELD
    const auto checkSet = [&](const char* setName, const TAlarmSet& a, const TAlarmSet& e) {
        for (int i = 0; i < 8; ++i) {
            const QByteArray prefix = QByteArray(setName) + '[' + QByteArray::number(i + 1) + "].";
            check((prefix + "Enabled").constData(), a[i].Enabled, e[i].Enabled);
            check((prefix + "Direction").constData(), a[i].Direction, e[i].Direction);
            check((prefix + "Threshold").constData(), a[i].Threshold, e[i].Threshold);
            check((prefix + "Condition").constData(), a[i].Condition, e[i].Condition);
            check((prefix + "AlarmTime").constData(), a[i].AlarmTime, e[i].AlarmTime);
        }
    };
    checkSet("TemperatureAlarms", actual.TemperatureAlarms, expected.TemperatureAlarms);
    checkSet("HumidityAlarms", actual.HumidityAlarms, expected.HumidityAlarms);
    return out;
}

inline TAlarmRule Rule(int direction, const QString& threshold, int condition, const QString& time,
                       bool enabled = true)
{
    TAlarmRule r;
    r.Enabled = enabled;
    r.Direction = direction;
    r.Threshold = threshold;
    r.Condition = condition;
    r.AlarmTime = time;
    return r;
}
