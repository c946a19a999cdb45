// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "outsideclose.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QWidget>

#include <xcb/xproto.h>

namespace quillop::platform {

namespace {

class DestroyWatch final : public QAbstractNativeEventFilter {
public:
    explicit DestroyWatch(std::function<void(QWidget*)> lost) : m_lost(std::move(lost)) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t") {
            return false;
        }
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_DESTROY_NOTIFY) {
            return false;
        }
        const xcb_window_t gone = reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window;
        // A window the program destroyed itself no longer has a native
        // window of its own by the time the news comes back.
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->internalWinId() == gone) {
                QMetaObject::invokeMethod(
                    window, [this, window] { m_lost(window); }, Qt::QueuedConnection);
                break;
            }
        }
        return false;
    }

private:
    std::function<void(QWidget*)> m_lost;
};

} // namespace

void OnWindowDestroyedOutside(std::function<void(QWidget*)> lost)
{
    // Lives as long as the program's event loop.
    static DestroyWatch* watch = nullptr;
    if (watch != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(watch);
        delete watch;
    }
    watch = new DestroyWatch(std::move(lost));
    QCoreApplication::instance()->installNativeEventFilter(watch);
}

} // namespace quillop::platform
