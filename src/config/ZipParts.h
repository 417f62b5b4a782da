#pragma once

#include <QByteArray>
#include <QString>

#include <ctime>
#include <string>
#include <vector>

// One entry of a zip archive, held in memory.
struct ZipPart
{
    std::string name; // as stored, e.g. "xl/workbook.xml"; a directory ends in '/'
    QByteArray data;
    bool directory = false;
    bool removed = false; // left out when the archive is written
    time_t mtime = 0;     // 0: the time of writing
};

// Reads every entry of an archive in memory. False with the reason when it is
// not an archive, is damaged, or holds an entry too large to be a document part.
bool ReadZipParts(const QByteArray& archive, std::vector<ZipPart>* parts, QString* errorString);

// The archive of the parts, in their order, compressed; empty with the reason
// on failure.
QByteArray WriteZipParts(const std::vector<ZipPart>& parts, QString* errorString);
