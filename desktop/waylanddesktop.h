// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "desktop.h"

namespace quillop::desktop {

// A Wayland compositor: it places every window itself and moves one on a
// drag it is asked for.
class WaylandDesktop : public Desktop {
    Q_OBJECT

public:
    void drag(QWidget* window, QPoint pressedAt) override;
};

} // namespace quillop::desktop
