#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <gtest/gtest.h>

// Acts on the next modal dialog once it is shown: exec() blocks the test, so
// the action runs from the event loop that exec() starts. Gives up after a few
// seconds so a dialog that never appears fails the test instead of hanging.
inline void whenModal(std::function<void(QWidget*)> action, int triesLeft = 400)
{
    QTimer::singleShot(10, [action = std::move(action), triesLeft]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            action(modal);
            return;
        }
        if (triesLeft > 0)
            whenModal(std::move(action), triesLeft - 1);
        else
            ADD_FAILURE() << "no modal dialog appeared";
    });
}

template <class W> W* child(QWidget* parent, const char* name)
{
    W* widget = parent->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// Types text into a widget one character at a time. QTest::keyClicks maps
// characters to Latin-1 keys, so Chinese text goes as key events that carry
// their text, as an input method delivers it.
inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

// Replaces a line edit's text by typing, as a user does.
inline void retype(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    typeText(edit, text);
}

inline void retype(QWidget* parent, const char* name, const QString& text)
{
    if (auto* edit = child<QLineEdit>(parent, name))
        retype(edit, text);
}

inline void press(QWidget* parent, const char* name)
{
    if (auto* button = child<QPushButton>(parent, name))
        QTest::mouseClick(button, Qt::LeftButton);
}

inline QString textOf(QWidget* parent, const char* name)
{
    auto* edit = child<QLineEdit>(parent, name);
    return edit ? edit->text() : QString();
}
