#include "AccountsFixture.h"
#include "GuiTestHelpers.h"
#include "ScriptedPrompts.h"
#include "accounts/AdminCode.h"
#include "accounts/FormCheckRight.h"
#include "accounts/LoginForm.h"
#include "app/Clock.h"
#include "maintenance/DbSetForm.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

const QString kCaption = QStringLiteral("系统提示");
const QString kFixedLogRow = QStringLiteral("002|Bob|校验权限|校验权限|使用管理员密码,修改数据库信息");

void SetLocalNoon(const QDate& date)
{
    SetFixedClock(QDateTime(date, QTime(12, 0), Qt::LocalTime));
}

// The check dialog that is open now, if any.
TFormCheckRight* OpenDialog()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<TFormCheckRight*>(widget); dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

} // namespace

class TestCheckRight : public QObject
{
    Q_OBJECT

private:
    AccountsFixture* m_fixture = nullptr;
    ScriptedPrompts* m_prompts = nullptr;

    bool m_answered = false;

    // Runs the launcher while answering its dialog with the typed password
    // (when given) and, if the dialog is still open then, its cancel button.
    // m_answered tells whether the dialog was there to answer.
    bool check(int mode, const QString* typed)
    {
        m_answered = false;
        QTimer::singleShot(0, qApp, [&] {
            TFormCheckRight* dialog = OpenDialog();
            if (!dialog)
                return;
            m_answered = true;
            if (typed) {
                Control<QLineEdit>(dialog, "edt_PSW")->setText(*typed);
                Control<QPushButton>(dialog, "btn_OK")->click();
            }
            if (dialog->isVisible())
                Control<QPushButton>(dialog, "btn_Exit")->click();
        });
        return CheckAdministratorRight(mode);
    }

private slots:
    void init()
    {
        m_fixture = new AccountsFixture;
        QVERIFY2(m_fixture->error().isEmpty(), qPrintable(m_fixture->error()));
        m_fixture->signIn(QStringLiteral("002"), QStringLiteral("Bob"), QStringLiteral("bob1"), 2);
        m_prompts = new ScriptedPrompts;
        SetLocalNoon(QDate(2025, 12, 9));
    }
    void cleanup()
    {
        SetFixedClock(QDateTime());
        const QString problems = m_prompts->problems();
        delete m_prompts;
        delete m_fixture;
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    // Digit sum of yyyyMMdd, divided by the weekday (1 = Sunday), times 1000;
    // the first four characters of that number.
    void dailyCode_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("code");
        // Tuesday: 2+0+2+5+1+2+0+9 = 21; 21 / 3 * 1000 = 7000
        QTest::newRow("2025-12-09") << QDate(2025, 12, 9) << QStringLiteral("7000");
        // Wednesday: 13 / 4 * 1000 = 3250
        QTest::newRow("2025-12-10") << QDate(2025, 12, 10) << QStringLiteral("3250");
        // Saturday: 4 / 7 * 1000 = 571.428571428571
        QTest::newRow("2000-01-01") << QDate(2000, 1, 1) << QStringLiteral("571.");
        // Friday: 5 / 6 * 1000 = 833.333333333333
        QTest::newRow("2010-01-01") << QDate(2010, 1, 1) << QStringLiteral("833.");
        // Friday: 10 / 6 * 1000 = 1666.66666666667, cut, not rounded
        QTest::newRow("2000-01-07") << QDate(2000, 1, 7) << QStringLiteral("1666");
        // Sunday: 14 / 1 * 1000 = 14000
        QTest::newRow("2023-10-15") << QDate(2023, 10, 15) << QStringLiteral("1400");
        // Monday: 10 / 2 * 1000 = 5000
        QTest::newRow("2024-01-01") << QDate(2024, 1, 1) << QStringLiteral("5000");
    }
    void dailyCode()
    {
        QFETCH(QDate, date);
        QFETCH(QString, code);
        QCOMPARE(DailyAdminCodeFor(date), code);
        SetLocalNoon(date);
        QCOMPARE(DailyAdminCode(), code);
    }

    void generalNumberFormat_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 7000.0 << QStringLiteral("7000");
        QTest::newRow("fraction") << 4.0 / 7 * 1000 << QStringLiteral("571.428571428571");
        QTest::newRow("large, no exponent") << 1e17 << QStringLiteral("100000000000000000");
        QTest::newRow("small, no exponent") << 0.00005 << QStringLiteral("0.00005");
    }
    void generalNumberFormat()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(GeneralNumberText(value), text);
    }

    // What the dialog accepts, and what each mode of the launcher makes of it.
    void launcherModes_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("mode2");
        QTest::addColumn<bool>("mode3");
        QTest::addColumn<bool>("otherMode");
        QTest::addColumn<QStringList>("notices");
        QTest::addColumn<bool>("logged");
        const QStringList none;
        QTest::newRow("cancelled") << false << QString() << 0 << false << false << false << none << false;
        QTest::newRow("daily code") << true << QStringLiteral("7000") << 1 << true << true << true << none
                                    << false;
        QTest::newRow("daily code with blanks")
            << true << QStringLiteral("  7000 ") << 1 << true << true << true << none << false;
        QTest::newRow("fixed password")
            << true << QStringLiteral("350746") << 2 << true << true << false << none << true;
        QTest::newRow("own password")
            << true << QStringLiteral("bob1") << 3 << false << true << false << none << false;
        QTest::newRow("own password, other case")
            << true << QStringLiteral("BOB1") << 0 << false << false << false
            << QStringList{QStringLiteral("请输入正确的密码！")} << false;
        QTest::newRow("yesterday's code") << true << QStringLiteral("1000") << 0 << false << false << false
                                          << QStringList{QStringLiteral("请输入正确的密码！")} << false;
        QTest::newRow("empty") << true << QStringLiteral("   ") << 0 << false << false << false
                               << QStringList{QStringLiteral("请输入密码！")} << false;
    }
    void launcherModes()
    {
        QFETCH(bool, answer);
        QFETCH(QString, typed);
        QFETCH(int, result);
        QFETCH(bool, mode2);
        QFETCH(bool, mode3);
        QFETCH(bool, otherMode);
        QFETCH(QStringList, notices);
        QFETCH(bool, logged);
        const QList<QPair<int, bool>> modes = {{2, mode2}, {3, mode3}, {1, otherMode}, {7, otherMode}};
        for (const auto& [mode, expected] : modes) {
            CheckRightResult() = 9; // reset by the dialog when shown
            QCOMPARE(check(mode, answer ? &typed : nullptr), expected);
            QVERIFY(m_answered);
            QCOMPARE(CheckRightResult(), result);
            const auto messages = m_prompts->take();
            QCOMPARE(messages.size(), notices.size());
            for (int i = 0; i < notices.size(); ++i)
                QCOMPARE(messages.at(i), (ScriptedPrompts::Message{notices.at(i), kCaption, 48}));
            // One row per accepted fixed password, none otherwise.
            QCOMPARE(m_fixture->logRows().size(), logged ? 1 : 0);
            QVERIFY(m_fixture->db().exec(QStringLiteral("delete from LogOper")));
        }
        if (logged) {
            QCOMPARE(check(2, &typed), true);
            QCOMPARE(m_fixture->logRows(), QStringList{kFixedLogRow});
        }
    }

    // The code is worked out at each check, not when the dialog opens.
    void codeFollowsMidnight()
    {
        SetFixedClock(QDateTime(QDate(2025, 12, 9), QTime(23, 59, 59), Qt::LocalTime));
        TFormCheckRight dialog;
        dialog.show();
        SetFixedClock(QDateTime(QDate(2025, 12, 10), QTime(0, 0, 0), Qt::LocalTime));
        Control<QLineEdit>(&dialog, "edt_PSW")->setText(QStringLiteral("7000"));
        Control<QPushButton>(&dialog, "btn_OK")->click();
        QCOMPARE(m_prompts->texts(), QStringList{QStringLiteral("请输入正确的密码！")});
        QVERIFY(dialog.isVisible());
        Control<QLineEdit>(&dialog, "edt_PSW")->setText(QStringLiteral("3250"));
        Control<QPushButton>(&dialog, "btn_OK")->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(CheckRightResult(), 1);
    }

    void enterChecksAndApostrophesAreDropped()
    {
        TFormCheckRight dialog;
        dialog.show();
        auto* field = Control<QLineEdit>(&dialog, "edt_PSW");
        QTest::keyClicks(field, QStringLiteral("35'0746"));
        QCOMPARE(field->text(), QStringLiteral("350746"));
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(CheckRightResult(), 2);
    }

    // The login window's hidden button: the connection settings, guarded by
    // the check unless SPWS is other than "0".
    void loginSettingsButton_data()
    {
        QTest::addColumn<QString>("spws");
        QTest::addColumn<QString>("typed"); // empty: the check is cancelled
        QTest::addColumn<bool>("checked");
        QTest::addColumn<bool>("settingsShown");
        QTest::addColumn<int>("logRows");
        QTest::newRow("cancelled") << "0"
                                   << "" << true << false << 0;
        QTest::newRow("daily code") << "0"
                                    << "7000" << true << true << 0;
        QTest::newRow("fixed password") << "0"
                                        << "350746" << true << true << 1;
        QTest::newRow("own password is not enough") << "0"
                                                    << "bob1" << true << false << 0;
        QTest::newRow("unguarded") << "1"
                                   << "" << false << true << 0;
    }
    void loginSettingsButton()
    {
        QFETCH(QString, spws);
        QFETCH(QString, typed);
        QFETCH(bool, checked);
        QFETCH(bool, settingsShown);
        QFETCH(int, logRows);
        AppConfig().SPWS = spws;
        TLoginForm login;
        login.show();
        auto* button = Control<QToolButton>(&login, "btn_1");
        QVERIFY(button->isHidden());

        bool askedCheck = false;
        bool sawSettings = false;
        QTimer answerer;
        answerer.setInterval(10);
        connect(&answerer, &QTimer::timeout, this, [&] {
            if (TFormCheckRight* dialog = OpenDialog()) {
                askedCheck = true;
                if (!typed.isEmpty()) {
                    Control<QLineEdit>(dialog, "edt_PSW")->setText(typed);
                    Control<QPushButton>(dialog, "btn_OK")->click();
                }
                if (dialog->isVisible())
                    Control<QPushButton>(dialog, "btn_Exit")->click();
                return;
            }
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* settings = qobject_cast<TDbSetForm*>(widget); settings && settings->isVisible()) {
                    sawSettings = true;
                    settings->reject();
                }
            }
        });
        answerer.start();
        button->click();
        answerer.stop();
        QCOMPARE(askedCheck, checked);
        QCOMPARE(sawSettings, settingsShown);
        QCOMPARE(m_fixture->logRows().size(), logRows);
        QVERIFY2(m_prompts->messages().isEmpty(), qPrintable(m_prompts->texts().join(u'\n')));
    }
};

QTEST_MAIN(TestCheckRight)
#include "test_checkright.moc"
