// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

class QPainter;

namespace quillop::platform {

// The three ways the game copies a 29 x 29 tile (or any block) between
// pictures, as the bitwise operations on the pixels.
enum class RasterOp {
    SrcCopy, // target = source
    SrcAnd, // target = target AND source
    SrcPaint, // target = target OR source
};

// Copies blocks onto one target picture. Both pictures are expected as RGB32, drawn at the scale the
// target's device pixel ratio gives, the source kept at ratio 1 (TransferSource()),
// so a copy is pixel for pixel; coordinates are the game's pixels.
class TileBlitter {
public:
    explicit TileBlitter(QImage& target);

    // Copies the block of size w x h at (sx, sy) of the source onto (x, y) of
    // the target with the given operation.
    void BitBlt(int x, int y, int w, int h, const QImage& source, int sx, int sy, RasterOp op);

private:
    QImage& m_target;
    int m_scale;
};

// The picture as a source of transfers: its pixels as they are, ratio 1.
QImage transferSource(QImage picture);

// A single transfer, for one-off copies.
void BitBlt(QImage& target, int x, int y, int w, int h, const QImage& source, int sx, int sy, RasterOp op);

// The scale of the pictures for the screens in use: 2 where any screen is of
// high resolution (the game's pictures come drawn at 1x and 2x), else 1.
int pictureScale();

// Reads a picture in the format its name says. Left to guess, Qt would first
// load every image plugin to ask whether it reads that format, which costs
// the menu's first frame several milliseconds for plugins it never uses.
QImage readPicture(const QString& path);

// A picture in the format the transfers work on, at the given scale where a
// drawing at that scale exists ("name@2x.ppm"), with that device pixel ratio;
// a null picture when there is none.
QImage screenPicture(const QString& path, int scale = pictureScale());

// The same, but a missing picture becomes a black one of the fallback size
// (in the game's pixels), so a missing file never stops the game.
QImage loadPicture(const QString& path, QSize fallbackSize, int scale = pictureScale());

// Paints the part of the picture under the area, in the game's pixels.
void drawPicture(QPainter& painter, const QRect& area, const QImage& picture);

} // namespace quillop::platform
