#include "AppDir.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString g_override;
}

QString AppDirectory()
{
    if (!g_override.isEmpty())
        return g_override;
    return QCoreApplication::applicationDirPath();
}

void SetAppDirectory(const QString& dir)
{
    g_override = dir;
}

QString JoinNative(const QString& dir, const QString& fileName)
{
    return QDir::toNativeSeparators(dir) + QDir::separator() + fileName;
}

QString AppFilePath(const QString& fileName)
{
    QString dir = QDir::toNativeSeparators(AppDirectory());
    if (dir.endsWith(QDir::separator()))
        return dir + fileName;
    return dir + QDir::separator() + fileName;
}
