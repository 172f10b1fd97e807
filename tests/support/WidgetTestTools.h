#pragma once
// Small tools of the widget tests: finding a widget by object name, and typing over a line edit as a
// user does. Header-only: the support library is core-only and never compiles it.

#include <QLineEdit>
#include <QObject>
#include <QString>
#include <QtTest/QtTest>

namespace KelvaneTest
{

// Finds a widget (or action) by object name; a missing one ends the test run, naming it.
template <typename T> T* Child(const QObject* parent, const QString& name)
{
    T* child = parent->findChild<T*>(name);
    if (child == nullptr)
        qFatal("missing widget %s", qPrintable(name));
    return child;
}

template <typename T> T* Child(const QObject& parent, const QString& name)
{
    return Child<T>(&parent, name);
}

// Replaces the edit's text as a user does: all selected, deleted, the new text typed.
inline void Type(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

} // namespace KelvaneTest
