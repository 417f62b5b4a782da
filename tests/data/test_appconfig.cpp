#include "ScriptedPrompts.h"
#include "TestAppDir.h"
#include "TestFiles.h"
#include "data/AppConfig.h"
#include "data/IniFile.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QtTest>

namespace {

// A text whose only scrambled character is c at the given position (from 1):
// blanks before it pass unchanged.
QString AtPosition(QChar c, int position)
{
    return QString(position - 1, QLatin1Char(' ')) + c;
}

QString Field(const TAppConfig& c, const QString& name)
{
    const QHash<QString, QString> fields = {
        {QStringLiteral("DBMod"), c.DBMod},     {QStringLiteral("DBSource"), c.DBSource},
        {QStringLiteral("DBName"), c.DBName},   {QStringLiteral("SQLPassWord"), c.SQLPassWord},
        {QStringLiteral("SQLUser"), c.SQLUser}, {QStringLiteral("CId"), c.CId},
        {QStringLiteral("SMS"), c.SMS},         {QStringLiteral("AutoS"), c.AutoS},
        {QStringLiteral("Sound"), c.Sound},     {QStringLiteral("SPWS"), c.SPWS},
        {QStringLiteral("ComPort"), c.ComPort}, {QStringLiteral("BaudRate"), c.BaudRate},
        {QStringLiteral("Center"), c.Center},
    };
    return fields.value(name, QStringLiteral("<no such field>"));
}

} // namespace

class TestAppConfig : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_prompts = new ScriptedPrompts; }
    void cleanup()
    {
        QVERIFY2(m_prompts->problems().isEmpty(), qPrintable(m_prompts->problems()));
        delete m_prompts;
    }

    void alphabetIsPrintableDistinctAndQuoteFree()
    {
        const QString& alphabet = ConfigScrambleAlphabet();
        QCOMPARE(alphabet.size(), 93);
        QCOMPARE(QSet<QChar>(alphabet.begin(), alphabet.end()).size(), 93);
        for (QChar c : alphabet)
            QVERIFY2(c.unicode() > 32 && c.unicode() < 127 && c != QLatin1Char('"'), qPrintable(QString(c)));
    }

    // Expected alphabet indices worked out by hand: 'A' is code 65, index 31
    // before the shift; '!' is one below the offset; '}' the last that shifts.
    void encodePositions_data()
    {
        QTest::addColumn<QChar>("plain");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("index");
        const QChar a = QLatin1Char('A');
        QTest::newRow("pos 1, d=-1") << a << 1 << 30;
        QTest::newRow("pos 91, d=-1, wraps up") << a << 91 << 32;
        QTest::newRow("pos 92, no shift") << a << 92 << 31;
        QTest::newRow("pos 93, d=+1") << a << 93 << 32;
        QTest::newRow("pos 183, d=+1, wraps down") << a << 183 << 30;
        QTest::newRow("pos 184, no shift") << a << 184 << 31;
        QTest::newRow("pos 185, d=-1 again") << a << 185 << 30;
        QTest::newRow("pos 277, d=+1 again") << a << 277 << 32;
        QTest::newRow("! at 1") << QChar(u'!') << 1 << 90;
        QTest::newRow("! at 92") << QChar(u'!') << 92 << 91;
        QTest::newRow("} at 93 hits the last entry") << QChar(u'}') << 93 << 92;
        QTest::newRow("} at 94 reduces modulo 92") << QChar(u'}') << 94 << 1;
    }
    void encodePositions()
    {
        QFETCH(QChar, plain);
        QFETCH(int, position);
        QFETCH(int, index);
        const QString encoded = EncodeConfigField(AtPosition(plain, position));
        QCOMPARE(encoded.size(), position);
        QCOMPARE(encoded.at(position - 1), ConfigScrambleAlphabet().at(index));
        QCOMPARE(encoded.left(position - 1), QString(position - 1, QLatin1Char(' ')));
    }

    void decodePositions_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("position");
        QTest::addColumn<QChar>("plain");
        const QChar a = QLatin1Char('A');
        QTest::newRow("pos 1, d=-1") << 30 << 1 << a;
        QTest::newRow("pos 91, wraps down") << 32 << 91 << a;
        QTest::newRow("pos 92, no shift") << 31 << 92 << a;
        QTest::newRow("pos 93, d=+1") << 32 << 93 << a;
        QTest::newRow("pos 183, wraps up") << 30 << 183 << a;
        QTest::newRow("last entry at 1 reduces modulo 92") << 92 << 1 << QChar(u'#');
        QTest::newRow("first entry at 93 adds 92") << 0 << 93 << QChar(u'}');
    }
    void decodePositions()
    {
        QFETCH(int, index);
        QFETCH(int, position);
        QFETCH(QChar, plain);
        const QString decoded = DecodeConfigField(AtPosition(ConfigScrambleAlphabet().at(index), position));
        QCOMPARE(decoded.at(position - 1), plain);
    }

    void unchangedCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("blank") << QStringLiteral(" ");
        QTest::newRow("control") << QStringLiteral("\t");
        QTest::newRow("tilde") << QStringLiteral("~");
        QTest::newRow("code 128 and above") << QStringLiteral("\u0080\u00e9\u00ff\u4e2d");
    }
    void unchangedCharacters()
    {
        QFETCH(QString, text);
        for (int position : {1, 92, 93}) {
            const QString padded = QString(position - 1, QLatin1Char(' ')) + text;
            QCOMPARE(EncodeConfigField(padded), padded);
        }
    }

    void decodeLeavesForeignCharacters()
    {
        const QString foreign = QStringLiteral(" \"\u00e9\u4e2d\t");
        QCOMPARE(DecodeConfigField(foreign), foreign);
    }

    void exclamationMarkDoesNotComeBack()
    {
        QCOMPARE(DecodeConfigField(EncodeConfigField(QStringLiteral("!"))), QStringLiteral("}"));
        QCOMPARE(DecodeConfigField(EncodeConfigField(QStringLiteral("pass!"))), QStringLiteral("pass}"));
    }

    void ordinaryValuesComeBackAtEveryPosition()
    {
        // '#' to '}' at every position up to 300: the wraps cancel out.
        QString text;
        for (int i = 0; i < 300; ++i)
            text += QChar(35 + i % 91);
        const QString encoded = EncodeConfigField(text);
        QCOMPARE(encoded.size(), text.size());
        QCOMPARE(DecodeConfigField(encoded), text);
        for (QChar c : encoded)
            QVERIFY(ConfigScrambleAlphabet().contains(c));
    }

    void loadAppConfig_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QStringList>("expected"); // "Field=value"
        const QString center = QStringLiteral("Center=") + ConfigDefaults::SmsCenter;
        QTest::newRow("only DBMod 2")
            << QByteArray("[Server]\r\nDBMod=2\r\n")
            << QStringList{
                   "DBMod=2", "DBSource=", "DBName=", "SQLPassWord=", "SQLUser=",      "CId=01", "SPWS=0",
                   "AutoS=0", "Sound=0",   "SMS=00",  "ComPort=COM1", "BaudRate=9600", center};
        QTest::newRow("DBMod 0 alone") << QByteArray("[Server]\nDBMod=0\n")
                                       << QStringList{"DBMod=0", "DBSource=127.0.0.1", "DBName=QCont",
                                                      "SQLPassWord=" + ConfigDefaults::SQLPassWord,
                                                      "SQLUser=" + ConfigDefaults::SQLUser};
        QTest::newRow("DBMod 25 keeps one character")
            << QByteArray("[Server]\nDBMod=25\n") << QStringList{"DBMod=2", "DBSource="};
        QTest::newRow("names without regard to case")
            << QByteArray("[SERVER]\ndbmod=2\n[station]\nSPWS=1\n") << QStringList{"DBMod=2", "SPWS=1"};
        QTest::newRow("present but empty key") << QByteArray("[Server]\nDBMod=0\nDBName=\n[Station]\nCId=\n")
                                               << QStringList{"DBName=", "CId=", "DBSource=127.0.0.1"};
        QTest::newRow("kept lengths")
            << QByteArray("[Station]\nCId=12345\nAutoS=123\nSPWS=10\n[SMSSet]\nComPort=COM100\n"
                          "BaudRate=115200\nSMS=1234567\nCenter=+86138007555001234567890\n")
            << QStringList{"CId=12",
                           "AutoS=12",
                           "SPWS=1",
                           "ComPort=COM10",
                           "BaudRate=1152",
                           "SMS=12345",
                           "Center=+8613800755500123456"};
        const QString longSource = QStringLiteral("server-").repeated(8).left(60);
        QTest::newRow("60 characters decoded in full, kept 50")
            << ("[Server]\nDBMod=0\nDBSource=" + EncodeConfigField(longSource).toLatin1() + "\n")
            << QStringList{"DBSource=" + longSource.left(50)};
        QTest::newRow("scrambled values decoded")
            << ("[Server]\nDBMod=0\nDBName=" + EncodeConfigField(QStringLiteral("Loggers")).toLatin1() +
                "\nSQLUser=" + EncodeConfigField(QStringLiteral("operator")).toLatin1() +
                "\nPassWord=" + EncodeConfigField(QStringLiteral("se;cr=et#")).toLatin1() + "\n")
            << QStringList{"DBName=Loggers", "SQLUser=operator", "SQLPassWord=se;cr=et#"};
    }
    void loadAppConfig()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QStringList, expected);
        TestAppDir dir;
        QVERIFY(dir.writeFile(QStringLiteral("Config.ini"), ini));
        LoadAppConfig();
        for (const QString& pair : expected) {
            const QString name = pair.section(QLatin1Char('='), 0, 0);
            QCOMPARE(Field(AppConfig(), name), pair.section(QLatin1Char('='), 1));
        }
        QVERIFY(m_prompts->messages().isEmpty());
    }

    void missingFileWarnsAndTakesDefaults_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::newRow("no file") << false;
        QTest::newRow("a folder in its place") << true;
    }
    void missingFileWarnsAndTakesDefaults()
    {
        QFETCH(bool, folder);
        TestAppDir dir;
        if (folder)
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Config.ini")));
        AppConfig().DBMod = QStringLiteral("2");
        LoadAppConfig();
        QCOMPARE(m_prompts->messages(),
                 (QList<ScriptedPrompts::Message>{
                     {QStringLiteral(
                          "The configuration file does not exist. Please contact your system administrator"),
                      QStringLiteral("系统提示"), 48}}));
        QCOMPARE(AppConfig().DBMod, QStringLiteral("0"));
        QCOMPARE(AppConfig().DBSource, QStringLiteral("127.0.0.1"));
        QCOMPARE(AppConfig().CId, QStringLiteral("01"));
    }

    // --- the INI file itself

    void readsWithoutRegardToCase()
    {
        TestAppDir dir;
        QVERIFY(dir.writeFile(QStringLiteral("a.ini"), "[PATH]\r\nlast profile PATH = C:\\x y\\p.txt \r\n"));
        const TIniFile ini(dir.filePath(QStringLiteral("a.ini")));
        QCOMPARE(
            ini.readString(QStringLiteral("Path"), QStringLiteral("Last Profile Path"), QStringLiteral("-")),
            QStringLiteral("C:\\x y\\p.txt"));
        QCOMPARE(ini.readString(QStringLiteral("Path"), QStringLiteral("Device Path"), QStringLiteral("-")),
                 QStringLiteral("-"));
    }

    void writeEditsOneLineAndKeepsTheRest_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        const QByteArray file = "; settings of the station\r\n"
                                "\r\n"
                                "[Server]\r\n"
                                "; scrambled values below\r\n"
                                "DBMod = 2 \r\n"
                                "\r\n"
                                "[Path]\r\n"
                                "Device Path=/media/a\r\n"
                                "; end\r\n";
        QTest::newRow("existing key, own spelling kept")
            << file << "server"
            << "DBMOD"
            << "0" << QByteArray(file).replace("DBMod = 2 \r\n", "DBMod=0\r\n");
        QTest::newRow("new key after the section's last key")
            << file << "Path"
            << "Last Profile Path"
            << "/home/op/my profile.txt"
            << QByteArray(file).replace(
                   "Device Path=/media/a\r\n",
                   "Device Path=/media/a\r\nLast Profile Path=/home/op/my profile.txt\r\n");
        QTest::newRow("new section at the end") << file << "Station"
                                                << "CId"
                                                << "01" << QByteArray(file + "[Station]\r\nCId=01\r\n");
        QTest::newRow("file without final line end, LF kept")
            << QByteArray("[Server]\nDBMod=2") << "Server"
            << "DBSource"
            << "abc" << QByteArray("[Server]\nDBMod=2\nDBSource=abc\n");
        QTest::newRow("duplicate keys all set")
            << QByteArray("[Path]\nDevice Path=/a\n[path]\ndevice path=/b\n") << "Path"
            << "Device Path"
            << "/c" << QByteArray("[Path]\nDevice Path=/c\n[path]\ndevice path=/c\n");
    }
    void writeEditsOneLineAndKeepsTheRest()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        TestAppDir dir;
        const QString path = dir.filePath(QStringLiteral("Config.ini"));
        QVERIFY(dir.writeFile(QStringLiteral("Config.ini"), before));
        TIniFile ini(path);
        QString error;
        QVERIFY2(ini.writeString(section, key, value, &error), qPrintable(error));
        QCOMPARE(ReadAll(path), after);
        QCOMPARE(TIniFile(path).readString(section, key, QStringLiteral("-")), value);
        QCOMPARE(ini.readString(section, key, QStringLiteral("-")), value);
    }

    void valuesComeBackAsWritten_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("empty") << QString();
        QTest::newRow("blanks inside") << QStringLiteral("C:\\My Profiles\\trip 1.txt");
        QTest::newRow("outer blanks") << QStringLiteral("  padded ");
        QTest::newRow("outer quotes") << QStringLiteral("\"quoted\"");
        QTest::newRow("lone quote") << QStringLiteral("\"");
        QTest::newRow("comment characters") << QStringLiteral(";not a comment # either");
        QTest::newRow("equals signs") << QStringLiteral("a=b=c");
        QTest::newRow("whole alphabet") << ConfigScrambleAlphabet();
        QTest::newRow("Latin-1") << QStringLiteral("Gerät ß");
        QTest::newRow("beyond Latin-1") << QStringLiteral("/media/用户/记录仪");
    }
    void valuesComeBackAsWritten()
    {
        QFETCH(QString, value);
        TestAppDir dir;
        QString error;
        QVERIFY2(WriteConfigString(QStringLiteral("Path"), QStringLiteral("Device Path"), value, &error),
                 qPrintable(error));
        QCOMPARE(ReadConfigString(QStringLiteral("Path"), QStringLiteral("Device Path"), QStringLiteral("-")),
                 value);
    }

    void keyWithBlanksWrittenLiterally()
    {
        TestAppDir dir;
        QVERIFY(WriteConfigString(ConfigKeys::PathSection, ConfigKeys::LastProfilePath,
                                  QStringLiteral("/p a.txt")));
        QCOMPARE(ReadAll(ConfigFilePath()), QByteArray("[Path]\r\nLast Profile Path=/p a.txt\r\n"));
    }

    void eightBitFileReadAsLatin1()
    {
        TestAppDir dir;
        QVERIFY(dir.writeFile(QStringLiteral("Config.ini"), "[Path]\nDevice Path=D:\\Ger\xe4t\n"));
        QCOMPARE(ReadConfigString(QStringLiteral("Path"), QStringLiteral("Device Path")),
                 QStringLiteral("D:\\Gerät"));
    }

    void lineBreakRefusedAndNothingWritten()
    {
        TestAppDir dir;
        QVERIFY(dir.writeFile(QStringLiteral("Config.ini"), "[Server]\nDBMod=2\n"));
        QString error;
        QVERIFY(!WriteConfigString(QStringLiteral("Path"), QStringLiteral("Device Path"),
                                   QStringLiteral("/a\n[Server]\nDBMod=0"), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(ReadAll(ConfigFilePath()), QByteArray("[Server]\nDBMod=2\n"));
    }

    void unwritableFileReportsError()
    {
        TestAppDir dir;
        TIniFile ini(dir.filePath(QStringLiteral("missing/Config.ini")));
        QString error;
        QVERIFY(
            !ini.writeString(QStringLiteral("Server"), QStringLiteral("DBMod"), QStringLiteral("2"), &error));
        QVERIFY2(error.contains(QLatin1String("missing/Config.ini")), qPrintable(error));
    }

private:
    ScriptedPrompts* m_prompts = nullptr;
};

QTEST_GUILESS_MAIN(TestAppConfig)
#include "test_appconfig.moc"
