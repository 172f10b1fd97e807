#pragma once
// Small tools of the widget tests: finding a widget by object name, and typing over a line edit as a
// user does. Header-only: the support library is core-only and never compiles it.

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
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

// A form-text table: each row names a widget, the text it shows and its tooltip.
inline void FormTextColumns()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("toolTip");
}

inline void FormTextRow(const char* name, const QString& text, const QString& toolTip)
{
    QTest::newRow(name) << QString::fromLatin1(name) << text << toolTip;
}

// The text a widget shows of its own: a group box's title, a button's or a label's text, none for others.
inline QString ShownText(const QWidget* widget)
{
    if (const auto* box = qobject_cast<const QGroupBox*>(widget))
        return box->title();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    return QString();
}

// Destroys a terminal tab as the window's close does: shown and open, its command line holding a
// sentence and the keyboard focus, so that losing the focus finishes the edit while the tab goes.
template <typename Tab> bool DestroyWithCommandLineFocused(Tab* tab)
{
    tab->show();
    if (!QTest::qWaitForWindowActive(tab))
        return false;
    tab->OnOpened();
    auto* line = Child<QLineEdit>(tab, QStringLiteral("lineSend"));
    line->setFocus();
    if (!QTest::qWaitFor([line] { return line->hasFocus(); }))
        return false;
    line->setText(QStringLiteral("$UPANQ,ACF"));
    delete tab;
    return true;
}

} // namespace KelvaneTest
