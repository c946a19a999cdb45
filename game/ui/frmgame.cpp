// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmgame.h"

#include "platform/clock.h"
#include "platform/fonts.h"
#include "platform/keys.h"
#include "platform/tiles.h"
#include "platform/widgets.h"
#include "shell/ui/text.h"

#include <QKeyEvent>

#include <QRegion>

#include <algorithm>
#include <optional>
#include <utility>

namespace quillop {

using platform::RasterOp;

namespace {

constexpr int Tile = 29;
// What a cell shows when it holds nothing: the clean board's tile.
constexpr QPoint EmptyFace(-1, -1);
constexpr int BoardWidth = 11 * Tile;
constexpr int BoardHeight = 20 * Tile;

// Where in a sprite sheet the tile of a cell code is. Special pieces take the
// tile of the given kind; a code or kind without a tile has none, and its cell
// is left as it was.
std::optional<QPoint> tileFor(CellCode code, SpecialKind kind)
{
    int tile = static_cast<int>(code);
    if (code == CellCode::Special) {
        switch (kind) {
        case SpecialKind::ColourGenocide:
            tile = 8;
            break;
        case SpecialKind::ColumnBuster:
            tile = 9;
            break;
        case SpecialKind::RowEater:
            tile = 10;
            break;
        case SpecialKind::None:
            return std::nullopt;
        }
    }
    const auto& origin = frmGame::TileOrigin();
    if (tile < 0 || tile >= static_cast<int>(origin.size())) {
        return std::nullopt;
    }
    return origin[static_cast<std::size_t>(tile)];
}

} // namespace

const std::array<QPoint, 12>& frmGame::TileOrigin()
{
    static const std::array<QPoint, 12> origins{QPoint(0, 58),  QPoint(0, 0),   QPoint(29, 0),  QPoint(58, 0),
                                                QPoint(87, 0),  QPoint(0, 29),  QPoint(29, 29), QPoint(58, 29),
                                                QPoint(87, 29), QPoint(87, 58), QPoint(58, 58), QPoint(0, 87)};
    return origins;
}

frmGame::frmGame(GameState& state, const KeyBindings& keys, RandomSource& random, int pictureScale)
    : FormWindow(QStringLiteral(":/pictures/game.ppm"), QStringLiteral("Quillop - Game")), m_state(state),
      m_rules(state, keys, *this, m_timer1, random), m_pause(platform::Sleep),
      m_picture1(platform::transferSource(
          platform::loadPicture(QStringLiteral(":/pictures/tiles.ppm"), QSize(4 * Tile, 4 * Tile), pictureScale))),
      m_picture3(platform::transferSource(
          platform::loadPicture(QStringLiteral(":/pictures/board.ppm"), QSize(BoardWidth, BoardHeight), pictureScale))),
      m_picture4(platform::transferSource(
          platform::loadPicture(QStringLiteral(":/pictures/nexttiles.ppm"), QSize(4 * Tile, 4 * Tile), pictureScale))),
      m_picture2(new platform::PictureBox(this)), m_picNextPiece(new platform::PictureBox(this))
{
    m_boardShown.fill(EmptyFace);
    m_nextShown.fill(EmptyFace);
    m_picture2->setGeometry(10, 10, BoardWidth, BoardHeight);
    QImage board = m_picture3.copy();
    board.setDevicePixelRatio(pictureScale);
    m_picture2->setPicture(board);
    QImage next(QSize(Tile, 3 * Tile) * pictureScale, QImage::Format_RGB32);
    next.setDevicePixelRatio(pictureScale);
    for (int i = 0; i < 3; ++i) {
        platform::BitBlt(next, 0, i * Tile, Tile, Tile, m_picture3, 0, 0, RasterOp::SrcCopy);
    }
    m_picNextPiece->setGeometry(388, 40, Tile, 3 * Tile);
    m_picNextPiece->setPicture(next);

    addText(this, QStringLiteral("Next Piece:"), QRect(344, 16, 113, 25), {.family = platform::Arial});
    addText(this, QStringLiteral("Level:"), QRect(344, 480, 113, 17), {.family = platform::Arial});
    m_lblLevel = addText(this, QStringLiteral("1"), QRect(344, 504, 113, 17), {.family = platform::Arial});
    addText(this, QStringLiteral("Score:"), QRect(344, 536, 113, 17), {.family = platform::Arial});
    m_lblScore = addText(this, QStringLiteral("0"), QRect(344, 560, 113, 17), {.family = platform::MsSansSerif});

    connect(&m_timer1, &TickTimer::tick, this, &frmGame::Timer1_Timer);
}

frmGame::~frmGame() = default;

void frmGame::startGame()
{
    m_finished = false;
    m_rules.start();
}

void frmGame::AdvanceLevel()
{
    m_rules.AdvanceLevel();
}

void frmGame::continueFromMenu()
{
    m_timer1.setEnabled(true);
}

void frmGame::hold()
{
    m_timer1.hold();
}

void frmGame::release()
{
    m_timer1.release(isVisible());
}

void frmGame::pauseWhileAway()
{
    // A game at the menu, over or paused has its timer off already.
    if (!m_timer1.held()) {
        m_timer1.setEnabled(false);
    }
}

void frmGame::setPauseFunction(std::function<void(int)> pause)
{
    m_pause = std::move(pause);
}

void frmGame::Timer1_Timer()
{
    const TickOutcome outcome = m_rules.GameTick();
    switch (outcome) {
    case TickOutcome::LevelComplete:
        emit levelComplete();
        break;
    case TickOutcome::GameOver:
        m_finished = true;
        emit gameOver();
        break;
    case TickOutcome::Continue:
        break;
    }
}

void frmGame::keyPressEvent(QKeyEvent* event)
{
    // A finished game lies still under whatever comes next; a key must not
    // wake its timer.
    if (m_finished) {
        event->ignore();
        return;
    }
    const Qt::KeyboardModifiers held = event->modifiers();
    const Modifiers modifiers{held.testFlag(Qt::ShiftModifier), held.testFlag(Qt::ControlModifier),
                              held.testFlag(Qt::AltModifier)};
    const KeyOutcome outcome = m_rules.keyDown(platform::virtualKeyCode(*event), modifiers);
    event->accept();
    if (outcome == KeyOutcome::LeaveForMenu) {
        emit leaveForMenu();
    }
}

void frmGame::DrawBoard()
{
    // Each cell shows one tile; only the cells whose tile changed are copied
    // and sent to the screen, so a tick costs two or three cells, not 226.
    // Cells go row by row, left to right: the order a region is built in.
    QList<QRect> changed;
    std::optional<platform::TileBlitter> board;
    for (int r = FirstVisibleRow; r <= FloorRow; ++r) {
        for (int c = 1; c <= BoardGrid::Columns; ++c) {
            const CellCode code = m_state.Board(r, c);
            const bool empty = code == CellCode::Empty || code == CellCode::Vanishing;
            // Every special piece wears the falling column's kind; one
            // without a kind leaves its cell as it was.
            const std::optional<QPoint> at =
                empty ? std::optional<QPoint>(EmptyFace) : tileFor(code, m_state.CurrentSpecial);
            QPoint& shown = m_boardShown[static_cast<std::size_t>((r - FirstVisibleRow) * BoardGrid::Columns + c - 1)];
            if (!at || *at == shown) {
                continue;
            }
            shown = *at;
            const QRect cell((c - 1) * Tile, (r - FirstVisibleRow) * Tile, Tile, Tile);
            if (!board) {
                board.emplace(m_picture2->picture());
            }
            if (empty) {
                board->BitBlt(cell.x(), cell.y(), Tile, Tile, m_picture3, 0, 0, RasterOp::SrcCopy);
            } else {
                board->BitBlt(cell.x(), cell.y(), Tile, Tile, m_picture1, at->x(), at->y(), RasterOp::SrcCopy);
            }
            changed.append(cell);
        }
    }
    board.reset();
    if (!changed.isEmpty()) {
        QRegion region;
        region.setRects(changed.constData(), static_cast<int>(changed.size()));
        m_boardDirty += region;
        m_picture2->update(region);
    }

    QRegion nextChanged;
    std::optional<platform::TileBlitter> next;
    const QPoint mask = TileOrigin()[0];
    for (int i = 0; i < 3; ++i) {
        const CellCode code = m_state.NextColumn[static_cast<std::size_t>(i)];
        const auto at = tileFor(code, m_state.NextSpecial);
        QPoint& shown = m_nextShown[static_cast<std::size_t>(i)];
        if (!at || *at == shown) {
            continue;
        }
        shown = *at;
        const int y = i * Tile;
        if (!next) {
            next.emplace(m_picNextPiece->picture());
        }
        if (code == CellCode::Special) {
            next->BitBlt(0, y, Tile, Tile, m_picture4, at->x(), at->y(), RasterOp::SrcCopy);
        } else {
            // Black first, then the piece on it.
            next->BitBlt(0, y, Tile, Tile, m_picture4, mask.x(), mask.y(), RasterOp::SrcAnd);
            next->BitBlt(0, y, Tile, Tile, m_picture4, at->x(), at->y(), RasterOp::SrcPaint);
        }
        nextChanged += QRect(0, y, Tile, Tile);
    }
    next.reset();
    m_nextDirty += nextChanged;
    m_picNextPiece->update(nextChanged);
}

void frmGame::flushDrawing()
{
    // Only what DrawBoard changed since the last frame goes to the screen.
    if (!m_boardDirty.isEmpty()) {
        m_picture2->repaint(m_boardDirty);
    }
    if (!m_nextDirty.isEmpty()) {
        m_picNextPiece->repaint(m_nextDirty);
    }
    m_boardDirty = QRegion();
    m_nextDirty = QRegion();
}

void frmGame::refresh()
{
    flushDrawing();
}

void frmGame::pause(int milliseconds)
{
    // The board is on screen before the game stands still.
    flushDrawing();
    if (m_pause) {
        m_pause(milliseconds);
    }
}

void frmGame::showScore(std::int32_t score)
{
    m_lblScore->setText(QString::number(score));
}

void frmGame::showLevel(std::int16_t level)
{
    m_lblLevel->setText(QString::number(level));
}

const QImage& frmGame::boardPicture() const
{
    return m_picture2->picture();
}

const QImage& frmGame::nextPiecePicture() const
{
    return m_picNextPiece->picture();
}

} // namespace quillop
