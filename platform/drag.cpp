// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drag.h"

#include "x11move.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace quillop::platform {

namespace {

// Follows the mouse with the window while the button that started the drag is
// held. The press that started it gave the window the implicit mouse grab, so
// the moves and the release come to it.
class ManualDrag final : public QObject {
public:
    static constexpr const char* Name = "quillop-manual-drag";

    ManualDrag(QWidget* window, QPoint grabOffset) : QObject(window), m_window(window), m_offset(grabOffset)
    {
        setObjectName(QLatin1String(Name));
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_window) {
            return false;
        }
        if (event->type() == QEvent::MouseMove) {
            const auto* move = static_cast<QMouseEvent*>(event);
            if (move->buttons() == Qt::NoButton) {
                finish();
                return false;
            }
            m_window->move(move->globalPosition().toPoint() - m_offset);
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            finish();
            return false;
        }
        return false;
    }

private:
    void finish()
    {
        if (m_window) {
            m_window->removeEventFilter(this);
        }
        setObjectName(QString());
        deleteLater();
    }

    QPointer<QWidget> m_window;
    QPoint m_offset;
};

QObject* activeDrag(const QWidget* window)
{
    return window->findChild<QObject*>(QLatin1String(ManualDrag::Name), Qt::FindDirectChildrenOnly);
}

} // namespace

void DragForm(QWidget* window, QPoint pressedAt)
{
    if (window == nullptr || activeDrag(window) != nullptr) {
        return;
    }
    // On X11 the window follows the mouse itself, except under a window
    // manager that ignores a program's moves: that one is told to move it,
    // anchored at the press (Qt's own request takes its anchor from the last
    // pointer position it saw in the window, which for a window that has
    // just appeared under a resting mouse can be far from the press). On
    // Wayland, where a program cannot place its windows, the compositor
    // moves it.
    QWindow* handle = window->windowHandle();
    const bool moved = QGuiApplication::platformName() == QLatin1String("xcb")
                           ? X11ManagerIgnoresProgramMoves() && StartX11Move(window, pressedAt)
                           : handle != nullptr && handle->startSystemMove();
    if (!moved) {
        new ManualDrag(window, pressedAt - window->pos());
        return;
    }
    // The system keeps the release to itself; without one the window would
    // go on believing the button held, and send the mouse's moves to itself
    // instead of lighting the labels under it.
    const QPoint local = window->mapFromGlobal(pressedAt);
    QCoreApplication::postEvent(handle, new QMouseEvent(QEvent::MouseButtonRelease, local, pressedAt, Qt::LeftButton,
                                                        Qt::NoButton, Qt::NoModifier));
}

bool IsManualDragActive(const QWidget* window)
{
    return activeDrag(window) != nullptr;
}

} // namespace quillop::platform
