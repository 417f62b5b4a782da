#include "Shared.h"

#include <QHostAddress>
#include <QHostInfo>

QString TrimText(const QString& value)
{
    qsizetype begin = 0;
    qsizetype end = value.size();
    while (begin < end && value.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && value.at(end - 1).unicode() <= 32)
        --end;
    // Never a null text: a bound null would be stored as NULL.
    if (begin == end)
        return QStringLiteral("");
    return value.mid(begin, end - begin);
}

QString QuoteSqlText(const QString& value)
{
    return QLatin1Char('\'') + TrimText(value) + QLatin1Char('\'');
}

QChar FilterQuoteKey(QChar key)
{
    const char16_t code = key.unicode();
    if (code == u'\'')
        return QChar();
    // Row 0xA3 of the Chinese code page: the full-width forms of the ASCII
    // characters, with the full-width yen sign and macron in two of the places.
    if ((code >= 0xFF01 && code <= 0xFF5E) || code == 0xFFE3 || code == 0xFFE5)
        return QChar();
    return key;
}

QString GetLocalIpAddress(const QString& hostName)
{
    const QString unresolved = QStringLiteral("0.0.0.0");
    const QString name = hostName.isEmpty() ? QHostInfo::localHostName() : hostName;
    // Not a host name at all: no need to ask the resolver.
    if (name.isEmpty() || name.size() > 253 || name.contains(QLatin1Char(' ')))
        return unresolved;
    const QHostInfo info = QHostInfo::fromName(name);
    if (info.error() != QHostInfo::NoError)
        return unresolved;
    QString result = unresolved;
    for (const QHostAddress& address : info.addresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            result = address.toString();
    }
    return result;
}
