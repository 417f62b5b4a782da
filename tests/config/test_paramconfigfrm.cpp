#include "GuiTestHelpers.h"
#include "LayoutChecks.h"
#include "ScriptedDialogs.h"
#include "ScriptedPrompts.h"
#include "TestAppDir.h"
#include "TestFiles.h"
#include "app/AppDir.h"
#include "app/Clock.h"
#include "app/MainWindow.h"
#include "config/AlarmRows.h"
#include "config/ConfigEditor.h"
#include "config/EditorControls.h"
#include "config/ParamConfigFrm.h"
#include "config/SettingsText.h"
#include "config/Workbook.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

const QString kIncomplete =
    QStringLiteral("The parameter is incomplete. Please fill it out and save it again.");

} // namespace

class TestParamConfigFrm : public QObject
{
    Q_OBJECT

public:
    enum SaveCase {
        Saved,
        ReplaceAccepted,
        CancelText,
        UnwritableText,
        CancelWorkbook,
        MissingTemplate,
        DeclinedReplace
    };
    Q_ENUM(SaveCase)
    enum Fault { BlankDays, NoOutputFormat, BlankAlarmTime, OtherTabInFront, HiddenTab, NotANumber };
    Q_ENUM(Fault)

private:
    template <typename T> T* control(const char* name) { return Control<T>(m_window, name); }
    QTabWidget* pages() { return control<QTabWidget>("pgc1"); }
    int tabOf(const char* page) { return pages()->indexOf(control<QWidget>(page)); }

    ScriptedPrompts* m_prompts = nullptr;
    ScriptedDialogs* m_dialogs = nullptr;
    TestAppDir* m_appDir = nullptr;
    TParamConfigFrm* m_window = nullptr;

private slots:
    void init()
    {
        m_prompts = new ScriptedPrompts;
        m_dialogs = new ScriptedDialogs;
        m_appDir = new TestAppDir;
        SetFixedClock(QDateTime(QDate(2025, 12, 9), QTime(10, 30, 0), Qt::LocalTime));
        m_window = new TParamConfigFrm;
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }
    void cleanup()
    {
        delete m_window;
        SetFixedClock(QDateTime());
        delete m_appDir;
        QVERIFY2(m_dialogs->problems().isEmpty(), qPrintable(m_dialogs->problems()));
        QVERIFY2(m_prompts->problems().isEmpty(), qPrintable(m_prompts->problems()));
        delete m_dialogs;
        delete m_prompts;
    }

    void opensWithTheDefaults()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Parameter configuration"));
        QCOMPARE(m_window->size(), QSize(1296, 654));
        // Every control holds the record's default, the placeholders included.
        QCOMPARE(m_window->editor()->settings(), TIndicatorSettings());

        auto* zones = control<QComboBox>("cbbTimeZone");
        QCOMPARE(zones->count(), 49);
        QCOMPARE(zones->currentText(), QStringLiteral("(UTC+00:00)"));
        QCOMPARE(zones->itemText(0), QStringLiteral("(UTC -12:00)"));
        QCOMPARE(zones->itemText(48), QStringLiteral("(UTC+12:00)"));
        QCOMPARE(control<TRadioGroup>("rgStopMode")->itemText(1), QStringLiteral("Automatic"));
        QCOMPARE(control<TRadioGroup>("rgLanguage")->itemText(1), QStringLiteral("English"));
        QCOMPARE(control<TRadioGroup>("rgProbeType")->count(), 1);
        QCOMPARE(control<TRadioGroup>("rgTimesOfUse")->itemText(1), QStringLiteral("Many"));

        QCOMPARE(pages()->currentIndex(), tabOf("ts1"));
        QCOMPARE(pages()->tabText(tabOf("ts1")), QStringLiteral("Alarms for temperature"));
        QCOMPARE(pages()->tabText(tabOf("ts2")), QStringLiteral("Alarms for humidity"));
        QVERIFY(pages()->isTabVisible(tabOf("ts1")));
        QVERIFY(!pages()->isTabVisible(tabOf("ts2")));
        QVERIFY(control<QGroupBox>("grbPDFFormat")->isVisible());
        QVERIFY(!control<TRadioGroup>("rgTimeFormat")->isEnabled());
        QVERIFY(control<TRadioGroup>("rgUnit")->isEnabled());
        QVERIFY(control<QLineEdit>("edtDelayedStart")->isEnabled());
        QVERIFY(control<QCheckBox>("chkAlarm1")->isVisible());
        QVERIFY(!control<QLineEdit>("edtAlarmTemperature1")->isEnabled());
        QVERIFY(!control<QCheckBox>("chkAlarm2")->isVisible());
        QCOMPARE(control<QLabel>("lblAlarmTime1")->text(), QStringLiteral("(0 Hours)"));
        QCOMPARE(control<QPushButton>("btnSave")->text(), QStringLiteral("Save As Profile"));
        QCOMPARE(control<QPushButton>("btn1")->text(), QStringLiteral("Close"));

        QStringList labels;
        for (QLabel* label : m_window->findChildren<QLabel*>())
            labels << label->text();
        for (const char* text : {"Monitor a maximum of", "days (1-400 day)", "Take a reading every",
                                 "minutes (1-99 min)", "minutes (0-999 min)", "Time zone", "Stop mode",
                                 "Language", "Record Type", "Probe type", "Times of use", "Output format"})
            QVERIFY2(labels.contains(QLatin1String(text)), text);
        QVERIFY(m_prompts->messages().isEmpty());
    }

    void keyFilters_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("selectAll");
        QTest::addColumn<QString>("typed"); // "\b" is backspace
        QTest::addColumn<QString>("after");
        const QString none;
        const auto row = [](const char* name, const char* field, const QString& before, bool selectAll,
                            const QString& typed, const QString& after) {
            QTest::newRow(name) << QByteArray(field) << before << selectAll << typed << after;
        };
        const char* days = "edtRecordingDays";
        row("days: no leading zero", days, none, false, "0", none);
        row("days: first digit", days, none, false, "4", "4");
        row("days: 40 takes 0", days, "40", false, "0", "400");
        row("days: 40 refuses 1", days, "40", false, "1", "40");
        row("days: nothing after 41", days, "41", false, "0", "41");
        row("days: 4 takes 1", days, "4", false, "1", "41");
        row("days: 400 selected refuses 5", days, "400", true, "5", "400");
        row("days: 400 selected, backspace", days, "400", true, "\b", none);
        row("days: zero over whole selection", days, "12", true, "0", "12");
        row("days: letter", days, "1", false, "a", "1");
        const char* interval = "edtRecordingInterval";
        row("interval: no leading zero", interval, none, false, "0", none);
        row("interval: zero after blanks", interval, " ", false, "0", " ");
        row("interval: zero over whole selection", interval, "5", true, "0", "5");
        row("interval: 10", interval, none, false, "10", "10");
        row("interval: two characters", interval, "10", false, "5", "10");
        row("interval: letter", interval, "1", false, "x", "1");
        const char* delay = "edtDelayedStart";
        row("delay: zero first", delay, none, false, "0", "0");
        row("delay: letter", delay, none, false, "x", none);
        row("delay: three characters", delay, "999", false, "9", "999");
        const char* time = "edtAlarmTime1";
        row("time: digits of any length", time, "100000", false, "1", "1000001");
        row("time: minus", time, "5", false, "-", "5");
        row("time: point", time, "5", false, ".", "5");
        row("humidity time: letter", "edtAlarmTime1_HU", "5", false, "k", "5");
        const char* threshold = "edtAlarmTemperature1";
        row("threshold: -12.5", threshold, none, false, "-12.5", "-12.5");
        row("threshold: second point", threshold, "-12.5", false, ".", "-12.5");
        row("threshold: minus anywhere", threshold, "5", false, "-", "5-");
        row("threshold: letter", threshold, "1", false, "e", "1");
        const char* humidity = "edtAlarmTemperature1_HU";
        row("humidity: no minus", humidity, none, false, "-", none);
        row("humidity: 99.95", humidity, none, false, "99.95", "99.95");
        row("humidity: no third digit", humidity, "99", false, "9", "99");
        row("humidity: 100 cannot be typed", humidity, "10", false, "0", "10");
        row("humidity: point after two digits", humidity, "10", false, ".5", "10.5");
        row("humidity: second point", humidity, "9.5", false, ".", "9.5");
    }
    void keyFilters()
    {
        QFETCH(QByteArray, field);
        QFETCH(QString, before);
        QFETCH(bool, selectAll);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        control<QCheckBox>("chkHumidity")->setChecked(true);
        control<QCheckBox>("chkAlarm1")->setChecked(true);
        control<QCheckBox>("chkAlarm1_HU")->setChecked(true);
        auto* edit = control<QLineEdit>(field.constData());
        edit->setText(before);
        if (selectAll)
            edit->selectAll();
        if (typed == QLatin1String("\b"))
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), after);
    }

    void pastedTextIsNotFiltered()
    {
        control<QCheckBox>("chkAlarm1")->setChecked(true);
        QGuiApplication::clipboard()->setText(QStringLiteral("-7"));
        auto* time = control<QLineEdit>("edtAlarmTime1");
        time->clear();
        QTest::keyClick(time, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(time->text(), QStringLiteral("-7"));
        QCOMPARE(control<QLabel>("lblAlarmTime1")->text(), QStringLiteral("(-7 Minutes)"));
    }

    void textLimitsBindOnlyWhatIsTyped_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<int>("limit");
        QTest::newRow("logo") << QByteArray("edtLogo") << 30;
        QTest::newRow("device") << QByteArray("edtDevice") << 30;
        QTest::newRow("url") << QByteArray("edtUrl") << 30;
        QTest::newRow("usb name") << QByteArray("edtUsbName") << 12;
        QTest::newRow("device id") << QByteArray("edtDeviceID") << 10;
        QTest::newRow("trip description") << QByteArray("edtTripDescription") << 100;
    }
    void textLimitsBindOnlyWhatIsTyped()
    {
        QFETCH(QByteArray, field);
        QFETCH(int, limit);
        auto* edit = control<QLineEdit>(field.constData());
        edit->selectAll();
        QTest::keyClicks(edit, QString(limit + 5, QLatin1Char('x')));
        QCOMPARE(edit->text(), QString(limit, QLatin1Char('x')));
    }

    void usbNamePlaceholderStaysWhole()
    {
        auto* edit = control<QLineEdit>("edtUsbName");
        QCOMPARE(edit->text(), QStringLiteral("Please write your USB Name"));
        edit->end(false);
        QTest::keyClick(edit, 'x');
        QCOMPARE(edit->text(), QStringLiteral("Please write your USB Name"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QStringLiteral("Please write your USB Nam"));
    }

    void boundSpinners_data()
    {
        QTest::addColumn<QByteArray>("spinner");
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("after");
        QTest::newRow("days up") << QByteArray("udRecordingDays") << QByteArray("edtRecordingDays")
                                 << QStringLiteral("1") << true << QStringLiteral("2");
        QTest::newRow("days at 400") << QByteArray("udRecordingDays") << QByteArray("edtRecordingDays")
                                     << QStringLiteral("400") << true << QStringLiteral("400");
        QTest::newRow("days at 1") << QByteArray("udRecordingDays") << QByteArray("edtRecordingDays")
                                   << QStringLiteral("1") << false << QStringLiteral("1");
        QTest::newRow("interval at 99")
            << QByteArray("udRecordingInterval") << QByteArray("edtRecordingInterval") << QStringLiteral("99")
            << true << QStringLiteral("99");
        QTest::newRow("delay to 0") << QByteArray("udDelayedStart") << QByteArray("edtDelayedStart")
                                    << QStringLiteral("1") << false << QStringLiteral("0");
        QTest::newRow("delay at 999") << QByteArray("udDelayedStart") << QByteArray("edtDelayedStart")
                                      << QStringLiteral("998") << true << QStringLiteral("999");
    }
    void boundSpinners()
    {
        QFETCH(QByteArray, spinner);
        QFETCH(QByteArray, field);
        QFETCH(QString, start);
        QFETCH(bool, up);
        QFETCH(QString, after);
        auto* updown = control<TUpDown>(spinner.constData());
        control<QLineEdit>(field.constData())->setText(start);
        QTest::mouseClick(up ? updown->upButton() : updown->downButton(), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(field.constData())->text(), after);
    }

    void switchesGovernTheirControls()
    {
        auto* temperature = control<QCheckBox>("chkTemperature");
        auto* humidity = control<QCheckBox>("chkHumidity");
        temperature->setChecked(false);
        QVERIFY(!pages()->isTabVisible(tabOf("ts1")));
        QVERIFY(!control<TRadioGroup>("rgUnit")->isEnabled());
        QVERIFY(!control<QWidget>("scrlbxAlarm")->isVisible());
        humidity->setChecked(true);
        QVERIFY(pages()->isTabVisible(tabOf("ts2")));
        QCOMPARE(pages()->currentIndex(), tabOf("ts2"));
        humidity->setChecked(false);
        QVERIFY(!pages()->isTabVisible(tabOf("ts1")));
        QVERIFY(!pages()->isTabVisible(tabOf("ts2")));
        QVERIFY(!control<QWidget>("scrlbxAlarm_HU")->isVisible());
        temperature->setChecked(true);
        QVERIFY(pages()->isTabVisible(tabOf("ts1")));
        QVERIFY(control<TRadioGroup>("rgUnit")->isEnabled());

        control<QCheckBox>("chkPDF")->setChecked(false);
        QVERIFY(!control<QGroupBox>("grbPDFFormat")->isVisible());
        control<QCheckBox>("chkPDF")->setChecked(true);
        QVERIFY(control<QGroupBox>("grbPDFFormat")->isVisible());

        control<QCheckBox>("chkTimeFormat")->setChecked(true);
        QVERIFY(control<TRadioGroup>("rgTimeFormat")->isEnabled());
        control<QCheckBox>("chkDelay")->setChecked(false);
        QVERIFY(!control<QLineEdit>("edtDelayedStart")->isEnabled());
        QVERIFY(!control<TUpDown>("udDelayedStart")->isEnabled());
        // The switches change states, never values.
        TIndicatorSettings expected;
        expected.PdfShowTimeFormat = true;
        expected.DelayEnabled = false;
        QCOMPARE(m_window->editor()->settings(), expected);
    }

    void timeZoneChangesNothingElse()
    {
        control<QCheckBox>("chkAlarm1")->setChecked(true);
        control<QLineEdit>("edtAlarmTime1")->setText(QStringLiteral("90"));
        TIndicatorSettings expected = m_window->editor()->settings();
        QTest::keyClick(control<QComboBox>("cbbTimeZone"), Qt::Key_Down);
        expected.TimeZoneIndex = 25;
        QCOMPARE(m_window->editor()->settings(), expected);
        QCOMPARE(control<QLabel>("lblAlarmTime1")->text(), QStringLiteral("(90 Minutes)"));
    }

    void loadPutsARecordIntoTheControls()
    {
        TIndicatorSettings s;
        s.RecordingDays = QStringLiteral("90");
        s.TemperatureUnit = 1;
        s.OutputCsv = true;
        s.PdfShowUrl = true;
        s.PdfUrl = QStringLiteral("www.example.org");
        s.TimeZoneIndex = 40;
        s.CollectHumidity = true;
        s.TemperatureAlarms[0] = {true, TAlarmRule::Below, QStringLiteral("-4.5"), TAlarmRule::Instantly,
                                  QStringLiteral("3")};
        s.TemperatureAlarms[1] = {true, TAlarmRule::Above, QStringLiteral("46.0"), TAlarmRule::Accumulative,
                                  QStringLiteral("120")};
        s.HumidityAlarms[0] = {true, TAlarmRule::Above, QStringLiteral("80"), TAlarmRule::Accumulative,
                               QStringLiteral("0")};
        m_window->editor()->load(s);
        QCOMPARE(m_window->editor()->settings(), s);
        QCOMPARE(control<QLabel>("lblAlarm1")->text(), QStringLiteral("F"));
        QCOMPARE(control<QLabel>("lblAlarmTime1")->text(), QStringLiteral("(3 Times)"));
        QCOMPARE(control<QLabel>("lblAlarmTime2")->text(), QStringLiteral("(2 Hours)"));
        QVERIFY(control<QCheckBox>("chkAlarm3")->isVisible());
        QVERIFY(pages()->isTabVisible(tabOf("ts2")));
    }

    void failedCheckFocusesTheFieldAndExplains_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QByteArray>("focused"); // empty: focus stays
        QTest::newRow("blank days") << BlankDays << QByteArray("edtRecordingDays");
        QTest::newRow("no output format") << NoOutputFormat << QByteArray();
        QTest::newRow("blank alarm time") << BlankAlarmTime << QByteArray("edtAlarmTime1");
        QTest::newRow("humidity tab in front") << OtherTabInFront << QByteArray("edtAlarmTemperature1");
        QTest::newRow("temperature tab hidden") << HiddenTab << QByteArray();
        QTest::newRow("pasted letters") << NotANumber << QByteArray("edtRecordingInterval");
    }
    void failedCheckFocusesTheFieldAndExplains()
    {
        QFETCH(Fault, fault);
        QFETCH(QByteArray, focused);
        QStringList expected = {kIncomplete};
        switch (fault) {
        case BlankDays:
            control<QLineEdit>("edtRecordingDays")->setText(QStringLiteral("  "));
            break;
        case NoOutputFormat:
            control<QCheckBox>("chkPDF")->setChecked(false);
            expected.prepend(QStringLiteral("Please choose at least one output format!"));
            break;
        case BlankAlarmTime:
            control<QCheckBox>("chkAlarm1")->setChecked(true);
            control<QLineEdit>("edtAlarmTime1")->clear();
            break;
        case OtherTabInFront:
            control<QCheckBox>("chkAlarm1")->setChecked(true);
            control<QLineEdit>("edtAlarmTemperature1")->clear();
            control<QCheckBox>("chkHumidity")->setChecked(true);
            pages()->setCurrentIndex(tabOf("ts2"));
            break;
        case HiddenTab:
            control<QCheckBox>("chkAlarm1")->setChecked(true);
            control<QLineEdit>("edtAlarmTemperature1")->clear();
            control<QCheckBox>("chkTemperature")->setChecked(false);
            break;
        case NotANumber:
            control<QLineEdit>("edtRecordingInterval")->setText(QStringLiteral("ab"));
            expected = {ValidateSettings(m_window->editor()->settings(), true).message};
            QVERIFY(!expected.first().isEmpty());
            break;
        }
        control<QPushButton>("btnSave")->setFocus();
        QWidget* before = m_window->focusWidget();

        QTest::mouseClick(control<QPushButton>("btnSave"), Qt::LeftButton);

        QCOMPARE(m_prompts->texts(), expected);
        QCOMPARE(m_prompts->messages().last().caption, QStringLiteral("Prompt"));
        QCOMPARE(m_prompts->messages().last().flags, 64);
        QCOMPARE(m_window->focusWidget(), focused.isEmpty() ? before : control<QWidget>(focused.constData()));
        if (fault == OtherTabInFront)
            QCOMPARE(pages()->currentIndex(), tabOf("ts1"));
        QVERIFY(m_dialogs->requests().isEmpty());
    }

    void saveAsProfile_data()
    {
        QTest::addColumn<SaveCase>("saveCase");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("textWritten");
        QTest::addColumn<int>("dialogs");
        const QString saved = QStringLiteral("Save successed!");
        const QString replace = QStringLiteral("A file named '%1'already exists in this location. "
                                               "Do you want to replace it?");
        QTest::newRow("saved") << Saved << QStringList{saved} << true << 2;
        QTest::newRow("replace accepted") << ReplaceAccepted << QStringList{replace, saved} << true << 2;
        QTest::newRow("text dialog cancelled") << CancelText << QStringList() << false << 1;
        QTest::newRow("text not writable")
            << UnwritableText << QStringList{QStringLiteral("Save failed!")} << false << 1;
        QTest::newRow("workbook dialog cancelled") << CancelWorkbook << QStringList() << true << 2;
        QTest::newRow("template missing")
            << MissingTemplate
            << QStringList{QStringLiteral(
                   "Unable to connect to Microsoft Excel. Please see if EXCEL is installed.")}
            << true << 2;
        QTest::newRow("replace declined") << DeclinedReplace << QStringList{replace} << true << 2;
    }
    void saveAsProfile()
    {
        QFETCH(SaveCase, saveCase);
        QFETCH(QStringList, messages);
        QFETCH(bool, textWritten);
        QFETCH(int, dialogs);
        if (saveCase != MissingTemplate)
            QVERIFY(m_appDir->copyFromBuild(QString::fromLatin1(kWorkbookTemplateName)));
        QTemporaryDir out;
        const QString textPath = out.filePath(QStringLiteral("profile.txt"));
        const QString bookPath = out.filePath(QStringLiteral("profile.xlsx"));
        const QByteArray oldBook("an older workbook");
        if (saveCase == ReplaceAccepted || saveCase == DeclinedReplace) {
            QFile old(bookPath);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(oldBook);
        }
        for (QString& m : messages) {
            if (m.contains(QLatin1String("%1")))
                m = m.arg(bookPath);
        }
        if (saveCase == ReplaceAccepted)
            m_prompts->answer(IdYes);
        if (saveCase == DeclinedReplace)
            m_prompts->answer(IdNo);
        switch (saveCase) {
        case CancelText:
            m_dialogs->cancelNext();
            break;
        case UnwritableText:
            m_dialogs->answer(out.filePath(QStringLiteral("no such folder/profile.txt")));
            break;
        case CancelWorkbook:
            m_dialogs->answer(textPath);
            m_dialogs->cancelNext();
            break;
        default:
            m_dialogs->answer(textPath);
            m_dialogs->answer(bookPath);
        }
        // Something beyond the defaults, so that the file shows the controls were read.
        control<QCheckBox>("chkAlarm1")->setChecked(true);
        control<QLineEdit>("edtAlarmTemperature1")->setText(QStringLiteral("8"));
        control<QLineEdit>("edtAlarmTime1")->setText(QStringLiteral("1,000"));
        const TIndicatorSettings settings = m_window->editor()->settings();

        QTest::mouseClick(control<QPushButton>("btnSave"), Qt::LeftButton);

        QCOMPARE(m_prompts->texts(), messages);
        for (const ScriptedPrompts::Message& m : m_prompts->messages()) {
            QCOMPARE(m.caption, QStringLiteral("Prompt"));
            if (m.text == QLatin1String("Save successed!"))
                QCOMPARE(m.flags, 64);
        }
        QCOMPARE(m_dialogs->requests().size(), dialogs);
        const FileDialogs::Request& first = m_dialogs->requests().first();
        QCOMPARE(first.kind, FileDialogs::Request::SaveFile);
        QCOMPARE(first.proposedPath, AppFilePath(QStringLiteral("setting09122025.txt")));
        QCOMPARE(first.defaultSuffix, QStringLiteral("txt"));
        QVERIFY(first.filter.isEmpty());
        if (dialogs == 2) {
            const FileDialogs::Request& second = m_dialogs->requests().at(1);
            QCOMPARE(second.kind, FileDialogs::Request::SaveFile);
            QCOMPARE(second.proposedPath,
                     AppFilePath(QStringLiteral("Thermal indicator settings, USER-09122025.xlsx")));
            QCOMPARE(second.defaultSuffix, QStringLiteral("xlsx"));
        }

        QCOMPARE(QFile::exists(textPath), textWritten);
        if (textWritten)
            QCOMPARE(ReadAll(textPath), BuildSettingsText(settings, NowUtc()));
        switch (saveCase) {
        case Saved:
        case ReplaceAccepted: {
            const QByteArray book = ReadAll(bookPath);
            QVERIFY(book.startsWith("PK")); // a zip archive, as every workbook is
            break;
        }
        case DeclinedReplace:
            QCOMPARE(ReadAll(bookPath), oldBook);
            break;
        default:
            QVERIFY(!QFile::exists(bookPath));
        }
        QVERIFY(m_window->isVisible());
    }

    void menuEntryOpensTheWindow()
    {
        TFrmMain main;
        QString opened;
        // The modal run ends from inside: close whatever window it opened.
        QTimer::singleShot(0, this, [&opened] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                if (qobject_cast<TParamConfigFrm*>(modal))
                    opened = modal->windowTitle();
                modal->close();
            }
        });
        Control<QAction>(&main, "Parameterconfiguration1")->trigger();
        QCOMPARE(opened, QStringLiteral("Parameter configuration"));
        QVERIFY(main.findChildren<TParamConfigFrm*>().isEmpty()); // freed after closing
    }

    void closeButtonClosesTheWindow()
    {
        QTest::mouseClick(control<QPushButton>("btn1"), Qt::LeftButton);
        QVERIFY(!m_window->isVisible());
        QVERIFY(m_prompts->messages().isEmpty());
    }

    void layoutShowsEveryTextWhole()
    {
        // Both alarm tabs in use, the second one in front, with a scroll bar.
        control<QCheckBox>("chkHumidity")->setChecked(true);
        for (int n = 1; n <= 8; ++n)
            control<QCheckBox>(QByteArray("chkAlarm" + QByteArray::number(n)).constData())->setChecked(true);
        const QString shots = qEnvironmentVariable("PARAM_SCREENSHOT_DIR");
        if (!shots.isEmpty())
            m_window->grab().save(shots + QStringLiteral("/paramconfig.png"));

        // Outside the scroll areas nothing overlaps, and every caption fits.
        QList<QWidget*> fixed;
        for (QWidget* w : VisibleControls(m_window)) {
            if (!control<QWidget>("pgc1")->isAncestorOf(w))
                fixed << w;
        }
        QCOMPARE(Overlaps(m_window, fixed), QStringList());
        for (QWidget* w : fixed) {
            if (qobject_cast<QLineEdit*>(w) || qobject_cast<TUpDown*>(w) || qobject_cast<QComboBox*>(w))
                continue;
            QVERIFY2(w->width() >= w->sizeHint().width(),
                     qPrintable(w->objectName() + QLatin1Char(' ') + w->property("text").toString()));
            const QRect inWindow(w->mapTo(m_window, QPoint(0, 0)), w->size());
            QVERIFY2(m_window->rect().contains(inWindow), qPrintable(w->objectName()));
        }

        // Within a set, rows do not overlap and fit beside the scroll bar.
        for (const char* area : {"scrlbxAlarm", "scrlbxAlarm_HU"}) {
            auto* scroll = control<QScrollArea>(area);
            pages()->setCurrentWidget(scroll->parentWidget());
            // The scroll area keeps its whole designed height on the tab.
            QCOMPARE(scroll->height(), TParamConfigFrm::kAlarmAreaHeight);
            QVERIFY(scroll->parentWidget()->rect().contains(scroll->geometry()));
            const QList<QWidget*> rows = VisibleControls(scroll->widget());
            QCOMPARE(Overlaps(scroll->widget(), rows), QStringList());
            for (QWidget* w : rows) {
                const QRect onPanel(w->mapTo(scroll->widget(), QPoint(0, 0)), w->size());
                QVERIFY2(onPanel.right() < scroll->viewport()->width(), qPrintable(w->objectName()));
                if (!qobject_cast<QLineEdit*>(w) && !qobject_cast<TUpDown*>(w) &&
                    !qobject_cast<QComboBox*>(w))
                    QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(w->objectName()));
            }
        }
        if (!shots.isEmpty())
            m_window->grab().save(shots + QStringLiteral("/paramconfig_humidity.png"));
    }
};

QTEST_MAIN(TestParamConfigFrm)
#include "test_paramconfigfrm.moc"
