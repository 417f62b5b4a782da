#include "KeyFilters.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

bool IsDigit(QChar key)
{
    return key >= QLatin1Char('0') && key <= QLatin1Char('9');
}

class KeyFilter final : public QObject
{
public:
    KeyFilter(QLineEdit* edit, KeyRule rule) : QObject(edit), m_edit(edit), m_rule(rule) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_edit || event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        // Shortcuts (paste among them) and keys without a character are not
        // typing.
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        const QString typed = key->text();
        if (typed.size() != 1)
            return false;
        const bool wholeSelected = m_edit->hasSelectedText() && m_edit->selectedText() == m_edit->text();
        return !KeyPasses(m_rule, typed.front(), m_edit->text(), wholeSelected);
    }

private:
    QLineEdit* m_edit;
    KeyRule m_rule;
};

// A validator or setMaxLength would also judge the texts the program puts
// in; this looks only at the operator's edits (typing, pasting, dropping),
// which textEdited reports, and takes back one that grows the text beyond
// the limit.
class TypingLimit final : public QObject
{
public:
    TypingLimit(QLineEdit* edit, int limit)
        : QObject(edit), m_edit(edit), m_limit(limit), m_current(edit->text())
    {
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) {
            m_previous = m_current;
            m_current = text;
        });
        connect(edit, &QLineEdit::textEdited, this, &TypingLimit::edited);
    }

private:
    void edited(const QString& text)
    {
        // textEdited comes before textChanged; either way round, the text
        // before the edit is the one kept that differs from the new one.
        const QString before = m_current == text ? m_previous : m_current;
        if (text.size() <= m_limit || text.size() <= before.size())
            return;
        const int cursor = m_edit->cursorPosition() - int(text.size() - before.size());
        m_edit->setText(before);
        m_edit->setCursorPosition(qMax(cursor, 0));
    }

    QLineEdit* m_edit;
    int m_limit;
    QString m_current;
    QString m_previous;
};

} // namespace

bool KeyPasses(KeyRule rule, QChar key, const QString& text, bool wholeTextSelected)
{
    if (key == QLatin1Char('\b') || key == QLatin1Char('\t') || key == QLatin1Char('\r') ||
        key == QLatin1Char('\n'))
        return true;
    const QString trimmed = text.trimmed();
    const QChar point = QLatin1Char('.');
    switch (rule) {
    case KeyRule::Digits:
        return IsDigit(key);
    case KeyRule::RecordingInterval:
    case KeyRule::RecordingDays: {
        if (!IsDigit(key))
            return false;
        if (key == QLatin1Char('0') && (trimmed.isEmpty() || wholeTextSelected))
            return false;
        if (rule == KeyRule::RecordingInterval)
            return true;
        // Typing left to right cannot go beyond 400.
        bool ok = false;
        const int days = trimmed.toInt(&ok);
        if (ok && days > 40)
            return false;
        if (ok && days == 40)
            return key == QLatin1Char('0');
        return true;
    }
    case KeyRule::TemperatureThreshold:
        if (key == point)
            return !text.contains(point);
        return IsDigit(key) || key == QLatin1Char('-');
    case KeyRule::HumidityThreshold: {
        if (key == point)
            return !text.contains(point);
        if (!IsDigit(key))
            return false;
        // At most two digits before the decimal point.
        bool ok = false;
        const double value = text.toDouble(&ok);
        return text.isEmpty() || text.contains(point) || !ok || value < 10;
    }
    }
    return false;
}

void InstallKeyFilter(QLineEdit* edit, KeyRule rule)
{
    edit->installEventFilter(new KeyFilter(edit, rule));
}

void LimitTyping(QLineEdit* edit, int limit)
{
    new TypingLimit(edit, limit);
}
