#pragma once

#include <QString>

class QWidget;

// The one way the program asks for files and folders. The GUI installs the
// QFileDialog implementation; tests install a scripted fake. An empty result
// means the user cancelled.
class FileDialogs
{
public:
    struct Request
    {
        enum Kind { OpenFile, SaveFile, ChooseFolder };
        Kind kind = OpenFile;
        QString title;
        QString proposedPath; // file name or folder to start from; may be empty
        QString filter;       // Qt filter text, e.g. "Profile(*.txt)"; may be empty
        QString defaultSuffix;
    };

    virtual ~FileDialogs() = default;
    virtual QString ask(QWidget* parent, const Request& request) = 0;

    QString openFile(QWidget* parent, const QString& title, const QString& filter, const QString& defaultSuffix);
    QString saveFile(QWidget* parent, const QString& title, const QString& proposedPath,
                     const QString& filter, const QString& defaultSuffix);
    QString chooseFolder(QWidget* parent, const QString& title, const QString& startFolder = QString());
};

// Installs an implementation (not owned); returns the previous one.
FileDialogs* SetFileDialogs(FileDialogs* dialogs);
// The installed implementation. Without one every request is cancelled.
FileDialogs& Dialogs();
