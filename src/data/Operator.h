#pragma once

#include <QString>

class QSqlRecord;

// The operator logged in for this run; empty until a login succeeds and never
// cleared afterwards. Texts are trimmed and cut to the capacity noted.
struct TCurrentOperator
{
    int RoleType = 0; // 1 = administrator, 2 = operator
    QString UserId;   // 8
    QString UserName; // 20
    QString PassWord; // 8: as typed at login (or changed since)
    QString DepId;    // 8
    QString DepName;  // 8
    QString LocalIP;  // 16
};

namespace OperatorLimits {
constexpr int UserId = 8;
constexpr int UserName = 20;
constexpr int PassWord = 8;
constexpr int DepId = 8;
constexpr int DepName = 8;
constexpr int LocalIP = 16;
} // namespace OperatorLimits

// The process-wide record.
TCurrentOperator& CurrentOperator();

// The record for an Operators row (columns found by name) and the password
// the operator typed; LocalIP is left empty.
TCurrentOperator OperatorFromRecord(const QSqlRecord& row, const QString& typedPassword);

// Appends a LogOper row for CurrentOperator with the local time, every value
// trimmed and bound (an empty remark is stored as empty text, not NULL).
// A failure is shown to the user ("插入日志时失败!" and the database's
// message) and goes no further: the caller carries on.
void WriteOperationLog(const QString& operTitle, const QString& operType, const QString& operMem);

// The ID proposed for a new operator: one above the highest numeric UserId,
// zero-padded to three digits ("001" for an empty table, "1000" after "999").
// Returns an empty text and sets error when the database cannot be read.
QString NextOperatorId(QString* error = nullptr);
