#pragma once

#include "app/Prompt.h"

#include <QList>
#include <QQueue>
#include <QString>

#include <functional>

// Records every message box (text, caption, flags) and answers from a queue.
// Boxes with a single OK button need no queued answer; a question (OK/Cancel,
// Yes/No) without one is recorded as a problem and answered Cancel/No.
// Installs itself on construction and restores the previous handler on
// destruction.
class ScriptedPrompts final : public PromptHandler
{
public:
    struct Message
    {
        QString text;
        QString caption;
        int flags = 0;
        bool operator==(const Message&) const = default;
    };

    ScriptedPrompts();
    ~ScriptedPrompts() override;
    Q_DISABLE_COPY_MOVE(ScriptedPrompts)

    // Queue the answer for the next question box (IdOk, IdCancel, IdYes, IdNo).
    void answer(int result) { m_answers.enqueue(result); }
    // Run code while the next box is open (e.g. to check the window's state);
    // it runs for the next box only.
    void onNextBox(std::function<void()> fn) { m_hook = std::move(fn); }

    const QList<Message>& messages() const { return m_messages; }
    QStringList texts() const;
    // Removes and returns what was recorded so far.
    QList<Message> take();
    void clear() { m_messages.clear(); }

    // Empty when every queued answer was used and no question went unanswered.
    QString problems() const;

    int show(const QString& text, const QString& caption, int flags) override;

private:
    QList<Message> m_messages;
    QQueue<int> m_answers;
    QStringList m_problems;
    std::function<void()> m_hook;
    PromptHandler* m_previous = nullptr;
};

// QCOMPARE-friendly printing.
char* toString(const ScriptedPrompts::Message& message);
