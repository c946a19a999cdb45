// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamestate.h"

namespace quillop {

void NewGame(GameState& state)
{
    state.Board.fill(CellCode::Empty);
    state.Marks.fill(0);
    state.GameScore = 0;
    state.GameInProgress = true;
}

} // namespace quillop
