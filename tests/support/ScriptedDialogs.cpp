#include "ScriptedDialogs.h"

#include <QStringList>

ScriptedDialogs::ScriptedDialogs()
{
    m_previous = SetFileDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    SetFileDialogs(m_previous);
}

QString ScriptedDialogs::problems() const
{
    QStringList all = m_problems;
    if (!m_answers.isEmpty())
        all << QStringLiteral("%1 queued dialog answer(s) never used").arg(m_answers.size());
    return all.join(QLatin1String("; "));
}

QString ScriptedDialogs::ask(QWidget*, const Request& request)
{
    m_requests.append(request);
    if (m_answers.isEmpty()) {
        m_problems << QStringLiteral("unexpected dialog: %1").arg(request.title);
        return {};
    }
    return m_answers.dequeue();
}
