// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>
#include <QString>

#include <cstdint>

class QWidget;

namespace quillop::platform {

// The folder that holds what the game reads beside the program: the
// top-score table it ships with and the credits animation. That is the
// program's own folder, or, for an installed program whose build put them
// elsewhere (as a distribution's games layout does: the program in
// /usr/games, its data in /usr/share/games/quillop), that folder.
QString ProgramFolder();

// A seed for the game's random source taken from the clock.
std::uint64_t ClockSeed();

// Blocks the user-interface thread for the given time: nothing in the game
// changes meanwhile, no timer fires, and keys pressed meanwhile are handled
// afterwards, in order. What must be seen during the pause is put on screen
// first by whoever pauses.
void Sleep(int milliseconds);

// Runs what the mouse did while the program stood still (a drag pressed
// during a landing's pauses) before a modal window opens over the window it
// went to and blocks it. Keys typed meanwhile are dropped, as the modal
// window would drop them.
void DeliverQueuedMouseInput();

// Places a window centred on the screen that holds the mouse (or the primary
// screen), inside its available area.
void CentreOnScreen(QWidget* window);

// The place moved as little as it takes to lie inside the available area of
// the screen that holds its centre (or the primary screen).
QRect InsideScreen(QRect place);

} // namespace quillop::platform
