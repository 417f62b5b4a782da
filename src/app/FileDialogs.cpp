#include "FileDialogs.h"

namespace {

class CancellingDialogs final : public FileDialogs
{
public:
    QString ask(QWidget*, const Request&) override { return {}; }
};

CancellingDialogs g_fallback;
FileDialogs* g_dialogs = nullptr;

} // namespace

QString FileDialogs::openFile(QWidget* parent, const QString& title, const QString& filter,
                              const QString& defaultSuffix)
{
    return ask(parent, {Request::OpenFile, title, QString(), filter, defaultSuffix});
}

QString FileDialogs::saveFile(QWidget* parent, const QString& title, const QString& proposedPath,
                              const QString& filter, const QString& defaultSuffix)
{
    return ask(parent, {Request::SaveFile, title, proposedPath, filter, defaultSuffix});
}

QString FileDialogs::chooseFolder(QWidget* parent, const QString& title, const QString& startFolder)
{
    return ask(parent, {Request::ChooseFolder, title, startFolder, QString(), QString()});
}

FileDialogs* SetFileDialogs(FileDialogs* dialogs)
{
    FileDialogs* previous = g_dialogs;
    g_dialogs = dialogs;
    return previous;
}

FileDialogs& Dialogs()
{
    return g_dialogs ? *g_dialogs : static_cast<FileDialogs&>(g_fallback);
}
