#include "ProfileTestSupport.h"
#include "ScriptedPrompts.h"
#include "WorkedExample.h"

#include "app/Clock.h"
#include "app/Prompt.h"
#include "config/ProfileReader.h"
#include "config/SettingsText.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <functional>

namespace {

using AlarmSet = ProfileTarget::AlarmSet;

// A window that has been used before the load: every field the example sets
// holds something else, so each one has to come from the file.
TIndicatorSettings UsedWindow()
{
    TIndicatorSettings s;
    s.RecordingDays = QStringLiteral("7");
    s.RecordingInterval = QStringLiteral("3");
    s.DelayEnabled = false;
    s.DelayedStart = QStringLiteral("9");
    s.StopMode = 0;
    s.Language = 0;
    s.TemperatureUnit = 1;
    s.TimesOfUse = 0;
    s.OutputPdf = false;
    s.OutputCsv = false;
    s.PdfShowDevice = true;
    s.PdfShowUrl = true;
    s.PdfShowUsbName = true;
    s.PdfLogo = QStringLiteral("old logo");
    s.PdfTimeFormat = 1;
    s.PdfDeviceId = QStringLiteral("OLD");
    s.TimeZoneIndex = 3;
    s.CollectTemperature = false;
    s.CollectHumidity = false;
    s.TemperatureAlarms[0] = Rule(1, QStringLiteral("1"), 1, QStringLiteral("5"));
    s.TemperatureAlarms[3] = Rule(1, QStringLiteral("50.0"), 1, QStringLiteral("7"));
    s.HumidityAlarms[1] = Rule(1, QStringLiteral("40.0"), 0, QStringLiteral("20"));
    return s;
}

// UsedWindow() after loading the worked example.
TIndicatorSettings WorkedExampleLoaded()
{
    TIndicatorSettings s = UsedWindow();
    s.RecordingDays = QStringLiteral("90");
    s.RecordingInterval = QStringLiteral("10");
    s.DelayEnabled = true;
    s.DelayedStart = QStringLiteral("30");
    s.StopMode = 1;
    s.Language = 1;
    s.TemperatureUnit = 0;
    s.TimesOfUse = 1;
    s.OutputPdf = true;
    s.OutputCsv = true;
    s.PdfShowLogo = true;
    s.PdfLogo = QStringLiteral("Please write your Logo");
    s.PdfShowDevice = false;
    s.PdfShowTimeFormat = true;
    s.PdfTimeFormat = 0;
    s.PdfShowUrl = false;
    s.PdfShowUsbName = false;
    s.PdfShowDeviceId = true;
    s.PdfDeviceId = QStringLiteral("180500004A");
    s.PdfShowTripDescription = true;
    s.PdfTripDescription = QStringLiteral("New York to Canada");
    s.TimeZoneIndex = 40;
    s.CollectTemperature = true;
    s.CollectHumidity = true;
    s.TemperatureAlarms[0] = Rule(0, QStringLiteral("8.0"), 0, QStringLiteral("30"));
    s.TemperatureAlarms[1] = Rule(1, QStringLiteral("2.0"), 0, QStringLiteral("60"));
    s.TemperatureAlarms[2] = Rule(0, QStringLiteral("25.0"), 1, QStringLiteral("1"));
    s.TemperatureAlarms[3].Enabled = false; // switched off by the reset, values kept
    s.HumidityAlarms[0] = Rule(0, QStringLiteral("80.0"), 0, QStringLiteral("120"));
    s.HumidityAlarms[1].Enabled = false;
    return s;
}

ProfileReadResult ReadBytes(const QByteArray& bytes, ProfileTarget& target)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadProfile(buffer, target);
}

// Replaces one whole line (without its terminator) of a text.
QByteArray ReplaceLine(QByteArray bytes, const QByteArray& line, const QByteArray& replacement)
{
    const qsizetype at = bytes.indexOf(line);
    Q_ASSERT(at >= 0);
    return bytes.replace(at, line.size(), replacement);
}

// A device that hands out `limit` bytes and then reports a read error.
class FailingDevice final : public QIODevice
{
public:
    FailingDevice(QByteArray data, qint64 limit) : m_data(std::move(data)), m_limit(limit) {}

protected:
    qint64 readData(char* out, qint64 max) override
    {
        if (m_pos >= m_limit) {
            setErrorString(QStringLiteral("device removed"));
            return -1;
        }
        const qint64 n = std::min({max, m_limit - m_pos, qint64(m_data.size()) - m_pos});
        std::memcpy(out, m_data.constData() + m_pos, size_t(n));
        m_pos += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_data;
    qint64 m_limit;
    qint64 m_pos = 0;
};

const QDateTime kClock(QDate(2025, 12, 9), QTime(10, 30), QTimeZone(3600));

} // namespace

class TestProfileReader : public QObject
{
    Q_OBJECT

private slots:
    void init() { SetFixedClock(kClock); }
    void cleanup() { SetFixedClock({}); }

    void workedExampleGivesBackEveryField();
    void lineEnds_data();
    void lineEnds();
    void roundTrip_data();
    void roundTrip();
    void fahrenheitIsAppliedBeforeTheAlarms();
    void unitIsAppliedOnceMoreEvenWhenUnchanged();
    void emptyFileResetsTheAlarmPart();
    void csvOnlyKeepsShowFlags();
    void eightTemperatureRulesThenHumidity();
    void humidityWithoutTemperature();
    void lineOutOfPlaceIsSkipped();
    void failures_data();
    void failures();
    void pdfTextContainingAnotherKey();
    void windows1252Texts();
    void megabyteLine();
    void overlongLineFails();
    void readErrorFails();
    void missingFileFailsWithOneMessage();
    void successShowsOneMessage();
};

void TestProfileReader::workedExampleGivesBackEveryField()
{
    const QByteArray bytes = WorkedExampleBytes();
    QCOMPARE(bytes.size(), 635);
    QCOMPARE(bytes.count('\n'), 21);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("setting09122025.txt"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    RecordingProfileTarget target(UsedWindow());
    const ProfileReadResult result = ReadProfile(path, target);
    QVERIFY2(result.ok, qPrintable(result.error));
    const QStringList diff = SettingsDifferences(target.settings, WorkedExampleLoaded());
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(QLatin1Char('\n'))));

    // Rule 3 on shows row 4; rule 4 itself is never switched on.
    QVERIFY(target.calls.contains(QStringLiteral("enableAlarmRule T3")));
    QVERIFY(!target.calls.contains(QStringLiteral("enableAlarmRule T4")));
    // The writer gives the same file back for what was loaded.
    QCOMPARE(BuildSettingsText(target.settings, NowUtc()), bytes);
}

void TestProfileReader::lineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray written = WorkedExampleBytes();
    QByteArray lf = written;
    lf.replace("\r", "");
    QByteArray crlf = lf;
    crlf.replace("\n", "\r\n");
    QTest::newRow("CR CR LF and CR LF, as written") << written;
    QTest::newRow("LF only") << lf;
    QTest::newRow("CR LF only") << crlf;
    QTest::newRow("no terminator after the last line") << written.chopped(2);
    QTest::newRow("blank lines after the end") << written + "\r\n\r\n\r\n";
    // A lone CR is dropped wherever it stands.
    QTest::newRow("lone CR inside lines")
        << ReplaceLine(ReplaceLine(written, "Stop mode:automatic", "Stop\r mode:auto\rmatic"),
                       "Recording days:090days", "Recording\r days:0\r90days");
}

void TestProfileReader::lineEnds()
{
    QFETCH(QByteArray, bytes);
    RecordingProfileTarget target(UsedWindow());
    const ProfileReadResult result = ReadBytes(bytes, target);
    QVERIFY2(result.ok, qPrintable(result.error));
    const QStringList diff = SettingsDifferences(target.settings, WorkedExampleLoaded());
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(QLatin1Char('\n'))));
}

void TestProfileReader::roundTrip_data()
{
    QTest::addColumn<TIndicatorSettings>("written");
    // The record whose text the load must reproduce: `written` less the
    // documented losses (probe "out", thresholds in the window's form).
    QTest::addColumn<TIndicatorSettings>("expected");

    const auto row = [](const char* name, const std::function<void(TIndicatorSettings&)>& make,
                        const std::function<void(TIndicatorSettings&)>& losses = {}) {
        TIndicatorSettings s;
        make(s);
        TIndicatorSettings e = s;
        if (losses)
            losses(e);
        QTest::newRow(name) << s << e;
    };

    row("defaults", [](TIndicatorSettings&) {});
    row("all PDF items", [](TIndicatorSettings& s) {
        s.OutputCsv = true;
        s.PdfShowLogo = s.PdfShowDevice = s.PdfShowTimeFormat = s.PdfShowUrl = true;
        s.PdfShowUsbName = s.PdfShowDeviceId = s.PdfShowTripDescription = true;
        s.PdfLogo = QStringLiteral("ACME Cold Chain");
        s.PdfDevice = QStringLiteral("Reefer 12");
        s.PdfTimeFormat = 1;
        s.PdfUrl = QStringLiteral("https://acme.example/track?id=7");
        s.PdfUsbName = QStringLiteral("USB.");
        s.PdfDeviceId = QStringLiteral("A1");
        s.PdfTripDescription = QStringLiteral("Rotterdam > Lyon, 2 stops.");
    });
    row("PDF with no customisation", [](TIndicatorSettings& s) { s.OutputCsv = false; });
    row("CSV only", [](TIndicatorSettings& s) {
        s.OutputPdf = false;
        s.OutputCsv = true;
        s.PdfShowLogo = true;
    });
    row("neither temperature nor humidity", [](TIndicatorSettings& s) {
        s.CollectTemperature = false;
        s.TemperatureAlarms[0] = Rule(0, QStringLiteral("5"), 0, QStringLiteral("10"));
    });
    row("humidity only", [](TIndicatorSettings& s) {
        s.CollectTemperature = false;
        s.CollectHumidity = true;
        s.HumidityAlarms[0] = Rule(0, QStringLiteral("80"), 0, QStringLiteral("120"));
        s.HumidityAlarms[1] = Rule(1, QStringLiteral("15.5"), 1, QStringLiteral("3"));
    });
    row("eight rules in both sets", [](TIndicatorSettings& s) {
        s.CollectHumidity = true;
        const char* thresholds[] = {"-100", "-20.5", "0", "8", "9.7", "12.34", "99.96", "100"};
        const char* times[] = {"0", "1", "10", "90", "120", "1,000", "9999", "10000"};
        for (int i = 0; i < 8; ++i) {
            s.TemperatureAlarms[i] =
                Rule(i % 2, QLatin1StringView(thresholds[i]), (i / 2) % 2, QLatin1StringView(times[i]));
            s.HumidityAlarms[i] =
                Rule((i + 1) % 2, QString::number(i * 12.5), i % 2, QLatin1StringView(times[7 - i]));
        }
    });
    row("broken chain writes no alarm", [](TIndicatorSettings& s) {
        s.TemperatureAlarms[1] = Rule(0, QStringLiteral("5"), 0, QStringLiteral("10"));
    });
    row("unit F", [](TIndicatorSettings& s) {
        s.TemperatureUnit = 1;
        s.TemperatureAlarms[0] = Rule(0, QStringLiteral("212"), 0, QStringLiteral("30"));
        s.TemperatureAlarms[1] = Rule(1, QStringLiteral("-148"), 1, QStringLiteral("2"));
        s.TemperatureAlarms[2] = Rule(0, QStringLiteral("98.6"), 0, QStringLiteral("60"));
    });
    row("Russian, manual stop, single use, delay off", [](TIndicatorSettings& s) {
        s.StopMode = 0;
        s.Language = 0;
        s.TimesOfUse = 0;
        s.DelayEnabled = false;
        s.RecordingDays = QStringLiteral("400");
        s.RecordingInterval = QStringLiteral("99");
    });
    row("delay on with 0", [](TIndicatorSettings& s) { s.DelayedStart = QStringLiteral("0"); });
    row(
        "probe out comes back as in", [](TIndicatorSettings& s) { s.ProbeType = 1; },
        [](TIndicatorSettings& e) { e.ProbeType = 0; });
    row(
        "negative zero threshold comes back as 0.0",
        [](TIndicatorSettings& s) {
            s.TemperatureAlarms[0] = Rule(0, QStringLiteral("-0.04"), 0, QStringLiteral("5"));
        },
        [](TIndicatorSettings& e) { e.TemperatureAlarms[0].Threshold = QStringLiteral("0.0"); });
    for (const int zone : {0, 14, 23, 24, 25, 40, 48}) {
        const QByteArray name = "time zone " + TimeZoneText(zone).toLatin1();
        row(name.constData(), [zone](TIndicatorSettings& s) { s.TimeZoneIndex = zone; });
    }
}

void TestProfileReader::roundTrip()
{
    QFETCH(TIndicatorSettings, written);
    QFETCH(TIndicatorSettings, expected);
    const QByteArray bytes = BuildSettingsText(written, NowUtc());

    RecordingProfileTarget target; // a freshly opened window
    const ProfileReadResult result = ReadBytes(bytes, target);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(BuildSettingsText(target.settings, NowUtc()), BuildSettingsText(expected, NowUtc()));
}

void TestProfileReader::fahrenheitIsAppliedBeforeTheAlarms()
{
    TIndicatorSettings s;
    s.TemperatureUnit = 1;
    s.TemperatureAlarms[0] = Rule(0, QStringLiteral("212"), 0, QStringLiteral("30"));
    s.TemperatureAlarms[1] = Rule(1, QStringLiteral("-4"), 0, QStringLiteral("60"));

    RecordingProfileTarget target; // starts in C
    QVERIFY(ReadBytes(BuildSettingsText(s, NowUtc()), target).ok);
    QCOMPARE(target.settings.TemperatureUnit, 1);
    // Shown as written, not converted: the unit was switched before any alarm.
    QCOMPARE(target.settings.TemperatureAlarms[0].Threshold, QStringLiteral("212.0"));
    QCOMPARE(target.settings.TemperatureAlarms[1].Threshold, QStringLiteral("-4.0"));
    const qsizetype unit = target.indexOf(QStringLiteral("setTemperatureUnit 1"));
    const qsizetype apply = target.indexOf(QStringLiteral("applyTemperatureUnit"));
    const qsizetype firstAlarm = target.indexOf(QStringLiteral("enableAlarmRule"));
    QVERIFY(unit >= 0);
    QVERIFY(unit < apply);
    QVERIFY(apply < firstAlarm);
}

void TestProfileReader::unitIsAppliedOnceMoreEvenWhenUnchanged()
{
    RecordingProfileTarget target;
    QVERIFY(ReadBytes(WorkedExampleBytes(), target).ok);
    const qsizetype unit = target.indexOf(QStringLiteral("setTemperatureUnit 0"));
    QVERIFY(unit >= 0);
    QCOMPARE(target.calls.value(unit + 1), QStringLiteral("applyTemperatureUnit"));
    QCOMPARE(target.calls.count(QStringLiteral("applyTemperatureUnit")), 1);
}

void TestProfileReader::emptyFileResetsTheAlarmPart()
{
    TIndicatorSettings start = UsedWindow();
    start.CollectTemperature = true;
    start.CollectHumidity = true;
    RecordingProfileTarget target(start);
    const ProfileReadResult result = ReadBytes({}, target);
    QVERIFY2(result.ok, qPrintable(result.error));

    TIndicatorSettings expected = start;
    expected.CollectTemperature = false;
    expected.CollectHumidity = false;
    for (TAlarmRule& r : expected.TemperatureAlarms)
        r.Enabled = false;
    for (TAlarmRule& r : expected.HumidityAlarms)
        r.Enabled = false;
    const QStringList diff = SettingsDifferences(target.settings, expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(QLatin1Char('\n'))));
    QCOMPARE(target.calls,
             QStringList({QStringLiteral("resetAlarmPart"), QStringLiteral("setCollectTemperature 0"),
                          QStringLiteral("hideAlarmTabs")}));
}

void TestProfileReader::csvOnlyKeepsShowFlags()
{
    TIndicatorSettings s;
    s.OutputPdf = false;
    s.OutputCsv = true;

    TIndicatorSettings start;
    start.PdfShowLogo = start.PdfShowUrl = start.PdfShowTimeFormat = true;
    start.PdfTimeFormat = 1;
    RecordingProfileTarget target(start);
    QVERIFY(ReadBytes(BuildSettingsText(s, NowUtc()), target).ok);
    QCOMPARE(target.settings.OutputPdf, false);
    QCOMPARE(target.settings.OutputCsv, true);
    QCOMPARE(target.settings.PdfShowLogo, true);
    QCOMPARE(target.settings.PdfShowUrl, true);
    QCOMPARE(target.settings.PdfShowTimeFormat, true);
    QCOMPARE(target.settings.PdfTimeFormat, 1);
    QCOMPARE(target.indexOf(QStringLiteral("resetPdfShowFlags")), -1);
}

void TestProfileReader::eightTemperatureRulesThenHumidity()
{
    TIndicatorSettings s;
    s.CollectHumidity = true;
    for (int i = 0; i < 8; ++i)
        s.TemperatureAlarms[i] = Rule(i % 2, QString::number(i * 5), 0, QString::number(10 * (i + 1)));
    s.HumidityAlarms[0] = Rule(0, QStringLiteral("70"), 1, QStringLiteral("2"));
    s.HumidityAlarms[1] = Rule(1, QStringLiteral("30"), 0, QStringLiteral("40"));

    RecordingProfileTarget target;
    QVERIFY(ReadBytes(BuildSettingsText(s, NowUtc()), target).ok);
    for (int i = 0; i < 8; ++i) {
        const TAlarmRule& r = target.settings.TemperatureAlarms[i];
        QVERIFY2(r.Enabled, qPrintable(QStringLiteral("temperature rule %1").arg(i + 1)));
        QCOMPARE(r.Threshold, QStringLiteral("%1.0").arg(i * 5));
        QCOMPARE(r.AlarmTime, QString::number(10 * (i + 1)));
    }
    QVERIFY(target.settings.CollectHumidity);
    QCOMPARE(target.settings.HumidityAlarms[0], Rule(0, QStringLiteral("70.0"), 1, QStringLiteral("2")));
    QCOMPARE(target.settings.HumidityAlarms[1], Rule(1, QStringLiteral("30.0"), 0, QStringLiteral("40")));
    QVERIFY(!target.settings.HumidityAlarms[2].Enabled);
}

void TestProfileReader::humidityWithoutTemperature()
{
    TIndicatorSettings s;
    s.CollectTemperature = false;
    s.CollectHumidity = true;
    s.HumidityAlarms[0] = Rule(0, QStringLiteral("80"), 0, QStringLiteral("120"));

    TIndicatorSettings start;
    start.TemperatureUnit = 1;
    RecordingProfileTarget target(start);
    QVERIFY(ReadBytes(BuildSettingsText(s, NowUtc()), target).ok);
    QVERIFY(!target.settings.CollectTemperature);
    QVERIFY(target.settings.CollectHumidity);
    QCOMPARE(target.settings.TemperatureUnit, 1); // no unit line, the unit stays
    QCOMPARE(target.settings.HumidityAlarms[0], Rule(0, QStringLiteral("80.0"), 0, QStringLiteral("120")));
    QCOMPARE(target.indexOf(QStringLiteral("showTemperatureTab")), -1);
    QVERIFY(target.indexOf(QStringLiteral("showHumidityTab")) >
            target.indexOf(QStringLiteral("hideAlarmTabs")));
}

void TestProfileReader::lineOutOfPlaceIsSkipped()
{
    // Without the "Times of use" line every later step looks at a line too far
    // on and finds no key of its own: those fields keep their values, and it
    // is not a failure.
    QByteArray bytes = WorkedExampleBytes();
    bytes.remove(bytes.indexOf("Times of use:many"), int(qstrlen("Times of use:many\r\r\n")));
    RecordingProfileTarget target(UsedWindow());
    const ProfileReadResult result = ReadBytes(bytes, target);
    QVERIFY2(result.ok, qPrintable(result.error));

    TIndicatorSettings expected = UsedWindow();
    expected.StopMode = 1;
    expected.Language = 1;
    expected.CollectTemperature = true;
    expected.TemperatureUnit = 0;
    for (TAlarmRule& r : expected.TemperatureAlarms)
        r.Enabled = false;
    for (TAlarmRule& r : expected.HumidityAlarms)
        r.Enabled = false;
    const QStringList diff = SettingsDifferences(target.settings, expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(QLatin1Char('\n'))));
}

void TestProfileReader::failures_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("failedLine"); // 0: the load succeeds
    QTest::addColumn<TIndicatorSettings>("expected");

    const QByteArray example = WorkedExampleBytes();
    const TIndicatorSettings before = UsedWindow();
    const TIndicatorSettings loaded = WorkedExampleLoaded();

    // What the example sets up to and including the time zone line.
    TIndicatorSettings upToZone = loaded;
    upToZone.RecordingDays = before.RecordingDays;
    upToZone.RecordingInterval = before.RecordingInterval;
    upToZone.DelayEnabled = before.DelayEnabled;
    upToZone.DelayedStart = before.DelayedStart;
    upToZone.CollectHumidity = false;
    for (int i = 0; i < 3; ++i)
        upToZone.TemperatureAlarms[i] = before.TemperatureAlarms[i];
    upToZone.TemperatureAlarms[0].Enabled = false;
    upToZone.HumidityAlarms[0] = before.HumidityAlarms[0];

    TIndicatorSettings upToDays = upToZone;
    upToDays.RecordingDays = loaded.RecordingDays;

    {
        TIndicatorSettings e = upToZone;
        QTest::newRow("days line cut short")
            << ReplaceLine(example, "Recording days:090days", "Recording days:") << 13 << e;
        QTest::newRow("days not digits")
            << ReplaceLine(example, "Recording days:090days", "Recording days:0x0days") << 13 << e;
        QTest::newRow("days with a sign")
            << ReplaceLine(example, "Recording days:090days", "Recording days:-90days") << 13 << e;
    }
    {
        TIndicatorSettings e = upToZone;
        e.RecordingDays = QStringLiteral("9");
        e.RecordingInterval = loaded.RecordingInterval;
        e.DelayEnabled = loaded.DelayEnabled;
        e.DelayedStart = loaded.DelayedStart;
        // A short number is read as far as the line goes; the rest follows.
        TIndicatorSettings ok = loaded;
        ok.RecordingDays = QStringLiteral("9");
        QTest::newRow("days of one digit at the end of the line")
            << ReplaceLine(example, "Recording days:090days", "Recording days:9") << 0 << ok;
    }
    QTest::newRow("interval not a number")
        << ReplaceLine(example, "Recording interval:10min", "Recording interval:1min") << 14 << upToDays;
    {
        TIndicatorSettings e = loaded;
        e.DelayEnabled = false;
        e.DelayedStart = QStringLiteral("0");
        QTest::newRow("delay 000 switches the delay off")
            << ReplaceLine(example, "Delayed start:030min", "Delayed start:000min") << 0 << e;
    }

    // The alarm lines: what was set before the fault stays.
    TIndicatorSettings upToRule2 = loaded;
    upToRule2.TemperatureAlarms[2] = before.TemperatureAlarms[2];
    upToRule2.CollectHumidity = false;
    upToRule2.HumidityAlarms[0] = before.HumidityAlarms[0];
    upToRule2.HumidityAlarms[0].Enabled = false;
    const QByteArray rule3 = "Alarm 3:above 25.0(C),Instantly 00001(time)";
    {
        TIndicatorSettings e = upToRule2;
        e.TemperatureAlarms[2].Enabled = true;
        e.TemperatureAlarms[2].Direction = 0;
        QTest::newRow("unit mark missing")
            << ReplaceLine(example, rule3, "Alarm 3:above 25.0,Instantly 00001(time)") << 19 << e;
        QTest::newRow("other unit's mark")
            << ReplaceLine(example, rule3, "Alarm 3:above 25.0(F),Instantly 00001(time)") << 19 << e;
        QTest::newRow("line cut inside the threshold")
            << ReplaceLine(example, rule3, "Alarm 3:above 2") << 19 << e;
        QTest::newRow("threshold with a comma")
            << ReplaceLine(example, rule3, "Alarm 3:above 25,0(C),Instantly 00001(time)") << 19 << e;
        QTest::newRow("threshold too large")
            << ReplaceLine(example, rule3, "Alarm 3:above 1e999(C),Instantly 00001(time)") << 19 << e;
        QTest::newRow("empty threshold")
            << ReplaceLine(example, rule3, "Alarm 3:above (C),Instantly 00001(time)") << 19 << e;
    }
    {
        TIndicatorSettings e = upToRule2;
        e.TemperatureAlarms[2].Enabled = true;
        e.TemperatureAlarms[2].Direction = 0;
        e.TemperatureAlarms[2].Threshold = QStringLiteral("25.0");
        e.TemperatureAlarms[2].Condition = 1;
        QTest::newRow("time without digits")
            << ReplaceLine(example, rule3, "Alarm 3:above 25.0(C),Instantly abcde(time)") << 19 << e;
        QTest::newRow("time with a fraction")
            << ReplaceLine(example, rule3, "Alarm 3:above 25.0(C),Instantly 001.5(time)") << 19 << e;
        QTest::newRow("line ends before the time")
            << ReplaceLine(example, rule3, "Alarm 3:above 25.0(C),Instantly") << 19 << e;
        QTest::newRow("no time part at all")
            << ReplaceLine(example, rule3, "Alarm 3:above 25.0(C),") << 19 << e;
    }
    {
        // The digit filter drops everything else before the number is read.
        TIndicatorSettings e = loaded;
        e.TemperatureAlarms[2].AlarmTime = QStringLiteral("12");
        QTest::newRow("time with blanks")
            << ReplaceLine(example, rule3, "Alarm 3:above 25.0(C),Instantly  1 2 (time)") << 0 << e;
        QTest::newRow("time with letters")
            << ReplaceLine(example, rule3, "Alarm 3:above 25.0(C),Instantly 0x1y2(time)") << 0 << e;
    }
    {
        TIndicatorSettings e = loaded;
        e.TemperatureAlarms[2].Threshold = QStringLiteral("123.0");
        QTest::newRow("three integer digits")
            << ReplaceLine(example, rule3, "Alarm 3:above 123.4(C),Instantly 00001(time)") << 0 << e;
        e.TemperatureAlarms[2].Threshold = QStringLiteral("1230.0");
        QTest::newRow("four integer digits keep three significant")
            << ReplaceLine(example, rule3, "Alarm 3:above 1234(C),Instantly 00001(time)") << 0 << e;
    }
    {
        // No unit line: the alarms' mark is unknown, so their thresholds cannot be found.
        TIndicatorSettings e = loaded;
        e.CollectTemperature = true; // off at the unit step, on again at "collect:temperature"
        e.TemperatureUnit = before.TemperatureUnit;
        e.TemperatureAlarms = before.TemperatureAlarms;
        for (TAlarmRule& r : e.TemperatureAlarms)
            r.Enabled = false;
        e.TemperatureAlarms[0].Enabled = true;
        e.TemperatureAlarms[0].Direction = 0;
        e.CollectHumidity = false;
        e.HumidityAlarms = before.HumidityAlarms;
        for (TAlarmRule& r : e.HumidityAlarms)
            r.Enabled = false;
        QByteArray bytes = example;
        bytes.remove(bytes.indexOf("unit:C"), int(qstrlen("unit:C\r\r\n")));
        QTest::newRow("no unit line before temperature alarms") << bytes << 16 << e;
    }
    {
        TIndicatorSettings e = loaded;
        e.TimeZoneIndex = before.TimeZoneIndex;
        QTest::newRow("unknown time zone keeps the index")
            << ReplaceLine(example, "time zone:(UTC+08:00)", "time zone:(UTC+08:15)") << 0 << e;
    }
}

void TestProfileReader::failures()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, failedLine);
    QFETCH(TIndicatorSettings, expected);

    RecordingProfileTarget target(UsedWindow());
    const ProfileReadResult result = ReadBytes(bytes, target);
    QCOMPARE(result.ok, failedLine == 0);
    if (failedLine != 0) {
        QCOMPARE(result.line, failedLine);
        QVERIFY(!result.error.isEmpty());
    }
    const QStringList diff = SettingsDifferences(target.settings, expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(QLatin1Char('\n'))));
}

void TestProfileReader::pdfTextContainingAnotherKey()
{
    TIndicatorSettings s;
    s.PdfShowDevice = s.PdfShowTripDescription = s.PdfShowUsbName = true;
    s.PdfDevice = QStringLiteral("logo: none");
    s.PdfUsbName = QStringLiteral("Device:");
    s.PdfTripDescription = QStringLiteral("see url: example, Time format:x");

    RecordingProfileTarget target;
    QVERIFY(ReadBytes(BuildSettingsText(s, NowUtc()), target).ok);
    QVERIFY(!target.settings.PdfShowLogo);
    QVERIFY(!target.settings.PdfShowUrl);
    QVERIFY(!target.settings.PdfShowTimeFormat);
    QVERIFY(target.settings.PdfShowDevice);
    QCOMPARE(target.settings.PdfDevice, s.PdfDevice);
    QCOMPARE(target.settings.PdfUsbName, s.PdfUsbName);
    QCOMPARE(target.settings.PdfTripDescription, s.PdfTripDescription);

    // A line indented otherwise is still recognised by the first key it holds.
    QByteArray bytes = WorkedExampleBytes();
    bytes = ReplaceLine(bytes, "\t\t>>logo:Please write your Logo.", " >>url:\tx.y.");
    RecordingProfileTarget moved;
    QVERIFY(ReadBytes(bytes, moved).ok);
    QVERIFY(!moved.settings.PdfShowLogo);
    QVERIFY(moved.settings.PdfShowUrl);
}

void TestProfileReader::windows1252Texts()
{
    QByteArray bytes = WorkedExampleBytes();
    bytes = ReplaceLine(bytes, "\t\t>>logo:Please write your Logo.", "\t\t>>logo:\x80 \x9f\xe9\x81\xff\x8a.");
    RecordingProfileTarget target;
    QVERIFY(ReadBytes(bytes, target).ok);
    QCOMPARE(target.settings.PdfLogo, QString::fromUtf16(u"\u20AC \u0178\u00E9\u0081\u00FF\u0160"));
}

void TestProfileReader::megabyteLine()
{
    QByteArray bytes = WorkedExampleBytes();
    const QByteArray text(1024 * 1024, 'x');
    bytes = ReplaceLine(bytes, "\t\t>>Trip description:New York to Canada.",
                        "\t\t>>Trip description:" + text + '.');
    RecordingProfileTarget target;
    QVERIFY(ReadBytes(bytes, target).ok);
    QCOMPARE(target.settings.PdfTripDescription, QString::fromLatin1(text));

    // One line and nothing else: no key anywhere.
    RecordingProfileTarget single;
    QVERIFY(ReadBytes(QByteArray(1024 * 1024, 'A'), single).ok);
    QVERIFY(!single.settings.CollectTemperature);
}

void TestProfileReader::overlongLineFails()
{
    const QByteArray bytes = "Stop mode:manual\r\r\n" + QByteArray(17 * 1024 * 1024, '>') + "\r\r\n";
    RecordingProfileTarget target(UsedWindow());
    const ProfileReadResult result = ReadBytes(bytes, target);
    QVERIFY(!result.ok);
    QCOMPARE(result.line, 2);
    QCOMPARE(target.settings.StopMode, 0);
}

void TestProfileReader::readErrorFails()
{
    // The device goes away in the middle of the days line.
    const QByteArray bytes = WorkedExampleBytes();
    FailingDevice device(bytes, bytes.indexOf("days:") + 2);
    QVERIFY(device.open(QIODevice::ReadOnly));
    RecordingProfileTarget target(UsedWindow());
    const ProfileReadResult result = ReadProfile(device, target);
    QVERIFY(!result.ok);
    QCOMPARE(result.line, 13);
    QVERIFY2(result.error.contains(QStringLiteral("device removed")), qPrintable(result.error));
    QCOMPARE(target.settings.TimeZoneIndex, 40);
    QCOMPARE(target.settings.RecordingDays, UsedWindow().RecordingDays);
}

void TestProfileReader::missingFileFailsWithOneMessage()
{
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    RecordingProfileTarget target(UsedWindow());
    for (const QString& path : {dir.filePath(QStringLiteral("missing.txt")), dir.path()}) {
        const ProfileReadResult result = ReadProfileAndReport(path, target);
        QVERIFY(!result.ok);
        QCOMPARE(prompts.take(),
                 QList<ScriptedPrompts::Message>({{QStringLiteral("Profile load failed!"),
                                                   QStringLiteral("Prompt"), MsgFlags::IconInformation}}));
    }
    // The alarm part is reset before the file is opened.
    QCOMPARE(target.calls.first(), QStringLiteral("resetAlarmPart"));
    QVERIFY(!target.settings.TemperatureAlarms[0].Enabled);
    QVERIFY(prompts.problems().isEmpty());
}

void TestProfileReader::successShowsOneMessage()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(WorkedExampleBytes());
    file.close();

    ScriptedPrompts prompts;
    RecordingProfileTarget target;
    QVERIFY(ReadProfileAndReport(path, target).ok);
    QCOMPARE(prompts.take(),
             QList<ScriptedPrompts::Message>({{QStringLiteral("Profile load successed!"),
                                               QStringLiteral("Prompt"), MsgFlags::IconInformation}}));
}

QTEST_GUILESS_MAIN(TestProfileReader)
#include "test_profilereader.moc"
