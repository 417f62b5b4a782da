#include "FixtureDatabase.h"

#include "data/SqlScript.h"

#include <QAtomicInt>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {
QAtomicInt g_counter;
}

QString SchemaSql()
{
    QFile file(qEnvironmentVariable("PARAM_SOURCE_DIR") + QStringLiteral("/resources/schema.sql"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

FixtureDatabase::FixtureDatabase(const QString& path)
    : m_name(QStringLiteral("fixture%1").arg(g_counter.fetchAndAddRelaxed(1)))
{
    QFile::remove(path);
    const QString schema = SchemaSql();
    if (schema.isEmpty()) {
        m_error = QStringLiteral("resources/schema.sql not found (PARAM_SOURCE_DIR)");
        return;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    if (!db.open()) {
        m_error = db.lastError().text();
        return;
    }
    RunSqlScript(db, schema, &m_error);
}

FixtureDatabase::~FixtureDatabase()
{
    QSqlDatabase::database(m_name, false).close();
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase FixtureDatabase::connection() const
{
    return QSqlDatabase::database(m_name, false);
}

bool FixtureDatabase::exec(const QString& sql, const QVariantList& values)
{
    QSqlQuery query(connection());
    bool done = query.prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    done = done && query.exec();
    if (!done)
        m_error = query.lastError().text();
    return done;
}

bool FixtureDatabase::addOperator(const QString& id, const QString& name, const QString& password, int role)
{
    return exec(
        QStringLiteral("insert into Operators(UserId, UserName, DepId, DepName, Mobile, RoleType, PassWord) "
                       "values(?, ?, '', '', '', ?, ?)"),
        {id, name, role, password});
}

QList<QVariantList> FixtureDatabase::rows(const QString& sql, const QVariantList& values)
{
    QList<QVariantList> result;
    QSqlQuery query(connection());
    query.prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        m_error = query.lastError().text();
        return result;
    }
    while (query.next()) {
        QVariantList row;
        for (int i = 0; i < query.record().count(); ++i)
            row << query.value(i);
        result << row;
    }
    return result;
}
