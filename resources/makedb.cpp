// Makes the operator database that the build lays out beside the program:
//   makedb <schema.sql> <ParamConfig.db>
// The database is built under a temporary name and then moved into place, so
// a failed run never leaves half a database behind.

#include "data/SqlScript.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QTextStream>

namespace {

int Fail(const QString& message)
{
    QTextStream(stderr) << "makedb: " << message << '\n';
    return 1;
}

bool Build(const QString& script, const QString& path, QString* error)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("makedb"));
    db.setDatabaseName(path);
    bool ok = db.open();
    if (!ok)
        *error = db.lastError().text();
    else
        ok = RunSqlScript(db, script, error);
    db.close();
    return ok;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3)
        return Fail(QStringLiteral("usage: makedb <schema.sql> <database>"));

    QFile schema(args.at(1));
    if (!schema.open(QIODevice::ReadOnly))
        return Fail(QStringLiteral("cannot read %1: %2").arg(args.at(1), schema.errorString()));
    const QString script = QString::fromUtf8(schema.readAll());

    const QString target = args.at(2);
    const QString temporary = target + QStringLiteral(".new");
    QFile::remove(temporary);
    QString error;
    const bool built = Build(script, temporary, &error);
    QSqlDatabase::removeDatabase(QStringLiteral("makedb"));
    if (!built) {
        QFile::remove(temporary);
        return Fail(error);
    }
    QFile::remove(target);
    if (!QFile::rename(temporary, target))
        return Fail(QStringLiteral("cannot move %1 into place").arg(target));
    return 0;
}
