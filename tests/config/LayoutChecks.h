#pragma once

// Layout checks shared by the two editor window tests.

#include "config/EditorControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>

// The visible controls an operator reads or uses; the line edit inside a
// combo box is part of the combo box.
inline QList<QWidget*> VisibleControls(QWidget* root)
{
    QList<QWidget*> controls;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisible() || qobject_cast<QComboBox*>(w->parentWidget()))
            continue;
        if (qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w) ||
            qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QPushButton*>(w) ||
            qobject_cast<TUpDown*>(w))
            controls << w;
    }
    return controls;
}

// Pairs of controls whose rectangles (in window coordinates) overlap, neither
// containing the other.
inline QStringList Overlaps(QWidget* window, const QList<QWidget*>& controls)
{
    QStringList found;
    for (qsizetype i = 0; i < controls.size(); ++i) {
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            QWidget* a = controls[i];
            QWidget* b = controls[j];
            if (a->isAncestorOf(b) || b->isAncestorOf(a))
                continue;
            const QRect ra(a->mapTo(window, QPoint(0, 0)), a->size());
            const QRect rb(b->mapTo(window, QPoint(0, 0)), b->size());
            if (ra.intersects(rb))
                found << a->objectName() + QLatin1Char('/') + b->objectName() + QLatin1Char(' ') +
                             QString::fromLatin1(a->metaObject()->className()) + QLatin1Char('/') +
                             QString::fromLatin1(b->metaObject()->className());
        }
    }
    return found;
}
