// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractNativeEventFilter>

#include <functional>

class QWidget;

namespace quillop::desktop {

// Hears from the X server of each window destroyed and calls `lost`, from
// the event loop, with a top-level window of the game whose X window another
// client destroyed (XDestroyWindow). A window the game destroyed itself no
// longer has an X window of its own by the time the news comes back.
class X11DestroyWatch final : public QAbstractNativeEventFilter {
public:
    explicit X11DestroyWatch(std::function<void(QWidget*)> lost);

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

private:
    std::function<void(QWidget*)> m_lost;
};

} // namespace quillop::desktop
