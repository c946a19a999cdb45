// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drag.h"

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
    // On X11 the window follows the mouse itself: a window manager's move
    // takes its anchor from the last pointer position Qt saw in the window,
    // which for a window that has just appeared under a resting mouse can be
    // far from the press, and the window jumps. On Wayland, where a program
    // cannot place its windows, the compositor moves it.
    QWindow* handle = window->windowHandle();
    if (QGuiApplication::platformName() != QLatin1String("xcb") && handle != nullptr && handle->startSystemMove()) {
        return;
    }
    new ManualDrag(window, pressedAt - window->pos());
}

bool IsManualDragActive(const QWidget* window)
{
    return activeDrag(window) != nullptr;
}

} // namespace quillop::platform
