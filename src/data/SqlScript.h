#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Splits SQL text into its statements at the semicolons that are outside
// quotes and comments. Blank statements are left out.
QStringList SplitSqlScript(const QString& script);

// Runs every statement of the script in one transaction; on failure nothing
// is kept and error names the statement and the database's message.
bool RunSqlScript(QSqlDatabase& db, const QString& script, QString* error = nullptr);
