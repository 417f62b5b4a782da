#include "Prompt.h"

#include <QDebug>

namespace {

class LogPromptHandler final : public PromptHandler
{
public:
    int show(const QString& text, const QString& caption, int flags) override
    {
        qWarning().noquote() << "[message]" << caption << ":" << text;
        return DefaultButton(flags);
    }
};

LogPromptHandler g_fallback;
PromptHandler* g_handler = nullptr;

} // namespace

PromptHandler* SetPromptHandler(PromptHandler* handler)
{
    PromptHandler* previous = g_handler;
    g_handler = handler;
    return previous;
}

PromptHandler* CurrentPromptHandler()
{
    return g_handler ? g_handler : &g_fallback;
}

int DefaultButton(int flags)
{
    switch (flags & MsgFlags::ButtonMask) {
    case MsgFlags::YesNo:
        return IdYes;
    default:
        return IdOk;
    }
}

int ShowPrompt(const QString& text, const QString& caption, int flags)
{
    return CurrentPromptHandler()->show(text, caption, flags);
}

void ShowNotice(const QString& text, int flags, const QString& caption)
{
    CurrentPromptHandler()->show(text, caption, flags);
}
