// Keys and mouse events sent to widgets as a user would, shared by the window tests.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QString>
#include <QTest>
#include <QWidget>

namespace tovrel::test {

// Types the text; QTest maps ASCII characters to keys only, so others arrive as text, as an input
// method sends them.
inline void KeyText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

inline void SendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
                      const QPoint& pos, Qt::KeyboardModifiers modifiers = {}) {
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}

inline void Click(QWidget* widget, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                  const QPoint& pos) {
    SendMouse(widget, QEvent::MouseButtonPress, button, button, pos, modifiers);
    SendMouse(widget, QEvent::MouseButtonRelease, button, Qt::NoButton, pos, modifiers);
}

// A double click as separate events: QTest's does not reach a view's doubleClicked signal.
inline void DoubleClick(QWidget* widget, const QPoint& pos) {
    Click(widget, Qt::LeftButton, {}, pos);
    SendMouse(widget, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, pos);
    SendMouse(widget, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, pos);
}

}  // namespace tovrel::test
