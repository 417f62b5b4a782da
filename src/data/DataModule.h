#pragma once

#include <QSqlDatabase>
#include <QString>

// The data module: the program's database connections. One instance lives from
// the start of the start-up sequence to the end of the program; creating it
// reads Config.ini (LoadAppConfig), destroying it closes the connections.
class TFDM
{
public:
    TFDM();
    ~TFDM();
    Q_DISABLE_COPY_MOVE(TFDM)
};

// Opens the connection selected by AppConfig().DBMod and returns whether it is
// usable; shows no message. The four texts are used by mode "0" only.
//   "2": SQLite, the existing ParamConfig.db beside the program (never created);
//        a corrupt file, a non-database or a locked database fails here.
//   "0": SQL Server through ODBC (FreeTDS); "1": Data.mdb through ODBC (MDB
//        tools). Both fail cleanly, within a few seconds, where no driver or
//        server is there.
//   anything else: false.
// A previous connection of the same kind is closed first.
bool ConnectDatabase(const QString& password, const QString& user, const QString& database,
                     const QString& server, QString* error = nullptr);

// The SQLite connection that every statement on Operators and LogOper runs on
// (open only after a successful ConnectDatabase in mode "2"). Queries:
//   QSqlQuery query(ZConnection());
QSqlDatabase ZConnection();
// The ODBC connection of modes "0" and "1".
QSqlDatabase ADOConnect();

// Closes and removes both connections (the data module's destructor; tests).
void CloseDatabase();

// How long a statement waits for a database locked by another program before
// it fails with "database is locked".
constexpr int kDatabaseBusyTimeoutMs = 2000;
