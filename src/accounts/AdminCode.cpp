#include "AdminCode.h"

#include "app/Clock.h"

QString GeneralNumberText(double value)
{
    QString text = QString::number(value, 'g', 15);
    if (!text.contains(QLatin1Char('e')))
        return text;
    // Very large or very small: write the digits out, without trailing zeros.
    text = QString::number(value, 'f', 15);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text;
}

QString DailyAdminCodeFor(const QDate& date)
{
    int digitSum = 0;
    for (QChar digit : date.toString(QStringLiteral("yyyyMMdd")))
        digitSum += digit.digitValue();
    // 1 = Sunday ... 7 = Saturday.
    const int weekday = date.dayOfWeek() % 7 + 1;
    const double value = double(digitSum) / weekday * 1000;
    return GeneralNumberText(value).left(4);
}

QString DailyAdminCode()
{
    return DailyAdminCodeFor(NowLocal().date());
}
