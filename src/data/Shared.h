#pragma once

#include <QChar>
#include <QString>

// Removes leading and trailing blanks and control characters (codes up to 32),
// the trimming every typed value gets before it is compared or stored.
QString TrimText(const QString& value);

// The trimmed value between apostrophes, for showing a value as SQL text.
// Statements never use it: they bind their values.
QString QuoteSqlText(const QString& value);

// The key filter of the edit boxes that feed the operator tables: returns a
// null QChar for a key that is dropped (the apostrophe and the full-width
// forms, whose Chinese code page lead byte is 0xA3, the full-width apostrophe
// among them), the key itself otherwise. Edit boxes install it through
// InstallQuoteKeyFilter (data/QuoteKeyFilter.h).
QChar FilterQuoteKey(QChar key);

// The IPv4 address of a host (the local machine for an empty name) in dotted
// form, through the system resolver: the last IPv4 address it lists.
// "0.0.0.0" when the name does not resolve.
QString GetLocalIpAddress(const QString& hostName);
