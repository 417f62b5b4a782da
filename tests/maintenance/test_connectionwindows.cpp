#include "FixtureDatabase.h"
#include "GuiTestHelpers.h"
#include "ScriptedPrompts.h"
#include "TestAppDir.h"
#include "TestFiles.h"
#include "data/AppConfig.h"
#include "data/DataModule.h"
#include "data/IniFile.h"
#include "maintenance/ConnectingForm.h"
#include "maintenance/DbSetForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

using Message = ScriptedPrompts::Message;

namespace {

const Message kConnectFailed{QStringLiteral("数据库连接失败，请重新设置参数！"), QStringLiteral("系统提示"),
                             48};
const Message kSaved{QStringLiteral("设置成功!"), QStringLiteral("提示"), 64};

} // namespace

class TestConnectionWindows : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_prompts = std::make_unique<ScriptedPrompts>();
        m_dir = std::make_unique<TestAppDir>();
        AppConfig() = TAppConfig();
        AppConfig().DBMod = QStringLiteral("2");
    }
    void cleanup()
    {
        CloseDatabase();
        m_db.reset();
        m_dir.reset();
        QVERIFY2(m_prompts->problems().isEmpty(), qPrintable(m_prompts->problems()));
        m_prompts.reset();
    }

    // --- the splash

    void splashConnectsOneSecondAfterShowing_data()
    {
        QTest::addColumn<bool>("database");
        QTest::newRow("database there") << true;
        QTest::newRow("no database") << false;
    }
    void splashConnectsOneSecondAfterShowing()
    {
        QFETCH(bool, database);
        if (database)
            createDatabase();
        TConnectingForm splash;
        QCOMPARE(Control<QLabel>(&splash, "Label1")->text(),
                 QStringLiteral("Connecting to database, please wait."));
        QVERIFY(Control<QWidget>(&splash, "Animate1"));
        splash.open();
        QVERIFY(splash.isVisible());
        QVERIFY(!ZConnection().isOpen());
        QTRY_VERIFY_WITH_TIMEOUT(!splash.isVisible(), 5000);
        QCOMPARE(splash.ConnectOk, database);
        QCOMPARE(ZConnection().isOpen(), database);
        QVERIFY(m_prompts->messages().isEmpty());
    }

    // --- the settings dialog

    void showsStoredValuesDecoded()
    {
        const QString longName = QStringLiteral("LongDatabaseName1");
        writeConfig(
            "[Server]\r\nDBMod=2\r\nDBSource=" + EncodeConfigField(QStringLiteral("10.0.0.5")).toLatin1() +
            "\r\nDBName=" + EncodeConfigField(longName).toLatin1() +
            "\r\nSQLUser= " + EncodeConfigField(QStringLiteral("sa")).toLatin1() + " " +
            "\r\nPassWord=\"   \"\r\n[Station]\r\nAutoS=1\r\n");
        TDbSetForm dialog;
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("数据库连接设置"));
        QCOMPARE(edit(dialog, "edt_MTIIP")->text(), QStringLiteral("10.0.0.5"));
        QCOMPARE(edit(dialog, "edt_MTIPORT")->text(), longName); // in full, past the typing limit
        QCOMPARE(edit(dialog, "edt_UserName")->text(), QStringLiteral("sa"));
        QCOMPARE(edit(dialog, "edt_PassWord")->text(), QString());
        QCOMPARE(edit(dialog, "edt_CId")->text(), QStringLiteral("01"));
        QVERIFY(!edit(dialog, "edt_CId")->isVisible());
        QVERIFY(Control<QCheckBox>(&dialog, "chk_Auto")->isChecked());
        QVERIFY(!Control<QCheckBox>(&dialog, "chk_Auto")->isVisible());
        QCOMPARE(edit(dialog, "edt_MTIIP")->maxLength(), 20);
        QCOMPARE(edit(dialog, "edt_UserName")->maxLength(), 10);
    }

    void failedTestWritesNothing()
    {
        writeConfig("[Server]\r\nDBMod=2\r\n"); // and no database
        const QByteArray before = ReadAll(ConfigFilePath());
        TDbSetForm dialog;
        dialog.show();
        edit(dialog, "edt_MTIIP")->setText(QStringLiteral("server"));
        edit(dialog, "edt_PassWord")->setFocus();
        Control<QPushButton>(&dialog, "btn_ok")->click();
        QCOMPARE(m_prompts->messages(), QList<Message>{kConnectFailed});
        QCOMPARE(ReadAll(ConfigFilePath()), before);
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.SettingsSaved);
        QCOMPARE(dialog.focusWidget(), edit(dialog, "edt_MTIIP"));
    }

    void workingTestStoresScrambledValues_data()
    {
        QTest::addColumn<QStringList>("typed"); // server, database, user, password
        QTest::newRow("all empty") << QStringList{"", "", "", ""};
        QTest::newRow("values trimmed") << QStringList{" my server ", "QCont", " user", "pw! "};
    }
    void workingTestStoresScrambledValues()
    {
        QFETCH(QStringList, typed);
        writeConfig("[Server]\r\nDBMod=2\r\n");
        createDatabase();
        TDbSetForm dialog;
        dialog.show();
        const char* fields[] = {"edt_MTIIP", "edt_MTIPORT", "edt_UserName", "edt_PassWord"};
        for (int i = 0; i < 4; ++i)
            edit(dialog, fields[i])->setText(typed[i]);
        Control<QPushButton>(&dialog, "btn_ok")->click();

        QCOMPARE(m_prompts->messages(), QList<Message>{kSaved});
        QVERIFY(dialog.SettingsSaved);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(ZConnection().isOpen());
        QByteArray expected = "[Server]\r\nDBMod=2\r\n";
        const char* keys[] = {"DBSource", "DBName", "SQLUser", "PassWord"};
        for (int i = 0; i < 4; ++i)
            expected += QByteArray(keys[i]) + '=' + EncodeConfigField(typed[i].trimmed()).toLatin1() + "\r\n";
        expected += "[Station]\r\nCId=01\r\nAutoS=0\r\n";
        QCOMPARE(ReadAll(ConfigFilePath()), expected);
    }

    void enterKeys_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("saves");
        QTest::addColumn<QString>("focus");
        QTest::newRow("server moves on") << "edt_MTIIP" << false << "edt_MTIPORT";
        QTest::newRow("database saves") << "edt_MTIPORT" << true << "";
        QTest::newRow("password saves") << "edt_PassWord" << true << "";
        QTest::newRow("confirm button moves on") << "btn_ok" << false << "btnCancel";
    }
    void enterKeys()
    {
        QFETCH(QString, field);
        QFETCH(bool, saves);
        QFETCH(QString, focus);
        writeConfig("[Server]\r\nDBMod=2\r\n");
        createDatabase();
        TDbSetForm dialog;
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QWidget* start = dialog.findChild<QWidget*>(field);
        start->setFocus();
        QTest::keyClick(start, Qt::Key_Return);
        QCOMPARE(dialog.SettingsSaved, saves);
        QCOMPARE(dialog.isVisible(), !saves);
        if (saves)
            QCOMPARE(m_prompts->messages(), QList<Message>{kSaved});
        else
            QCOMPARE(dialog.focusWidget()->objectName(), focus);
    }

    void escapeAndExitLeaveWithoutSaving_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Esc") << true;
        QTest::newRow("退出") << false;
    }
    void escapeAndExitLeaveWithoutSaving()
    {
        QFETCH(bool, escape);
        writeConfig("[Server]\r\nDBMod=2\r\n");
        const QByteArray before = ReadAll(ConfigFilePath());
        TDbSetForm dialog;
        dialog.show();
        if (escape)
            QTest::keyClick(edit(dialog, "edt_MTIIP"), Qt::Key_Escape);
        else
            Control<QPushButton>(&dialog, "btnCancel")->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.SettingsSaved);
        QCOMPARE(ReadAll(ConfigFilePath()), before);
    }

    void unwritableSettingsAreNotReportedAsSaved()
    {
        createDatabase();
        // A folder where the file should be: nothing can be read or written.
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Config.ini")));
        TDbSetForm dialog;
        dialog.show();
        Control<QPushButton>(&dialog, "btn_ok")->click();
        QCOMPARE(m_prompts->messages().size(), 1);
        const Message message = m_prompts->messages().first();
        QVERIFY2(message.text.contains(ConfigFilePath()), qPrintable(message.text));
        QCOMPARE(message.flags, 16);
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.SettingsSaved);
    }

    void apostropheNeverReachesTheServerField()
    {
        TDbSetForm dialog;
        dialog.show();
        QTest::keyClicks(edit(dialog, "edt_MTIIP"), QStringLiteral("a'b"));
        QCOMPARE(edit(dialog, "edt_MTIIP")->text(), QStringLiteral("ab"));
    }

private:
    void createDatabase()
    {
        m_db = std::make_unique<FixtureDatabase>(m_dir->filePath(QStringLiteral("ParamConfig.db")));
        QVERIFY2(m_db->ok(), qPrintable(m_db->error()));
    }
    void writeConfig(const QByteArray& text)
    {
        QVERIFY(m_dir->writeFile(QStringLiteral("Config.ini"), text));
    }
    static QLineEdit* edit(QWidget& dialog, const char* name) { return Control<QLineEdit>(&dialog, name); }

    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<TestAppDir> m_dir;
    std::unique_ptr<FixtureDatabase> m_db;
};

QTEST_MAIN(TestConnectionWindows)
#include "test_connectionwindows.moc"
