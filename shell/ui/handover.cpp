// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "handover.h"

#include "formwindow.h"

#include "desktop/desktop.h"

namespace quillop {

namespace {

// The program's own close: a full-size window turns no close of the
// program's into a request to end the game.
void closeWindow(QWidget* window)
{
    if (auto* form = qobject_cast<FormWindow*>(window)) {
        form->closeByProgram();
    } else {
        window->close();
    }
}

} // namespace

void handOver(QWidget* from, QWidget* to, Leave leave)
{
    // Placed before it is mapped, so it never shows for a moment elsewhere.
    if (from != nullptr) {
        desktop::current().place(to, from->pos());
    }
    to->show();
    to->raise();
    to->activateWindow();
    if (from != nullptr && from != to) {
        if (leave == Leave::Hide) {
            from->hide();
        } else if (leave == Leave::Close) {
            closeWindow(from);
        }
    }
}

} // namespace quillop
