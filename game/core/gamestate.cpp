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
