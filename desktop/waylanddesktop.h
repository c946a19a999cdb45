// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "desktop.h"

namespace quillop::desktop {

// A Wayland compositor: it places every window itself, moves one on a
// drag it is asked for, and on some compositors (GNOME's among them) a
// click on a window that a question blocks gives that window the keys;
// the game then asks for them back for the question.
class WaylandDesktop : public Desktop {
    Q_OBJECT

public:
    void drag(QWidget* window, QPoint pressedAt) override;
    void keepOnTop(QWidget* question) override;
};

} // namespace quillop::desktop
