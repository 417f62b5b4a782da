#pragma once

#include <QString>

// Message boxes of the whole program. Every message reaches the user through
// ShowPrompt or ShowNotice; the flag values are those of the Windows message
// box so that each window can state its buttons and icon as one number.
namespace MsgFlags {
enum : int {
    Ok = 0x00,
    OkCancel = 0x01,
    YesNo = 0x04,
    IconError = 0x10,
    IconQuestion = 0x20,
    IconWarning = 0x30,
    IconInformation = 0x40,
    ButtonMask = 0x0F,
    IconMask = 0xF0,
};
}

// Button results.
enum MsgResult : int { IdOk = 1, IdCancel = 2, IdYes = 6, IdNo = 7 };

// Where the boxes go. The GUI installs one built on QMessageBox; tests install
// a scripted one that records every message and answers from a queue.
class PromptHandler
{
public:
    virtual ~PromptHandler() = default;
    virtual int show(const QString& text, const QString& caption, int flags) = 0;
};

// Installs a handler (not owned) and returns the previous one. nullptr restores
// the fallback, which writes the message to the log and answers with the
// box's first button.
PromptHandler* SetPromptHandler(PromptHandler* handler);
PromptHandler* CurrentPromptHandler();

// Shows a modal box and returns the button pressed (MsgResult).
int ShowPrompt(const QString& text, const QString& caption, int flags);
// Same box, no result. Note the argument order: text, flags, caption.
void ShowNotice(const QString& text, int flags, const QString& caption);

// The first button of a box with these flags (what Enter would press).
int DefaultButton(int flags);
