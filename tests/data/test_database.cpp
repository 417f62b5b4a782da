#include "FixtureDatabase.h"
#include "ScriptedPrompts.h"
#include "TestAppDir.h"
#include "app/Clock.h"
#include "data/AppConfig.h"
#include "data/DataModule.h"
#include "data/Operator.h"
#include "data/Shared.h"

#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <memory>

#include <unistd.h>

class TestDatabase : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_prompts = std::make_unique<ScriptedPrompts>();
        m_dir = std::make_unique<TestAppDir>();
        AppConfig() = TAppConfig();
        AppConfig().DBMod = QStringLiteral("2");
        CurrentOperator() = TCurrentOperator();
    }
    void cleanup()
    {
        CloseDatabase();
        m_fixture.reset();
        m_dir.reset();
        SetFixedClock(QDateTime());
        QVERIFY2(m_prompts->problems().isEmpty(), qPrintable(m_prompts->problems()));
        m_prompts.reset();
    }

    // --- ConnectDatabase

    void connectByMode_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("file"); // what lies at ParamConfig.db
        QTest::addColumn<bool>("connects");
        QTest::newRow("2, working database") << "2"
                                             << "database" << true;
        QTest::newRow("2, missing file") << "2"
                                         << "none" << false;
        QTest::newRow("2, corrupt file") << "2"
                                         << "garbage" << false;
        QTest::newRow("2, a folder") << "2"
                                     << "folder" << false;
        QTest::newRow("7") << "7"
                           << "database" << false;
        QTest::newRow("empty mode") << ""
                                    << "database" << false;
        QTest::newRow("0, no server") << "0"
                                      << "database" << false;
        QTest::newRow("1, no Data.mdb") << "1"
                                        << "database" << false;
    }
    void connectByMode()
    {
        QFETCH(QString, mode);
        QFETCH(QString, file);
        QFETCH(bool, connects);
        const QString path = m_dir->filePath(QStringLiteral("ParamConfig.db"));
        if (file == QLatin1String("database"))
            createFixture();
        else if (file == QLatin1String("garbage"))
            QVERIFY(m_dir->writeFile(QStringLiteral("ParamConfig.db"), QByteArray(4096, 'x')));
        else if (file == QLatin1String("folder"))
            QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("ParamConfig.db")));
        else if (file == QLatin1String("unreadable")) {
            if (geteuid() == 0)
                QSKIP("file permissions do not stop the superuser");
            createFixture();
            QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
        }
        AppConfig().DBMod = mode;

        QString error;
        // Server values that would matter in mode "0" only.
        QCOMPARE(ConnectDatabase(QStringLiteral("pw"), QStringLiteral("user"), QStringLiteral("db"),
                                 QStringLiteral("192.0.2.1"), &error),
                 connects);
        QCOMPARE(error.isEmpty(), connects);
        if (mode == QLatin1String("2"))
            QCOMPARE(ZConnection().isOpen(), connects);
        // A missing database is never created in passing.
        if (file == QLatin1String("none"))
            QVERIFY(!QFileInfo::exists(path));
        QVERIFY(m_prompts->messages().isEmpty());
    }

    void lockedDatabaseFailsInsteadOfWaiting()
    {
        createFixture();
        QVERIFY(m_fixture->exec(QStringLiteral("begin exclusive")));
        QString error;
        QVERIFY(!ConnectDatabase(QString(), QString(), QString(), QString(), &error));
        QVERIFY2(error.contains(QLatin1String("locked")), qPrintable(error));
        QVERIFY(m_fixture->exec(QStringLiteral("commit")));
        QVERIFY2(ConnectDatabase(QString(), QString(), QString(), QString(), &error), qPrintable(error));
    }

    void reconnectsAfterTheFileAppears()
    {
        QVERIFY(!ConnectDatabase(QString(), QString(), QString(), QString()));
        createFixture();
        QVERIFY(ConnectDatabase(QString(), QString(), QString(), QString()));
        QSqlQuery query(ZConnection());
        QVERIFY(query.exec(QStringLiteral("select count(*) from Operators")));
    }

    // --- WriteOperationLog

    void logRowHoldsValuesUnchanged_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("remark");
        QTest::newRow("plain, empty remark") << QStringLiteral("Administrator") << QString();
        QTest::newRow("apostrophe") << QStringLiteral("O'Brien") << QStringLiteral("it's done");
        QTest::newRow("backslash and SQL") << QStringLiteral("x\\'); delete from Operators; --")
                                           << QStringLiteral("'); drop table LogOper; --");
        QTest::newRow("beyond Latin-1")
            << QStringLiteral("张三") << QStringLiteral("使用管理员密码,修改数据库信息");
    }
    void logRowHoldsValuesUnchanged()
    {
        QFETCH(QString, name);
        QFETCH(QString, remark);
        connectFixture();
        SetFixedClock(QDateTime(QDate(2025, 3, 4), QTime(5, 6, 7), Qt::LocalTime));
        CurrentOperator().UserId = QStringLiteral(" 007 ");
        CurrentOperator().UserName = name;
        WriteOperationLog(QStringLiteral(" Login system "), QStringLiteral("Login system"), remark);

        QVERIFY(m_prompts->messages().isEmpty());
        const auto rows = m_fixture->rows(QStringLiteral(
            "select UserId, UserName, OperTitle, OperType, OperMem, OperMem is null, OperTime from LogOper"));
        QCOMPARE(rows.size(), 1);
        const QVariantList expected = {QStringLiteral("007"),
                                       name,
                                       QStringLiteral("Login system"),
                                       QStringLiteral("Login system"),
                                       remark.isEmpty() ? QStringLiteral("") : remark,
                                       0,
                                       QStringLiteral("2025-03-04 05:06:07")};
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(rows[0][i].toString(), expected[i].toString());
        QCOMPARE(m_fixture->rows(QStringLiteral("select count(*) from Operators"))[0][0].toInt(), 1);
    }

    void failedInsertIsShownAndGoesNoFurther_data()
    {
        QTest::addColumn<QString>("breakage");
        QTest::addColumn<QString>("errorPart");
        QTest::newRow("no LogOper table") << "drop"
                                          << "LogOper";
        QTest::newRow("database locked") << "lock"
                                         << "locked";
        QTest::newRow("never connected") << "none"
                                         << "";
    }
    void failedInsertIsShownAndGoesNoFurther()
    {
        QFETCH(QString, breakage);
        QFETCH(QString, errorPart);
        if (breakage != QLatin1String("none"))
            connectFixture();
        if (breakage == QLatin1String("drop"))
            QVERIFY(m_fixture->exec(QStringLiteral("drop table LogOper")));
        if (breakage == QLatin1String("lock"))
            QVERIFY(m_fixture->exec(QStringLiteral("begin immediate")));

        WriteOperationLog(QStringLiteral("Login system"), QStringLiteral("Login system"), QString());

        QCOMPARE(m_prompts->messages().size(), 1);
        const ScriptedPrompts::Message message = m_prompts->messages().first();
        QVERIFY2(message.text.startsWith(QStringLiteral("插入日志时失败!")), qPrintable(message.text));
        QVERIFY(message.text.size() > QStringLiteral("插入日志时失败!").size());
        QVERIFY2(message.text.contains(errorPart), qPrintable(message.text));
        QCOMPARE(message.caption, QStringLiteral("提示"));
        QCOMPARE(message.flags, 16);
        if (breakage == QLatin1String("lock"))
            QVERIFY(m_fixture->exec(QStringLiteral("rollback")));
    }

    // --- NextOperatorId

    void nextOperatorId_data()
    {
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QString>("next");
        QTest::newRow("administrator only") << QStringList{"001"} << "002";
        QTest::newRow("009") << QStringList{"001", "009"} << "010";
        QTest::newRow("099") << QStringList{"001", "099"} << "100";
        QTest::newRow("999") << QStringList{"001", "999"} << "1000";
        QTest::newRow("numeric, not text order") << QStringList{"001", "999", "1000"} << "1001";
        QTest::newRow("no operators") << QStringList{} << "001";
    }
    void nextOperatorId()
    {
        QFETCH(QStringList, ids);
        QFETCH(QString, next);
        connectFixture();
        QVERIFY(m_fixture->exec(QStringLiteral("delete from Operators")));
        for (const QString& id : ids)
            QVERIFY2(m_fixture->addOperator(id, QStringLiteral("op ") + id, QStringLiteral("1"), 2),
                     qPrintable(m_fixture->error()));
        QString error;
        QCOMPARE(NextOperatorId(&error), next);
        QVERIFY(error.isEmpty());
    }

    void nextOperatorIdReportsError()
    {
        connectFixture();
        QVERIFY(m_fixture->exec(QStringLiteral("drop table Operators")));
        QString error;
        QCOMPARE(NextOperatorId(&error), QString());
        QVERIFY2(error.contains(QLatin1String("Operators")), qPrintable(error));
    }

    // --- small helpers

    void operatorFieldsTrimmedAndCut()
    {
        QSqlRecord row;
        const QList<QPair<QString, QVariant>> values = {
            {QStringLiteral("UserId"), QStringLiteral(" 123456789 ")},
            {QStringLiteral("UserName"), QStringLiteral("  A name of twenty-five ch  ")},
            {QStringLiteral("DepId"), QStringLiteral("department")},
            {QStringLiteral("DepName"), QString()},
            {QStringLiteral("RoleType"), 1},
            {QStringLiteral("PassWord"), QStringLiteral("stored")},
        };
        for (const auto& [name, value] : values) {
            QSqlField field(name, value.metaType());
            field.setValue(value);
            row.append(field);
        }
        const TCurrentOperator op = OperatorFromRecord(row, QStringLiteral(" typed "));
        QCOMPARE(op.UserId, QStringLiteral("12345678"));
        QCOMPARE(op.UserName, QStringLiteral("A name of twenty-fiv"));
        QCOMPARE(op.DepId, QStringLiteral("departme"));
        QCOMPARE(op.DepName, QString());
        QCOMPARE(op.RoleType, 1);
        QCOMPARE(op.PassWord, QStringLiteral("typed"));
    }

    void quoteSqlText_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("trimmed") << "  abc  "
                                 << "'abc'";
        QTest::newRow("empty") << ""
                               << "''";
        QTest::newRow("control characters") << "\t x \r\n"
                                            << "'x'";
        QTest::newRow("inner blanks kept") << " a b "
                                           << "'a b'";
    }
    void quoteSqlText()
    {
        QFETCH(QString, value);
        QFETCH(QString, quoted);
        QCOMPARE(QuoteSqlText(value), quoted);
    }

    void filterQuoteKey_data()
    {
        QTest::addColumn<QChar>("key");
        QTest::addColumn<bool>("dropped");
        QTest::newRow("apostrophe") << QChar(u'\'') << true;
        QTest::newRow("full-width apostrophe") << QChar(0xFF07) << true;
        QTest::newRow("full-width exclamation") << QChar(0xFF01) << true;
        QTest::newRow("full-width tilde") << QChar(0xFF5E) << true;
        QTest::newRow("full-width yen") << QChar(0xFFE5) << true;
        QTest::newRow("double quote") << QChar(u'"') << false;
        QTest::newRow("letter") << QChar(u'a') << false;
        QTest::newRow("backquote") << QChar(u'`') << false;
        QTest::newRow("pound sign") << QChar(0x00A3) << false;
        QTest::newRow("half-width katakana") << QChar(0xFF61) << false;
        QTest::newRow("ideograph") << QChar(0x4E2D) << false;
    }
    void filterQuoteKey()
    {
        QFETCH(QChar, key);
        QFETCH(bool, dropped);
        QCOMPARE(FilterQuoteKey(key).isNull(), dropped);
        if (!dropped)
            QCOMPARE(FilterQuoteKey(key), key);
    }

    void localIpAddress_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("address");
        QTest::newRow("literal address") << "192.0.2.7"
                                         << "192.0.2.7";
        QTest::newRow("unknown host") << "no-such-host.invalid"
                                      << "0.0.0.0";
        QTest::newRow("not a host name") << "no such host"
                                         << "0.0.0.0";
    }
    void localIpAddress()
    {
        QFETCH(QString, host);
        QFETCH(QString, address);
        QCOMPARE(GetLocalIpAddress(host), address);
    }

    void localMachineHasAnIpv4Address()
    {
        const QString address = GetLocalIpAddress(QString());
        QHostAddress parsed;
        QVERIFY2(parsed.setAddress(address), qPrintable(address));
        QCOMPARE(parsed.protocol(), QAbstractSocket::IPv4Protocol);
    }

private:
    void createFixture()
    {
        m_fixture = std::make_unique<FixtureDatabase>(m_dir->filePath(QStringLiteral("ParamConfig.db")));
        QVERIFY2(m_fixture->ok(), qPrintable(m_fixture->error()));
    }
    void connectFixture()
    {
        createFixture();
        QString error;
        QVERIFY2(ConnectDatabase(QString(), QString(), QString(), QString(), &error), qPrintable(error));
    }

    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<TestAppDir> m_dir;
    std::unique_ptr<FixtureDatabase> m_fixture;
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "test_database.moc"
