#pragma once

// One temporary application directory with its own ParamConfig.db (made from
// resources/schema.sql: the administrator "001" / "472") and the program's
// database connection open on it, for one test.

#include "FixtureDatabase.h"
#include "TestAppDir.h"
#include "app/AppDir.h"
#include "data/AppConfig.h"
#include "data/DataModule.h"
#include "data/Operator.h"

#include <QTest>

#include <memory>

class AccountsFixture
{
public:
    AccountsFixture() : m_db(std::make_unique<FixtureDatabase>(AppFilePath(QStringLiteral("ParamConfig.db"))))
    {
        AppConfig() = TAppConfig{};
        AppConfig().DBMod = QStringLiteral("2");
        AppConfig().SPWS = QStringLiteral("0");
        CurrentOperator() = TCurrentOperator{};
        if (!m_db->ok()) {
            m_error = m_db->error();
            return;
        }
        QString error;
        if (!ConnectDatabase(QString(), QString(), QString(), QString(), &error))
            m_error = error;
    }
    ~AccountsFixture()
    {
        CloseDatabase();
        CurrentOperator() = TCurrentOperator{};
    }
    Q_DISABLE_COPY_MOVE(AccountsFixture)

    // Empty when the database is ready.
    const QString& error() const { return m_error; }
    FixtureDatabase& db() { return *m_db; }

    // Logs the operator in as far as the rest of the program is concerned.
    void signIn(const QString& id, const QString& name, const QString& password, int role)
    {
        TCurrentOperator& op = CurrentOperator();
        op = TCurrentOperator{};
        op.UserId = id;
        op.UserName = name;
        op.PassWord = password;
        op.RoleType = role;
    }

    // Rows of Operators, each "UserId|UserName|Mobile|RoleType|PassWord", by ID.
    QStringList operators()
    {
        QStringList result;
        const auto rows = m_db->rows(QStringLiteral(
            "select UserId, UserName, Mobile, RoleType, PassWord from Operators order by UserId"));
        for (const QVariantList& row : rows) {
            QStringList values;
            for (const QVariant& value : row)
                values << value.toString();
            result << values.join(QLatin1Char('|'));
        }
        return result;
    }
    // Rows of LogOper, each "UserId|UserName|OperTitle|OperType|OperMem".
    QStringList logRows()
    {
        QStringList result;
        const auto rows = m_db->rows(QStringLiteral(
            "select UserId, UserName, OperTitle, OperType, OperMem from LogOper order by rowid"));
        for (const QVariantList& row : rows) {
            QStringList values;
            for (const QVariant& value : row)
                values << value.toString();
            result << values.join(QLatin1Char('|'));
        }
        return result;
    }

private:
    TestAppDir m_dir; // first: AppFilePath points into it from here on
    std::unique_ptr<FixtureDatabase> m_db;
    QString m_error;
};
