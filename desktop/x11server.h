// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QPoint>

#include <cstdint>
#include <optional>

// What the game asks of the X server directly, past Qt, for the game's
// windows by their X window; places are in the screen's own pixels. Each
// does nothing, or answers nothing, off X.
namespace quillop::desktop::x11 {

// The name the window manager gives itself, on the window its
// _NET_SUPPORTING_WM_CHECK names; empty without one.
QByteArray managerName();

// Where the window's corner is on the screen, as the server has it now.
std::optional<QPoint> whereIs(std::uint32_t window);

// Asks for the window's corner at this place (a request the manager may
// grant, as Qt's own moves are).
void moveTo(std::uint32_t window, QPoint corner);

// Asks the window manager to make the window the active one, with the keys,
// as a task bar does on the player's behalf (_NET_ACTIVE_WINDOW from a
// pager), which no focus-stealing rule turns down.
void activateForThePlayer(std::uint32_t window);

// Asks the window manager to move the window with the mouse until the
// button is released, as a press on a title bar does (_NET_WM_MOVERESIZE),
// anchored at the press. False off X.
bool startManagerMove(std::uint32_t window, QPoint pressedAt);

} // namespace quillop::desktop::x11
