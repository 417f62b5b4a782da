#pragma once

#include <QString>

// The values of Config.ini the program keeps in memory, read once at start-up
// by LoadAppConfig and never reloaded. Each field holds at most the number of
// characters noted; a longer stored value is cut.
struct TAppConfig
{
    QString DBMod;       // 1: database mode, "2" = SQLite
    QString DBSource;    // 50: SQL Server data source   (mode "0" only)
    QString DBName;      // 20: SQL Server catalog       (mode "0" only)
    QString SQLPassWord; // 12: SQL Server password      (mode "0" only)
    QString SQLUser;     // 10: SQL Server user          (mode "0" only)
    QString CId;         // 2
    QString SMS;         // 5
    QString AutoS;       // 2
    QString Sound;       // 1
    QString SPWS;        // 1: "1" pre-fills the login
    QString ComPort;     // 5
    QString BaudRate;    // 4
    QString Center;      // 20
};

// The process-wide instance.
TAppConfig& AppConfig();

// Fills AppConfig() from AppFilePath("Config.ini"). A missing file is
// reported to the user and every value takes its default.
void LoadAppConfig();

// Defaults of the keys whose value is ours to choose.
namespace ConfigDefaults {
inline const QString SQLPassWord = QStringLiteral("sa");
inline const QString SQLUser = QStringLiteral("sa");
inline const QString SmsCenter = QStringLiteral("+8613800755500");
} // namespace ConfigDefaults

// The scrambler of the stored connection values ([Server] DBSource, DBName,
// PassWord, SQLUser). Stored files depend on this exact arithmetic, including
// its uneven wraps: a few characters (the exclamation mark among them) do not
// come back unchanged. Blanks, '~' and everything above code 125 pass as they are.
QString EncodeConfigField(const QString& plain);
QString DecodeConfigField(const QString& stored);

// The 93 characters the scrambler writes, indexed 0 to 92.
const QString& ConfigScrambleAlphabet();
