#pragma once

#include "app/FileDialogs.h"
#include "app/Prompt.h"

// Message boxes on QMessageBox, owned by the active window.
class QtPromptHandler final : public PromptHandler
{
public:
    int show(const QString& text, const QString& caption, int flags) override;
};

// File and folder dialogs on QFileDialog. Overwriting is never confirmed by
// the dialog itself: the flows that care ask their own question.
class QtFileDialogs final : public FileDialogs
{
public:
    QString ask(QWidget* parent, const Request& request) override;
};
