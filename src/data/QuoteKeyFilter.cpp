#include "QuoteKeyFilter.h"

#include "data/Shared.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace {

class QuoteKeyFilter final : public QObject
{
public:
    explicit QuoteKeyFilter(QObject* parent) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const QString text = static_cast<QKeyEvent*>(event)->text();
            for (QChar c : text) {
                if (FilterQuoteKey(c).isNull())
                    return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void InstallQuoteKeyFilter(QWidget* edit)
{
    edit->installEventFilter(new QuoteKeyFilter(edit));
}
