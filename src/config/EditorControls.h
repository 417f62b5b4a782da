#pragma once

#include <QGroupBox>
#include <QStringList>
#include <QWidget>

class QButtonGroup;
class QLineEdit;
class QToolButton;

// A small up-down control: two arrow buttons. Free, it only reports clicks;
// bound to an edit box, a click also writes the box's number plus or minus
// the step, kept within the limits. The edit box keeps whatever is typed into
// it; the control reads the box's text anew at every click.
class TUpDown final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TUpDown)

public:
    explicit TUpDown(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    void setIncrement(int step) { m_increment = step; }
    int increment() const { return m_increment; }
    // Written numbers from 1000 on carry a grouping comma (on by default).
    void setThousands(bool on) { m_thousands = on; }

    // Binds the control to an edit box; nullptr makes it free again.
    void setAssociate(QLineEdit* edit) { m_associate = edit; }
    QLineEdit* associate() const { return m_associate; }

    // The last number read or written; used when the box's text is no number.
    int position() const { return m_position; }
    void setPosition(int position);

    // What a click on an arrow does.
    void step(bool up);

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

    QSize sizeHint() const override;

signals:
    // Every click, before a bound box is written.
    void clicked(bool up);

private:
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    QLineEdit* m_associate = nullptr;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_increment = 1;
    int m_position = 0;
    bool m_thousands = true;
};

// A framed group of radio buttons, the items laid out in the given number of
// columns. The buttons are named <group>_0, <group>_1, ... so that a caller
// can click them like an operator; setItemIndex checks one by program and
// runs itemChanged exactly as a click does.
class TRadioGroup final : public QGroupBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TRadioGroup)

public:
    TRadioGroup(const QString& name, const QStringList& items, int columns, QWidget* parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index);
    QString itemText(int index) const;
    int count() const;
    QButtonGroup* buttons() const { return m_buttons; }

signals:
    // The newly checked item, after any change of the checked item.
    void itemChanged(int index);

private:
    QButtonGroup* m_buttons = nullptr;
};
