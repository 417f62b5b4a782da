#include "ScriptedPrompts.h"
#include "TestFiles.h"
#include "WorkedExample.h"
#include "app/Clock.h"
#include "config/SettingsText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <unistd.h>

using Edit = std::function<void(TIndicatorSettings&)>;
Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(SettingsTextVariant)

namespace {

const QDateTime& kExampleNow = kWorkedExampleUtc;

// Lines as they stand in the file: a trailing "\r" is the line's own carriage
// return; every line then gets CR LF.
QByteArray JoinLines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

QStringList DefaultLines(const QString& timeLine = QStringLiteral("time:25/12/09 09:30:00"))
{
    return {
        QStringLiteral("Stop mode:automatic\r"),
        QStringLiteral("language:English\r"),
        QStringLiteral("unit:C\r"),
        QStringLiteral("probe type:in\r"),
        QStringLiteral("Times of use:many\r"),
        QStringLiteral("output format:PDF.>>PDF custom:no.\r"),
        QStringLiteral("time zone:(UTC+00:00)\r"),
        timeLine + QLatin1Char('\r'),
        QStringLiteral("Recording days:001days\r"),
        QStringLiteral("Recording interval:01min\r"),
        QStringLiteral("Delayed start:001min\r"),
        QStringLiteral("collect:temperature\r"),
    };
}

// Accepts `limit` bytes, then refuses: a full or removed drive.
class FailingDevice final : public QIODevice
{
public:
    explicit FailingDevice(qint64 limit) : m_limit(limit) { open(QIODevice::WriteOnly); }
    QByteArray written;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 len) override
    {
        const qint64 room = m_limit - written.size();
        if (room <= 0) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        const qint64 n = qMin(room, len);
        written.append(data, n);
        return n;
    }

private:
    qint64 m_limit;
};

} // namespace

class TestSettingsText : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_prompts = new ScriptedPrompts;
        SetFixedClock(kExampleNow);
    }
    void cleanup()
    {
        SetFixedClock(QDateTime());
        QLocale::setDefault(QLocale::c());
        QVERIFY2(m_prompts->problems().isEmpty(), qPrintable(m_prompts->problems()));
        delete m_prompts;
    }

    void filterNumberChars_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        QTest::newRow("grouped") << QStringLiteral("1,000") << QStringLiteral("1000");
        QTest::newRow("minus and stop") << QStringLiteral("-20.5") << QStringLiteral("20.5");
        QTest::newRow("blanks and letters") << QStringLiteral(" 1 2a.b3 ") << QStringLiteral("12.3");
        QTest::newRow("non-ASCII digits dropped") << QStringLiteral("\u0661\u0662") << QString();
        QTest::newRow("empty") << QString() << QString();
    }
    void filterNumberChars()
    {
        QFETCH(QString, text);
        QFETCH(QString, kept);
        QCOMPARE(FilterNumberChars(text), kept);
    }

    void formatWholeField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("field");
        QTest::newRow("1") << QStringLiteral("1") << 3 << QStringLiteral("001");
        QTest::newRow("007") << QStringLiteral("007") << 3 << QStringLiteral("007");
        QTest::newRow("1.5 rounds up") << QStringLiteral("1.5") << 3 << QStringLiteral("002");
        QTest::newRow("2.5 away from zero") << QStringLiteral("2.5") << 3 << QStringLiteral("003");
        QTest::newRow("1.49") << QStringLiteral("1.49") << 3 << QStringLiteral("001");
        QTest::newRow("5, width 2") << QStringLiteral("5") << 2 << QStringLiteral("05");
        QTest::newRow("10000, width 5") << QStringLiteral("10000") << 5 << QStringLiteral("10000");
        QTest::newRow("spinner's 1,000") << QStringLiteral("1,000") << 5 << QStringLiteral("01000");
        QTest::newRow("minus filtered") << QStringLiteral("-7") << 3 << QStringLiteral("007");
        QTest::newRow("zero") << QStringLiteral("0") << 3 << QStringLiteral("000");
        QTest::newRow("trailing stop") << QStringLiteral("1.") << 3 << QStringLiteral("001");
        QTest::newRow("leading stop") << QStringLiteral(".5") << 3 << QStringLiteral("001");
        QTest::newRow("wider than width") << QStringLiteral("123456") << 5 << QStringLiteral("123456");
        QTest::newRow("empty") << QString() << 3 << QString();
        QTest::newRow("letters only") << QStringLiteral("abc") << 3 << QString();
        QTest::newRow("stop alone") << QStringLiteral(".") << 3 << QString();
        QTest::newRow("two stops") << QStringLiteral("1.2.3") << 3 << QString();
    }
    void formatWholeField()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QString, field);
        QCOMPARE(FormatWholeField(text, width), field);
    }

    void formatThresholdField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::newRow("8") << QStringLiteral("8") << QStringLiteral("08.0");
        QTest::newRow("2.5") << QStringLiteral("2.5") << QStringLiteral("02.5");
        QTest::newRow("-5") << QStringLiteral("-5") << QStringLiteral("-05.0");
        QTest::newRow("-20.5") << QStringLiteral("-20.5") << QStringLiteral("-20.5");
        QTest::newRow("0") << QStringLiteral("0") << QStringLiteral("00.0");
        QTest::newRow("9.7") << QStringLiteral("9.7") << QStringLiteral("09.7");
        QTest::newRow("12.34") << QStringLiteral("12.34") << QStringLiteral("12.3");
        QTest::newRow("99.96") << QStringLiteral("99.96") << QStringLiteral("100.0");
        QTest::newRow("104.5") << QStringLiteral("104.5") << QStringLiteral("105.0");
        QTest::newRow("212") << QStringLiteral("212") << QStringLiteral("212.0");
        QTest::newRow("-148") << QStringLiteral("-148") << QStringLiteral("-148.0");
        QTest::newRow("-0.04") << QStringLiteral("-0.04") << QStringLiteral("-00.0");
        QTest::newRow("minus alone") << QStringLiteral("-") << QString();
        QTest::newRow("empty") << QString() << QString();
        // 0.15 is stored just below the half; 0.25 and 2.25 are exact halves.
        QTest::newRow("0.15") << QStringLiteral("0.15") << QStringLiteral("00.1");
        QTest::newRow("0.25") << QStringLiteral("0.25") << QStringLiteral("00.3");
        QTest::newRow("-2.25") << QStringLiteral("-2.25") << QStringLiteral("-02.3");
        QTest::newRow("-0") << QStringLiteral("-0") << QStringLiteral("00.0");
        QTest::newRow("plus sign") << QStringLiteral("+5") << QStringLiteral("05.0");
        QTest::newRow("surrounding blanks") << QStringLiteral(" 8 ") << QStringLiteral("08.0");
        QTest::newRow("leading stop") << QStringLiteral("-.5") << QStringLiteral("-00.5");
        QTest::newRow("999.5") << QStringLiteral("999.5") << QStringLiteral("1000.0");
        QTest::newRow("12345.6, three significant digits")
            << QStringLiteral("12345.6") << QStringLiteral("12300.0");
        QTest::newRow("comma grouped") << QStringLiteral("1,000") << QString();
        QTest::newRow("decimal comma") << QStringLiteral("2,5") << QString();
        QTest::newRow("exponent") << QStringLiteral("1e3") << QString();
        QTest::newRow("inf") << QStringLiteral("inf") << QString();
        QTest::newRow("nan") << QStringLiteral("nan") << QString();
        QTest::newRow("two stops") << QStringLiteral("1.2.3") << QString();
        QTest::newRow("inner blank") << QStringLiteral("1 5") << QString();
        QTest::newRow("two signs") << QStringLiteral("--5") << QString();
    }
    void formatThresholdField()
    {
        QFETCH(QString, text);
        QFETCH(QString, field);
        QCOMPARE(FormatThresholdField(text), field);
    }

    void thresholdIgnoresTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(FormatThresholdField(QStringLiteral("2.5")), QStringLiteral("02.5"));
        QCOMPARE(FormatThresholdField(QStringLiteral("2,5")), QString());
    }

    void loggerTime_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<int>("zone");
        QTest::addColumn<QString>("text");
        QTest::newRow("example, UTC+08:00") << kExampleNow << 40 << QStringLiteral("25/12/09 17:30:00");
        QTest::newRow("zone 0 before midnight UTC") << QDateTime(QDate(2025, 12, 9), QTime(0, 10), Qt::UTC)
                                                    << 0 << QStringLiteral("25/12/08 12:10:00");
        QTest::newRow("zone 48 into the new year")
            << QDateTime(QDate(2025, 12, 31), QTime(23, 59, 59), Qt::UTC) << 48
            << QStringLiteral("26/01/01 11:59:59");
        QTest::newRow("half-hour zone 23") << QDateTime(QDate(2024, 3, 1), QTime(0, 15), Qt::UTC) << 23
                                           << QStringLiteral("24/02/29 23:45:00");
        // Summer: true UTC, no daylight-saving hour added.
        QTest::newRow("summer, UTC+01:00") << QDateTime(QDate(2025, 7, 1), QTime(12, 0), Qt::UTC) << 26
                                           << QStringLiteral("25/07/01 13:00:00");
        QTest::newRow("instant given with an offset")
            << QDateTime(QDate(2025, 7, 1), QTime(14, 0), Qt::OffsetFromUTC, 2 * 3600) << 24
            << QStringLiteral("25/07/01 12:00:00");
    }
    void loggerTime()
    {
        QFETCH(QDateTime, now);
        QFETCH(int, zone);
        QFETCH(QString, text);
        QCOMPARE(LoggerTimeText(now, zone), text);
    }

    void workedExampleByteForByte()
    {
        const QByteArray expected = WorkedExampleBytes();
        QCOMPARE(expected.size(), 635);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("SETTING.txt"));
        QVERIFY(WriteSettingsText(WorkedExampleSettings(), path, SettingsTextVariant::Upload));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), expected);
        QCOMPARE(m_prompts->take(), (QList<ScriptedPrompts::Message>{{QStringLiteral("Upload successed!"),
                                                                      QStringLiteral("Prompt"), 64}}));
    }

    void linesCarryTheWorkbookParts()
    {
        TIndicatorSettings s = WorkedExampleSettings();
        QList<SettingsLine> lines = BuildSettingsLines(s, kExampleNow);
        QCOMPARE(lines.size(), 21);
        QCOMPARE(lines[5].kind, SettingsLine::OutputFormat);
        QCOMPARE(lines[5].formatPart, QStringLiteral("output format:PDF and CSV."));
        QCOMPARE(lines[5].customMark, QStringLiteral(">>PDF custom:yes."));
        QCOMPARE(lines[6].kind, SettingsLine::PdfCustom);
        QCOMPARE(lines[6].text, QStringLiteral(">>logo:Please write your Logo."));
        QCOMPARE(lines[16].kind, SettingsLine::TemperatureAlarm);
        QVERIFY(!lines[16].ownCr);
        QCOMPARE(lines[20].kind, SettingsLine::HumidityAlarm);
        for (const SettingsLine& line : lines) {
            QVERIFY2(!line.text.contains(QLatin1Char('\t')) && !line.text.contains(QLatin1Char('\r')),
                     qPrintable(line.text));
        }

        s.OutputPdf = false;
        lines = BuildSettingsLines(s, kExampleNow);
        QCOMPARE(lines[5].kind, SettingsLine::OutputFormat);
        QCOMPARE(lines[5].text, QStringLiteral("output format:CSV."));
        QCOMPARE(lines[5].formatPart, QStringLiteral("output format:CSV."));
        QCOMPARE(lines[5].customMark, QString());
    }

    void linePresence_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("defaults: twelve lines") << Edit([](TIndicatorSettings&) {}) << DefaultLines();

        QStringList csvOnly = DefaultLines();
        csvOnly[5] = QStringLiteral("output format:CSV.\r");
        QTest::newRow("CSV only, show flags ignored") << Edit([](TIndicatorSettings& s) {
            s.OutputPdf = false;
            s.OutputCsv = true;
            s.PdfShowLogo = s.PdfShowTimeFormat = s.PdfShowTripDescription = true;
        }) << csvOnly;

        QStringList noFormat = DefaultLines();
        noFormat.removeAt(5);
        QTest::newRow("no output format, no line")
            << Edit([](TIndicatorSettings& s) { s.OutputPdf = false; }) << noFormat;

        QStringList timeFormatOnly = DefaultLines();
        timeFormatOnly[5] = QStringLiteral("output format:PDF.>>PDF custom:yes.\r");
        timeFormatOnly.insert(6, QStringLiteral("\t\t>>Time format:MM/DD/YY.\r"));
        QTest::newRow("only the time format") << Edit([](TIndicatorSettings& s) {
            s.PdfShowTimeFormat = true;
            s.PdfTimeFormat = 1;
        }) << timeFormatOnly;

        QStringList allPdf = DefaultLines();
        allPdf[5] = QStringLiteral("output format:PDF and CSV.>>PDF custom:yes.\r");
        const QStringList pdfLines = {
            QStringLiteral("\t\t>>logo:ACME..\r"),
            QStringLiteral("\t\t>>Device:Please write your Device Name.\r"),
            QStringLiteral("\t\t>>Time format:DD/MM/YY.\r"),
            QStringLiteral("\t\t>>url:www.example.com.\r"),
            QStringLiteral("\t\t>>usb name:Please write your USB Name.\r"),
            QStringLiteral("\t\t>>Device ID:ID 7.\r"),
            QStringLiteral("\t\t>>Trip description:New York to Canada.\r"),
        };
        for (qsizetype i = 0; i < pdfLines.size(); ++i)
            allPdf.insert(6 + i, pdfLines[i]);
        QTest::newRow("all seven PDF lines in order, texts trimmed") << Edit([](TIndicatorSettings& s) {
            s.OutputCsv = true;
            s.PdfShowLogo = s.PdfShowDevice = s.PdfShowTimeFormat = s.PdfShowUrl = s.PdfShowUsbName =
                s.PdfShowDeviceId = s.PdfShowTripDescription = true;
            s.PdfLogo = QStringLiteral("ACME.");
            s.PdfDeviceId = QStringLiteral("  ID 7\t");
        }) << allPdf;

        QStringList noTemperature = DefaultLines();
        noTemperature.removeAt(11);
        noTemperature.removeAt(2);
        QTest::newRow("temperature not recorded, alarms on") << Edit([](TIndicatorSettings& s) {
            s.CollectTemperature = false;
            s.TemperatureAlarms[0].Enabled = true;
        }) << noTemperature;

        QTest::newRow("rule 1 off, rule 2 on: no alarm line")
            << Edit([](TIndicatorSettings& s) { s.TemperatureAlarms[1].Enabled = true; }) << DefaultLines();

        QStringList eight = DefaultLines();
        eight[2] = QStringLiteral("unit:F\r");
        for (int n = 1; n <= 8; ++n)
            eight << QStringLiteral("Alarm %1:below -%2.0(F),Instantly 00010(time)").arg(n).arg(n * 10);
        QTest::newRow("eight rules in F") << Edit([](TIndicatorSettings& s) {
            s.TemperatureUnit = 1;
            for (int i = 0; i < 8; ++i)
                s.TemperatureAlarms[i] = {true, TAlarmRule::Below, QString::number(-(i + 1) * 10),
                                          TAlarmRule::Instantly, QStringLiteral("10")};
        }) << eight;

        QStringList delayZero = DefaultLines();
        delayZero[10] = QStringLiteral("Delayed start:000min\r");
        QTest::newRow("delay on with 0")
            << Edit([](TIndicatorSettings& s) { s.DelayedStart = QStringLiteral("0"); }) << delayZero;
        QTest::newRow("delay off with 30") << Edit([](TIndicatorSettings& s) {
            s.DelayEnabled = false;
            s.DelayedStart = QStringLiteral("30");
        }) << delayZero;

        QStringList humidityEmpty = DefaultLines();
        humidityEmpty << QStringLiteral("collect:humidity\r")
                      << QStringLiteral("Alarm 1:above (H),Accumulative alarm (min)");
        QTest::newRow("humidity rule with empty fields") << Edit([](TIndicatorSettings& s) {
            s.CollectHumidity = true;
            s.HumidityAlarms[0].Enabled = true;
            s.HumidityAlarms[0].Threshold.clear();
            s.HumidityAlarms[0].AlarmTime.clear();
        }) << humidityEmpty;

        QStringList zone14 = DefaultLines(QStringLiteral("time:25/12/09 04:30:00"));
        zone14[6] = QStringLiteral("time zone:(UTC -05:00)\r");
        QTest::newRow("zone 14 keeps its blank")
            << Edit([](TIndicatorSettings& s) { s.TimeZoneIndex = 14; }) << zone14;

        QStringList alternatives = DefaultLines();
        alternatives[0] = QStringLiteral("Stop mode:manual\r");
        alternatives[1] = QStringLiteral("language:Russian\r");
        alternatives[3] = QStringLiteral("probe type:out\r");
        alternatives[4] = QStringLiteral("Times of use:single\r");
        alternatives[8] = QStringLiteral("Recording days:400days\r");
        alternatives[9] = QStringLiteral("Recording interval:99min\r");
        QTest::newRow("the other enumeration items") << Edit([](TIndicatorSettings& s) {
            s.StopMode = 0;
            s.Language = 0;
            s.ProbeType = 1;
            s.TimesOfUse = 0;
            s.RecordingDays = QStringLiteral("400");
            s.RecordingInterval = QStringLiteral("99");
        }) << alternatives;
    }
    void linePresence()
    {
        QFETCH(Edit, edit);
        QFETCH(QStringList, lines);
        TIndicatorSettings s;
        edit(s);
        QCOMPARE(QString::fromLatin1(BuildSettingsText(s, kExampleNow)),
                 QString::fromLatin1(JoinLines(lines)));
    }

    void windows1252_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("representable");
        QTest::newRow("e acute") << QStringLiteral("\u00e9") << QByteArray("\xE9") << true;
        QTest::newRow("euro") << QStringLiteral("\u20ac") << QByteArray("\x80") << true;
        QTest::newRow("S caron") << QStringLiteral("\u0160") << QByteArray("\x8A") << true;
        QTest::newRow("Y diaeresis") << QStringLiteral("\u0178") << QByteArray("\x9F") << true;
        QTest::newRow("no-break space, y diaeresis")
            << QStringLiteral("y\u00a0\u00ff") << QByteArray("y\xA0\xFF") << true;
        QTest::newRow("C1 control") << QStringLiteral("\u0081") << QByteArray("?") << false;
        QTest::newRow("CJK") << QStringLiteral("a\u4e2db") << QByteArray("a?b") << false;
        QTest::newRow("outside the basic plane") << QStringLiteral("\U0001F600") << QByteArray("?") << false;
    }
    void windows1252()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, representable);
        QCOMPARE(ToWindows1252(text), bytes);
        QCOMPARE(IsWindows1252Text(text), representable);

        if (!representable)
            return;
        TIndicatorSettings s;
        s.PdfShowLogo = true;
        s.PdfLogo = text;
        const QByteArray file = BuildSettingsText(s, kExampleNow);
        QVERIFY(file.startsWith("Stop mode:")); // no byte-order mark
        QVERIFY(file.contains("\t\t>>logo:" + bytes + ".\r\r\n"));
    }

    void writeAllBytesReportsShortWrites_data()
    {
        QTest::addColumn<qint64>("limit");
        QTest::newRow("nothing accepted") << qint64(0);
        QTest::newRow("fails after 100 bytes") << qint64(100);
        QTest::newRow("one byte short") << qint64(634);
    }
    void writeAllBytesReportsShortWrites()
    {
        QFETCH(qint64, limit);
        const QByteArray bytes = BuildSettingsText(WorkedExampleSettings(), kExampleNow);
        FailingDevice device(limit);
        QString error;
        QVERIFY(!WriteAllBytes(device, bytes, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(device.written, bytes.left(limit));

        FailingDevice roomy(bytes.size());
        QVERIFY(WriteAllBytes(roomy, bytes));
        QCOMPARE(roomy.written, bytes);
    }

    void writeFailures_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<SettingsTextVariant>("variant");
        QTest::addColumn<QString>("message");
        const QString upload = QStringLiteral("Upload failed!");
        const QString save = QStringLiteral("Save failed!");
        const QString missing = QStringLiteral("missing/SETTING.txt");
        const QString underFile = QStringLiteral("plain.txt/SETTING.txt");
        const QString isDir = QStringLiteral("folder");
        QTest::newRow("missing directory, upload") << missing << SettingsTextVariant::Upload << upload;
        QTest::newRow("missing directory, profile") << missing << SettingsTextVariant::Profile << save;
        QTest::newRow("parent is a file, upload") << underFile << SettingsTextVariant::Upload << upload;
        QTest::newRow("parent is a file, profile") << underFile << SettingsTextVariant::Profile << save;
        QTest::newRow("target is a directory, upload") << isDir << SettingsTextVariant::Upload << upload;
    }
    void writeFailures()
    {
        QFETCH(QString, target);
        QFETCH(SettingsTextVariant, variant);
        QFETCH(QString, message);

        QTemporaryDir dir;
        QFile plain(dir.filePath(QStringLiteral("plain.txt")));
        QVERIFY(plain.open(QIODevice::WriteOnly) && plain.write("keep") == 4);
        plain.close();
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        const QStringList before = DirEntries(dir.path());

        QVERIFY(!WriteSettingsText(TIndicatorSettings(), dir.filePath(target), variant));
        QCOMPARE(m_prompts->take(),
                 (QList<ScriptedPrompts::Message>{{message, QStringLiteral("Prompt"), 64}}));
        QCOMPARE(DirEntries(dir.path()), before);
        QVERIFY(DirEntries(dir.filePath(QStringLiteral("folder"))).isEmpty());
        QVERIFY(plain.open(QIODevice::ReadOnly));
        QCOMPARE(plain.readAll(), QByteArray("keep"));
    }

    void readOnlyDirectoryKeepsTheOldFile()
    {
        if (::geteuid() == 0)
            QSKIP("root writes into read-only directories");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("SETTING.txt"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old settings") == 12);
        old.close();
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));

        const bool written = WriteSettingsText(TIndicatorSettings(), path, SettingsTextVariant::Upload);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!written);
        QCOMPARE(m_prompts->texts(), QStringList{QStringLiteral("Upload failed!")});
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old settings"));
        QCOMPARE(DirEntries(dir.path()), QStringList{QStringLiteral("SETTING.txt")});
    }

    // A drive that fills up halfway: the previous file stays whole and no
    // partial or temporary file is left behind.
    void fullDriveKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("SETTING.txt"));
        const QByteArray oldBytes(2000, 'x');
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write(oldBytes) == oldBytes.size());
        old.close();

        bool written = true;
        {
            FileSizeLimit limit(300);
            QVERIFY(limit.ok());
            written = WriteSettingsText(WorkedExampleSettings(), path, SettingsTextVariant::Profile);
        }
        QVERIFY(!written);
        QCOMPARE(m_prompts->texts(), QStringList{QStringLiteral("Save failed!")});
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), oldBytes);
        QCOMPARE(DirEntries(dir.path()), QStringList{QStringLiteral("SETTING.txt")});
    }

    void successReplacesTheWholeFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("setting09122025.txt"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write(QByteArray(5000, 'x')) == 5000);
        old.close();

        QVERIFY(WriteSettingsText(TIndicatorSettings(), path, SettingsTextVariant::Profile));
        QVERIFY(m_prompts->messages().isEmpty()); // the profile flow reports success itself
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), JoinLines(DefaultLines()));
        QCOMPARE(DirEntries(dir.path()), QStringList{QStringLiteral("setting09122025.txt")});
    }

    // The upload's read-back: only the very bytes meant count as written.
    void verifyFileContents_data()
    {
        QTest::addColumn<QByteArray>("onDisk"); // "<none>": no file, "<dir>": a directory
        QTest::addColumn<bool>("same");
        const QByteArray meant = JoinLines(DefaultLines());
        QByteArray flipped = meant;
        flipped[100] = 'X';
        QTest::newRow("as meant") << meant << true;
        QTest::newRow("one byte differs") << flipped << false;
        QTest::newRow("cut short") << meant.chopped(1) << false;
        QTest::newRow("longer") << meant + '\0' << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("missing") << QByteArray("<none>") << false;
        QTest::newRow("a directory") << QByteArray("<dir>") << false;
    }
    void verifyFileContents()
    {
        QFETCH(QByteArray, onDisk);
        QFETCH(bool, same);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("SETTING.txt"));
        if (onDisk == "<dir>") {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("SETTING.txt")));
        } else if (onDisk != "<none>") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(onDisk) == onDisk.size());
        }
        QString error;
        QCOMPARE(VerifyFileContents(path, JoinLines(DefaultLines()), &error), same);
        QCOMPARE(error.isEmpty(), same);
    }

private:
    ScriptedPrompts* m_prompts = nullptr;
};

QTEST_GUILESS_MAIN(TestSettingsText)
#include "test_settingstext.moc"
