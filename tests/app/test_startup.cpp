#include "FixtureDatabase.h"
#include "GuiTestHelpers.h"
#include "ScriptedPrompts.h"
#include "TestAppDir.h"
#include "accounts/LoginForm.h"
#include "app/MainWindow.h"
#include "data/AppConfig.h"
#include "data/DataModule.h"
#include "data/IniFile.h"
#include "data/Operator.h"
#include "maintenance/ConnectingForm.h"
#include "maintenance/DbSetForm.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStatusBar>
#include <QtTest>

#include <memory>

using Message = ScriptedPrompts::Message;

namespace {

const Message kConnectionFailed{
    QStringLiteral("The connection server failed. Please reset or contact the system administrator!"),
    QStringLiteral("Prompt"), 16};

// Rows of a query on a database file, through a connection of its own.
QList<QVariantList> Rows(const QString& path, const QString& sql)
{
    QList<QVariantList> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("inspect"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            query.exec(sql);
            while (query.next()) {
                QVariantList row;
                for (int i = 0; i < query.record().count(); ++i)
                    row << query.value(i);
                rows << row;
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("inspect"));
    return rows;
}

QStringList VisibleMenuEntries(TFrmMain& window)
{
    QStringList names;
    for (QAction* action : window.menuBar()->actions()) {
        if (action->isVisible())
            names << action->objectName();
    }
    return names;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_prompts = std::make_unique<ScriptedPrompts>();
        m_dir = std::make_unique<TestAppDir>();
        AppConfig() = TAppConfig();
        CurrentOperator() = TCurrentOperator();
        m_seen.clear();
        m_settingsAction = QStringLiteral("cancel");
        m_loginId = QStringLiteral("001");
        m_loginPassword = QStringLiteral("472");
        m_window = std::make_unique<TFrmMain>();
        m_window->setModalRunner([this](QDialog& window) { return drive(window); });
    }
    void cleanup()
    {
        m_window.reset();
        m_db.reset();
        m_dir.reset();
        QVERIFY2(m_prompts->problems().isEmpty(), qPrintable(m_prompts->problems()));
        m_prompts.reset();
    }

    void newUserSignsInFromTheBuild()
    {
        QVERIFY(m_dir->copyFromBuild(QStringLiteral("Config.ini")));
        QVERIFY(m_dir->copyFromBuild(QStringLiteral("ParamConfig.db")));
        const QString db = m_dir->filePath(QStringLiteral("ParamConfig.db"));
        const int before = int(Rows(db, QStringLiteral("select * from LogOper")).size());

        QVERIFY(m_window->FormCreate());

        QVERIFY(m_prompts->messages().isEmpty());
        QCOMPARE(m_seen, (QStringList{"TConnectingForm", "TLoginForm"}));
        QCOMPARE(CurrentOperator().UserId, QStringLiteral("001"));
        QCOMPARE(CurrentOperator().RoleType, 1);
        const auto log =
            Rows(db, QStringLiteral("select UserId, UserName, OperTitle, OperType, OperMem, OperMem is null "
                                    "from LogOper"));
        QCOMPARE(log.size(), before + 1);
        const QVariantList row = log.last();
        QCOMPARE(row[0].toString(), QStringLiteral("001"));
        QCOMPARE(row[1].toString(), CurrentOperator().UserName);
        QCOMPARE(row[2].toString(), QStringLiteral("Login system"));
        QCOMPARE(row[3].toString(), QStringLiteral("Login system"));
        QCOMPARE(row[4].toString(), QString());
        QCOMPARE(row[5].toInt(), 0);
        QCOMPARE(m_window->statusPanel(0)->text(),
                 QStringLiteral("Current operator:  ") + CurrentOperator().UserName);
    }

    void menuFollowsTheRole_data()
    {
        QTest::addColumn<int>("role");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("administrator") << 1
                                       << QStringList{"Parameterconfiguration1", "UploadToDevice1",
                                                      "OperatorsManagement1", "Modifypassword1", "N9"};
        QTest::newRow("operator") << 2
                                  << QStringList{"Parameterconfiguration1", "UploadToDevice1",
                                                 "Modifypassword1", "N9"};
    }
    void menuFollowsTheRole()
    {
        QFETCH(int, role);
        QFETCH(QStringList, entries);
        prepareDatabase();
        QVERIFY(
            m_db->addOperator(QStringLiteral("005"), QStringLiteral("Someone"), QStringLiteral("pw"), role));
        m_loginId = QStringLiteral("005");
        m_loginPassword = QStringLiteral("pw");
        QVERIFY(m_window->FormCreate());
        QCOMPARE(VisibleMenuEntries(*m_window), entries);
    }

    void statusBarNamesTheOperator_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("20 characters") << "ABCDEFGHIJKLMNOPQRST"
                                       << "Current operator:  ABCDEFGHIJKLMNOPQRST";
        QTest::newRow("longer, cut to 20") << "ABCDEFGHIJKLMNOPQRSTUVWXY"
                                           << "Current operator:  ABCDEFGHIJKLMNOPQRST";
    }
    void statusBarNamesTheOperator()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        prepareDatabase();
        QVERIFY(m_db->addOperator(QStringLiteral("006"), stored, QStringLiteral("pw"), 2));
        m_loginId = QStringLiteral("006");
        m_loginPassword = QStringLiteral("pw");
        QVERIFY(m_window->FormCreate());
        QCOMPARE(m_window->statusPanel(0)->text(), shown);
        QVERIFY(shown.size() <= 39);
        QVERIFY(m_window->statusPanel(1)->text().startsWith(QStringLiteral("Current time:  ")));
    }

    void operatorPanelIsHalfTheStatusBar()
    {
        prepareDatabase();
        QVERIFY(m_window->FormCreate());
        for (int width : {1200, 900}) {
            m_window->resize(width, 700);
            m_window->show();
            QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
            QTRY_COMPARE(m_window->statusPanel(0)->width(), m_window->statusBar()->width() / 2);
        }
    }

    void brokenDatabaseOpensTheSettingsDialog_data()
    {
        QTest::addColumn<QString>("database");
        QTest::newRow("missing") << "missing";
        QTest::newRow("corrupt") << "corrupt";
        QTest::newRow("a folder") << "folder";
        QTest::newRow("locked") << "locked";
    }
    void brokenDatabaseOpensTheSettingsDialog()
    {
        QFETCH(QString, database);
        writeConfig("[Server]\r\nDBMod=2\r\n");
        const QString path = m_dir->filePath(QStringLiteral("ParamConfig.db"));
        if (database == QLatin1String("corrupt"))
            QVERIFY(m_dir->writeFile(QStringLiteral("ParamConfig.db"), QByteArray(8192, '\x5a')));
        if (database == QLatin1String("folder"))
            QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("ParamConfig.db")));
        if (database == QLatin1String("locked")) {
            m_db = std::make_unique<FixtureDatabase>(path);
            QVERIFY(m_db->exec(QStringLiteral("begin exclusive")));
        }

        QVERIFY(!m_window->FormCreate());

        QCOMPARE(m_prompts->messages(), QList<Message>{kConnectionFailed});
        QCOMPARE(m_seen, (QStringList{"TConnectingForm", "TDbSetForm"}));
        if (m_db)
            QVERIFY(m_db->exec(QStringLiteral("rollback")));
    }

    void settingsDialogLeftWithoutSaving_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("退出") << "cancel";
        QTest::newRow("title-bar close") << "close";
        QTest::newRow("test fails, then 退出") << "fail-then-cancel";
    }
    void settingsDialogLeftWithoutSaving()
    {
        QFETCH(QString, action);
        writeConfig("[Server]\r\nDBMod=2\r\n");
        m_settingsAction = action;

        QVERIFY(!m_window->FormCreate());

        QCOMPARE(m_seen, (QStringList{"TConnectingForm", "TDbSetForm"}));
        QCOMPARE(m_prompts->messages().first(), kConnectionFailed);
        // No window of the start-up is left on screen.
        for (QWidget* widget : QApplication::topLevelWidgets())
            QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName()));
    }

    void settingsConfirmedGoStraightToTheLogin()
    {
        writeConfig("[Server]\r\nDBMod=2\r\n");
        m_settingsAction = QStringLiteral("repair");

        QVERIFY(m_window->FormCreate());

        QCOMPARE(m_seen, (QStringList{"TConnectingForm", "TDbSetForm", "TLoginForm"}));
        QCOMPARE(
            m_prompts->messages(),
            (QList<Message>{kConnectionFailed, {QStringLiteral("设置成功!"), QStringLiteral("提示"), 64}}));
        QCOMPARE(CurrentOperator().UserId, QStringLiteral("001"));
    }

    void missingConfigFileSelectsSqlServer()
    {
        // Without Config.ini the mode is "0", which no server answers here.
        prepareDatabase();
        QFile::remove(ConfigFilePath());

        QVERIFY(!m_window->FormCreate());

        QCOMPARE(m_prompts->messages(),
                 (QList<Message>{
                     {QStringLiteral(
                          "The configuration file does not exist. Please contact your system administrator"),
                      QStringLiteral("系统提示"), 48},
                     kConnectionFailed}));
        QCOMPARE(AppConfig().DBMod, QStringLiteral("0"));
    }

    void cancelledLoginEndsTheProgram()
    {
        prepareDatabase();
        m_loginId.clear(); // the runner cancels

        QVERIFY(!m_window->FormCreate());

        QCOMPARE(m_seen, (QStringList{"TConnectingForm", "TLoginForm"}));
        QCOMPARE(CurrentOperator().UserId, QString());
        QVERIFY(m_prompts->messages().isEmpty());
    }

private:
    void writeConfig(const QByteArray& text)
    {
        QVERIFY(m_dir->writeFile(QStringLiteral("Config.ini"), text));
    }

    void prepareDatabase()
    {
        writeConfig("[Server]\r\nDBMod=2\r\n");
        m_db = std::make_unique<FixtureDatabase>(m_dir->filePath(QStringLiteral("ParamConfig.db")));
        QVERIFY2(m_db->ok(), qPrintable(m_db->error()));
    }

    // Plays the operator's part in each start-up window.
    int drive(QDialog& window)
    {
        m_seen << QString::fromLatin1(window.metaObject()->className());
        window.open();
        if (auto* splash = qobject_cast<TConnectingForm*>(&window)) {
            if (!QTest::qWaitFor([splash] { return !splash->isVisible(); }, 10000))
                qWarning("the splash did not close");
        } else if (auto* settings = qobject_cast<TDbSetForm*>(&window)) {
            if (m_settingsAction == QLatin1String("close")) {
                settings->close();
            } else if (m_settingsAction == QLatin1String("repair")) {
                m_db = std::make_unique<FixtureDatabase>(m_dir->filePath(QStringLiteral("ParamConfig.db")));
                Control<QPushButton>(settings, "btn_ok")->click();
            } else {
                if (m_settingsAction == QLatin1String("fail-then-cancel"))
                    Control<QPushButton>(settings, "btn_ok")->click();
                Control<QPushButton>(settings, "btnCancel")->click();
            }
        } else if (qobject_cast<TLoginForm*>(&window)) {
            if (m_loginId.isEmpty()) {
                Control<QAbstractButton>(&window, "sbCancel")->click();
            } else {
                Control<QLineEdit>(&window, "edt_UserId")->setText(m_loginId);
                auto* password = Control<QLineEdit>(&window, "edt_PassWord");
                password->setText(m_loginPassword);
                QTest::keyClick(password, Qt::Key_Return);
            }
        }
        if (window.isVisible()) {
            qWarning("start-up window %s left open", window.metaObject()->className());
            window.reject();
        }
        return window.result();
    }

    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<TestAppDir> m_dir;
    std::unique_ptr<FixtureDatabase> m_db;
    std::unique_ptr<TFrmMain> m_window;
    QStringList m_seen;
    QString m_settingsAction;
    QString m_loginId;
    QString m_loginPassword;
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
