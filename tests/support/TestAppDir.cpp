#include "TestAppDir.h"

#include "app/AppDir.h"

#include <QFile>

QString BuiltAppDir()
{
    return qEnvironmentVariable("PARAM_APP_DIR");
}

TestAppDir::TestAppDir()
{
    SetAppDirectory(m_dir.path());
}

TestAppDir::~TestAppDir()
{
    SetAppDirectory(QString());
}

bool TestAppDir::copyFromBuild(const QString& name) const
{
    const QString target = m_dir.filePath(name);
    QFile::remove(target);
    if (!QFile::copy(BuiltAppDir() + QLatin1Char('/') + name, target))
        return false;
    return QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
}

bool TestAppDir::writeFile(const QString& name, const QByteArray& bytes) const
{
    QFile f(m_dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}
