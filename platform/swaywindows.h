// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "swayipc.h"

#include <QHash>
#include <QPoint>

class QJsonObject;
class QWidget;

namespace quillop::platform {

// sway puts every X11 window it maps in the middle of the screen, whatever
// place the program gave it, and a click on a window raises it even over the
// question that blocks it, which then hides behind it. Over sway's IPC this
// asks sway for both: a window of the game shows where the game put it (on
// XWayland, where the game knows its places), and the question that blocks
// a window the player clicked comes back on top, focused.
class SwayWindows : public QObject {
    Q_OBJECT

public:
    enum class Display { XWayland, Wayland };

    SwayWindows(const QString& socket, Display display, QObject* parent = nullptr);

    bool isConnected() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void windowEvent(const QJsonObject& body);
    void place(const QJsonObject& container);
    void keepQuestionOnTop(const QJsonObject& container);
    bool holds(const QJsonObject& container, const QWidget* window) const;
    QString criteria(const QWidget* window);

    SwayConnection m_commands;
    SwayConnection m_events;
    Display m_display;
    QHash<quint64, QPoint> m_places; // by X window
};

// Starts the above where the game runs under sway; elsewhere does nothing.
void WatchSwayWindows(QObject* owner);

} // namespace quillop::platform
