#include "EditorControls.h"

#include "config/FieldFormats.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

TUpDown::TUpDown(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_up = new QToolButton(this);
    m_down = new QToolButton(this);
    for (QToolButton* button : {m_up, m_down}) {
        button->setArrowType(button == m_up ? Qt::UpArrow : Qt::DownArrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        button->setFixedWidth(16);
        layout->addWidget(button);
    }
    connect(m_up, &QToolButton::clicked, this, [this] { step(true); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(false); });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize TUpDown::sizeHint() const
{
    return {16, 24};
}

void TUpDown::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
}

void TUpDown::setPosition(int position)
{
    m_position = qBound(m_minimum, position, m_maximum);
}

void TUpDown::step(bool up)
{
    emit clicked(up);
    if (!m_associate)
        return;
    // The box may hold anything typed or pasted; a text that is no number
    // steps from the last known position.
    QString digits = m_associate->text();
    digits.remove(QLatin1Char(','));
    bool ok = false;
    const int typed = digits.trimmed().toInt(&ok);
    const qint64 base = ok ? typed : m_position;
    const qint64 next = base + (up ? m_increment : -m_increment);
    m_position = int(qBound(qint64(m_minimum), next, qint64(m_maximum)));
    m_associate->setText(m_thousands ? FormatGroupedWhole(m_position) : QString::number(m_position));
}

TRadioGroup::TRadioGroup(const QString& name, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(parent), m_buttons(new QButtonGroup(this))
{
    setObjectName(name);
    m_buttons->setObjectName(name + QStringLiteral("_buttons"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 2, 8, 2);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(2);
    const int perColumn = (int(items.size()) + columns - 1) / qMax(columns, 1);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setObjectName(QStringLiteral("%1_%2").arg(name).arg(i));
        m_buttons->addButton(button, i);
        grid->addWidget(button, i % perColumn, i / perColumn);
    }
    grid->setColumnStretch(grid->columnCount(), 1);
    connect(m_buttons, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit itemChanged(id);
    });
}

int TRadioGroup::itemIndex() const
{
    return m_buttons->checkedId();
}

void TRadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* button = m_buttons->button(index))
        button->setChecked(true);
}

QString TRadioGroup::itemText(int index) const
{
    QAbstractButton* button = m_buttons->button(index);
    return button ? button->text() : QString();
}

int TRadioGroup::count() const
{
    return int(m_buttons->buttons().size());
}
