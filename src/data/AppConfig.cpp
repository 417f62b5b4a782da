#include "AppConfig.h"

#include "app/Prompt.h"
#include "data/IniFile.h"

namespace {

// Printable ASCII without the blank and the double quote (an INI reader strips
// quotes around a value), in an order of our own. Never change it: stored
// Config.ini files are written with it.
const QString kAlphabet = QStringLiteral(
    R"(k7R#pZ2$wE&Lq;9Xj(Ua4+Bt<Hn0:Vf]Mc)Sy5*Gd@Ko!W/e3?Ir_Pz6^Fb=Nh>Ax1|Ci-Tu8,Ys`Dl[Qg%Jm{Ov.'\}~)");

constexpr int kOffset = 34;
constexpr int kModulus = 92;

// +1 or -1 by the position (counted from 1), and the shift.
void PositionShift(int position, int& shift, int& direction)
{
    shift = position % kModulus;
    direction = (position / kModulus) % 2 == 1 ? 1 : -1;
}

} // namespace

const QString& ConfigScrambleAlphabet()
{
    return kAlphabet;
}

QString EncodeConfigField(const QString& plain)
{
    QString result = plain;
    for (int i = 0; i < result.size(); ++i) {
        const int c = result.at(i).unicode();
        if (c < 33 || c > 125)
            continue;
        int shift = 0;
        int direction = 0;
        PositionShift(i + 1, shift, direction);
        int j = (c - kOffset) + direction * shift;
        if (j > 92)
            j = j % kModulus;
        else if (j < 0)
            j = j + kModulus;
        result[i] = kAlphabet.at(j);
    }
    return result;
}

QString DecodeConfigField(const QString& stored)
{
    QString result = stored;
    for (int i = 0; i < result.size(); ++i) {
        int k = int(kAlphabet.indexOf(result.at(i)));
        if (k < 0)
            continue;
        int shift = 0;
        int direction = 0;
        PositionShift(i + 1, shift, direction);
        k = k - direction * shift;
        if (k < 0)
            k = k + kModulus;
        else if (k > 92)
            k = k % kModulus;
        result[i] = QChar(k + kOffset);
    }
    return result;
}

TAppConfig& AppConfig()
{
    static TAppConfig config;
    return config;
}

void LoadAppConfig()
{
    // An unreadable file is as good as a missing one: the defaults apply.
    const TIniFile ini(ConfigFilePath());
    if (!ini.loaded())
        ShowNotice(
            QStringLiteral("The configuration file does not exist. Please contact your system administrator"),
            MsgFlags::Ok | MsgFlags::IconWarning, QStringLiteral("系统提示"));

    const auto read = [&ini](const char* section, const char* key, const QString& fallback, int kept) {
        return ini.readString(QLatin1String(section), QLatin1String(key), fallback).left(kept);
    };
    // Stored scrambled; an absent key takes its plain default.
    const auto readScrambled = [&ini](const char* key, const QString& fallback, int kept) {
        const QString section = QStringLiteral("Server");
        if (!ini.contains(section, QLatin1String(key)))
            return fallback.left(kept);
        return DecodeConfigField(ini.readString(section, QLatin1String(key), QString())).left(kept);
    };

    TAppConfig config;
    config.DBMod = read("Server", "DBMod", QStringLiteral("0"), 1);
    config.AutoS = read("Station", "AutoS", QStringLiteral("0"), 2);
    if (config.DBMod == QLatin1String("0")) {
        config.DBSource = readScrambled("DBSource", QStringLiteral("127.0.0.1"), 50);
        config.DBName = readScrambled("DBName", QStringLiteral("QCont"), 20);
        config.SQLPassWord = readScrambled("PassWord", ConfigDefaults::SQLPassWord, 12);
        config.SQLUser = readScrambled("SQLUser", ConfigDefaults::SQLUser, 10);
    }
    config.CId = read("Station", "CId", QStringLiteral("01"), 2);
    config.Sound = read("Station", "Sound", QStringLiteral("0"), 1);
    config.SPWS = read("Station", "SPWS", QStringLiteral("0"), 1);
    config.SMS = read("SMSSet", "SMS", QStringLiteral("00"), 5);
    config.ComPort = read("SMSSet", "ComPort", QStringLiteral("COM1"), 5);
    config.BaudRate = read("SMSSet", "BaudRate", QStringLiteral("9600"), 4);
    config.Center = read("SMSSet", "Center", ConfigDefaults::SmsCenter, 20);
    AppConfig() = config;
}
