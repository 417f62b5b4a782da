#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <sys/resource.h>

// The whole file, or empty when it cannot be read.
QByteArray ReadAll(const QString& path);
// Writes the bytes, replacing the file; false when that fails.
bool WriteBytes(const QString& path, const QByteArray& bytes);
// Every entry of a directory, hidden ones included (temporary files show up).
QStringList DirEntries(const QString& dir);

// Keeps the files this process writes below a size, as a full drive would;
// SIGXFSZ is ignored so that the write just fails.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit() { lift(); }
    Q_DISABLE_COPY_MOVE(FileSizeLimit)

    bool ok() const { return m_ok; }
    // Restores the previous limit early (a retry after "the drive was emptied").
    void lift();

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_ok = false;
    bool m_lifted = false;
};
