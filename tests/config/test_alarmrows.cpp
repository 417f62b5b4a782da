#include "GuiTestHelpers.h"
#include "ScriptedPrompts.h"
#include "config/AlarmRows.h"
#include "config/ConfigEditor.h"
#include "config/EditorControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

Q_DECLARE_METATYPE(SettingsField::Set)

namespace {

QByteArray RowName(const char* base, int n, SettingsField::Set set)
{
    return QByteArray(base) + QByteArray::number(n) + (set == SettingsField::Humidity ? "_HU" : "");
}

} // namespace

// The alarm rows of both sets, driven through their controls as an operator
// (or the profile reader) drives them.
class TestAlarmRows : public QObject
{
    Q_OBJECT

private:
    void open(int areaHeight)
    {
        delete m_editor;
        m_editor = new TConfigEditor(areaHeight);
        m_editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_editor));
        m_editor->FormShow();
        // The humidity rows are driven too; their tab must be there.
        Control<QCheckBox>(m_editor, "chkHumidity")->setChecked(true);
    }

    template <typename T> T* row(const char* base, int n, SettingsField::Set set = SettingsField::Temperature)
    {
        return Control<T>(m_editor, RowName(base, n, set).constData());
    }
    QCheckBox* check(int n, SettingsField::Set set = SettingsField::Temperature)
    {
        return row<QCheckBox>("chkAlarm", n, set);
    }
    QLineEdit* time(int n, SettingsField::Set set = SettingsField::Temperature)
    {
        return row<QLineEdit>("edtAlarmTime", n, set);
    }
    QLineEdit* threshold(int n, SettingsField::Set set = SettingsField::Temperature)
    {
        return row<QLineEdit>("edtAlarmTemperature", n, set);
    }
    QLabel* caption(int n, SettingsField::Set set = SettingsField::Temperature)
    {
        return row<QLabel>("lblAlarmTime", n, set);
    }
    QWidget* panel(SettingsField::Set set)
    {
        return Control<QWidget>(m_editor, set == SettingsField::Humidity ? "pnlAlarm_HU" : "pnlAlarm");
    }
    QScrollArea* area(SettingsField::Set set)
    {
        return Control<QScrollArea>(m_editor,
                                    set == SettingsField::Humidity ? "scrlbxAlarm_HU" : "scrlbxAlarm");
    }
    // Shown: the switch and every value control stand on the panel.
    bool shown(int n, SettingsField::Set set)
    {
        const TAlarmRow& r = m_editor->alarms(set).row(n);
        for (QWidget* control : r.shownControls()) {
            if (!control->isVisibleTo(panel(set)))
                return false;
        }
        return true;
    }
    bool hidden(int n, SettingsField::Set set)
    {
        for (QWidget* control : m_editor->alarms(set).row(n).shownControls()) {
            if (control->isVisibleTo(panel(set)))
                return false;
        }
        return true;
    }
    bool valuesEnabled(int n, SettingsField::Set set)
    {
        const QList<QWidget*> values = m_editor->alarms(set).row(n).valueControls();
        return std::all_of(values.begin(), values.end(), [](QWidget* w) { return w->isEnabled(); });
    }
    bool valuesDisabled(int n, SettingsField::Set set)
    {
        const QList<QWidget*> values = m_editor->alarms(set).row(n).valueControls();
        return std::none_of(values.begin(), values.end(), [](QWidget* w) { return w->isEnabled(); });
    }
    void click(TUpDown* spinner, bool up)
    {
        QTest::mouseClick(up ? spinner->upButton() : spinner->downButton(), Qt::LeftButton);
    }
    void switchOn(int rows, SettingsField::Set set = SettingsField::Temperature)
    {
        for (int n = 1; n <= rows; ++n)
            check(n, set)->setChecked(true);
    }

    TConfigEditor* m_editor = nullptr;
    ScriptedPrompts* m_prompts = nullptr;

private slots:
    void init()
    {
        m_prompts = new ScriptedPrompts;
        open(547);
    }
    void cleanup()
    {
        delete m_editor;
        m_editor = nullptr;
        QVERIFY2(m_prompts->problems().isEmpty(), qPrintable(m_prompts->problems()));
        delete m_prompts;
    }

    void opensWithRowOneOfEachSet_data()
    {
        QTest::addColumn<SettingsField::Set>("set");
        QTest::newRow("temperature") << SettingsField::Temperature;
        QTest::newRow("humidity") << SettingsField::Humidity;
    }
    void opensWithRowOneOfEachSet()
    {
        QFETCH(SettingsField::Set, set);
        const bool humidity = set == SettingsField::Humidity;
        for (int n = 1; n <= 8; ++n) {
            QCOMPARE(check(n, set)->text(),
                     QStringLiteral("Enable Alarm %1 for %2")
                         .arg(n)
                         .arg(humidity ? QStringLiteral("humidity") : QStringLiteral("temperature")));
            QVERIFY(!check(n, set)->isChecked());
            auto* direction = row<TRadioGroup>("rgAlarm", n, set);
            QCOMPARE(direction->itemIndex(), 0);
            QCOMPARE(
                Control<QRadioButton>(direction, (RowName("rgAlarm", n, set) + "_0").constData())->text(),
                QStringLiteral("Above"));
            QCOMPARE(direction->itemText(1), QStringLiteral("Below"));
            QCOMPARE(threshold(n, set)->text(), QStringLiteral("0"));
            QCOMPARE(row<QLabel>("lblAlarm", n, set)->text(),
                     humidity ? QStringLiteral("RH%") : QStringLiteral("C"));
            QCOMPARE(row<QLabel>("lblAfter", n, set)->text(), QStringLiteral("after"));
            QCOMPARE(time(n, set)->text(), QStringLiteral("0"));
            auto* condition = row<QComboBox>("cbbAlarmCondition", n, set);
            QCOMPARE(condition->count(), 2);
            QCOMPARE(condition->itemText(0), QStringLiteral("Accumulative alarm readings"));
            QCOMPARE(condition->itemText(1), QStringLiteral("Instantly"));
            QCOMPARE(condition->currentIndex(), 0);
            QCOMPARE(caption(n, set)->text(), QStringLiteral("(0 Hours)"));
            row<TUpDown>("udAlarmTemperature", n, set);
            row<TUpDown>("udAlarmTime", n, set);
            QCOMPARE(m_editor->findChild<QFrame*>(QString::fromLatin1(RowName("bvl", n, set))) != nullptr,
                     n > 1);
        }
        QVERIFY(shown(1, set));
        QVERIFY(valuesDisabled(1, set));
        for (int n = 2; n <= 8; ++n)
            QVERIFY2(hidden(n, set), qPrintable(QString::number(n)));
        QCOMPARE(panel(set)->height(), 547);
        QCOMPARE(area(set)->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    }

    void switchingOnShowsTheNextRow_data() { opensWithRowOneOfEachSet_data(); }
    void switchingOnShowsTheNextRow()
    {
        QFETCH(SettingsField::Set, set);
        for (int n = 1; n <= 8; ++n) {
            check(n, set)->setChecked(true);
            QVERIFY(valuesEnabled(n, set));
            if (n < 8) {
                QVERIFY(shown(n + 1, set));
                QVERIFY(!check(n + 1, set)->isChecked());
                QVERIFY(valuesDisabled(n + 1, set));
            }
            for (int k = n + 2; k <= 8; ++k)
                QVERIFY(hidden(k, set));
            const int visible = qMin(n + 1, 8);
            QCOMPARE(m_editor->alarms(set).visibleRows(), visible);
            QCOMPARE(panel(set)->height(), qMax(547, 100 + 96 * (visible - 1)));
        }
    }

    void switchingRowTwoOffCollapsesTheRowsBelow()
    {
        switchOn(5);
        row<TRadioGroup>("rgAlarm", 3)->setItemIndex(1);
        threshold(3)->setText(QStringLiteral("12.5"));
        QTest::keyClick(row<QComboBox>("cbbAlarmCondition", 3), Qt::Key_Down); // Instantly
        time(3)->setText(QStringLiteral("4"));

        check(2)->setChecked(false);
        QVERIFY(check(1)->isChecked());
        QVERIFY(valuesEnabled(1, SettingsField::Temperature));
        QVERIFY(shown(2, SettingsField::Temperature));
        for (int n = 2; n <= 8; ++n) {
            QVERIFY(!check(n)->isChecked());
            QVERIFY(valuesDisabled(n, SettingsField::Temperature));
        }
        for (int n = 3; n <= 8; ++n)
            QVERIFY(hidden(n, SettingsField::Temperature));
        QCOMPARE(panel(SettingsField::Temperature)->height(), 547);

        check(2)->setChecked(true);
        QVERIFY(shown(3, SettingsField::Temperature));
        QVERIFY(!check(3)->isChecked());
        const TAlarmRule kept = m_editor->alarms(SettingsField::Temperature).row(3).rule();
        QCOMPARE(kept.Direction, int(TAlarmRule::Below));
        QCOMPARE(kept.Threshold, QStringLiteral("12.5"));
        QCOMPARE(kept.Condition, int(TAlarmRule::Instantly));
        QCOMPARE(kept.AlarmTime, QStringLiteral("4"));
        QCOMPARE(caption(3)->text(), QStringLiteral("(4 Times)"));
        // Nothing of the humidity set moved.
        QVERIFY(hidden(2, SettingsField::Humidity));
    }

    void switchingOffTheLastRows()
    {
        switchOn(8);
        QCOMPARE(panel(SettingsField::Temperature)->height(), 772);
        check(8)->setChecked(false);
        QCOMPARE(m_editor->alarms(SettingsField::Temperature).visibleRows(), 8);
        QVERIFY(shown(8, SettingsField::Temperature));
        QVERIFY(valuesDisabled(8, SettingsField::Temperature));
        QCOMPARE(panel(SettingsField::Temperature)->height(), 772);
        check(7)->setChecked(false);
        QVERIFY(hidden(8, SettingsField::Temperature));
        QCOMPARE(m_editor->alarms(SettingsField::Temperature).visibleRows(), 7);
        QCOMPARE(panel(SettingsField::Temperature)->height(), 676);
    }

    void scrollBarOnlyWhenTheRowsOverflow_data()
    {
        QTest::addColumn<int>("areaHeight");
        QTest::addColumn<SettingsField::Set>("set");
        QTest::addColumn<int>("rowsOn");
        QTest::addColumn<bool>("scrolls");
        QTest::addColumn<int>("panelHeight");
        QTest::newRow("547, five rows fit") << 547 << SettingsField::Temperature << 4 << false << 547;
        QTest::newRow("547, six rows scroll") << 547 << SettingsField::Temperature << 5 << true << 580;
        QTest::newRow("547, humidity six rows") << 547 << SettingsField::Humidity << 5 << true << 580;
        QTest::newRow("411, four rows fit") << 411 << SettingsField::Temperature << 3 << false << 411;
        QTest::newRow("411, five rows scroll") << 411 << SettingsField::Temperature << 4 << true << 484;
        QTest::newRow("411, humidity five rows") << 411 << SettingsField::Humidity << 4 << true << 484;
    }
    void scrollBarOnlyWhenTheRowsOverflow()
    {
        QFETCH(int, areaHeight);
        QFETCH(SettingsField::Set, set);
        QFETCH(int, rowsOn);
        QFETCH(bool, scrolls);
        QFETCH(int, panelHeight);
        open(areaHeight);
        switchOn(rowsOn, set);
        QCOMPARE(panel(set)->height(), panelHeight);
        QCOMPARE(area(set)->verticalScrollBarPolicy(),
                 scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        // And back: switching row 1 off leaves one row and no scroll bar.
        check(1, set)->setChecked(false);
        QCOMPARE(panel(set)->height(), areaHeight);
        QCOMPARE(area(set)->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    }

    void timeCaption_data()
    {
        QTest::addColumn<SettingsField::Set>("set");
        QTest::addColumn<bool>("instantly");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const auto T = SettingsField::Temperature;
        QTest::newRow("90 minutes") << T << false << QStringLiteral("90") << QStringLiteral("(90 Minutes)");
        QTest::newRow("120 is two hours")
            << T << false << QStringLiteral("120") << QStringLiteral("(2 Hours)");
        QTest::newRow("0 hours") << T << false << QStringLiteral("0") << QStringLiteral("(0 Hours)");
        QTest::newRow("grouped") << T << false << QStringLiteral("1,010")
                                 << QStringLiteral("(1,010 Minutes)");
        QTest::newRow("leading zero, hours computed")
            << T << false << QStringLiteral("0120") << QStringLiteral("(2 Hours)");
        QTest::newRow("empty") << T << false << QString() << QString();
        QTest::newRow("blanks") << T << false << QStringLiteral("  ") << QString();
        QTest::newRow("1 time") << T << true << QStringLiteral("1") << QStringLiteral("(1 Time)");
        QTest::newRow("0 time") << T << true << QStringLiteral("0") << QStringLiteral("(0 Time)");
        QTest::newRow("3 times") << T << true << QStringLiteral("3") << QStringLiteral("(3 Times)");
        QTest::newRow("humidity 60") << SettingsField::Humidity << false << QStringLiteral("60")
                                     << QStringLiteral("(1 Hours)");
    }
    void timeCaption()
    {
        QFETCH(SettingsField::Set, set);
        QFETCH(bool, instantly);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        check(1, set)->setChecked(true);
        if (instantly)
            QTest::keyClick(row<QComboBox>("cbbAlarmCondition", 1, set), Qt::Key_Down);
        time(1, set)->setText(text);
        QCOMPARE(caption(1, set)->text(), expected);
        // The other set's row of the same number keeps its own caption.
        const auto other =
            set == SettingsField::Humidity ? SettingsField::Temperature : SettingsField::Humidity;
        QCOMPARE(caption(1, other)->text(), QStringLiteral("(0 Hours)"));
    }

    void typedTimeRefreshesTheCaption()
    {
        check(1)->setChecked(true);
        time(1)->clear();
        QTest::keyClicks(time(1), QStringLiteral("90"));
        QCOMPARE(caption(1)->text(), QStringLiteral("(90 Minutes)"));
    }

    void instantlySetsTheTimeToOneAndStepsByOne()
    {
        check(1)->setChecked(true);
        auto* condition = row<QComboBox>("cbbAlarmCondition", 1);
        auto* spinner = row<TUpDown>("udAlarmTime", 1);
        time(1)->setText(QStringLiteral("90"));

        QTest::keyClick(condition, Qt::Key_Down);
        QCOMPARE(condition->currentIndex(), 1);
        QCOMPARE(time(1)->text(), QStringLiteral("1"));
        QCOMPARE(caption(1)->text(), QStringLiteral("(1 Time)"));
        click(spinner, true);
        QCOMPARE(time(1)->text(), QStringLiteral("2"));
        QCOMPARE(caption(1)->text(), QStringLiteral("(2 Times)"));

        QTest::keyClick(condition, Qt::Key_Up);
        QCOMPARE(time(1)->text(), QStringLiteral("2"));
        QCOMPARE(caption(1)->text(), QStringLiteral("(2 Minutes)"));
        click(spinner, true);
        QCOMPARE(time(1)->text(), QStringLiteral("12"));
    }

    void conditionSetByProgramKeepsTheTime()
    {
        // The profile reader sets the condition without the change handler.
        check(1)->setChecked(true);
        time(1)->setText(QStringLiteral("30"));
        row<QComboBox>("cbbAlarmCondition", 1)->setCurrentIndex(1);
        QCOMPARE(time(1)->text(), QStringLiteral("30"));
    }

    void timeSpinner_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("expectedCaption");
        QTest::newRow("grouped from 1000")
            << QStringLiteral("1000") << true << QStringLiteral("1,010") << QStringLiteral("(1,010 Minutes)");
        QTest::newRow("reads its grouping back")
            << QStringLiteral("1,010") << false << QStringLiteral("1,000")
            << QStringLiteral("(1,000 Minutes)");
        QTest::newRow("kept at the maximum") << QStringLiteral("9995") << true << QStringLiteral("10,000")
                                             << QStringLiteral("(10,000 Minutes)");
        QTest::newRow("kept at zero")
            << QStringLiteral("0") << false << QStringLiteral("0") << QStringLiteral("(0 Hours)");
        QTest::newRow("typed beyond the maximum")
            << QStringLiteral("20000") << false << QStringLiteral("10,000")
            << QStringLiteral("(10,000 Minutes)");
    }
    void timeSpinner()
    {
        QFETCH(QString, start);
        QFETCH(bool, up);
        QFETCH(QString, expected);
        QFETCH(QString, expectedCaption);
        check(1)->setChecked(true);
        time(1)->setText(start);
        click(row<TUpDown>("udAlarmTime", 1), up);
        QCOMPARE(time(1)->text(), expected);
        QCOMPARE(caption(1)->text(), expectedCaption);
    }

    void timeThatIsNoWholeNumberIsReported_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("letters") << QStringLiteral("abc");
        QTest::newRow("fraction") << QStringLiteral("1.5");
        QTest::newRow("beyond 32 bits") << QStringLiteral("99999999999");
    }
    void timeThatIsNoWholeNumberIsReported()
    {
        QFETCH(QString, text);
        check(1)->setChecked(true);
        time(1)->setText(QStringLiteral("90"));
        time(1)->setText(text); // pasted
        QCOMPARE(m_prompts->messages(),
                 (QList<ScriptedPrompts::Message>{
                     {QLatin1Char('\'') + text + QStringLiteral("' is not a valid whole number."),
                      QStringLiteral("Prompt"), 16}}));
        QCOMPARE(caption(1)->text(), QStringLiteral("(90 Minutes)"));
    }

    void thresholdSpinner_data()
    {
        QTest::addColumn<SettingsField::Set>("set");
        QTest::addColumn<bool>("fahrenheit");
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("expected");
        const auto T = SettingsField::Temperature;
        const auto H = SettingsField::Humidity;
        QTest::newRow("0 up") << T << false << QStringLiteral("0") << true << QStringLiteral("0.1");
        QTest::newRow("0 down") << T << false << QStringLiteral("0") << false << QStringLiteral("-0.1");
        QTest::newRow("C maximum up")
            << T << false << QStringLiteral("100.0") << true << QStringLiteral("100.0");
        QTest::newRow("C maximum down")
            << T << false << QStringLiteral("100") << false << QStringLiteral("99.9");
        QTest::newRow("C minimum down")
            << T << false << QStringLiteral("-100") << false << QStringLiteral("-100");
        QTest::newRow("stops at the maximum")
            << T << false << QStringLiteral("99.99") << true << QStringLiteral("100.0");
        QTest::newRow("typed 150 C up")
            << T << false << QStringLiteral("150") << true << QStringLiteral("150");
        QTest::newRow("typed 150 C down")
            << T << false << QStringLiteral("150") << false << QStringLiteral("150");
        QTest::newRow("F maximum up")
            << T << true << QStringLiteral("212.0") << true << QStringLiteral("212.0");
        QTest::newRow("150 in F") << T << true << QStringLiteral("150") << true << QStringLiteral("150.1");
        QTest::newRow("not a number") << T << false << QStringLiteral("-") << true << QStringLiteral("-");
        QTest::newRow("humidity 0 down") << H << false << QStringLiteral("0") << false << QStringLiteral("0");
        QTest::newRow("humidity 0 up") << H << false << QStringLiteral("0") << true << QStringLiteral("0.1");
        QTest::newRow("humidity 100 up")
            << H << false << QStringLiteral("100") << true << QStringLiteral("100");
    }
    void thresholdSpinner()
    {
        QFETCH(SettingsField::Set, set);
        QFETCH(bool, fahrenheit);
        QFETCH(QString, start);
        QFETCH(bool, up);
        QFETCH(QString, expected);
        if (fahrenheit)
            Control<TRadioGroup>(m_editor, "rgUnit")->setItemIndex(1);
        check(1, set)->setChecked(true);
        threshold(1, set)->setText(start);
        click(row<TUpDown>("udAlarmTemperature", 1, set), up);
        QCOMPARE(threshold(1, set)->text(), expected);
        QVERIFY(m_prompts->messages().isEmpty());
    }

    void unitChangeConvertsEveryTemperatureRow()
    {
        // Only row 1 is visible: the hidden rows are converted all the same.
        const QStringList celsius = {QStringLiteral("0"),    QStringLiteral("100"),  QStringLiteral("-40"),
                                     QStringLiteral("-100"), QStringLiteral("12.5"), QStringLiteral("0.1"),
                                     QStringLiteral("36.6"), QStringLiteral("1000")};
        const QStringList fahrenheit = {QStringLiteral("32.0"),  QStringLiteral("212.0"),
                                        QStringLiteral("-40.0"), QStringLiteral("-148.0"),
                                        QStringLiteral("54.5"),  QStringLiteral("32.2"),
                                        QStringLiteral("97.9"),  QStringLiteral("1,832.0")};
        const QStringList back = {QStringLiteral("0.0"),    QStringLiteral("100.0"),  QStringLiteral("-40.0"),
                                  QStringLiteral("-100.0"), QStringLiteral("12.5"),   QStringLiteral("0.1"),
                                  QStringLiteral("36.6"),   QStringLiteral("1,000.0")};
        for (int n = 1; n <= 8; ++n)
            threshold(n)->setText(celsius[n - 1]);
        threshold(1, SettingsField::Humidity)->setText(QStringLiteral("55"));

        QTest::mouseClick(Control<QRadioButton>(m_editor, "rgUnit_1"), Qt::LeftButton);
        for (int n = 1; n <= 8; ++n) {
            QCOMPARE(threshold(n)->text(), fahrenheit[n - 1]);
            QCOMPARE(row<QLabel>("lblAlarm", n)->text(), QStringLiteral("F"));
            QCOMPARE(row<TUpDown>("udAlarmTemperature", n)->minimum(), -148);
            QCOMPARE(row<TUpDown>("udAlarmTemperature", n)->maximum(), 212);
        }

        // A change by program runs the same handler.
        Control<TRadioGroup>(m_editor, "rgUnit")->setItemIndex(0);
        for (int n = 1; n <= 8; ++n) {
            QCOMPARE(threshold(n)->text(), back[n - 1]);
            QCOMPARE(row<QLabel>("lblAlarm", n)->text(), QStringLiteral("C"));
            QCOMPARE(row<TUpDown>("udAlarmTemperature", n)->minimum(), -100);
            QCOMPARE(row<TUpDown>("udAlarmTemperature", n)->maximum(), 100);
        }

        // Humidity is never touched.
        QCOMPARE(threshold(1, SettingsField::Humidity)->text(), QStringLiteral("55"));
        QCOMPARE(row<QLabel>("lblAlarm", 1, SettingsField::Humidity)->text(), QStringLiteral("RH%"));
        QCOMPARE(row<TUpDown>("udAlarmTemperature", 1, SettingsField::Humidity)->minimum(), 0);
        QVERIFY(m_prompts->messages().isEmpty());
    }

    void roundingAcrossUnitChangesMovesByATenth()
    {
        auto* unit = Control<TRadioGroup>(m_editor, "rgUnit");
        unit->setItemIndex(1);
        threshold(1)->setText(QStringLiteral("32.1"));
        unit->setItemIndex(0);
        QCOMPARE(threshold(1)->text(), QStringLiteral("0.1"));
        unit->setItemIndex(1);
        QCOMPARE(threshold(1)->text(), QStringLiteral("32.2"));
    }

    void unitChangeReportsThresholdsThatAreNoNumber()
    {
        for (int n = 1; n <= 8; ++n)
            threshold(n)->setText(QStringLiteral("10"));
        threshold(3)->setText(QStringLiteral("-"));
        threshold(6)->clear();
        Control<TRadioGroup>(m_editor, "rgUnit")->setItemIndex(1);
        QCOMPARE(m_prompts->messages(),
                 (QList<ScriptedPrompts::Message>{
                     {QStringLiteral("'-' is not a valid number."), QStringLiteral("Prompt"), 16},
                     {QStringLiteral("'' is not a valid number."), QStringLiteral("Prompt"), 16}}));
        // Every readable threshold is in the new unit; the unreadable ones stay as typed.
        for (int n : {1, 2, 4, 5, 7, 8})
            QCOMPARE(threshold(n)->text(), QStringLiteral("50.0"));
        QCOMPARE(threshold(3)->text(), QStringLiteral("-"));
        QCOMPARE(threshold(6)->text(), QString());
        QCOMPARE(row<QLabel>("lblAlarm", 3)->text(), QStringLiteral("F"));
    }

    void panelTakesTheWidthOfItsScrollArea()
    {
        m_editor->resize(m_editor->width() + 200, m_editor->height() + 100);
        QTRY_COMPARE(panel(SettingsField::Temperature)->width(), area(SettingsField::Temperature)->width());
        QCOMPARE(panel(SettingsField::Temperature)->height(), 547);
    }
};

QTEST_MAIN(TestAlarmRows)
#include "test_alarmrows.moc"
