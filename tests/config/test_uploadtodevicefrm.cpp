#include "GuiTestHelpers.h"
#include "LayoutChecks.h"
#include "ProfileTestSupport.h"
#include "ScriptedDialogs.h"
#include "ScriptedPrompts.h"
#include "TestAppDir.h"
#include "TestFiles.h"
#include "WorkedExample.h"
#include "app/AppDir.h"
#include "app/Clock.h"
#include "app/MainWindow.h"
#include "config/AlarmRows.h"
#include "config/ConfigEditor.h"
#include "config/EditorControls.h"
#include "config/FieldFormats.h"
#include "config/SettingsText.h"
#include "config/UploadToDeviceFrm.h"
#include "data/IniFile.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>
#include <unistd.h>

using Edit = std::function<void(TIndicatorSettings&)>;

namespace {

const QString kLoaded = QStringLiteral("Profile load successed!");
const QString kLoadFailed = QStringLiteral("Profile load failed!");
const QString kUploaded = QStringLiteral("Upload successed!");
const QString kUploadFailed = QStringLiteral("Upload failed!");
const QString kIncomplete =
    QStringLiteral("The parameter is incomplete. Please fill it out and upload again.");
const QString kDeviceTitle = QStringLiteral("Please select the Device Directory");
const QString kMissing = QStringLiteral("<missing>");

// Two instants a day apart, so that the time lines of two uploads differ.
const QDateTime kFirstClock(QDate(2025, 12, 9), QTime(9, 30), Qt::UTC);
const QDateTime kSecondClock(QDate(2025, 12, 10), QTime(11, 45, 20), Qt::UTC);

// The lines of a settings text without the time line (which every upload
// writes anew) and the time line alone.
QList<QByteArray> WithoutTimeLine(const QByteArray& bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeIf([](const QByteArray& line) { return line.startsWith("time:"); });
    return lines;
}
QByteArray TimeLine(const QByteArray& bytes)
{
    for (const QByteArray& line : bytes.split('\n')) {
        if (line.startsWith("time:"))
            return line.chopped(2); // CR CR
    }
    return {};
}

QString Remembered(const QString& key)
{
    return TIniFile(AppFilePath(QStringLiteral("Config.ini")))
        .readString(ConfigKeys::PathSection, key, kMissing);
}

bool Remember(const QString& key, const QString& value)
{
    return WriteConfigString(ConfigKeys::PathSection, key, value);
}

QStringList Entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

Q_DECLARE_METATYPE(Edit)

class TestUploadToDeviceFrm : public QObject
{
    Q_OBJECT

public:
    enum LoadCase { Loaded, EmptyFile, MissingFile, BrokenAlarm, Cancelled };
    Q_ENUM(LoadCase)
    enum Fault { DirectoryRemoved, DirectoryReplacedByFile, ReadOnly, DriveFull };
    Q_ENUM(Fault)
    enum Incomplete { BlankDays, BlankAlarmTime, NoOutputFormat };
    Q_ENUM(Incomplete)

private:
    template <typename T> T* control(const char* name) { return Control<T>(m_window, name); }
    template <typename T> T* control(const QString& name) { return control<T>(name.toLatin1().constData()); }
    QTabWidget* pages() { return control<QTabWidget>("pgc1"); }
    bool tabShown(const char* page)
    {
        return pages()->isTabVisible(pages()->indexOf(control<QWidget>(page)));
    }
    TIndicatorSettings settings() { return m_window->editor()->settings(); }
    QString devicePath() { return control<QLineEdit>("edtDevicePath")->text(); }

    // A fresh window, as the menu opens one: it reads Config.ini when shown.
    void reopen()
    {
        delete m_window;
        m_window = new TUploadToDeviceFrm;
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }
    void loadProfile(const QString& path)
    {
        m_dialogs->answer(path);
        QTest::mouseClick(control<QPushButton>("btnSelect"), Qt::LeftButton);
    }
    void upload() { QTest::mouseClick(control<QPushButton>("btnUpload"), Qt::LeftButton); }
    // The window with a remembered device directory.
    void openWithDevice(const QString& dir)
    {
        QVERIFY(Remember(ConfigKeys::DevicePath, dir));
        reopen();
    }

    ScriptedPrompts* m_prompts = nullptr;
    ScriptedDialogs* m_dialogs = nullptr;
    TestAppDir* m_appDir = nullptr;
    QTemporaryDir* m_files = nullptr;
    TUploadToDeviceFrm* m_window = nullptr;

private slots:
    void init()
    {
        m_prompts = new ScriptedPrompts;
        m_dialogs = new ScriptedDialogs;
        m_appDir = new TestAppDir;
        m_files = new QTemporaryDir;
        QVERIFY(m_files->isValid());
        SetFixedClock(kFirstClock);
        reopen();
    }
    void cleanup()
    {
        delete m_window;
        m_window = nullptr;
        SetFixedClock(QDateTime());
        delete m_files;
        delete m_appDir;
        QVERIFY2(m_dialogs->problems().isEmpty(), qPrintable(m_dialogs->problems()));
        QVERIFY2(m_prompts->problems().isEmpty(), qPrintable(m_prompts->problems()));
        delete m_dialogs;
        delete m_prompts;
    }

    void opensWithTheRememberedPaths_data()
    {
        QTest::addColumn<QString>("profile"); // empty: not in Config.ini
        QTest::addColumn<QString>("device");
        QTest::newRow("first use") << QString() << QString();
        QTest::newRow("both remembered")
            << QStringLiteral("/media/stick/setting09122025.txt") << QStringLiteral("/media/logger");
    }
    void opensWithTheRememberedPaths()
    {
        QFETCH(QString, profile);
        QFETCH(QString, device);
        if (!profile.isEmpty()) {
            QVERIFY(Remember(ConfigKeys::LastProfilePath, profile));
            QVERIFY(Remember(ConfigKeys::DevicePath, device));
        }
        reopen();
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Upload To Device"));
        QCOMPARE(m_window->size(), QSize(1303, 606));
        QCOMPARE(control<QGroupBox>("grbgrp1")->title(), QStringLiteral("Parameter configuration"));
        QCOMPARE(settings(), TIndicatorSettings());
        QCOMPARE(control<QLineEdit>("edtLoadPath")->text(), profile);
        QCOMPARE(devicePath(), device);
        // Display only: the operator cannot type a path.
        QVERIFY(!control<QLineEdit>("edtLoadPath")->isEnabled());
        QVERIFY(!control<QLineEdit>("edtDevicePath")->isEnabled());
        QCOMPARE(control<QLabel>("lbl6")->text(), QStringLiteral("Profile file Path"));
        QCOMPARE(control<QLabel>("lbl7")->text(), QStringLiteral("Device Path"));
        QCOMPARE(control<QPushButton>("btnSelect")->text(), QStringLiteral("Select"));
        QCOMPARE(control<QPushButton>("btnSelectDevice")->text(), QStringLiteral("Select"));
        QCOMPARE(control<QPushButton>("btnUpload")->text(), QStringLiteral("Upload To Device"));
        QCOMPARE(control<QPushButton>("btn1")->text(), QStringLiteral("Close"));
        // This window saves neither a profile nor a workbook.
        for (QPushButton* button : m_window->findChildren<QPushButton*>())
            QVERIFY2(!button->isVisible() || !button->text().startsWith(QLatin1String("Save")),
                     qPrintable(button->text()));
        QVERIFY(m_prompts->messages().isEmpty());
        QVERIFY(m_dialogs->requests().isEmpty());
    }

    void workedExampleLoadsAndUploadsTheSameFile()
    {
        const QByteArray example = WorkedExampleBytes();
        QCOMPARE(example.size(), 635);
        QCOMPARE(example.count('\n'), 21);
        const QString profile = m_files->filePath(QStringLiteral("setting09122025.txt"));
        QVERIFY(WriteBytes(profile, example));

        loadProfile(profile);

        QCOMPARE(m_prompts->take(),
                 (QList<ScriptedPrompts::Message>{{kLoaded, QStringLiteral("Prompt"), 64}}));
        const FileDialogs::Request& request = m_dialogs->requests().first();
        QCOMPARE(request.kind, FileDialogs::Request::OpenFile);
        QCOMPARE(request.filter, QStringLiteral("Profile(*.txt)"));
        QCOMPARE(request.defaultSuffix, QStringLiteral("txt"));
        QVERIFY(request.proposedPath.isEmpty());
        QCOMPARE(control<QLineEdit>("edtLoadPath")->text(), profile);
        QCOMPARE(Remembered(ConfigKeys::LastProfilePath), profile);

        TIndicatorSettings expected;
        expected.RecordingDays = QStringLiteral("90");
        expected.RecordingInterval = QStringLiteral("10");
        expected.DelayedStart = QStringLiteral("30");
        expected.OutputCsv = true;
        expected.PdfShowLogo = true;
        expected.PdfShowTimeFormat = true;
        expected.PdfShowDeviceId = true;
        expected.PdfShowTripDescription = true;
        expected.TimeZoneIndex = 40;
        expected.CollectHumidity = true;
        expected.TemperatureAlarms[0] = Rule(0, QStringLiteral("8.0"), 0, QStringLiteral("30"));
        expected.TemperatureAlarms[1] = Rule(1, QStringLiteral("2.0"), 0, QStringLiteral("60"));
        expected.TemperatureAlarms[2] = Rule(0, QStringLiteral("25.0"), 1, QStringLiteral("1"));
        expected.HumidityAlarms[0] = Rule(0, QStringLiteral("80.0"), 0, QStringLiteral("120"));
        const QStringList diff = SettingsDifferences(settings(), expected);
        QVERIFY2(diff.isEmpty(), qPrintable(diff.join(QLatin1Char('\n'))));

        // What the handlers made of it: rule 4 shown but off, captions, tabs.
        QVERIFY(control<QCheckBox>("chkAlarm4")->isVisible());
        QVERIFY(!control<QCheckBox>("chkAlarm4")->isChecked());
        QVERIFY(!control<QLineEdit>("edtAlarmTemperature4")->isEnabled());
        QVERIFY(!control<QCheckBox>("chkAlarm5")->isVisible());
        QVERIFY(control<QLineEdit>("edtAlarmTemperature3")->isEnabled());
        QCOMPARE(control<QLabel>("lblAlarmTime1")->text(), QStringLiteral("(30 Minutes)"));
        QCOMPARE(control<QLabel>("lblAlarmTime2")->text(), QStringLiteral("(1 Hours)"));
        QCOMPARE(control<QLabel>("lblAlarmTime3")->text(), QStringLiteral("(1 Time)"));
        QCOMPARE(control<QLabel>("lblAlarmTime1_HU")->text(), QStringLiteral("(2 Hours)"));
        QVERIFY(tabShown("ts1"));
        QVERIFY(tabShown("ts2"));
        QCOMPARE(pages()->currentWidget(), control<QWidget>("ts1"));
        QVERIFY(control<TRadioGroup>("rgTimeFormat")->isEnabled());
        QVERIFY(control<QLineEdit>("edtDelayedStart")->isEnabled());

        // Uploading it again gives the same file but for the time of this upload.
        SetFixedClock(kSecondClock);
        openWithDevice(m_files->path());
        loadProfile(profile);
        upload();
        QCOMPARE(m_prompts->texts(), (QStringList{kLoaded, kUploaded}));
        QCOMPARE(ReadAll(m_files->filePath(QStringLiteral("SETTING.txt"))),
                 WorkedExampleBytes("time:" + LoggerTimeText(kSecondClock, 40).toLatin1()));
    }

    void roundTripThroughTheWindow_data()
    {
        QTest::addColumn<Edit>("edit");
        const auto row = [](const char* name, Edit edit) { QTest::newRow(name) << edit; };
        row("defaults", [](TIndicatorSettings&) {});
        row("all PDF items", [](TIndicatorSettings& s) {
            s.OutputCsv = true;
            s.PdfShowLogo = s.PdfShowDevice = s.PdfShowTimeFormat = s.PdfShowUrl = true;
            s.PdfShowUsbName = s.PdfShowDeviceId = s.PdfShowTripDescription = true;
            s.PdfLogo = QStringLiteral("Cold Chain Ltd");
            s.PdfDevice = QStringLiteral("Reefer 12");
            s.PdfTimeFormat = 1;
            s.PdfUrl = QStringLiteral("www.example.org/track");
            s.PdfUsbName = QStringLiteral("LOGGER-7");
            s.PdfDeviceId = QStringLiteral("ZX-0099");
            s.PdfTripDescription = QStringLiteral("Rotterdam to Genoa, pallets 1-12: keep at 2-8 C.");
        });
        row("header texts longer than can be typed", [](TIndicatorSettings& s) {
            // A profile edited by hand: loading must not cut what typing could not enter.
            s.PdfShowLogo = s.PdfShowDeviceId = s.PdfShowTripDescription = true;
            s.PdfLogo = QStringLiteral("Cold Chain Logistics International Ltd.");
            s.PdfDeviceId = QStringLiteral("LOGGER-000123456");
            s.PdfTripDescription = QString(120, QLatin1Char('t'));
        });
        row("PDF only, no header texts", [](TIndicatorSettings& s) { s.OutputCsv = false; });
        row("CSV only", [](TIndicatorSettings& s) {
            s.OutputPdf = false;
            s.OutputCsv = true;
            s.PdfShowLogo = true; // does not count while PDF is off
        });
        row("neither temperature nor humidity", [](TIndicatorSettings& s) {
            s.CollectTemperature = false;
            s.CollectHumidity = false;
        });
        row("humidity only", [](TIndicatorSettings& s) {
            s.CollectTemperature = false;
            s.CollectHumidity = true;
            s.HumidityAlarms[0] = Rule(1, QStringLiteral("35.5"), 1, QStringLiteral("4"));
            s.HumidityAlarms[1] = Rule(0, QStringLiteral("99.9"), 0, QStringLiteral("90"));
        });
        row("eight rules in both sets", [](TIndicatorSettings& s) {
            s.CollectHumidity = true;
            for (int i = 0; i < 8; ++i) {
                s.TemperatureAlarms[i] = Rule(i % 2, QString::number(-40 + 17.5 * i, 'f', 1), (i / 2) % 2,
                                              QString::number(i * 250));
                s.HumidityAlarms[i] =
                    Rule((i + 1) % 2, QString::number(10 + 11.1 * i, 'f', 1), i % 2, QString::number(i + 1));
            }
            s.TemperatureAlarms[7].AlarmTime = QStringLiteral("10,000");
        });
        row("unit F", [](TIndicatorSettings& s) {
            s.TemperatureUnit = 1;
            s.TemperatureAlarms[0] = Rule(0, QStringLiteral("212.0"), 0, QStringLiteral("60"));
            s.TemperatureAlarms[1] = Rule(1, QStringLiteral("-148.0"), 1, QStringLiteral("2"));
            s.TemperatureAlarms[2] = Rule(0, QStringLiteral("46.4"), 0, QStringLiteral("1,440"));
        });
        for (const int zone : {0, 23, 24, 25, 48}) {
            const QByteArray name = "time zone " + TimeZoneText(zone).toLatin1();
            QTest::newRow(name.constData())
                << Edit([zone](TIndicatorSettings& s) { s.TimeZoneIndex = zone; });
        }
        row("manual stop, Russian, single use", [](TIndicatorSettings& s) {
            s.StopMode = 0;
            s.Language = 0;
            s.TimesOfUse = 0;
        });
        row("delay on with 0 (comes back off)",
            [](TIndicatorSettings& s) { s.DelayedStart = QStringLiteral("0"); });
        row("no delay", [](TIndicatorSettings& s) {
            s.DelayEnabled = false;
            s.DelayedStart = QStringLiteral("45");
        });
        row("largest numbers", [](TIndicatorSettings& s) {
            s.RecordingDays = QStringLiteral("400");
            s.RecordingInterval = QStringLiteral("99");
            s.DelayedStart = QStringLiteral("999");
        });
    }
    void roundTripThroughTheWindow()
    {
        QFETCH(Edit, edit);
        TIndicatorSettings s;
        edit(s);
        QTemporaryDir first;
        QTemporaryDir second;

        openWithDevice(first.path());
        m_window->editor()->load(s);
        upload();
        const QByteArray written = ReadAll(first.filePath(QStringLiteral("SETTING.txt")));
        QCOMPARE(written, BuildSettingsText(s, kFirstClock));

        SetFixedClock(kSecondClock);
        openWithDevice(second.path());
        loadProfile(first.filePath(QStringLiteral("SETTING.txt")));
        upload();
        const QByteArray again = ReadAll(second.filePath(QStringLiteral("SETTING.txt")));

        QCOMPARE(m_prompts->texts(), (QStringList{kUploaded, kLoaded, kUploaded}));
        QCOMPARE(WithoutTimeLine(again), WithoutTimeLine(written));
        QCOMPARE(TimeLine(again), "time:" + LoggerTimeText(kSecondClock, s.TimeZoneIndex).toLatin1());
    }

    void fahrenheitProfileConvertsWhatIsShownFirst_data()
    {
        QTest::addColumn<QString>("hiddenThreshold"); // row 5, not in the file
        QTest::addColumn<QString>("converted");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("number") << QStringLiteral("10") << QStringLiteral("50.0") << QStringList{kLoaded};
        // Only pasting puts such a text there; it is named, not silently kept
        // in the wrong unit.
        QTest::newRow("pasted letters") << QStringLiteral("abc") << QStringLiteral("abc")
                                        << QStringList{NotANumberMessage(QStringLiteral("abc")), kLoaded};
    }
    void fahrenheitProfileConvertsWhatIsShownFirst()
    {
        QFETCH(QString, hiddenThreshold);
        QFETCH(QString, converted);
        QFETCH(QStringList, messages);
        TIndicatorSettings f;
        f.TemperatureUnit = 1;
        f.TemperatureAlarms[0] = Rule(0, QStringLiteral("46.4"), 0, QStringLiteral("30"));
        f.TemperatureAlarms[1] = Rule(1, QStringLiteral("35.6"), 1, QStringLiteral("3"));
        const QString profile = m_files->filePath(QStringLiteral("f.txt"));
        QVERIFY(WriteBytes(profile, BuildSettingsText(f, kFirstClock)));
        // Thresholds already in the window, in C.
        control<QLineEdit>("edtAlarmTemperature1")->setText(QStringLiteral("100"));
        control<QLineEdit>("edtAlarmTemperature5")->setText(hiddenThreshold);

        loadProfile(profile);

        QCOMPARE(m_prompts->texts(), messages);
        QCOMPARE(control<TRadioGroup>("rgUnit")->itemIndex(), 1);
        for (int n = 1; n <= 8; ++n)
            QCOMPARE(control<QLabel>(QStringLiteral("lblAlarm%1").arg(n))->text(), QStringLiteral("F"));
        QCOMPARE(control<TUpDown>("udAlarmTemperature1")->minimum(), -148);
        QCOMPARE(control<TUpDown>("udAlarmTemperature1")->maximum(), 212);
        // The file's thresholds as written; the one it leaves out converted.
        QCOMPARE(control<QLineEdit>("edtAlarmTemperature1")->text(), QStringLiteral("46.4"));
        QCOMPARE(control<QLineEdit>("edtAlarmTemperature2")->text(), QStringLiteral("35.6"));
        QCOMPARE(control<QLineEdit>("edtAlarmTemperature5")->text(), converted);
        QCOMPARE(control<QLabel>("lblAlarmTime2")->text(), QStringLiteral("(3 Times)"));
        QCOMPARE(control<QLabel>("lblAlarm1_HU")->text(), QStringLiteral("RH%"));
    }

    void loadOutcomes_data()
    {
        QTest::addColumn<LoadCase>("loadCase");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("empty file") << EmptyFile << QStringList{kLoaded};
        QTest::newRow("missing file") << MissingFile << QStringList{kLoadFailed};
        QTest::newRow("alarm line cut short") << BrokenAlarm << QStringList{kLoadFailed};
        QTest::newRow("dialog cancelled") << Cancelled << QStringList();
    }
    void loadOutcomes()
    {
        QFETCH(LoadCase, loadCase);
        QFETCH(QStringList, messages);
        const QString earlier = QStringLiteral("/earlier/profile.txt");
        QVERIFY(Remember(ConfigKeys::LastProfilePath, earlier));
        reopen();
        // A window in use: alarms on in both sets.
        control<QCheckBox>("chkHumidity")->setChecked(true);
        control<QCheckBox>("chkAlarm1")->setChecked(true);
        control<QCheckBox>("chkAlarm2")->setChecked(true);
        control<QCheckBox>("chkAlarm1_HU")->setChecked(true);
        control<QLineEdit>("edtRecordingDays")->setText(QStringLiteral("5"));

        QString profile = m_files->filePath(QStringLiteral("profile.txt"));
        switch (loadCase) {
        case EmptyFile:
            QVERIFY(WriteBytes(profile, QByteArray()));
            break;
        case MissingFile:
            profile = m_files->filePath(QStringLiteral("typed name.txt"));
            break;
        case BrokenAlarm:
            QVERIFY(WriteBytes(profile,
                               WorkedExampleBytes().replace("Alarm 2:below 02.0(C),", "Alarm 2:below 02.0")));
            break;
        default:
            break;
        }
        if (loadCase == Cancelled)
            m_dialogs->cancelNext();
        else
            m_dialogs->answer(profile);
        QTest::mouseClick(control<QPushButton>("btnSelect"), Qt::LeftButton);

        QCOMPARE(m_prompts->texts(), messages);
        for (const ScriptedPrompts::Message& m : m_prompts->messages())
            QCOMPARE(m.flags, 64);
        const QString shown = loadCase == Cancelled ? earlier : profile;
        QCOMPARE(control<QLineEdit>("edtLoadPath")->text(), shown);
        QCOMPARE(Remembered(ConfigKeys::LastProfilePath), shown);

        switch (loadCase) {
        case EmptyFile:
            // Nothing recognised: the alarm part reset, temperature switched off.
            QVERIFY(!control<QCheckBox>("chkTemperature")->isChecked());
            QVERIFY(!control<TRadioGroup>("rgUnit")->isEnabled());
            QVERIFY(!control<QCheckBox>("chkHumidity")->isChecked());
            QVERIFY(!tabShown("ts1"));
            QVERIFY(!tabShown("ts2"));
            QVERIFY(!control<QCheckBox>("chkAlarm1")->isChecked());
            QVERIFY(!control<QCheckBox>("chkAlarm2")->isVisible());
            QCOMPARE(m_window->editor()->alarms(SettingsField::Temperature).visibleRows(), 1);
            QCOMPARE(control<QLineEdit>("edtRecordingDays")->text(), QStringLiteral("5"));
            break;
        case BrokenAlarm:
            // What was read before the fault stays; nothing is rolled back.
            QCOMPARE(control<QLineEdit>("edtRecordingDays")->text(), QStringLiteral("90"));
            QVERIFY(control<QCheckBox>("chkAlarm1")->isChecked());
            QCOMPARE(control<QLineEdit>("edtAlarmTemperature1")->text(), QStringLiteral("8.0"));
            break;
        case Cancelled:
            QVERIFY(control<QCheckBox>("chkAlarm2")->isChecked());
            QCOMPARE(control<QLineEdit>("edtRecordingDays")->text(), QStringLiteral("5"));
            break;
        default:
            break;
        }
    }

    void firstUseAsksForTheDeviceAndRemembersIt()
    {
        QVERIFY(!QFile::exists(AppFilePath(QStringLiteral("Config.ini"))));
        QVERIFY(devicePath().isEmpty());
        control<QLineEdit>("edtRecordingDays")->setText(QStringLiteral("30"));
        m_dialogs->answer(m_files->path());

        upload();

        QCOMPARE(m_dialogs->requests().size(), 1);
        QCOMPARE(m_dialogs->requests().first().kind, FileDialogs::Request::ChooseFolder);
        QCOMPARE(m_dialogs->requests().first().title, kDeviceTitle);
        QVERIFY(m_dialogs->requests().first().proposedPath.isEmpty());
        QCOMPARE(m_prompts->take(),
                 (QList<ScriptedPrompts::Message>{{kUploaded, QStringLiteral("Prompt"), 64}}));
        const QString target = m_files->filePath(QStringLiteral("SETTING.txt"));
        QCOMPARE(ReadAll(target), BuildSettingsText(settings(), kFirstClock));
        QCOMPARE(devicePath(), m_files->path());
        QCOMPARE(Remembered(ConfigKeys::DevicePath), m_files->path());

        // The next opening shows it and writes at once.
        reopen();
        QCOMPARE(devicePath(), m_files->path());
        control<QLineEdit>("edtRecordingDays")->setText(QStringLiteral("31"));
        upload();
        QCOMPARE(m_dialogs->requests().size(), 1);
        QCOMPARE(m_prompts->texts(), QStringList{kUploaded});
        QCOMPARE(ReadAll(target), BuildSettingsText(settings(), kFirstClock));
        // The window stays as it was, for the next logger.
        QVERIFY(m_window->isVisible());
        QCOMPARE(settings().RecordingDays, QStringLiteral("31"));
    }

    void cancelledFolderBrowserOnUploadWritesNothing()
    {
        m_dialogs->cancelNext();
        upload();
        QCOMPARE(m_dialogs->requests().size(), 1);
        QVERIFY(m_prompts->messages().isEmpty());
        QVERIFY(devicePath().isEmpty());
        // The empty choice is remembered as such, as after any use of the browser.
        QCOMPARE(Remembered(ConfigKeys::DevicePath), QString());
        QCOMPARE(Entries(m_files->path()), QStringList());
    }

    void selectDevice_data()
    {
        QTest::addColumn<QString>("before"); // remembered, shown at opening
        QTest::addColumn<bool>("choose");
        QTest::newRow("chosen") << QStringLiteral("/media/old logger") << true;
        QTest::newRow("cancelled keeps the path") << QStringLiteral("/media/old logger") << false;
        QTest::newRow("cancelled, nothing remembered") << QString() << false;
    }
    void selectDevice()
    {
        QFETCH(QString, before);
        QFETCH(bool, choose);
        if (!before.isEmpty())
            openWithDevice(before);
        if (choose)
            m_dialogs->answer(m_files->path());
        else
            m_dialogs->cancelNext();

        QTest::mouseClick(control<QPushButton>("btnSelectDevice"), Qt::LeftButton);

        QCOMPARE(m_dialogs->requests().first().kind, FileDialogs::Request::ChooseFolder);
        QCOMPARE(m_dialogs->requests().first().title, kDeviceTitle);
        const QString expected = choose ? m_files->path() : before;
        QCOMPARE(devicePath(), expected);
        QCOMPARE(Remembered(ConfigKeys::DevicePath), expected);
        QVERIFY(m_prompts->messages().isEmpty());
        QCOMPARE(Entries(m_files->path()), QStringList());
    }

    void driveRootWithItsSeparator()
    {
        const QString root = m_files->path() + QLatin1Char('/');
        openWithDevice(root);
        QCOMPARE(devicePath(), root);
        upload();
        QCOMPARE(m_prompts->texts(), QStringList{kUploaded});
        QCOMPARE(Entries(m_files->path()), QStringList{QStringLiteral("SETTING.txt")});
        QCOMPARE(ReadAll(m_files->filePath(QStringLiteral("SETTING.txt"))),
                 BuildSettingsText(settings(), kFirstClock));
        QCOMPARE(Remembered(ConfigKeys::DevicePath), root);
    }

    void incompleteConfigurationIsNeverWritten_data()
    {
        QTest::addColumn<Incomplete>("fault");
        QTest::addColumn<bool>("deviceKnown");
        QTest::addColumn<QByteArray>("focused"); // empty: focus stays where it was
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("blank days, device remembered")
            << BlankDays << true << QByteArray("edtRecordingDays") << QStringList{kIncomplete};
        QTest::newRow("blank alarm time, no device yet")
            << BlankAlarmTime << false << QByteArray("edtAlarmTime1") << QStringList{kIncomplete};
        QTest::newRow("no output format")
            << NoOutputFormat << true << QByteArray()
            << QStringList{QStringLiteral("Please choose at least one output format!"), kIncomplete};
    }
    void incompleteConfigurationIsNeverWritten()
    {
        QFETCH(Incomplete, fault);
        QFETCH(bool, deviceKnown);
        QFETCH(QByteArray, focused);
        QFETCH(QStringList, messages);
        const QString ini = AppFilePath(QStringLiteral("Config.ini"));
        if (deviceKnown)
            openWithDevice(m_files->path());
        const QByteArray iniBefore = ReadAll(ini);
        switch (fault) {
        case BlankDays:
            control<QLineEdit>("edtRecordingDays")->clear();
            break;
        case BlankAlarmTime:
            control<QCheckBox>("chkAlarm1")->setChecked(true);
            control<QLineEdit>("edtAlarmTime1")->clear();
            break;
        case NoOutputFormat:
            control<QCheckBox>("chkPDF")->setChecked(false);
            break;
        }
        control<QPushButton>("btnUpload")->setFocus();
        QWidget* before = m_window->focusWidget();

        upload();

        QCOMPARE(m_prompts->texts(), messages);
        QCOMPARE(m_prompts->messages().last().caption, QStringLiteral("Prompt"));
        QCOMPARE(m_prompts->messages().last().flags, 64);
        QCOMPARE(m_window->focusWidget(), focused.isEmpty() ? before : control<QWidget>(focused.constData()));
        QVERIFY(m_dialogs->requests().isEmpty());
        QCOMPARE(Entries(m_files->path()), QStringList());
        QCOMPARE(QFile::exists(ini), deviceKnown);
        QCOMPARE(ReadAll(ini), iniBefore);
    }

    void writeFaults_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::newRow("directory removed") << DirectoryRemoved;
        QTest::newRow("directory replaced by a file") << DirectoryReplacedByFile;
        QTest::newRow("read-only directory") << ReadOnly;
        QTest::newRow("drive full") << DriveFull;
    }
    void writeFaults()
    {
        QFETCH(Fault, fault);
        if (fault == ReadOnly && ::geteuid() == 0)
            QSKIP("root writes into read-only directories");
        const QString device = m_files->filePath(QStringLiteral("logger"));
        const QString target = device + QStringLiteral("/SETTING.txt");
        const QByteArray old("settings of the last trip\r\n");
        QVERIFY(QDir().mkpath(device));
        QVERIFY(WriteBytes(target, old));
        openWithDevice(device);
        control<QCheckBox>("chkAlarm1")->setChecked(true);
        control<QLineEdit>("edtAlarmTemperature1")->setText(QStringLiteral("-18"));
        const TIndicatorSettings before = settings();

        std::unique_ptr<FileSizeLimit> limit;
        switch (fault) {
        case DirectoryRemoved:
            QVERIFY(QDir(device).removeRecursively());
            break;
        case DirectoryReplacedByFile:
            QVERIFY(QDir(device).removeRecursively());
            QVERIFY(WriteBytes(device, "not a directory"));
            break;
        case ReadOnly:
            QVERIFY(QFile::setPermissions(device, QFile::ReadOwner | QFile::ExeOwner));
            break;
        case DriveFull:
            limit = std::make_unique<FileSizeLimit>(64);
            QVERIFY(limit->ok());
            break;
        }

        upload();

        if (limit)
            limit->lift();
        QFile::setPermissions(device, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(m_prompts->take(),
                 (QList<ScriptedPrompts::Message>{{kUploadFailed, QStringLiteral("Prompt"), 64}}));
        if (fault == ReadOnly || fault == DriveFull) {
            QCOMPARE(ReadAll(target), old);
            QCOMPARE(Entries(device), QStringList{QStringLiteral("SETTING.txt")});
        }
        // The window keeps everything for another try.
        QVERIFY(m_window->isVisible());
        QCOMPARE(settings(), before);
        QCOMPARE(devicePath(), device);
        QCOMPARE(Remembered(ConfigKeys::DevicePath), device);
        QVERIFY(m_dialogs->requests().isEmpty());

        // The logger back in place, the same click succeeds.
        if (QFileInfo(device).isFile())
            QVERIFY(QFile::remove(device));
        QVERIFY(QDir().mkpath(device));
        upload();
        QCOMPARE(m_prompts->texts(), QStringList{kUploaded});
        QCOMPARE(ReadAll(target), BuildSettingsText(before, kFirstClock));
    }

    void menuEntryOpensTheWindow()
    {
        TFrmMain main;
        QString opened;
        QString device;
        QVERIFY(Remember(ConfigKeys::DevicePath, m_files->path()));
        // The modal run ends from inside: close whatever window it opened.
        QTimer::singleShot(0, this, [&opened, &device] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                if (qobject_cast<TUploadToDeviceFrm*>(modal)) {
                    opened = modal->windowTitle();
                    device = Control<QLineEdit>(modal, "edtDevicePath")->text();
                }
                modal->close();
            }
        });
        Control<QAction>(&main, "UploadToDevice1")->trigger();
        QCOMPARE(opened, QStringLiteral("Upload To Device"));
        QCOMPARE(device, m_files->path());
        QVERIFY(main.findChildren<TUploadToDeviceFrm*>().isEmpty()); // freed after closing
    }

    void closeButtonClosesTheWindow()
    {
        QTest::mouseClick(control<QPushButton>("btn1"), Qt::LeftButton);
        QVERIFY(!m_window->isVisible());
        QVERIFY(m_prompts->messages().isEmpty());
    }

    void layoutKeepsTheBottomPanelUnderTheTabs()
    {
        QVERIFY(Remember(ConfigKeys::LastProfilePath, QStringLiteral("/media/stick/setting09122025.txt")));
        openWithDevice(QStringLiteral("/media/logger/"));
        control<QCheckBox>("chkHumidity")->setChecked(true);
        auto* area = control<QScrollArea>("scrlbxAlarm");
        QCOMPARE(area->height(), TUploadToDeviceFrm::kAlarmAreaHeight);
        // Four rows fit into the lower scroll area, five need the scroll bar.
        for (int n = 1; n <= 3; ++n)
            control<QCheckBox>(QStringLiteral("chkAlarm%1").arg(n))->setChecked(true);
        QVERIFY(!area->verticalScrollBar()->isVisible());
        control<QCheckBox>("chkAlarm4")->setChecked(true);
        QVERIFY(area->verticalScrollBar()->isVisible());

        const QString shots = qEnvironmentVariable("PARAM_SCREENSHOT_DIR");
        if (!shots.isEmpty())
            m_window->grab().save(shots + QStringLiteral("/uploadtodevice.png"));

        auto* pnl2 = control<QWidget>("pnl2");
        const auto rectOf = [this](QWidget* w) { return QRect(w->mapTo(m_window, QPoint(0, 0)), w->size()); };
        QCOMPARE(pnl2->height(), TUploadToDeviceFrm::kBottomPanelHeight);
        QVERIFY(rectOf(pnl2).top() >= rectOf(pages()).bottom());
        QVERIFY(rectOf(pnl2).left() >= rectOf(control<QWidget>("pnl1")).right());
        QVERIFY(m_window->rect().contains(rectOf(pnl2)));
        QCOMPARE(rectOf(control<QWidget>("pnl1")).width(), 615);

        QList<QWidget*> fixed;
        for (QWidget* w : VisibleControls(m_window)) {
            if (!pages()->isAncestorOf(w))
                fixed << w;
        }
        QCOMPARE(Overlaps(m_window, fixed), QStringList());
        for (QWidget* w : fixed) {
            QVERIFY2(m_window->rect().contains(rectOf(w)), qPrintable(w->objectName()));
            if (!qobject_cast<QLineEdit*>(w) && !qobject_cast<TUpDown*>(w) && !qobject_cast<QComboBox*>(w))
                QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(w->objectName()));
        }
        // The path fields take the width the panel leaves them.
        QVERIFY(control<QLineEdit>("edtDevicePath")->width() > 300);
    }
};

QTEST_MAIN(TestUploadToDeviceFrm)
#include "test_uploadtodevicefrm.moc"
