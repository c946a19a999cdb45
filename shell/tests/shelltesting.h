// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "shell/ui/buttonlabel.h"
#include "shell/ui/frmdialog.h"
#include "shell/ui/windowhost.h"

#include <QPoint>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace quillop::test {

// The program around a window tested on its own: it only notes what the
// window asks of it, "menu from X,Y" when the window goes back to the menu
// (the window then closes, as the program closes it) and "message N" for
// the shared prompt. What the program does then is for the program's tests.
template <typename Host = WindowHost> class RecordingHost : public Host {
public:
    QStringList asked;

    RecordingHost() = default;
    virtual ~RecordingHost() = default;
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    void returnToMenu(QWidget* from) override
    {
        asked << QStringLiteral("menu from %1,%2").arg(from->x()).arg(from->y());
        from->close();
    }
    void ShowMessage(Message mode, QWidget*) override
    {
        asked << QStringLiteral("message %1").arg(static_cast<int>(mode));
    }
};

// Answers the message window once it is open: `answer` runs inside the
// modal wait, with the window. A test that never opens one fails.
void whenMessageOpens(std::function<void(frmdialog&)> answer);

// The mouse moving over a widget, at a point of it.
void moveMouseOver(QWidget* widget, QPoint at = QPoint(3, 3));

// A window's control by its name, as the player finds it on the screen; the
// test fails where there is none.
template <typename Control = ButtonLabel> Control* find(const QObject& window, const QString& name)
{
    Control* control = window.findChild<Control*>(name);
    if (control == nullptr) {
        ADD_FAILURE() << "no " << name.toStdString();
    }
    return control;
}

template <typename Control = ButtonLabel> Control* find(const QObject& window, const char* name)
{
    return find<Control>(window, QLatin1String(name));
}

// Whether one window stands centred over another, to the pixel.
bool centredOver(const QWidget& inner, const QWidget& outer);

// A click on the named button label of a window.
void clickButton(QWidget& window, const char* name);

// Every warning the game logs to its own category while this lives, one
// line each.
class LoggedWarnings {
public:
    LoggedWarnings();
    ~LoggedWarnings();
    LoggedWarnings(const LoggedWarnings&) = delete;
    LoggedWarnings& operator=(const LoggedWarnings&) = delete;

    QString text() const { return m_lines.join(QLatin1Char('\n')); }

private:
    static void record(QtMsgType type, const QMessageLogContext& context, const QString& message);
    static LoggedWarnings* s_current;
    QStringList m_lines;
    QtMessageHandler m_previous;
};

} // namespace quillop::test
