#pragma once

// The documented example configuration and the settings text it gives:
// PDF and CSV with four header lines, zone +08:00, three temperature alarms
// (rule 4 off) and one humidity alarm; 21 lines, 635 bytes.

#include "config/IndicatorSettings.h"

#include <QByteArray>
#include <QDateTime>

// 9 Dec 2025 09:30:00 UTC: 10:30 on a computer at UTC+01:00 in winter,
// 17:30 in the example's zone.
inline const QDateTime kWorkedExampleUtc(QDate(2025, 12, 9), QTime(9, 30), Qt::UTC);

// Numbers as typed.
inline TIndicatorSettings WorkedExampleSettings()
{
    const auto rule = [](int direction, const char* threshold, int condition, const char* time) {
        return TAlarmRule{true, direction, QString::fromLatin1(threshold), condition,
                          QString::fromLatin1(time)};
    };
    TIndicatorSettings s;
    s.OutputCsv = true;
    s.PdfShowLogo = s.PdfShowTimeFormat = s.PdfShowDeviceId = s.PdfShowTripDescription = true;
    s.TimeZoneIndex = 40;
    s.RecordingDays = QStringLiteral("90");
    s.RecordingInterval = QStringLiteral("10");
    s.DelayedStart = QStringLiteral("30");
    s.TemperatureAlarms[0] = rule(TAlarmRule::Above, "8", TAlarmRule::Accumulative, "30");
    s.TemperatureAlarms[1] = rule(TAlarmRule::Below, "2", TAlarmRule::Accumulative, "60");
    s.TemperatureAlarms[2] = rule(TAlarmRule::Above, "25", TAlarmRule::Instantly, "1");
    s.CollectHumidity = true;
    s.HumidityAlarms[0] = rule(TAlarmRule::Above, "80", TAlarmRule::Accumulative, "120");
    return s;
}

// The file byte for byte: lines with their own carriage return end in
// CR CR LF, the alarm lines in CR LF.
inline QByteArray WorkedExampleBytes(const QByteArray& timeLine = "time:25/12/09 17:30:00")
{
    QByteArray b;
    const auto own = [&b](const QByteArray& line) { b += line + "\r\r\n"; };
    const auto alarm = [&b](const QByteArray& line) { b += line + "\r\n"; };
    own("Stop mode:automatic");
    own("language:English");
    own("unit:C");
    own("probe type:in");
    own("Times of use:many");
    own("output format:PDF and CSV.>>PDF custom:yes.");
    own("\t\t>>logo:Please write your Logo.");
    own("\t\t>>Time format:DD/MM/YY.");
    own("\t\t>>Device ID:180500004A.");
    own("\t\t>>Trip description:New York to Canada.");
    own("time zone:(UTC+08:00)");
    own(timeLine);
    own("Recording days:090days");
    own("Recording interval:10min");
    own("Delayed start:030min");
    own("collect:temperature");
    alarm("Alarm 1:above 08.0(C),Accumulative alarm 00030(min)");
    alarm("Alarm 2:below 02.0(C),Accumulative alarm 00060(min)");
    alarm("Alarm 3:above 25.0(C),Instantly 00001(time)");
    own("collect:humidity");
    alarm("Alarm 1:above 80.0(H),Accumulative alarm 00120(min)");
    return b;
}
