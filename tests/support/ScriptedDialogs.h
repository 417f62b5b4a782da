#pragma once

#include "app/FileDialogs.h"

#include <QList>
#include <QQueue>

// Answers file and folder requests from a queue and records each request.
// A request with nothing queued is answered as cancelled and recorded as a
// problem. Installs itself and restores the previous implementation.
class ScriptedDialogs final : public FileDialogs
{
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    Q_DISABLE_COPY_MOVE(ScriptedDialogs)

    // Queue the result of the next request; an empty string cancels it.
    void answer(const QString& path) { m_answers.enqueue(path); }
    void cancelNext() { m_answers.enqueue(QString()); }

    const QList<Request>& requests() const { return m_requests; }
    QString problems() const;

    QString ask(QWidget* parent, const Request& request) override;

private:
    QList<Request> m_requests;
    QQueue<QString> m_answers;
    QStringList m_problems;
    FileDialogs* m_previous = nullptr;
};
