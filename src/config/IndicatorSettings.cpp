#include "IndicatorSettings.h"

#include "SettingsText.h"
#include "app/Prompt.h"

#include <algorithm>

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
    const QString hhmm = QStringLiteral("%1:%2")
                             .arg(magnitude / 60, 2, 10, QLatin1Char('0'))
                             .arg(magnitude % 60, 2, 10, QLatin1Char('0'));
    return minutes < 0 ? QStringLiteral("(UTC -") + hhmm + QLatin1Char(')')
                       : QStringLiteral("(UTC+") + hhmm + QLatin1Char(')');
}

namespace {

bool IsBlankChar(QChar c)
{
    return c.isSpace() || c.category() == QChar::Other_Control;
}

ValidationResult Fault(SettingsField field, const QString& message = QString())
{
    return {false, field, message};
}

SettingsField Field(SettingsField::Kind kind)
{
    return {kind, SettingsField::Temperature, 0};
}

// The messages below name values that the settings text cannot hold; the
// writer would otherwise leave a number field empty or overflow its columns,
// which the logger and the profile reader cannot read back.
QString WholeFieldProblem(const QString& text, int width, const QString& name)
{
    const QString field = FormatWholeField(text, width);
    if (field.isEmpty())
        return QStringLiteral("The %1 is not a valid number. Please correct it.").arg(name);
    if (field.size() > width)
        return QStringLiteral("The %1 has more than %2 digits. Please correct it.").arg(name).arg(width);
    return {};
}

QString ThresholdProblem(const QString& text, const QString& name)
{
    const QString field = FormatThresholdField(text);
    if (field.isEmpty())
        return QStringLiteral("The %1 is not a valid number. Please correct it.").arg(name);
    // The field is [-]ii.d; the reader takes at most three integer digits.
    const qsizetype integerDigits =
        field.indexOf(QLatin1Char('.')) - (field.startsWith(QLatin1Char('-')) ? 1 : 0);
    if (integerDigits > 3)
        return QStringLiteral("The %1 is too large for the settings file (it must lie between -999 and 999). "
                              "Please correct it.")
            .arg(name);
    return {};
}

QString PdfTextProblem(const QString& text, const QString& name)
{
    const QString written = TrimBlanks(text);
    // A control character inside would break the line; others have no byte in the file's code page.
    const bool controls = std::any_of(written.cbegin(), written.cend(),
                                      [](QChar c) { return c.category() == QChar::Other_Control; });
    if (controls || !IsWindows1252Text(written))
        return QStringLiteral("The %1 contains a character that cannot be written to the settings file. "
                              "Please correct it.")
            .arg(name);
    return {};
}

// One alarm set's chain: per rule the time before the threshold, each
// field's blank check followed by its check against the file format.
// Format checks only for what the writer writes (checkFormat).
bool CheckAlarmChain(const TAlarmSet& set, SettingsField::Set which, bool checkFormat,
                     ValidationResult* result)
{
    const QString setName =
        which == SettingsField::Temperature ? QStringLiteral("temperature") : QStringLiteral("humidity");
    const QList<TAlarmRule> chain = EffectiveAlarms(set);
    for (qsizetype i = 0; i < chain.size(); ++i) {
        const TAlarmRule& rule = chain[i];
        const int number = int(i) + 1;
        const SettingsField time{SettingsField::AlarmTime, which, number};
        const SettingsField threshold{SettingsField::AlarmThreshold, which, number};
        const QString ruleName = QStringLiteral("%1 alarm %2").arg(setName).arg(number);

        if (IsBlank(rule.AlarmTime)) {
            *result = Fault(time);
            return false;
        }
        if (checkFormat) {
            const QString problem =
                WholeFieldProblem(rule.AlarmTime, 5, QStringLiteral("alarm time of ") + ruleName);
            if (!problem.isEmpty()) {
                *result = Fault(time, problem);
                return false;
            }
        }
        if (IsBlank(rule.Threshold)) {
            *result = Fault(threshold);
            return false;
        }
        if (checkFormat) {
            const QString problem =
                ThresholdProblem(rule.Threshold, QStringLiteral("threshold of ") + ruleName);
            if (!problem.isEmpty()) {
                *result = Fault(threshold, problem);
                return false;
            }
        }
    }
    return true;
}

} // namespace

QString TrimBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlankChar(text[begin]))
        ++begin;
    while (end > begin && IsBlankChar(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

bool IsBlank(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), IsBlankChar);
}

// Order: the completeness checks as the windows have always run them (days,
// interval, delay, output format, temperature alarms), each field's format
// check right after its blank check; the PDF texts after the output format,
// where their lines stand in the file; the humidity alarms last. Blank checks
// return no message, so the caller shows its incomplete-parameter message.
ValidationResult ValidateSettings(const TIndicatorSettings& s, bool requireOutputFormat)
{
    if (IsBlank(s.RecordingDays))
        return Fault(Field(SettingsField::RecordingDays));
    if (QString p = WholeFieldProblem(s.RecordingDays, 3, QStringLiteral("recording period (days)"));
        !p.isEmpty())
        return Fault(Field(SettingsField::RecordingDays), p);

    if (IsBlank(s.RecordingInterval))
        return Fault(Field(SettingsField::RecordingInterval));
    if (QString p = WholeFieldProblem(s.RecordingInterval, 2, QStringLiteral("recording interval (minutes)"));
        !p.isEmpty())
        return Fault(Field(SettingsField::RecordingInterval), p);

    if (s.DelayEnabled) {
        // Only an empty delay counts as missing here; a delay of blanks is
        // caught by the number check right after.
        if (s.DelayedStart.isEmpty())
            return Fault(Field(SettingsField::DelayedStart));
        if (QString p = WholeFieldProblem(s.DelayedStart, 3, QStringLiteral("start delay (minutes)"));
            !p.isEmpty())
            return Fault(Field(SettingsField::DelayedStart), p);
    }

    if (requireOutputFormat && !s.OutputPdf && !s.OutputCsv) {
        ShowPrompt(QStringLiteral("Please choose at least one output format!"), QStringLiteral("Prompt"),
                   MsgFlags::Ok | MsgFlags::IconInformation);
        return Fault(Field(SettingsField::None));
    }

    if (s.OutputPdf) {
        const struct
        {
            bool shown;
            const QString& text;
            SettingsField::Kind kind;
            const char* name;
        } texts[] = {
            {s.PdfShowLogo, s.PdfLogo, SettingsField::PdfLogo, "logo text"},
            {s.PdfShowDevice, s.PdfDevice, SettingsField::PdfDevice, "device name"},
            {s.PdfShowUrl, s.PdfUrl, SettingsField::PdfUrl, "web address"},
            {s.PdfShowUsbName, s.PdfUsbName, SettingsField::PdfUsbName, "USB name"},
            {s.PdfShowDeviceId, s.PdfDeviceId, SettingsField::PdfDeviceId, "device ID"},
            {s.PdfShowTripDescription, s.PdfTripDescription, SettingsField::PdfTripDescription,
             "trip description"},
        };
        for (const auto& t : texts) {
            if (!t.shown)
                continue;
            const QString name = QLatin1String(t.name) + QStringLiteral(" of the PDF report");
            if (QString p = PdfTextProblem(t.text, name); !p.isEmpty())
                return Fault(Field(t.kind), p);
        }
    }

    ValidationResult result;
    // Enabled temperature alarms must be complete even while temperature is not recorded.
    if (!CheckAlarmChain(s.TemperatureAlarms, SettingsField::Temperature, s.CollectTemperature, &result))
        return result;
    if (s.CollectHumidity && !CheckAlarmChain(s.HumidityAlarms, SettingsField::Humidity, true, &result))
        return result;
    return result;
}
