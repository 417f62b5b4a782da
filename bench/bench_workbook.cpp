// One full workbook export: template read, cells written, package saved.
#include "app/AppDir.h"
#include "app/Clock.h"
#include "config/Workbook.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "ScriptedPrompts.h"

class BenchWorkbook : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        SetAppDirectory(QStringLiteral(PARAM_APP_DIR));
        SetFixedClock(QDateTime(QDate(2025, 12, 9), QTime(10, 30), Qt::UTC));
    }

    // The largest configuration: every PDF line and all sixteen alarms.
    void fullExport()
    {
        TIndicatorSettings s;
        s.OutputCsv = true;
        s.PdfShowLogo = s.PdfShowDevice = s.PdfShowTimeFormat = s.PdfShowUrl = true;
        s.PdfShowUsbName = s.PdfShowDeviceId = s.PdfShowTripDescription = true;
        s.CollectHumidity = true;
        for (int i = 0; i < 8; ++i) {
            s.TemperatureAlarms[i] = {true, i % 2, QString::number(i * 3), i % 2, QString::number(i * 30)};
            s.HumidityAlarms[i] = {true, i % 2, QString::number(40 + i * 5), 0, QString::number(60 + i * 60)};
        }
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("Thermal indicator settings, USER-09122025.xlsx"));
        ScriptedPrompts prompts;
        QBENCHMARK
        {
            QFile::remove(target);
            QVERIFY(WriteSettingsWorkbook(s, target, WorkbookVariant::Full) == WorkbookResult::Saved);
        }
        QVERIFY(prompts.messages().isEmpty());
    }
};

QTEST_GUILESS_MAIN(BenchWorkbook)
#include "bench_workbook.moc"
