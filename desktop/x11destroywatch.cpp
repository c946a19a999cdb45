// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "x11destroywatch.h"

#include <QApplication>
#include <QWidget>

#include <xcb/xproto.h>

namespace quillop::desktop {

X11DestroyWatch::X11DestroyWatch(std::function<void(QWidget*)> lost) : m_lost(std::move(lost))
{
}

bool X11DestroyWatch::nativeEventFilter(const QByteArray& type, void* message, qintptr*)
{
    if (type != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_DESTROY_NOTIFY) {
        return false;
    }
    const xcb_window_t gone = reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->internalWinId() == gone) {
            QMetaObject::invokeMethod(
                window, [this, window] { m_lost(window); }, Qt::QueuedConnection);
            break;
        }
    }
    return false;
}

} // namespace quillop::desktop
