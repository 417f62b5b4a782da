#include "ScriptedPrompts.h"

#include <QTest>

ScriptedPrompts::ScriptedPrompts()
{
    m_previous = SetPromptHandler(this);
}

ScriptedPrompts::~ScriptedPrompts()
{
    SetPromptHandler(m_previous);
}

QStringList ScriptedPrompts::texts() const
{
    QStringList result;
    for (const Message& m : m_messages)
        result << m.text;
    return result;
}

QList<ScriptedPrompts::Message> ScriptedPrompts::take()
{
    QList<Message> result = m_messages;
    m_messages.clear();
    return result;
}

QString ScriptedPrompts::problems() const
{
    QStringList all = m_problems;
    if (!m_answers.isEmpty())
        all << QStringLiteral("%1 queued answer(s) never used").arg(m_answers.size());
    return all.join(QLatin1String("; "));
}

int ScriptedPrompts::show(const QString& text, const QString& caption, int flags)
{
    m_messages.append({text, caption, flags});
    if (m_hook) {
        auto hook = std::move(m_hook);
        m_hook = nullptr;
        hook();
    }
    const int buttons = flags & MsgFlags::ButtonMask;
    if (buttons == MsgFlags::Ok)
        return IdOk;
    if (m_answers.isEmpty()) {
        m_problems << QStringLiteral("unanswered question: %1").arg(text);
        return buttons == MsgFlags::YesNo ? IdNo : IdCancel;
    }
    return m_answers.dequeue();
}

char* toString(const ScriptedPrompts::Message& message)
{
    const QString s = QStringLiteral("{\"%1\", \"%2\", %3}").arg(message.text, message.caption).arg(message.flags);
    return QTest::toString(s);
}
