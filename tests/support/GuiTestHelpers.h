#pragma once

#include <QTest>
#include <QWidget>

// Finds a control by objectName and fails the test clearly when it is missing.
template <typename T>
T* Control(QObject* root, const char* name)
{
    T* found = root->findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("control %s not found (or not of the expected type)", name);
    return found;
}
