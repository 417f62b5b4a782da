#include "IniFile.h"

#include "app/AppDir.h"

#include <QFile>
#include <QList>
#include <QSaveFile>
#include <QStringDecoder>

// SimpleIni reads; its writer reformats the whole file, so writes edit lines
// in place instead. No code page conversion: values stay 8-bit.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

namespace {

QString DecodeValue(const char* bytes)
{
    const QByteArray raw(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(raw);
    if (utf8.hasError())
        return QString::fromLatin1(raw);
    return text;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArray TrimBlanks(const QByteArray& line)
{
    qsizetype begin = 0;
    qsizetype end = line.size();
    while (begin < end && (IsBlank(line[begin]) || line[begin] == '\r' || line[begin] == '\n'))
        ++begin;
    while (end > begin && (IsBlank(line[end - 1]) || line[end - 1] == '\r' || line[end - 1] == '\n'))
        --end;
    return line.mid(begin, end - begin);
}

bool SameName(const QByteArray& a, const QByteArray& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// What one line of the file is, as far as a writer needs to know.
struct Line
{
    QByteArray text; // with its line end
    enum Kind { Other, Section, Key } kind = Other;
    QByteArray name; // section or key name, trimmed
};

QList<Line> SplitLines(const QByteArray& bytes)
{
    QList<Line> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end + 1;
        Line line;
        line.text = bytes.mid(start, end - start);
        const QByteArray trimmed = TrimBlanks(line.text);
        if (trimmed.startsWith('[') && trimmed.contains(']')) {
            line.kind = Line::Section;
            line.name = TrimBlanks(trimmed.mid(1, trimmed.indexOf(']') - 1));
        } else if (!trimmed.startsWith(';') && !trimmed.startsWith('#') && trimmed.contains('=')) {
            line.kind = Line::Key;
            line.name = TrimBlanks(trimmed.left(trimmed.indexOf('=')));
        }
        lines.append(line);
        start = end;
    }
    return lines;
}

// A value that the reader would otherwise change (outer blanks trimmed, outer
// double quotes stripped) is written inside one more pair of quotes.
QByteArray EncodeValue(const QString& value)
{
    QByteArray bytes = value.toUtf8();
    const bool outerBlank = !bytes.isEmpty() && (IsBlank(bytes.front()) || IsBlank(bytes.back()));
    const bool quoted = bytes.size() > 1 && bytes.front() == '"' && bytes.back() == '"';
    if (outerBlank || quoted)
        bytes = '"' + bytes + '"';
    return bytes;
}

} // namespace

TIniFile::TIniFile(const QString& path) : m_path(path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        m_bytes = file.readAll();
        m_loaded = file.error() == QFile::NoError;
    }
}

bool TIniFile::lookup(const QString& section, const QString& key, QString* value) const
{
    if (m_bytes.isEmpty())
        return false;
    CSimpleIniA ini(/*utf8*/ false, /*multiKey*/ false, /*multiLine*/ false);
    ini.SetQuotes(true);
    if (ini.LoadData(m_bytes.constData(), size_t(m_bytes.size())) < 0)
        return false;
    const char* found = ini.GetValue(section.toUtf8().constData(), key.toUtf8().constData(), nullptr);
    if (!found)
        return false;
    if (value)
        *value = DecodeValue(found);
    return true;
}

QString TIniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const
{
    QString value;
    return lookup(section, key, &value) ? value : defaultValue;
}

bool TIniFile::contains(const QString& section, const QString& key) const
{
    return lookup(section, key, nullptr);
}

bool TIniFile::writeString(const QString& section, const QString& key, const QString& value, QString* error)
{
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'))) {
        if (error)
            *error = QStringLiteral("A value in %1 cannot contain a line break.").arg(m_path);
        return false;
    }
    const QByteArray sectionName = section.toUtf8();
    const QByteArray keyName = key.toUtf8();
    const QByteArray encoded = EncodeValue(value);
    const QByteArray eol =
        (m_bytes.isEmpty() || m_bytes.contains("\r\n")) ? QByteArray("\r\n") : QByteArray("\n");

    QList<Line> lines = SplitLines(m_bytes);
    // Every occurrence is set, so that duplicate keys cannot hide the new value.
    // A new key goes after the last key of the first matching section.
    enum { Before, Inside, After } firstSection = Before;
    bool inSection = false;
    bool replaced = false;
    qsizetype insertAt = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        Line& line = lines[i];
        if (line.kind == Line::Section) {
            inSection = SameName(line.name, sectionName);
            if (firstSection == Inside)
                firstSection = After;
            if (firstSection == Before && inSection) {
                firstSection = Inside;
                insertAt = i + 1;
            }
            continue;
        }
        if (!inSection || line.kind != Line::Key)
            continue;
        if (firstSection == Inside)
            insertAt = i + 1;
        if (SameName(line.name, keyName)) {
            const bool hadEol = line.text.endsWith('\n');
            line.text = line.name + '=' + encoded + (hadEol ? eol : QByteArray());
            replaced = true;
        }
    }
    if (!replaced) {
        Line entry;
        entry.text = keyName + '=' + encoded + eol;
        if (insertAt < 0) {
            entry.text = '[' + sectionName + ']' + eol + entry.text;
            insertAt = lines.size();
        }
        if (insertAt > 0 && !lines[insertAt - 1].text.endsWith('\n'))
            lines[insertAt - 1].text += eol;
        lines.insert(insertAt, entry);
    }
    QByteArray out;
    for (const Line& line : lines)
        out += line.text;

    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit()) {
        if (error)
            *error = QStringLiteral("Unable to write to %1: %2").arg(m_path, file.errorString());
        return false;
    }
    m_bytes = out;
    m_loaded = true;
    return true;
}

QString ConfigFilePath()
{
    return AppFilePath(QStringLiteral("Config.ini"));
}

QString ReadConfigString(const QString& section, const QString& key, const QString& defaultValue)
{
    return TIniFile(ConfigFilePath()).readString(section, key, defaultValue);
}

bool WriteConfigString(const QString& section, const QString& key, const QString& value, QString* error)
{
    TIniFile file(ConfigFilePath());
    return file.writeString(section, key, value, error);
}
