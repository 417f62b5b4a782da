#include "IndicatorSettings.h"

QList<TAlarmRule> EffectiveAlarms(const TAlarmSet& set)
{
    QList<TAlarmRule> chain;
    for (const TAlarmRule& rule : set) {
        if (!rule.Enabled)
            break;
        chain.append(rule);
    }
    return chain;
}

QString TimeZoneText(int index)
{
    const int minutes = (index - 24) * 30;
    const int magnitude = minutes < 0 ? -minutes : minutes;
    const QString hhmm = QStringLiteral("%1:%2").arg(magnitude / 60, 2, 10, QLatin1Char('0')).arg(magnitude % 60, 2, 10, QLatin1Char('0'));
    return minutes < 0 ? QStringLiteral("(UTC -") + hhmm + QLatin1Char(')') : QStringLiteral("(UTC+") + hhmm + QLatin1Char(')');
}

ValidationResult ValidateSettings(const TIndicatorSettings&, bool)
{
    return {}; // TODO: the completeness check
}
