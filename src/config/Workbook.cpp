#include "Workbook.h"

#include "OoxmlWorkbook.h"
#include "SettingsText.h"
#include "app/AppDir.h"
#include "app/Clock.h"
#include "app/Prompt.h"

#include <QFileInfo>
#include <QList>
#include <QtDebug>

namespace {

constexpr int kColumnB = 2;
constexpr int kColumnC = 3;
constexpr int kColumnD = 4;
constexpr int kColumnE = 5;
constexpr int kIntervalRow = 4;
constexpr int kDelayRow = 5;
constexpr int kTemperatureTableRow = 7; // rule n on row 6 + n
constexpr int kHumidityTableRow = 18;   // rule n on row 17 + n
constexpr int kSettingsBlockRow = 27;

struct CellText
{
    int row;
    int column;
    QString text;
};

// The whole number an alarm time stands for; false when none can be read
// (nothing left after filtering, a fraction, digit grouping when unfiltered).
bool ReadWholeNumber(const QString& text, qlonglong* value)
{
    if (text.isEmpty())
        return false;
    bool ok = false;
    *value = text.toLongLong(&ok, 10);
    return ok;
}

// Column E: the time as entered with its unit, or whole hours.
bool AlarmTimeText(const TAlarmRule& rule, bool filterDigits, QString* out)
{
    qlonglong m = 0;
    if (!ReadWholeNumber(filterDigits ? FilterNumberChars(rule.AlarmTime) : rule.AlarmTime, &m))
        return false;
    if (rule.Condition == TAlarmRule::Instantly)
        *out = rule.AlarmTime + (m < 2 ? QStringLiteral(" time") : QStringLiteral(" times"));
    else if (m % 60 != 0)
        *out = rule.AlarmTime + QStringLiteral(" min");
    else
        *out = QString::number(m / 60) + QStringLiteral(" h");
    return true;
}

bool AppendAlarmTable(QList<CellText>& cells, const TAlarmSet& set, int firstRow, bool filterDigits)
{
    int row = firstRow;
    for (const TAlarmRule& rule : EffectiveAlarms(set)) {
        QString time;
        if (!AlarmTimeText(rule, filterDigits, &time))
            return false;
        cells.append({row, kColumnC, rule.Threshold});
        cells.append(
            {row, kColumnD,
             rule.Direction == TAlarmRule::Below ? QStringLiteral("Decrease") : QStringLiteral("Increase")});
        cells.append({row, kColumnE, time});
        ++row;
    }
    return true;
}

// The settings text, one line per cell of column B under the title row. The
// output format row is kept even when there is no such line, so the rows
// below it do not depend on it.
void AppendSettingsBlock(QList<CellText>& cells, const TIndicatorSettings& settings, const QDateTime& utcNow)
{
    int row = kSettingsBlockRow;
    cells.append({row, kColumnB, QStringLiteral("setting.txt")});
    bool outputFormatSeen = false;
    for (const SettingsLine& line : BuildSettingsLines(settings, utcNow)) {
        ++row;
        if (line.kind == SettingsLine::OutputFormat) {
            outputFormatSeen = true;
            const QString text = line.customMark.isEmpty()
                                     ? line.formatPart
                                     : line.formatPart + QStringLiteral("   ") + line.customMark;
            cells.append({row, kColumnB, text});
            continue;
        }
        if (line.kind == SettingsLine::TimeZone && !outputFormatSeen)
            ++row;
        cells.append({row, kColumnB, line.text});
    }
}

bool BuildCells(const TIndicatorSettings& settings, WorkbookVariant variant, const QDateTime& utcNow,
                QList<CellText>* cells)
{
    cells->append({kIntervalRow, kColumnC, settings.RecordingInterval});
    cells->append({kDelayRow, kColumnC, settings.DelayedStart});
    if (variant == WorkbookVariant::TemperatureOnly)
        return AppendAlarmTable(*cells, settings.TemperatureAlarms, kTemperatureTableRow, false);

    if (settings.CollectTemperature &&
        !AppendAlarmTable(*cells, settings.TemperatureAlarms, kTemperatureTableRow, true))
        return false;
    if (settings.CollectHumidity &&
        !AppendAlarmTable(*cells, settings.HumidityAlarms, kHumidityTableRow, true))
        return false;
    AppendSettingsBlock(*cells, settings, utcNow);
    return true;
}

const QString kCaption = QStringLiteral("Prompt");

WorkbookResult SaveFailed(const QString& reason)
{
    qWarning().noquote() << "Workbook not saved:" << reason;
    ShowPrompt(QStringLiteral("Save failed!"), kCaption, MsgFlags::IconInformation);
    return WorkbookResult::Failed;
}

} // namespace

WorkbookResult WriteSettingsWorkbook(const TIndicatorSettings& settings, const QString& path,
                                     WorkbookVariant variant)
{
    OoxmlWorkbook book;
    if (!book.loadFile(AppFilePath(QString::fromLatin1(kWorkbookTemplateName)))) {
        qWarning().noquote() << "Workbook template not usable:" << book.errorString();
        ShowPrompt(QStringLiteral("Unable to connect to Microsoft Excel. Please see if EXCEL is installed."),
                   kCaption, MsgFlags::IconError);
        return WorkbookResult::Failed;
    }

    QList<CellText> cells;
    if (!BuildCells(settings, variant, NowUtc(), &cells))
        return SaveFailed(QStringLiteral("an alarm time is not a whole number"));
    for (const CellText& cell : cells)
        book.setCellText(cell.row, cell.column, cell.text);

    if (variant == WorkbookVariant::Full && QFileInfo::exists(path)) {
        const int answer =
            ShowPrompt(QStringLiteral("A file named '") + path +
                           QStringLiteral("'already exists in this location. Do you want to replace it?"),
                       kCaption, MsgFlags::YesNo | MsgFlags::IconQuestion);
        if (answer != IdYes)
            return WorkbookResult::Declined;
    }

    const QByteArray bytes = book.save();
    if (bytes.isEmpty())
        return SaveFailed(book.errorString());
    QString error;
    if (!WriteFileAtomically(path, bytes, &error))
        return SaveFailed(error);
    return WorkbookResult::Saved;
}
