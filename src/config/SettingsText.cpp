#include "SettingsText.h"

#include "app/Clock.h"
#include "app/Prompt.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSaveFile>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool IsAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Reads a plain decimal number: an optional sign (when allowed), digits with at
// most one full stop, at least one digit; surrounding blanks are ignored. No
// grouping, no exponent, no "inf"/"nan": anything else is not a number. The
// full stop is the separator whatever the locale, so a file written on one
// computer reads the same on another.
bool ParseDecimal(const QString& text, bool allowSign, double* value)
{
    const QString t = TrimBlanks(text);
    qsizetype i = 0;
    bool negative = false;
    if (allowSign && i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    const qsizetype start = i;
    int digits = 0;
    int stops = 0;
    for (; i < t.size(); ++i) {
        if (IsAsciiDigit(t[i]))
            ++digits;
        else if (t[i] == QLatin1Char('.') && ++stops == 1)
            continue;
        else
            return false;
    }
    if (digits == 0)
        return false;
    const QByteArray magnitude = t.mid(start).toLatin1();
    double result = 0;
    const auto [end, ec] = std::from_chars(magnitude.constData(), magnitude.constData() + magnitude.size(),
                                           result, std::chars_format::fixed);
    if (ec != std::errc() || end != magnitude.constData() + magnitude.size() || !std::isfinite(result))
        return false;
    *value = negative ? -result : result;
    return true;
}

// The whole number nearest to value * scale, halves away from zero, decided on
// the exact binary value: 0.15 is stored just below the half and gives 1 tenth.
// value >= 0.
double RoundScaled(double value, double scale)
{
    const double product = value * scale;
    const double error = std::fma(value, scale, -product); // exact product minus rounded product
    const double whole = std::floor(product);
    const double fraction = product - whole;
    if (fraction == 0.5)
        return error < 0 ? whole : whole + 1;
    return fraction > 0.5 ? whole + 1 : whole;
}

// The same for value / divisor, divisor a power of ten above 1.
double RoundDivided(double value, double divisor)
{
    const double quotient = value / divisor;
    const double excess = std::fma(quotient, divisor, -value); // > 0: the quotient is above the exact one
    const double whole = std::floor(quotient);
    const double fraction = quotient - whole;
    if (fraction == 0.5)
        return excess > 0 ? whole : whole + 1;
    return fraction > 0.5 ? whole + 1 : whole;
}

QString DigitsOf(double wholeNumber)
{
    return QString::number(wholeNumber, 'f', 0);
}

QString OnOff(int index, const char* first, const char* second)
{
    return QLatin1String(index == 0 ? first : second);
}

QString AlarmLine(int number, const TAlarmRule& rule, const QString& unitMark)
{
    QString line = QStringLiteral("Alarm %1:").arg(number);
    line += rule.Direction == TAlarmRule::Above ? QStringLiteral("above ") : QStringLiteral("below ");
    line += FormatThresholdField(rule.Threshold);
    line += unitMark;
    if (rule.Condition == TAlarmRule::Accumulative)
        line += QStringLiteral("Accumulative alarm ") + FormatWholeField(rule.AlarmTime, 5) +
                QStringLiteral("(min)");
    else
        line += QStringLiteral("Instantly ") + FormatWholeField(rule.AlarmTime, 5) + QStringLiteral("(time)");
    return line;
}

// Makes the rename itself durable: a logger's drive may be pulled right after
// "Upload successed!". Best effort; the file's own data is already synced.
void SyncDirectoryOf(const QString& path)
{
    const QByteArray dir = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

SettingsLine MakeLine(SettingsLine::Kind kind, const QString& text, bool ownCr = true)
{
    SettingsLine line;
    line.kind = kind;
    line.text = text;
    line.ownCr = ownCr;
    return line;
}

bool Fail(QString* errorString, const QString& reason)
{
    if (errorString)
        *errorString = reason;
    return false;
}

} // namespace

QString FilterNumberChars(const QString& text)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (IsAsciiDigit(c) || c == QLatin1Char('.'))
            kept.append(c);
    }
    return kept;
}

QString FormatWholeField(const QString& text, int width)
{
    double value = 0;
    if (!ParseDecimal(FilterNumberChars(text), false, &value))
        return {};
    return DigitsOf(RoundScaled(value, 1.0)).rightJustified(width, QLatin1Char('0'));
}

QString FormatThresholdField(const QString& text)
{
    double value = 0;
    if (!ParseDecimal(text, true, &value))
        return {};
    const double magnitude = std::fabs(value);
    QString field = value < 0 ? QStringLiteral("-") : QString();
    if (magnitude < 100) {
        // One decimal is at most three significant digits here.
        const auto tenths = static_cast<qint64>(RoundScaled(magnitude, 10.0));
        field += QStringLiteral("%1.%2").arg(tenths / 10, 2, 10, QLatin1Char('0')).arg(tenths % 10);
        return field;
    }
    // Three significant digits: whole numbers from 100, tens from 1000 and so on.
    double divisor = 1;
    int zeros = 0;
    while (magnitude / divisor >= 1000) {
        divisor *= 10;
        ++zeros;
    }
    const double rounded = divisor == 1 ? RoundScaled(magnitude, 1.0) : RoundDivided(magnitude, divisor);
    field += DigitsOf(rounded) + QString(zeros, QLatin1Char('0')) + QStringLiteral(".0");
    return field;
}

QString LoggerTimeText(const QDateTime& utcNow, int timeZoneIndex)
{
    const QDateTime t = utcNow.toUTC().addSecs(qint64(timeZoneIndex - 24) * 30 * 60);
    const QDate d = t.date();
    const QTime h = t.time();
    const QLatin1Char zero('0');
    return QStringLiteral("%1/%2/%3 %4:%5:%6")
        .arg(d.year() % 100, 2, 10, zero)
        .arg(d.month(), 2, 10, zero)
        .arg(d.day(), 2, 10, zero)
        .arg(h.hour(), 2, 10, zero)
        .arg(h.minute(), 2, 10, zero)
        .arg(h.second(), 2, 10, zero);
}

QList<SettingsLine> BuildSettingsLines(const TIndicatorSettings& s, const QDateTime& utcNow)
{
    QList<SettingsLine> lines;
    const auto add = [&lines](SettingsLine::Kind kind, const QString& text) {
        lines.append(MakeLine(kind, text));
    };

    add(SettingsLine::StopMode, QStringLiteral("Stop mode:") + OnOff(s.StopMode, "manual", "automatic"));
    add(SettingsLine::Language, QStringLiteral("language:") + OnOff(s.Language, "Russian", "English"));
    if (s.CollectTemperature)
        add(SettingsLine::Unit, QStringLiteral("unit:") + OnOff(s.TemperatureUnit, "C", "F"));
    add(SettingsLine::Probe, QStringLiteral("probe type:") + OnOff(s.ProbeType, "in", "out"));
    add(SettingsLine::TimesOfUse, QStringLiteral("Times of use:") + OnOff(s.TimesOfUse, "single", "many"));

    if (s.OutputPdf) {
        const bool custom = s.PdfShowLogo || s.PdfShowDevice || s.PdfShowTimeFormat || s.PdfShowUrl ||
                            s.PdfShowUsbName || s.PdfShowDeviceId || s.PdfShowTripDescription;
        SettingsLine format = MakeLine(SettingsLine::OutputFormat, QString());
        format.formatPart =
            s.OutputCsv ? QStringLiteral("output format:PDF and CSV.") : QStringLiteral("output format:PDF.");
        format.customMark = custom ? QStringLiteral(">>PDF custom:yes.") : QStringLiteral(">>PDF custom:no.");
        format.text = format.formatPart + format.customMark;
        lines.append(format);

        const auto pdf = [&add](bool show, const char* label, const QString& text) {
            if (show)
                add(SettingsLine::PdfCustom, QLatin1String(label) + TrimBlanks(text) + QLatin1Char('.'));
        };
        pdf(s.PdfShowLogo, ">>logo:", s.PdfLogo);
        pdf(s.PdfShowDevice, ">>Device:", s.PdfDevice);
        if (s.PdfShowTimeFormat)
            add(SettingsLine::PdfCustom,
                QStringLiteral(">>Time format:") + OnOff(s.PdfTimeFormat, "DD/MM/YY.", "MM/DD/YY."));
        pdf(s.PdfShowUrl, ">>url:", s.PdfUrl);
        pdf(s.PdfShowUsbName, ">>usb name:", s.PdfUsbName);
        pdf(s.PdfShowDeviceId, ">>Device ID:", s.PdfDeviceId);
        pdf(s.PdfShowTripDescription, ">>Trip description:", s.PdfTripDescription);
    } else if (s.OutputCsv) {
        SettingsLine format = MakeLine(SettingsLine::OutputFormat, QStringLiteral("output format:CSV."));
        format.formatPart = format.text;
        lines.append(format);
    }

    add(SettingsLine::TimeZone, QStringLiteral("time zone:") + TimeZoneText(s.TimeZoneIndex).trimmed());
    add(SettingsLine::Time, QStringLiteral("time:") + LoggerTimeText(utcNow, s.TimeZoneIndex));
    add(SettingsLine::RecordingDays,
        QStringLiteral("Recording days:") + FormatWholeField(s.RecordingDays, 3) + QStringLiteral("days"));
    add(SettingsLine::RecordingInterval, QStringLiteral("Recording interval:") +
                                             FormatWholeField(s.RecordingInterval, 2) +
                                             QStringLiteral("min"));
    add(SettingsLine::DelayedStart,
        s.DelayEnabled
            ? QStringLiteral("Delayed start:") + FormatWholeField(s.DelayedStart, 3) + QStringLiteral("min")
            : QStringLiteral("Delayed start:000min"));

    const auto alarms = [&lines](const TAlarmSet& set, SettingsLine::Kind kind, const QString& mark) {
        const QList<TAlarmRule> chain = EffectiveAlarms(set);
        for (qsizetype i = 0; i < chain.size(); ++i) {
            lines.append(MakeLine(kind, AlarmLine(int(i) + 1, chain[i], mark), false));
        }
    };
    if (s.CollectTemperature) {
        add(SettingsLine::CollectTemperature, QStringLiteral("collect:temperature"));
        alarms(s.TemperatureAlarms, SettingsLine::TemperatureAlarm,
               s.TemperatureUnit == 0 ? QStringLiteral("(C),") : QStringLiteral("(F),"));
    }
    if (s.CollectHumidity) {
        add(SettingsLine::CollectHumidity, QStringLiteral("collect:humidity"));
        alarms(s.HumidityAlarms, SettingsLine::HumidityAlarm, QStringLiteral("(H),"));
    }
    return lines;
}

QByteArray BuildSettingsText(const TIndicatorSettings& settings, const QDateTime& utcNow)
{
    QString text;
    for (const SettingsLine& line : BuildSettingsLines(settings, utcNow)) {
        if (line.kind == SettingsLine::PdfCustom)
            text += QStringLiteral("\t\t");
        text += line.text;
        if (line.ownCr)
            text += QLatin1Char('\r');
        text += QStringLiteral("\r\n");
    }
    return ToWindows1252(text);
}

bool WriteAllBytes(QIODevice& device, const QByteArray& bytes, QString* errorString)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = device.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            const QString reason = device.errorString();
            return Fail(
                errorString,
                reason.isEmpty() || reason == QLatin1String("Unknown error")
                    ? QStringLiteral("The device accepted only %1 of %2 bytes.").arg(done).arg(bytes.size())
                    : reason);
        }
        done += written;
    }
    return true;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* errorString)
{
    QSaveFile file(path);
    // Never fall back to writing in place: a failed write must leave the old file whole.
    file.setDirectWriteFallback(false);
    // Unbuffered, so that a short write shows up in WriteAllBytes: QSaveFile
    // would otherwise commit a file cut short by a full drive.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Fail(errorString, file.errorString());
    // On every failure below the QSaveFile destructor discards the temporary file.
    if (!WriteAllBytes(file, bytes, errorString))
        return false;
    if (!file.flush())
        return Fail(errorString, file.errorString());
    // The data must be on the device before the rename makes it the settings file.
    if (::fsync(file.handle()) != 0 && errno != EINVAL && errno != ENOTSUP)
        return Fail(errorString, QString::fromLocal8Bit(std::strerror(errno)));
    if (!file.commit())
        return Fail(errorString, file.errorString());
    SyncDirectoryOf(path);
    return true;
}

bool VerifyFileContents(const QString& path, const QByteArray& expected, QString* errorString)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return Fail(errorString, file.errorString());
    // The pages were synced when the file was written, so they are clean and
    // can be dropped; the read below then has to fetch them from the device.
    ::posix_fadvise(file.handle(), 0, 0, POSIX_FADV_DONTNEED);
    // One byte more than expected shows a file that is too long.
    QByteArray actual;
    actual.reserve(expected.size() + 1);
    while (actual.size() <= expected.size()) {
        const QByteArray chunk = file.read(expected.size() + 1 - actual.size());
        if (chunk.isEmpty())
            break;
        actual += chunk;
    }
    if (file.error() != QFileDevice::NoError)
        return Fail(errorString, file.errorString());
    if (actual != expected)
        return Fail(errorString,
                    QStringLiteral("The file does not hold what was written (%1 bytes read, %2 written).")
                        .arg(actual.size())
                        .arg(expected.size()));
    return true;
}

bool WriteSettingsText(const TIndicatorSettings& settings, const QString& path, SettingsTextVariant variant)
{
    const QByteArray bytes = BuildSettingsText(settings, NowUtc());
    QString error;
    bool ok = WriteFileAtomically(path, bytes, &error);
    // A logger's drive can lose a write without telling; only a read-back
    // proves the upload.
    if (ok && variant == SettingsTextVariant::Upload)
        ok = VerifyFileContents(path, bytes, &error);
    if (!ok)
        qWarning("Writing the settings text %s failed: %s", qUtf8Printable(path), qUtf8Printable(error));

    const QString caption = QStringLiteral("Prompt");
    const int flags = MsgFlags::Ok | MsgFlags::IconInformation;
    if (variant == SettingsTextVariant::Upload)
        ShowPrompt(ok ? QStringLiteral("Upload successed!") : QStringLiteral("Upload failed!"), caption,
                   flags);
    else if (!ok)
        ShowPrompt(QStringLiteral("Save failed!"), caption, flags);
    return ok;
}
