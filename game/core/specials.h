// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "gamestate.h"
#include "gameview.h"

namespace quillop {

// The effect of a landed column that holds special pieces, in place of the
// first set check of the landing. Earns no points by itself.
//  - Colour Genocide removes every visible piece of the colour it landed on,
//    and its own three pieces; on the floor it does nothing (the set check
//    that follows takes its three pieces as a vertical set).
//  - Column Buster removes its column from the floor up to the special piece.
//  - Row Eater removes the whole row of the special piece.
void ApplySpecial(GameState& state, GameView& view);

} // namespace quillop
