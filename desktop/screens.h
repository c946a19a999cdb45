// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

namespace quillop::desktop {

// The corner of a window of this size centred on the screen that holds the
// mouse (or the primary screen), inside its available area.
QPoint centredOnScreen(QSize size);

// The corner of a window of this size centred over another window, moved as
// little as it takes to lie inside the screen.
QPoint centredOver(QSize size, const QWidget* over);

// The place moved as little as it takes to lie inside the available area of
// the screen that holds its centre (or the primary screen).
QRect insideScreen(QRect place);

} // namespace quillop::desktop
