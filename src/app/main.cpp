#include "app/MainWindow.h"
#include "app/QtPrompts.h"

#include <QApplication>
#include <QScreen>
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
    // Fill the screen even where no window manager honours the maximised state.
    mainWindow.setGeometry(mainWindow.screen()->availableGeometry());
    mainWindow.showMaximized();
    const int result = QApplication::exec();
    SetFileDialogs(nullptr);
    SetPromptHandler(nullptr);
    return result;
}
