// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/core/keybindings.h"
#include "game/core/gameloop.h"
#include "game/core/gamestate.h"
#include "game/core/gameview.h"
#include "game/core/random.h"
#include "game/ui/ticktimer.h"
#include "platform/tiles.h"
#include "shell/ui/formwindow.h"

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QTimer>

#include <array>
#include <functional>

namespace quillop {

namespace platform {
class Label;
class PictureBox;
} // namespace platform

// The game window: shows the well, the next column, the level and the score,
// runs the tick timer and turns keys into moves. It draws the board the way
// the game always has, tile by tile from its sprite sheets.
class frmGame final : public FormWindow, public GameView {
    Q_OBJECT

public:
    // The window works on game state it shares with the other windows. Its
    // pictures are drawn at the given scale (2 for high-resolution screens).
    frmGame(GameState& state, const KeyBindings& keys, RandomSource& random,
            int pictureScale = platform::pictureScale());
    ~frmGame() override;

    // Starts a game from its first column: level 1, score 0, the start
    // interval, the timer on. The board is cleared by NewGame beforehand.
    void startGame();

    // The level-complete notice was dismissed: the next level starts.
    void AdvanceLevel();

    // Back from the menu: the timer runs again.
    void continueFromMenu();

    // A question or notice stands over the game: it stands still, then goes
    // on where it was, with what was left of the tick it was in.
    void hold();
    void release();

    // The player turned away: a game ticking on the screen pauses as P
    // pauses it, and their first key resumes it. One at the menu, standing
    // under a notice or a question, over or already paused stays as it is.
    void pauseWhileAway();

    // Where the removal pauses go; the program sleeps, tests record.
    void setPauseFunction(std::function<void(int)> pause);

    // GameView
    void DrawBoard() override;
    void refresh() override;
    void pause(int milliseconds) override;
    void showScore(std::int32_t score) override;
    void showLevel(std::int16_t level) override;

    const QImage& boardPicture() const;
    const QImage& nextPiecePicture() const;
    const QTimer& timer() const { return m_timer1.running(); }

    // The tile places of the sprite sheets by tile number: 0 the mask, 1 to 6
    // the colours, 7 grey, 8 to 10 the special kinds, 11 an empty cell.
    static const std::array<QPoint, 12>& TileOrigin();

signals:
    void levelComplete();
    void gameOver();
    void leaveForMenu();

public slots:
    void Timer1_Timer();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void flushDrawing();

    GameState& m_state;
    TickTimer m_timer1;
    GameLoop m_rules;
    bool m_finished = false;
    std::function<void(int)> m_pause;

    QImage m_picture1; // board sprite sheet
    QImage m_picture3; // clean board
    QImage m_picture4; // next-piece sprite sheet
    platform::PictureBox* m_picture2;
    platform::PictureBox* m_picNextPiece;
    // The tile each cell of the two pictures shows now, by its place in the
    // sheet; (-1, -1) for an empty cell.
    std::array<QPoint, 220> m_boardShown;
    std::array<QPoint, 3> m_nextShown;
    // Drawn but not yet painted.
    QRegion m_boardDirty;
    QRegion m_nextDirty;
    platform::Label* m_lblLevel;
    platform::Label* m_lblScore;
};

} // namespace quillop
