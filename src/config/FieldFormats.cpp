#include "FieldFormats.h"

#include "config/SettingsText.h"

#include <QLocale>
#include <cmath>

namespace {

QLocale GroupingLocale()
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::DefaultNumberOptions); // the C locale omits grouping by default
    return c;
}

} // namespace

QString FormatGroupedWhole(int value)
{
    return GroupingLocale().toString(value);
}

std::optional<double> ReadFixedNumber(const QString& text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString FormatAlarmThreshold(double value)
{
    // Four significant digits first, then one decimal: 99.96 becomes 100.0,
    // 1832.44 becomes 1832 and then 1,832.0.
    const double rounded = QString::number(value, 'g', 4).toDouble();
    QString text = GroupingLocale().toString(rounded, 'f', 1);
    if (text == QLatin1String("-0.0"))
        text.remove(0, 1);
    return text;
}

std::optional<QString> AlarmTimeCaption(const QString& timeText, int condition)
{
    if (timeText.trimmed().isEmpty())
        return QString();
    bool ok = false;
    const int minutes = FilterNumberChars(timeText).toInt(&ok);
    if (!ok)
        return std::nullopt;
    if (condition == 1) {
        const QString unit =
            minutes == 0 || minutes == 1 ? QStringLiteral(" Time)") : QStringLiteral(" Times)");
        return QLatin1Char('(') + timeText + unit;
    }
    if (minutes % 60 != 0)
        return QLatin1Char('(') + timeText + QStringLiteral(" Minutes)");
    return QStringLiteral("(%1 Hours)").arg(minutes / 60);
}

QString NotANumberMessage(const QString& text)
{
    return QLatin1Char('\'') + text + QStringLiteral("' is not a valid number.");
}

QString NotAWholeNumberMessage(const QString& text)
{
    return QLatin1Char('\'') + text + QStringLiteral("' is not a valid whole number.");
}
