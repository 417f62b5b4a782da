#include "DataModule.h"

#include "app/AppDir.h"
#include "data/AppConfig.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace {

const QString kSqliteName = QStringLiteral("ZConnection");
const QString kOdbcName = QStringLiteral("ADOConnect");
constexpr int kLoginTimeoutSeconds = 8;

void Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

// A value inside an ODBC connection string, braced so that ';' or '=' in it
// cannot add attributes.
QString OdbcValue(const QString& value)
{
    QString braced = value;
    braced.replace(QLatin1Char('}'), QLatin1String("}}"));
    return QLatin1Char('{') + braced + QLatin1Char('}');
}

// Reuses the named connection (closing it) or adds it.
QSqlDatabase Prepare(const QString& driver, const QString& name)
{
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
        return db;
    }
    return QSqlDatabase::addDatabase(driver, name);
}

bool ConnectSqlite(QString* error)
{
    const QString path = AppFilePath(QStringLiteral("ParamConfig.db"));
    // SQLite would quietly create an empty database in place of a missing file.
    if (!QFileInfo(path).isFile()) {
        Fail(error, QStringLiteral("The database file %1 does not exist or is not a file.").arg(path));
        return false;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        Fail(error, QStringLiteral("The SQLite driver is not available."));
        return false;
    }
    QSqlDatabase db = Prepare(QStringLiteral("QSQLITE"), kSqliteName);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kDatabaseBusyTimeoutMs));
    if (!db.open()) {
        Fail(error, db.lastError().text());
        return false;
    }
    // Opening does not read the file; this does, so that a corrupt file, a
    // non-database or a locked database is found now.
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("select count(*) from sqlite_master")) || !probe.next()) {
        Fail(error, probe.lastError().text());
        probe.finish();
        db.close();
        return false;
    }
    return true;
}

bool ConnectOdbc(const QString& connectionString, QString* error)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC"))) {
        Fail(error, QStringLiteral("No ODBC driver is installed."));
        return false;
    }
    QSqlDatabase db = Prepare(QStringLiteral("QODBC"), kOdbcName);
    db.setDatabaseName(connectionString);
    db.setConnectOptions(
        QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1;SQL_ATTR_CONNECTION_TIMEOUT=%1").arg(kLoginTimeoutSeconds));
    if (!db.open()) {
        Fail(error, db.lastError().text());
        return false;
    }
    return true;
}

} // namespace

TFDM::TFDM()
{
    LoadAppConfig();
}

TFDM::~TFDM()
{
    CloseDatabase();
}

bool ConnectDatabase(const QString& password, const QString& user, const QString& database,
                     const QString& server, QString* error)
{
    const QString mode = AppConfig().DBMod;
    if (mode == QLatin1String("2"))
        return ConnectSqlite(error);
    if (mode == QLatin1String("0")) {
        const QString connection =
            QStringLiteral("DRIVER={FreeTDS};SERVER=%1;DATABASE=%2;UID=%3;PWD=%4")
                .arg(OdbcValue(server), OdbcValue(database), OdbcValue(user), OdbcValue(password));
        return ConnectOdbc(connection, error);
    }
    if (mode == QLatin1String("1")) {
        const QString path = AppFilePath(QStringLiteral("Data.mdb"));
        if (!QFileInfo(path).isFile()) {
            Fail(error, QStringLiteral("The database file %1 does not exist.").arg(path));
            return false;
        }
        return ConnectOdbc(QStringLiteral("DRIVER={MDBTools};DBQ=%1;PWD={350746}").arg(OdbcValue(path)),
                           error);
    }
    Fail(error, QStringLiteral("Unknown database mode \"%1\".").arg(mode));
    return false;
}

QSqlDatabase ZConnection()
{
    return QSqlDatabase::database(kSqliteName, false);
}

QSqlDatabase ADOConnect()
{
    return QSqlDatabase::database(kOdbcName, false);
}

void CloseDatabase()
{
    for (const QString& name : {kSqliteName, kOdbcName}) {
        if (!QSqlDatabase::contains(name))
            continue;
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
}
