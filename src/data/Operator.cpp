#include "Operator.h"

#include "app/Clock.h"
#include "app/Prompt.h"
#include "data/DataModule.h"
#include "data/Shared.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace {

QString Field(const QSqlRecord& row, const char* name, int capacity)
{
    const int index = row.indexOf(QLatin1String(name));
    if (index < 0)
        return QStringLiteral("");
    return TrimText(row.value(index).toString()).left(capacity);
}

} // namespace

TCurrentOperator& CurrentOperator()
{
    static TCurrentOperator current;
    return current;
}

TCurrentOperator OperatorFromRecord(const QSqlRecord& row, const QString& typedPassword)
{
    TCurrentOperator op;
    op.UserId = Field(row, "UserId", OperatorLimits::UserId);
    op.UserName = Field(row, "UserName", OperatorLimits::UserName);
    op.DepId = Field(row, "DepId", OperatorLimits::DepId);
    op.DepName = Field(row, "DepName", OperatorLimits::DepName);
    const int role = row.indexOf(QLatin1String("RoleType"));
    op.RoleType = role < 0 ? 0 : row.value(role).toInt();
    op.PassWord = TrimText(typedPassword).left(OperatorLimits::PassWord);
    return op;
}

void WriteOperationLog(const QString& operTitle, const QString& operType, const QString& operMem)
{
    const TCurrentOperator& op = CurrentOperator();
    QSqlQuery query(ZConnection());
    bool ok = query.prepare(QStringLiteral(
        "Insert Into LogOper(UserId,UserName,OperTitle,OperType,OperMem,OperTime) values(?,?,?,?,?,?)"));
    if (ok) {
        query.addBindValue(TrimText(op.UserId));
        query.addBindValue(TrimText(op.UserName));
        query.addBindValue(TrimText(operTitle));
        query.addBindValue(TrimText(operType));
        query.addBindValue(TrimText(operMem));
        query.addBindValue(NowLocal().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        ok = query.exec();
    }
    if (!ok)
        ShowPrompt(QStringLiteral("插入日志时失败!") + query.lastError().text(), QStringLiteral("提示"),
                   MsgFlags::Ok | MsgFlags::IconError);
}

QString NextOperatorId(QString* error)
{
    // Numeric, not text order: "1000" sorts below "999" as text.
    QSqlQuery query(ZConnection());
    if (!query.exec(QStringLiteral("select max(cast(UserId as integer)) from Operators"))) {
        if (error)
            *error = query.lastError().text();
        return QString();
    }
    if (!query.next() || query.value(0).isNull())
        return QStringLiteral("001");
    const qlonglong next = query.value(0).toLongLong() + 1;
    return QString::number(next).rightJustified(3, QLatin1Char('0'));
}
