#include "config/FieldFormats.h"

#include <QtTest>

// The fixed number form of the alarm fields, whatever the system locale.
class TestFieldFormats : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A locale whose separators are the other way round must not leak in.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }

    void thresholdIsWrittenWithOneDecimal_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("step up from zero") << 0.1 << QStringLiteral("0.1");
        QTest::newRow("step down from zero") << -0.1 << QStringLiteral("-0.1");
        QTest::newRow("three steps keep no binary noise") << 0.1 + 0.1 + 0.1 << QStringLiteral("0.3");
        QTest::newRow("whole number") << 100.0 << QStringLiteral("100.0");
        QTest::newRow("fahrenheit minimum") << -148.0 << QStringLiteral("-148.0");
        QTest::newRow("four significant digits first") << 99.96 << QStringLiteral("100.0");
        QTest::newRow("converted 0.1 C") << 32.18 << QStringLiteral("32.2");
        QTest::newRow("grouped from 1000") << 1832.44 << QStringLiteral("1,832.0");
        QTest::newRow("negative zero has no sign") << -0.04 << QStringLiteral("0.0");
    }
    void thresholdIsWrittenWithOneDecimal()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(FormatAlarmThreshold(value), text);
    }

    void fixedNumbersAreRead_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("decimal point") << QStringLiteral("-12.5") << true << -12.5;
        QTest::newRow("grouped") << QStringLiteral("1,832.0") << true << 1832.0;
        QTest::newRow("blanks around") << QStringLiteral(" 7 ") << true << 7.0;
        QTest::newRow("comma as decimal") << QStringLiteral("12,5") << false << 0.0;
        QTest::newRow("minus alone") << QStringLiteral("-") << false << 0.0;
        QTest::newRow("empty") << QString() << false << 0.0;
        QTest::newRow("infinite") << QStringLiteral("inf") << false << 0.0;
    }
    void fixedNumbersAreRead()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        const std::optional<double> read = ReadFixedNumber(text);
        QCOMPARE(read.has_value(), ok);
        if (ok)
            QCOMPARE(*read, value);
    }

    void wholeNumbersAreGroupedFrom1000()
    {
        QCOMPARE(FormatGroupedWhole(999), QStringLiteral("999"));
        QCOMPARE(FormatGroupedWhole(1000), QStringLiteral("1,000"));
        QCOMPARE(FormatGroupedWhole(10000), QStringLiteral("10,000"));
    }
};

QTEST_GUILESS_MAIN(TestFieldFormats)
#include "test_fieldformats.moc"
