#include "SqlScript.h"

#include <QSqlError>
#include <QSqlQuery>

QStringList SplitSqlScript(const QString& script)
{
    QStringList statements;
    QString current;
    QChar quote; // the open quote character, or null
    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script.at(i);
        const QChar next = i + 1 < script.size() ? script.at(i + 1) : QChar();
        if (!quote.isNull()) {
            current += c;
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
            while (i < script.size() && script.at(i) != QLatin1Char('\n'))
                ++i;
            current += QLatin1Char('\n');
            continue;
        }
        if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            const qsizetype end = script.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? script.size() : end + 1;
            current += QLatin1Char(' ');
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"'))
            quote = c;
        if (c == QLatin1Char(';')) {
            if (!current.trimmed().isEmpty())
                statements << current.trimmed();
            current.clear();
            continue;
        }
        current += c;
    }
    if (!current.trimmed().isEmpty())
        statements << current.trimmed();
    return statements;
}

bool RunSqlScript(QSqlDatabase& db, const QString& script, QString* error)
{
    if (!db.transaction()) {
        if (error)
            *error = db.lastError().text();
        return false;
    }
    for (const QString& statement : SplitSqlScript(script)) {
        QSqlQuery query(db);
        if (!query.exec(statement)) {
            if (error)
                *error = QStringLiteral("%1: %2").arg(statement, query.lastError().text());
            query.finish();
            db.rollback();
            return false;
        }
    }
    if (!db.commit()) {
        if (error)
            *error = db.lastError().text();
        return false;
    }
    return true;
}
