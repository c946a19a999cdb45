// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "screens.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace quillop::desktop {

namespace {

QScreen* screenAt(QPoint point)
{
    QScreen* screen = QGuiApplication::screenAt(point);
    return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

QRect clamped(QRect frame, const QRect& area)
{
    frame.moveLeft(std::max(area.left(), std::min(frame.left(), area.right() - frame.width() + 1)));
    frame.moveTop(std::max(area.top(), std::min(frame.top(), area.bottom() - frame.height() + 1)));
    return frame;
}

} // namespace

QPoint centredOnScreen(QSize size)
{
    QRect frame(QPoint(0, 0), size);
    const QScreen* screen = screenAt(QCursor::pos());
    if (screen == nullptr) {
        return frame.topLeft();
    }
    frame.moveCenter(screen->availableGeometry().center());
    return clamped(frame, screen->availableGeometry()).topLeft();
}

QPoint centredOver(QSize size, const QWidget* over)
{
    QRect place(QPoint(0, 0), size);
    place.moveCenter(over->frameGeometry().center());
    return insideScreen(place).topLeft();
}

QRect insideScreen(QRect place)
{
    const QScreen* screen = screenAt(place.center());
    return screen != nullptr ? clamped(place, screen->availableGeometry()) : place;
}

} // namespace quillop::desktop
