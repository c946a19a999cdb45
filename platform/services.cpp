// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "services.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <chrono>
#include <thread>

namespace quillop::platform {

QString ProgramFolder()
{
    const QString own = QCoreApplication::applicationDirPath();
#ifdef QUILLOP_DATA_FROM_PROGRAM
    // Where the install put the data, relative to the program; the program
    // in its build folder has it beside itself.
    const QDir installed(QDir(own).filePath(QStringLiteral(QUILLOP_DATA_FROM_PROGRAM)));
    if (installed.exists(QStringLiteral("Images"))) {
        return installed.canonicalPath();
    }
#endif
    return own;
}

std::uint64_t ClockSeed()
{
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())
           ^ static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

void Sleep(int milliseconds)
{
    // Nothing here may run the event loop: a tick or a key handled inside
    // the pause would run inside the tick that paused.
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

namespace {

class KeyDrop final : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        return type == QEvent::KeyPress || type == QEvent::KeyRelease || type == QEvent::ShortcutOverride;
    }
};

} // namespace

void DeliverQueuedMouseInput()
{
    KeyDrop drop;
    QCoreApplication::instance()->installEventFilter(&drop);
    QCoreApplication::processEvents();
    QCoreApplication::instance()->removeEventFilter(&drop);
}

namespace {

QScreen* ScreenAt(QPoint point)
{
    QScreen* screen = QGuiApplication::screenAt(point);
    return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

QRect Clamped(QRect frame, const QRect& area)
{
    frame.moveLeft(std::max(area.left(), std::min(frame.left(), area.right() - frame.width() + 1)));
    frame.moveTop(std::max(area.top(), std::min(frame.top(), area.bottom() - frame.height() + 1)));
    return frame;
}

} // namespace

void CentreOnScreen(QWidget* window)
{
    const QScreen* screen = ScreenAt(QCursor::pos());
    if (screen == nullptr) {
        return;
    }
    QRect frame(QPoint(0, 0), window->size());
    frame.moveCenter(screen->availableGeometry().center());
    window->move(Clamped(frame, screen->availableGeometry()).topLeft());
}

QRect InsideScreen(QRect place)
{
    const QScreen* screen = ScreenAt(place.center());
    return screen != nullptr ? Clamped(place, screen->availableGeometry()) : place;
}

} // namespace quillop::platform
