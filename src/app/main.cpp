#include "app/MainWindow.h"
#include "app/QtPrompts.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Parameter configuration software"));
    // One consistent look for every window.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    QtPromptHandler prompts;
    SetPromptHandler(&prompts);
    QtFileDialogs dialogs;
    SetFileDialogs(&dialogs);

    TFrmMain mainWindow;
    if (!mainWindow.FormCreate())
        return 0;
    mainWindow.showMaximized();
    const int result = QApplication::exec();
    SetFileDialogs(nullptr);
    SetPromptHandler(nullptr);
    return result;
}
