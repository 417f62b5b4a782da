#pragma once

#include <QByteArray>
#include <QString>

// Config.ini and its kin, read and written the way Windows INI services do:
// section and key names match without regard to case, keys may contain blanks
// ("Last Profile Path") and are written literally, a key that is present but
// empty reads as empty text (not as the default), and writing one key leaves
// every other line of the file as it was, comments included.
//
// A TIniFile reads the file once when created; each write goes to disk at once
// (atomically) and is seen by later reads of the same object. No handle stays
// open. Values are plain 8-bit text: a value that is valid UTF-8 is read as
// UTF-8, anything else byte for byte as Latin-1; values are written as UTF-8.
class TIniFile
{
public:
    explicit TIniFile(const QString& path);

    const QString& path() const { return m_path; }
    // Whether the file existed and could be read when the object was created.
    bool loaded() const { return m_loaded; }

    // The value of the key, or defaultValue when the section or key is absent.
    QString readString(const QString& section, const QString& key, const QString& defaultValue) const;
    bool contains(const QString& section, const QString& key) const;

    // Sets the key, creating the file, the section or the key as needed.
    // A value with a line break is refused (it would inject further keys).
    bool writeString(const QString& section, const QString& key, const QString& value,
                     QString* error = nullptr);

private:
    bool lookup(const QString& section, const QString& key, QString* value) const;

    QString m_path;
    QByteArray m_bytes;
    bool m_loaded = false;
};

// The program's own settings file: AppFilePath("Config.ini").
QString ConfigFilePath();

// One key of Config.ini, read or written in one go, e.g.
//   ReadConfigString("Path", "Last Profile Path", QString())
//   WriteConfigString("Path", "Device Path", folder)
QString ReadConfigString(const QString& section, const QString& key, const QString& defaultValue = QString());
bool WriteConfigString(const QString& section, const QString& key, const QString& value,
                       QString* error = nullptr);

// Section and keys of the remembered paths.
namespace ConfigKeys {
inline const QString PathSection = QStringLiteral("Path");
inline const QString LastProfilePath = QStringLiteral("Last Profile Path");
inline const QString DevicePath = QStringLiteral("Device Path");
} // namespace ConfigKeys
