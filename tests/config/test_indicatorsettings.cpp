#include "ScriptedPrompts.h"
#include "config/IndicatorSettings.h"

#include <QtTest>

#include <functional>

using Edit = std::function<void(TIndicatorSettings&)>;
Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(SettingsField)

char* toString(const SettingsField& f)
{
    return QTest::toString(QStringLiteral("{kind %1, set %2, rule %3}").arg(f.kind).arg(f.set).arg(f.rule));
}

namespace {

// Rules 1..count of a set switched on with complete values.
void EnableRules(TAlarmSet& set, int count)
{
    for (int i = 0; i < count; ++i) {
        set[i].Enabled = true;
        set[i].Threshold = QString::number(10 + i);
        set[i].AlarmTime = QStringLiteral("30");
    }
}

SettingsField AlarmField(SettingsField::Kind kind, SettingsField::Set set, int rule)
{
    return {kind, set, rule};
}

SettingsField Plain(SettingsField::Kind kind)
{
    return {kind, SettingsField::Temperature, 0};
}

const QString kNoFormat = QStringLiteral("Please choose at least one output format!");

} // namespace

class TestIndicatorSettings : public QObject
{
    Q_OBJECT

private slots:
    void defaultsAreTheWindowsStartingValues()
    {
        const TIndicatorSettings s;
        QCOMPARE(s.RecordingDays, QStringLiteral("1"));
        QCOMPARE(s.RecordingInterval, QStringLiteral("1"));
        QVERIFY(s.DelayEnabled);
        QCOMPARE(s.DelayedStart, QStringLiteral("1"));
        QCOMPARE(s.StopMode, 1);
        QCOMPARE(s.Language, 1);
        QCOMPARE(s.TemperatureUnit, 0);
        QCOMPARE(s.ProbeType, 0);
        QCOMPARE(s.TimesOfUse, 1);
        QVERIFY(s.OutputPdf);
        QVERIFY(!s.OutputCsv);
        QVERIFY(!s.PdfShowLogo && !s.PdfShowDevice && !s.PdfShowTimeFormat && !s.PdfShowUrl &&
                !s.PdfShowUsbName && !s.PdfShowDeviceId && !s.PdfShowTripDescription);
        QCOMPARE(s.PdfLogo, QStringLiteral("Please write your Logo"));
        QCOMPARE(s.PdfDevice, QStringLiteral("Please write your Device Name"));
        QCOMPARE(s.PdfTimeFormat, 0);
        QCOMPARE(s.PdfUsbName, QStringLiteral("Please write your USB Name"));
        QCOMPARE(s.PdfDeviceId, QStringLiteral("180500004A"));
        QCOMPARE(s.PdfTripDescription, QStringLiteral("New York to Canada"));
        QCOMPARE(s.TimeZoneIndex, 24);
        QVERIFY(s.CollectTemperature);
        QVERIFY(!s.CollectHumidity);
        for (const TAlarmSet* set : {&s.TemperatureAlarms, &s.HumidityAlarms}) {
            for (const TAlarmRule& rule : *set) {
                QVERIFY(!rule.Enabled);
                QCOMPARE(rule.Direction, int(TAlarmRule::Above));
                QCOMPARE(rule.Threshold, QStringLiteral("0"));
                QCOMPARE(rule.Condition, int(TAlarmRule::Accumulative));
                QCOMPARE(rule.AlarmTime, QStringLiteral("0"));
            }
        }
    }

    void timeZoneText_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << QStringLiteral("(UTC -12:00)");
        QTest::newRow("1") << 1 << QStringLiteral("(UTC -11:30)");
        QTest::newRow("14") << 14 << QStringLiteral("(UTC -05:00)");
        QTest::newRow("23") << 23 << QStringLiteral("(UTC -00:30)");
        QTest::newRow("24") << 24 << QStringLiteral("(UTC+00:00)");
        QTest::newRow("25") << 25 << QStringLiteral("(UTC+00:30)");
        QTest::newRow("40") << 40 << QStringLiteral("(UTC+08:00)");
        QTest::newRow("48") << 48 << QStringLiteral("(UTC+12:00)");
    }
    void timeZoneText()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        QCOMPARE(TimeZoneText(index), text);
    }

    void effectiveAlarms_data()
    {
        QTest::addColumn<QList<bool>>("enabled");
        QTest::addColumn<int>("chainLength");
        QTest::newRow("none") << QList<bool>(8, false) << 0;
        QTest::newRow("rule 1") << QList<bool>{true, false, false, false, false, false, false, false} << 1;
        QTest::newRow("gap after 2") << QList<bool>{true, true, false, true, true, true, true, true} << 2;
        QTest::newRow("rule 1 off, rest on")
            << QList<bool>{false, true, true, true, true, true, true, true} << 0;
        QTest::newRow("all eight") << QList<bool>(8, true) << 8;
    }
    void effectiveAlarms()
    {
        QFETCH(QList<bool>, enabled);
        QFETCH(int, chainLength);
        TAlarmSet set;
        for (int i = 0; i < 8; ++i) {
            set[i].Enabled = enabled[i];
            set[i].Threshold = QString::number(i + 1);
        }
        const QList<TAlarmRule> chain = EffectiveAlarms(set);
        QCOMPARE(chain.size(), chainLength);
        for (int i = 0; i < chainLength; ++i)
            QCOMPARE(chain[i], set[i]);
    }

    void blanks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("trimmed");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("spaces") << QStringLiteral("   ") << QString();
        QTest::newRow("controls") << QStringLiteral("\t\r\n\x01 ") << QString();
        QTest::newRow("inner blank kept") << QStringLiteral(" New York \t") << QStringLiteral("New York");
        QTest::newRow("minus") << QStringLiteral(" - ") << QStringLiteral("-");
    }
    void blanks()
    {
        QFETCH(QString, text);
        QFETCH(QString, trimmed);
        QCOMPARE(TrimBlanks(text), trimmed);
        QCOMPARE(IsBlank(text), trimmed.isEmpty());
    }

    void validate_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<bool>("requireOutputFormat");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<SettingsField>("field");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("prompts");

        const SettingsField none;
        const auto T = SettingsField::Temperature;
        const auto H = SettingsField::Humidity;
        const auto time = SettingsField::AlarmTime;
        const auto threshold = SettingsField::AlarmThreshold;
        const auto pass = [&](const char* name, bool require, Edit edit) {
            QTest::newRow(name) << edit << require << true << none << QString() << QStringList();
        };
        const auto fail = [&](const char* name, bool require, Edit edit, SettingsField field,
                              const QString& message = QString(), const QStringList& prompts = {}) {
            QTest::newRow(name) << edit << require << false << field << message << prompts;
        };
        const Edit nothing = [](TIndicatorSettings&) {};

        // The completeness checks and their order.
        pass("defaults, save", true, nothing);
        pass("defaults, upload", false, nothing);
        fail(
            "days of blanks", true, [](auto& s) { s.RecordingDays = QStringLiteral("   "); },
            Plain(SettingsField::RecordingDays));
        fail(
            "days of control characters", false, [](auto& s) { s.RecordingDays = QStringLiteral("\t\r\n"); },
            Plain(SettingsField::RecordingDays));
        fail(
            "interval empty", true, [](auto& s) { s.RecordingInterval.clear(); },
            Plain(SettingsField::RecordingInterval));
        fail(
            "delay on, empty", true, [](auto& s) { s.DelayedStart.clear(); },
            Plain(SettingsField::DelayedStart));
        pass("delay off, empty", true, [](auto& s) {
            s.DelayEnabled = false;
            s.DelayedStart.clear();
        });
        pass("delay off, not a number", true, [](auto& s) {
            s.DelayEnabled = false;
            s.DelayedStart = QStringLiteral("abc");
        });
        fail("no output format, save", true,
             [](auto& s) {
                 s.OutputPdf = false;
                 s.OutputCsv = false;
             },
             none, QString(), {kNoFormat});
        pass("no output format, upload", false, [](auto& s) { s.OutputPdf = false; });
        fail(
            "days before output format", true,
            [](auto& s) {
                s.RecordingDays.clear();
                s.OutputPdf = false;
            },
            Plain(SettingsField::RecordingDays));
        fail("output format before alarms", true,
             [](auto& s) {
                 s.OutputPdf = false;
                 s.TemperatureAlarms[0].Enabled = true;
                 s.TemperatureAlarms[0].AlarmTime.clear();
             },
             none, QString(), {kNoFormat});
        fail(
            "rule 1 empty: time before threshold", false,
            [](auto& s) {
                s.TemperatureAlarms[0].Enabled = true;
                s.TemperatureAlarms[0].AlarmTime.clear();
                s.TemperatureAlarms[0].Threshold.clear();
            },
            AlarmField(time, T, 1));
        pass("rule 2 outside the chain", true, [](auto& s) {
            s.TemperatureAlarms[1].Enabled = true;
            s.TemperatureAlarms[1].AlarmTime.clear();
            s.TemperatureAlarms[1].Threshold.clear();
        });
        pass("eight complete rules", true, [](auto& s) { EnableRules(s.TemperatureAlarms, 8); });
        fail(
            "rule 8 threshold of blanks", true,
            [](auto& s) {
                EnableRules(s.TemperatureAlarms, 8);
                s.TemperatureAlarms[7].Threshold = QStringLiteral(" ");
            },
            AlarmField(threshold, T, 8));
        fail(
            "temperature not recorded, rule still checked", true,
            [](auto& s) {
                s.CollectTemperature = false;
                EnableRules(s.TemperatureAlarms, 1);
                s.TemperatureAlarms[0].Threshold.clear();
            },
            AlarmField(threshold, T, 1));
        pass("humidity not recorded, empty rule", true, [](auto& s) {
            s.HumidityAlarms[0].Enabled = true;
            s.HumidityAlarms[0].AlarmTime.clear();
            s.HumidityAlarms[0].Threshold.clear();
        });
        fail(
            "humidity recorded, empty rule", true,
            [](auto& s) {
                s.CollectHumidity = true;
                s.HumidityAlarms[0].Enabled = true;
                s.HumidityAlarms[0].AlarmTime.clear();
                s.HumidityAlarms[0].Threshold.clear();
            },
            AlarmField(time, H, 1));
        fail(
            "humidity rule 3 threshold empty", true,
            [](auto& s) {
                s.CollectHumidity = true;
                EnableRules(s.HumidityAlarms, 3);
                s.HumidityAlarms[2].Threshold.clear();
            },
            AlarmField(threshold, H, 3));
        fail(
            "temperature before humidity", true,
            [](auto& s) {
                s.CollectHumidity = true;
                EnableRules(s.TemperatureAlarms, 2);
                s.TemperatureAlarms[1].Threshold.clear();
                s.HumidityAlarms[0].Enabled = true;
                s.HumidityAlarms[0].AlarmTime.clear();
            },
            AlarmField(threshold, T, 2));

        // Values the settings text cannot hold.
        const auto notANumber = [](const char* what) {
            return QStringLiteral("The %1 is not a valid number. Please correct it.")
                .arg(QLatin1String(what));
        };
        const auto tooWide = [](const char* what, int width) {
            return QStringLiteral("The %1 has more than %2 digits. Please correct it.")
                .arg(QLatin1String(what))
                .arg(width);
        };
        const auto outOfRange = [](const char* what) {
            return QStringLiteral(
                       "The %1 is too large for the settings file (it must lie between -999 and 999). "
                       "Please correct it.")
                .arg(QLatin1String(what));
        };
        const auto badCharacter = [](const char* what) {
            return QStringLiteral("The %1 contains a character that cannot be written to the settings file. "
                                  "Please correct it.")
                .arg(QLatin1String(what));
        };
        fail(
            "days not a number", true, [](auto& s) { s.RecordingDays = QStringLiteral("abc"); },
            Plain(SettingsField::RecordingDays), notANumber("recording period (days)"));
        fail(
            "days of four digits", true, [](auto& s) { s.RecordingDays = QStringLiteral("1000"); },
            Plain(SettingsField::RecordingDays), tooWide("recording period (days)", 3));
        pass("days 999 fits", true, [](auto& s) { s.RecordingDays = QStringLiteral("999"); });
        fail(
            "interval of three digits", true, [](auto& s) { s.RecordingInterval = QStringLiteral("100"); },
            Plain(SettingsField::RecordingInterval), tooWide("recording interval (minutes)", 2));
        fail(
            "interval 99.5 rounds to three digits", true,
            [](auto& s) { s.RecordingInterval = QStringLiteral("99.5"); },
            Plain(SettingsField::RecordingInterval), tooWide("recording interval (minutes)", 2));
        fail(
            "delay of blanks", true, [](auto& s) { s.DelayedStart = QStringLiteral("  "); },
            Plain(SettingsField::DelayedStart), notANumber("start delay (minutes)"));
        fail(
            "delay of four digits", true, [](auto& s) { s.DelayedStart = QStringLiteral("1000"); },
            Plain(SettingsField::DelayedStart), tooWide("start delay (minutes)", 3));
        pass("delay off, four digits", true, [](auto& s) {
            s.DelayEnabled = false;
            s.DelayedStart = QStringLiteral("1000");
        });
        fail(
            "threshold minus alone", true,
            [](auto& s) {
                EnableRules(s.TemperatureAlarms, 1);
                s.TemperatureAlarms[0].Threshold = QStringLiteral("-");
            },
            AlarmField(threshold, T, 1), notANumber("threshold of temperature alarm 1"));
        pass("threshold minus alone, temperature not recorded", true, [](auto& s) {
            s.CollectTemperature = false;
            EnableRules(s.TemperatureAlarms, 1);
            s.TemperatureAlarms[0].Threshold = QStringLiteral("-");
        });
        fail(
            "threshold with grouping comma", true,
            [](auto& s) {
                EnableRules(s.TemperatureAlarms, 1);
                s.TemperatureAlarms[0].Threshold = QStringLiteral("1,5");
            },
            AlarmField(threshold, T, 1), notANumber("threshold of temperature alarm 1"));
        pass("threshold 999.4 and -999.4 fit", true, [](auto& s) {
            EnableRules(s.TemperatureAlarms, 2);
            s.TemperatureAlarms[0].Threshold = QStringLiteral("999.4");
            s.TemperatureAlarms[1].Threshold = QStringLiteral("-999.4");
        });
        fail(
            "threshold 999.5 rounds to 1000", true,
            [](auto& s) {
                EnableRules(s.TemperatureAlarms, 1);
                s.TemperatureAlarms[0].Threshold = QStringLiteral("999.5");
            },
            AlarmField(threshold, T, 1), outOfRange("threshold of temperature alarm 1"));
        fail(
            "humidity threshold -1000", true,
            [](auto& s) {
                s.CollectHumidity = true;
                EnableRules(s.HumidityAlarms, 1);
                s.HumidityAlarms[0].Threshold = QStringLiteral("-1000");
            },
            AlarmField(threshold, H, 1), outOfRange("threshold of humidity alarm 1"));
        pass("humidity threshold out of range but writable", true, [](auto& s) {
            s.CollectHumidity = true;
            EnableRules(s.HumidityAlarms, 1);
            s.HumidityAlarms[0].Threshold = QStringLiteral("150");
        });
        fail(
            "alarm time not a number", true,
            [](auto& s) {
                EnableRules(s.TemperatureAlarms, 2);
                s.TemperatureAlarms[1].AlarmTime = QStringLiteral("abc");
            },
            AlarmField(time, T, 2),
            QStringLiteral(
                "The alarm time of temperature alarm 2 is not a valid number. Please correct it."));
        fail(
            "alarm time of six digits", true,
            [](auto& s) {
                EnableRules(s.TemperatureAlarms, 2);
                s.TemperatureAlarms[1].AlarmTime = QStringLiteral("123456");
            },
            AlarmField(time, T, 2), tooWide("alarm time of temperature alarm 2", 5));
        pass("alarm time grouped 10,000", true, [](auto& s) {
            EnableRules(s.TemperatureAlarms, 1);
            s.TemperatureAlarms[0].AlarmTime = QStringLiteral("10,000");
        });
        pass("alarm time of six digits, temperature not recorded", true, [](auto& s) {
            s.CollectTemperature = false;
            EnableRules(s.TemperatureAlarms, 1);
            s.TemperatureAlarms[0].AlarmTime = QStringLiteral("123456");
        });
        fail(
            "bad time before bad threshold", true,
            [](auto& s) {
                EnableRules(s.TemperatureAlarms, 1);
                s.TemperatureAlarms[0].AlarmTime = QStringLiteral("x");
                s.TemperatureAlarms[0].Threshold = QStringLiteral("-");
            },
            AlarmField(time, T, 1), notANumber("alarm time of temperature alarm 1"));
        fail(
            "bad threshold of rule 1 before empty time of rule 2", true,
            [](auto& s) {
                EnableRules(s.TemperatureAlarms, 2);
                s.TemperatureAlarms[0].Threshold = QStringLiteral("-");
                s.TemperatureAlarms[1].AlarmTime.clear();
            },
            AlarmField(threshold, T, 1), notANumber("threshold of temperature alarm 1"));
        fail(
            "humidity time of six digits", true,
            [](auto& s) {
                s.CollectHumidity = true;
                EnableRules(s.HumidityAlarms, 1);
                s.HumidityAlarms[0].AlarmTime = QStringLiteral("100000");
            },
            AlarmField(time, H, 1), tooWide("alarm time of humidity alarm 1", 5));

        pass("PDF texts in Windows-1252", true, [](auto& s) {
            s.PdfShowLogo = s.PdfShowDevice = s.PdfShowTripDescription = true;
            s.PdfLogo = QStringLiteral("Caf\u00e9 \u20ac");
            s.PdfDevice = QStringLiteral("\u0160koda \u2013 \u00c6");
            s.PdfTripDescription = QStringLiteral(" trailing blanks are trimmed \t");
        });
        fail(
            "trip description outside Windows-1252", true,
            [](auto& s) {
                s.PdfShowTripDescription = true;
                s.PdfTripDescription = QStringLiteral("Tokyo \u2192 Osaka");
            },
            Plain(SettingsField::PdfTripDescription), badCharacter("trip description of the PDF report"));
        fail(
            "logo with a line break", true,
            [](auto& s) {
                s.PdfShowLogo = true;
                s.PdfLogo = QStringLiteral("two\r\nlines");
            },
            Plain(SettingsField::PdfLogo), badCharacter("logo text of the PDF report"));
        fail(
            "USB name with a C1 control", true,
            [](auto& s) {
                s.PdfShowUsbName = true;
                s.PdfUsbName = QStringLiteral("us\u0081b");
            },
            Plain(SettingsField::PdfUsbName), badCharacter("USB name of the PDF report"));
        fail(
            "web address with a character outside the basic plane", true,
            [](auto& s) {
                s.PdfShowUrl = true;
                s.PdfUrl = QStringLiteral("www.\U0001F600.com");
            },
            Plain(SettingsField::PdfUrl), badCharacter("web address of the PDF report"));
        pass("bad text, show flag off", true, [](auto& s) { s.PdfDeviceId = QStringLiteral("\u4e2d"); });
        pass("bad text, PDF off", false, [](auto& s) {
            s.OutputPdf = false;
            s.OutputCsv = true;
            s.PdfShowDevice = true;
            s.PdfDevice = QStringLiteral("\u4e2d");
        });
        fail(
            "PDF text before alarms", true,
            [](auto& s) {
                s.PdfShowDeviceId = true;
                s.PdfDeviceId = QStringLiteral("\u4e2d");
                s.TemperatureAlarms[0].Enabled = true;
                s.TemperatureAlarms[0].AlarmTime.clear();
            },
            Plain(SettingsField::PdfDeviceId), badCharacter("device ID of the PDF report"));
    }
    void validate()
    {
        QFETCH(Edit, edit);
        QFETCH(bool, requireOutputFormat);
        QFETCH(bool, ok);
        QFETCH(SettingsField, field);
        QFETCH(QString, message);
        QFETCH(QStringList, prompts);

        ScriptedPrompts boxes;
        TIndicatorSettings settings;
        edit(settings);
        const TIndicatorSettings before = settings;
        const ValidationResult result = ValidateSettings(settings, requireOutputFormat);

        QCOMPARE(result.ok, ok);
        QCOMPARE(result.field, field);
        QCOMPARE(result.message, message);
        QCOMPARE(boxes.texts(), prompts);
        for (const ScriptedPrompts::Message& m : boxes.messages()) {
            QCOMPARE(m.caption, QStringLiteral("Prompt"));
            QCOMPARE(m.flags, 64);
        }
        QVERIFY2(boxes.problems().isEmpty(), qPrintable(boxes.problems()));
        QVERIFY(settings == before);
    }
};

QTEST_GUILESS_MAIN(TestIndicatorSettings)
#include "test_indicatorsettings.moc"
