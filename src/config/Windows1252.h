#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The settings text's code page. Loggers read 8-bit text; Windows-1252 is
// Latin-1 with printable characters in 0x80..0x9F, five of which it leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D).

// True when every character has a byte in the code page (the C1 controls
// U+0080..U+009F have none).
bool IsWindows1252Text(const QString& text);
// Unrepresentable characters become '?'; the check keeps them out of the file.
QByteArray ToWindows1252(const QString& text);
// Bytes as text; the five undefined bytes become the control characters of
// the same value, so that nothing read is lost.
QString DecodeWindows1252(QByteArrayView bytes);
