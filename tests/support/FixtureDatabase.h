#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

// A ParamConfig.db for one test, made from resources/schema.sql like the
// delivered one (the administrator "001" with password "472" included), and a
// side connection of its own to arrange and inspect rows.
class FixtureDatabase
{
public:
    // Creates the database file at path (replacing one that is there).
    explicit FixtureDatabase(const QString& path);
    ~FixtureDatabase();
    Q_DISABLE_COPY_MOVE(FixtureDatabase)

    bool ok() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }

    // Runs one statement with bound values; false (and error()) on failure.
    bool exec(const QString& sql, const QVariantList& values = {});
    // Adds an operator account.
    bool addOperator(const QString& id, const QString& name, const QString& password, int role);
    // Every row of a query, each as its list of values.
    QList<QVariantList> rows(const QString& sql, const QVariantList& values = {});

    QSqlDatabase connection() const;

private:
    QString m_name;
    QString m_error;
};

// The text of resources/schema.sql.
QString SchemaSql();
