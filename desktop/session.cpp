// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session.h"

#include "swaydesktop.h"
#include "waylanddesktop.h"
#include "x11desktop.h"

#include <QGuiApplication>

namespace quillop::desktop {

std::unique_ptr<Desktop> forThisSession()
{
    const QString platform = QGuiApplication::platformName();
    const QString sway = qEnvironmentVariable("SWAYSOCK");
    if (platform == QLatin1String("xcb")) {
        auto x11 = std::make_unique<X11Desktop>();
        // SWAYSOCK may be left over in a session of another X server.
        if (!sway.isEmpty() && x11->managerIgnoresProgramMoves()) {
            return SwayDesktop::over(std::move(x11), sway, SwayDesktop::Display::XWayland);
        }
        return x11;
    }
    if (platform.startsWith(QLatin1String("wayland"))) {
        auto wayland = std::make_unique<WaylandDesktop>();
        if (!sway.isEmpty()) {
            return SwayDesktop::over(std::move(wayland), sway, SwayDesktop::Display::Wayland);
        }
        return wayland;
    }
    return std::make_unique<Desktop>();
}

} // namespace quillop::desktop
