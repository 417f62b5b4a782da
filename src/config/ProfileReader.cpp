#include "config/ProfileReader.h"

#include "app/Prompt.h"
#include "config/SettingsText.h"
#include "data/Shared.h"

#include <QFile>
#include <QIODevice>

#include <array>
#include <cstring>
#include <limits>
#include <optional>

// ---------------------------------------------------------------------------
// SettingsProfileTarget

TAlarmRule& SettingsProfileTarget::rule(AlarmSet set, int n)
{
    Q_ASSERT(n >= 1 && n <= 8);
    TAlarmSet& rules =
        set == AlarmSet::Temperature ? m_settings.TemperatureAlarms : m_settings.HumidityAlarms;
    return rules[static_cast<size_t>(n - 1)];
}

void SettingsProfileTarget::resetAlarmPart()
{
    // Row 1 off collapses a set: every switch goes off, the values stay.
    for (TAlarmRule& r : m_settings.TemperatureAlarms)
        r.Enabled = false;
    for (TAlarmRule& r : m_settings.HumidityAlarms)
        r.Enabled = false;
    m_settings.CollectHumidity = false;
}

void SettingsProfileTarget::setStopMode(int mode)
{
    m_settings.StopMode = mode;
}
void SettingsProfileTarget::setLanguage(int language)
{
    m_settings.Language = language;
}
void SettingsProfileTarget::setCollectTemperature(bool on)
{
    m_settings.CollectTemperature = on;
}
void SettingsProfileTarget::setTemperatureUnit(int unit)
{
    m_settings.TemperatureUnit = unit;
}

void SettingsProfileTarget::setProbeType(int)
{
    // The windows' probe group has the single item "In"; "out" cannot be selected.
    m_settings.ProbeType = 0;
}

void SettingsProfileTarget::setTimesOfUse(int times)
{
    m_settings.TimesOfUse = times;
}
void SettingsProfileTarget::setOutputPdf(bool on)
{
    m_settings.OutputPdf = on;
}
void SettingsProfileTarget::setOutputCsv(bool on)
{
    m_settings.OutputCsv = on;
}

void SettingsProfileTarget::resetPdfShowFlags()
{
    m_settings.PdfShowLogo = false;
    m_settings.PdfShowDevice = false;
    m_settings.PdfShowTimeFormat = false;
    m_settings.PdfShowUrl = false;
    m_settings.PdfShowUsbName = false;
    m_settings.PdfShowDeviceId = false;
    m_settings.PdfShowTripDescription = false;
}

void SettingsProfileTarget::showPdfText(PdfText item, const QString& value)
{
    switch (item) {
    case PdfText::Logo:
        m_settings.PdfShowLogo = true;
        m_settings.PdfLogo = value;
        break;
    case PdfText::Device:
        m_settings.PdfShowDevice = true;
        m_settings.PdfDevice = value;
        break;
    case PdfText::Url:
        m_settings.PdfShowUrl = true;
        m_settings.PdfUrl = value;
        break;
    case PdfText::UsbName:
        m_settings.PdfShowUsbName = true;
        m_settings.PdfUsbName = value;
        break;
    case PdfText::DeviceId:
        m_settings.PdfShowDeviceId = true;
        m_settings.PdfDeviceId = value;
        break;
    case PdfText::TripDescription:
        m_settings.PdfShowTripDescription = true;
        m_settings.PdfTripDescription = value;
        break;
    }
}

void SettingsProfileTarget::showPdfTimeFormat(int format)
{
    m_settings.PdfShowTimeFormat = true;
    m_settings.PdfTimeFormat = format;
}

void SettingsProfileTarget::setTimeZoneIndex(int index)
{
    m_settings.TimeZoneIndex = index;
}
void SettingsProfileTarget::setRecordingDays(const QString& days)
{
    m_settings.RecordingDays = days;
}
void SettingsProfileTarget::setRecordingInterval(const QString& minutes)
{
    m_settings.RecordingInterval = minutes;
}

void SettingsProfileTarget::setDelayedStart(const QString& minutes, bool delayEnabled)
{
    m_settings.DelayedStart = minutes;
    m_settings.DelayEnabled = delayEnabled;
}

void SettingsProfileTarget::showTemperatureTab()
{
    m_settings.CollectTemperature = true;
}
void SettingsProfileTarget::showHumidityTab()
{
    m_settings.CollectHumidity = true;
}
void SettingsProfileTarget::enableAlarmRule(AlarmSet set, int n)
{
    rule(set, n).Enabled = true;
}

void SettingsProfileTarget::setAlarmDirection(AlarmSet set, int n, int direction)
{
    rule(set, n).Direction = direction;
}

void SettingsProfileTarget::setAlarmThreshold(AlarmSet set, int n, const QString& threshold)
{
    rule(set, n).Threshold = threshold;
}

void SettingsProfileTarget::setAlarmCondition(AlarmSet set, int n, int condition)
{
    rule(set, n).Condition = condition;
}

void SettingsProfileTarget::setAlarmTime(AlarmSet set, int n, const QString& time)
{
    rule(set, n).AlarmTime = time;
}

namespace {

using AlarmSet = ProfileTarget::AlarmSet;
using PdfText = ProfileTarget::PdfText;

// Profile lines are a few dozen characters; anything this long is not a
// profile, and refusing it keeps a hostile file from exhausting memory.
constexpr qsizetype kMaxLineBytes = 16 * 1024 * 1024;
constexpr qint64 kChunkBytes = 64 * 1024;

// Characters from position `from` to position `to`, counted from 1, as far as
// the line reaches.
QStringView charsAt(const QString& line, qsizetype from, qsizetype to)
{
    const qsizetype start = from - 1;
    const qsizetype stop = std::min(to, line.size());
    if (start >= stop)
        return {};
    return QStringView(line).sliced(start, stop - start);
}

// The rest after position k: from k + 1 to the end, trimmed.
QString restAfter(const QString& line, qsizetype k)
{
    return TrimText(charsAt(line, k + 1, line.size()).toString());
}

// Characters from position `from` to the last but one, trimmed: the value of
// a PDF customisation line without its closing full stop.
QString valueBeforeLast(const QString& line, qsizetype from)
{
    return TrimText(charsAt(line, from, line.size() - 1).toString());
}

// A whole number of plain digits within the 32-bit range.
std::optional<int> readWholeNumber(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > std::numeric_limits<int>::max())
            return std::nullopt;
    }
    return static_cast<int>(value);
}

// The threshold of an alarm line in the window's form: the writer's rounding
// (one decimal, at most three significant digits, full stop whatever the
// locale) without its zero padding, so 08.0 becomes 8.0; a value that rounds
// to zero shows no sign.
std::optional<QString> readThreshold(QStringView text)
{
    const QString field = FormatThresholdField(text.toString());
    if (field.isEmpty())
        return std::nullopt;
    const bool negative = field.startsWith(QLatin1Char('-'));
    QString shown = negative ? field.mid(1) : field;
    while (shown.size() > 3 && shown.startsWith(QLatin1Char('0')))
        shown.remove(0, 1);
    if (negative && shown != QLatin1String("0.0"))
        shown.prepend(QLatin1Char('-'));
    return shown;
}

// The lines of a profile, read on demand. LF ends a line; every CR is
// dropped, so CR LF and the writer's CR CR LF end a line alike. Past the end
// every line is empty.
class LineSource
{
public:
    explicit LineSource(QIODevice& device) : m_device(device) {}

    bool atEnd() { return !fill(); }

    // Makes the next line current; false when the device failed or the line
    // is too long to be a profile line.
    bool next()
    {
        ++m_number;
        QByteArray bytes;
        while (fill()) {
            const char* begin = m_buffer.constData() + m_pos;
            const qsizetype available = m_buffer.size() - m_pos;
            const auto* lf =
                static_cast<const char*>(std::memchr(begin, '\n', static_cast<size_t>(available)));
            const qsizetype take = lf ? lf - begin : available;
            const char* end = begin + take;
            for (const char* p = begin; p < end;) {
                const auto* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(end - p)));
                const char* stop = cr ? cr : end;
                bytes.append(p, stop - p);
                p = cr ? cr + 1 : end;
            }
            m_pos += take + (lf ? 1 : 0);
            if (bytes.size() > kMaxLineBytes) {
                m_error = QStringLiteral("line too long");
                return false;
            }
            if (lf)
                break;
        }
        if (!m_error.isEmpty())
            return false;
        m_current = DecodeWindows1252(bytes);
        return true;
    }

    const QString& current() const { return m_current; }
    int number() const { return m_number; }
    const QString& error() const { return m_error; }

private:
    bool fill()
    {
        if (m_pos < m_buffer.size())
            return true;
        if (m_exhausted)
            return false;
        m_buffer.resize(kChunkBytes);
        const qint64 got = m_device.read(m_buffer.data(), kChunkBytes);
        m_pos = 0;
        if (got <= 0) {
            m_buffer.clear();
            m_exhausted = true;
            if (got < 0)
                m_error = QStringLiteral("cannot read: %1").arg(m_device.errorString());
            return false;
        }
        m_buffer.resize(got);
        return true;
    }

    QIODevice& m_device;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_exhausted = false;
    QString m_current;
    int m_number = 0;
    QString m_error;
};

struct PdfKey
{
    QLatin1StringView key;
    qsizetype valueFrom; // position of the value in the writer's line
    bool timeFormat;
    PdfText item;
};

// In the order in which they are tried.
constexpr std::array<PdfKey, 7> kPdfKeys = {{
    {QLatin1StringView("logo:"), 10, false, PdfText::Logo},
    {QLatin1StringView("Device:"), 12, false, PdfText::Device},
    {QLatin1StringView("Time format:"), 17, true, PdfText::Logo},
    {QLatin1StringView("url:"), 9, false, PdfText::Url},
    {QLatin1StringView("usb name:"), 14, false, PdfText::UsbName},
    {QLatin1StringView("Device ID:"), 15, false, PdfText::DeviceId},
    {QLatin1StringView("Trip description:"), 22, false, PdfText::TripDescription},
}};

// Where the writer puts the key: after two tabs and ">>".
constexpr qsizetype kPdfKeyPosition = 5;

// One walk over the lines of a profile, from the stop mode to the last alarm.
class ProfileWalk
{
public:
    ProfileWalk(QIODevice& device, ProfileTarget& target) : m_lines(device), m_target(target) {}

    ProfileReadResult run()
    {
        ProfileReadResult result;
        result.ok = walk();
        if (!result.ok) {
            result.error = m_lines.error().isEmpty() ? m_error : m_lines.error();
            result.line = m_lines.number();
        }
        return result;
    }

private:
    bool readLine() { return m_lines.next(); }
    const QString& line() const { return m_lines.current(); }
    bool has(QLatin1StringView key) const { return line().contains(key); }

    bool fail(const QString& why)
    {
        m_error = why;
        return false;
    }

    bool walk()
    {
        if (!readLine())
            return false;
        if (has(QLatin1StringView("Stop mode:")))
            m_target.setStopMode(restAfter(line(), 10) == QLatin1StringView("manual") ? 0 : 1);

        if (!readLine())
            return false;
        if (has(QLatin1StringView("language:")))
            m_target.setLanguage(restAfter(line(), 9) == QLatin1StringView("Russian") ? 0 : 1);

        if (!readLine())
            return false;
        if (!has(QLatin1StringView("unit:"))) {
            m_target.setCollectTemperature(false);
        } else {
            m_target.setCollectTemperature(true);
            const int unit = restAfter(line(), 5) == QLatin1StringView("C") ? 0 : 1;
            m_temperatureMark = unit == 0 ? QStringLiteral("(C)") : QStringLiteral("(F)");
            m_target.setTemperatureUnit(unit);
            m_target.applyTemperatureUnit();
            if (!readLine())
                return false;
        }

        if (has(QLatin1StringView("probe type:")))
            m_target.setProbeType(restAfter(line(), 11) == QLatin1StringView("in") ? 0 : 1);

        if (!readLine())
            return false;
        if (has(QLatin1StringView("Times of use:")))
            m_target.setTimesOfUse(restAfter(line(), 13) == QLatin1StringView("many") ? 1 : 0);

        if (!readLine() || !readOutputFormat())
            return false;

        if (has(QLatin1StringView("time zone:"))) {
            const QString zone = restAfter(line(), 10);
            for (int i = 0; i < kTimeZoneCount; ++i) {
                if (TimeZoneText(i) == zone) {
                    m_target.setTimeZoneIndex(i);
                    break;
                }
            }
        }

        // The "time:" line is written anew at every upload.
        if (!readLine() || !readLine())
            return false;
        if (has(QLatin1StringView("Recording days:"))) {
            const auto days = readWholeNumber(charsAt(line(), 16, 18));
            if (!days)
                return fail(QStringLiteral("recording days are not a whole number"));
            m_target.setRecordingDays(QString::number(*days));
        }

        if (!readLine())
            return false;
        if (has(QLatin1StringView("Recording interval:"))) {
            const auto minutes = readWholeNumber(charsAt(line(), 20, 21));
            if (!minutes)
                return fail(QStringLiteral("recording interval is not a whole number"));
            m_target.setRecordingInterval(QString::number(*minutes));
        }

        if (!readLine())
            return false;
        if (has(QLatin1StringView("Delayed start:"))) {
            const auto minutes = readWholeNumber(charsAt(line(), 15, 17));
            if (!minutes)
                return fail(QStringLiteral("delayed start is not a whole number"));
            m_target.setDelayedStart(QString::number(*minutes), *minutes != 0);
        }

        m_target.hideAlarmTabs();
        if (!readLine())
            return false;
        if (has(QLatin1StringView("collect:")))
            return readAlarmSections();
        return true;
    }

    bool readOutputFormat()
    {
        if (!has(QLatin1StringView("output format:")))
            return true;
        if (restAfter(line(), 14) == QLatin1StringView("CSV.")) {
            m_target.setOutputPdf(false);
            m_target.setOutputCsv(true);
            return readLine();
        }
        m_target.setOutputPdf(true);
        if (TrimText(charsAt(line(), 15, 26).toString()) == QLatin1StringView("PDF and CSV."))
            m_target.setOutputCsv(true);
        else if (TrimText(charsAt(line(), 15, 18).toString()) == QLatin1StringView("PDF."))
            m_target.setOutputCsv(false);
        m_target.resetPdfShowFlags();
        if (!readLine())
            return false;
        while (has(QLatin1StringView(">>"))) {
            readPdfLine();
            if (!readLine())
                return false;
        }
        return true;
    }

    void readPdfLine()
    {
        // The key where the writer puts it wins, so that a text that itself
        // contains another key ("Trip description:see url: …") keeps its own
        // line; otherwise the first key the line contains.
        const PdfKey* found = nullptr;
        const QStringView keyPlace = charsAt(line(), kPdfKeyPosition, line().size());
        for (const PdfKey& k : kPdfKeys) {
            if (keyPlace.startsWith(k.key)) {
                found = &k;
                break;
            }
        }
        if (!found) {
            for (const PdfKey& k : kPdfKeys) {
                if (has(k.key)) {
                    found = &k;
                    break;
                }
            }
        }
        if (!found)
            return;
        const QString value = valueBeforeLast(line(), found->valueFrom);
        if (found->timeFormat)
            m_target.showPdfTimeFormat(value == QLatin1StringView("DD/MM/YY") ? 0 : 1);
        else
            m_target.showPdfText(found->item, value);
    }

    static QString rulePrefix(int n) { return QStringLiteral("Alarm %1:").arg(n); }

    bool readAlarmSections()
    {
        if (restAfter(line(), 8) == QLatin1StringView("temperature")) {
            m_target.showTemperatureTab();
            if (!m_lines.atEnd() && !readLine())
                return false;
            if (!has(QLatin1StringView("collect:")) && line().contains(rulePrefix(1))) {
                if (!loadRule(AlarmSet::Temperature, 1, m_temperatureMark))
                    return false;
            }
            bool loadedLast = false;
            for (int n = 2; n <= 8; ++n) {
                if (has(QLatin1StringView("collect:")))
                    continue;
                if (!m_lines.atEnd() && !readLine())
                    return false;
                if (line().contains(rulePrefix(n))) {
                    if (!loadRule(AlarmSet::Temperature, n, m_temperatureMark))
                        return false;
                    loadedLast = n == 8;
                }
            }
            if (loadedLast && !m_lines.atEnd() && !readLine())
                return false;
        }
        if (restAfter(line(), 8) == QLatin1StringView("humidity")) {
            m_target.showHumidityTab();
            const QString mark = QStringLiteral("(H)");
            for (int n = 1; n <= 8; ++n) {
                if (!m_lines.atEnd() && !readLine())
                    return false;
                if (line().contains(rulePrefix(n))) {
                    if (!loadRule(AlarmSet::Humidity, n, mark))
                        return false;
                }
            }
        }
        return true;
    }

    bool loadRule(AlarmSet set, int n, const QString& mark)
    {
        m_target.enableAlarmRule(set, n);
        m_target.setAlarmDirection(set, n, charsAt(line(), 9, 13) == QLatin1StringView("above") ? 0 : 1);

        // No unit line before the temperature alarms leaves the mark unknown,
        // and then the threshold cannot be told from the rest of the line.
        const qsizetype markAt = mark.isEmpty() ? -1 : line().indexOf(mark);
        if (markAt < 0)
            return fail(QStringLiteral("alarm %1 has no unit mark").arg(n));
        const auto threshold = readThreshold(charsAt(line(), 15, markAt));
        if (!threshold)
            return fail(QStringLiteral("alarm %1 threshold is not a number").arg(n));
        m_target.setAlarmThreshold(set, n, *threshold);

        qsizetype timeAt = -1;
        const qsizetype accumulative = line().indexOf(QLatin1StringView("Accumulative alarm"));
        if (accumulative < 0) {
            m_target.setAlarmCondition(set, n, TAlarmRule::Instantly);
            const qsizetype instantly = line().indexOf(QLatin1StringView("Instantly"));
            if (instantly >= 0)
                timeAt = instantly + 10;
        } else {
            m_target.setAlarmCondition(set, n, TAlarmRule::Accumulative);
            timeAt = accumulative + 19;
        }
        if (timeAt < 0)
            return fail(QStringLiteral("alarm %1 has no time").arg(n));
        const auto time =
            readWholeNumber(FilterNumberChars(charsAt(line(), timeAt + 1, timeAt + 5).toString()));
        if (!time)
            return fail(QStringLiteral("alarm %1 time is not a whole number").arg(n));
        m_target.setAlarmTime(set, n, QString::number(*time));
        return true;
    }

    LineSource m_lines;
    ProfileTarget& m_target;
    QString m_temperatureMark; // "(C)" or "(F)" once the unit line has been read
    QString m_error;
};

} // namespace

ProfileReadResult ReadProfile(QIODevice& device, ProfileTarget& target)
{
    target.resetAlarmPart();
    return ProfileWalk(device, target).run();
}

ProfileReadResult ReadProfile(const QString& path, ProfileTarget& target)
{
    target.resetAlarmPart();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ProfileReadResult result;
        result.error = file.errorString();
        return result;
    }
    return ProfileWalk(file, target).run();
}

ProfileReadResult ReadProfileAndReport(const QString& path, ProfileTarget& target)
{
    const ProfileReadResult result = ReadProfile(path, target);
    ShowPrompt(result.ok ? QStringLiteral("Profile load successed!") : QStringLiteral("Profile load failed!"),
               QStringLiteral("Prompt"), MsgFlags::Ok | MsgFlags::IconInformation);
    return result;
}
