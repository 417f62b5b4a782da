#pragma once

#include <QTemporaryDir>

// A temporary application directory for one test: AppDirectory() points at it
// while the object lives. Optionally copies files from the built application
// directory (PARAM_APP_DIR), e.g. the database or the workbook template.
class TestAppDir
{
public:
    TestAppDir();
    ~TestAppDir();
    Q_DISABLE_COPY_MOVE(TestAppDir)

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    // Copies a file of the built application directory into this one.
    bool copyFromBuild(const QString& name) const;
    // Writes a text file (UTF-8 bytes as given) into this directory.
    bool writeFile(const QString& name, const QByteArray& bytes) const;

private:
    QTemporaryDir m_dir;
};

// The built application directory (bin), from the test environment.
QString BuiltAppDir();
