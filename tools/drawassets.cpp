// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws every picture of the game: the window backgrounds, the tile sheets,
// the clean board, the instructions' piece pictures, the credits' bouncing
// ball and the application icon.
//
//   quillop_drawassets <assets folder>
//
// The output is kept in the repository; run this again after changing it.
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <array>
#include <cmath>
#include <cstdio>

namespace {

constexpr int Tile = 29;

// The six piece colours, chosen to stay apart for the common kinds of colour
// blindness too, each with its own mark.
struct PieceStyle {
    QColor colour;
    enum class Mark { Dot, Triangle, Square, Diamond, Cross, Ring, None } mark;
};

// clang-format off
const std::array<PieceStyle, 6> Pieces{{
    {QColor(0xE0, 0x3C, 0x31), PieceStyle::Mark::Dot},      // red
    {QColor(0x2F, 0xB3, 0x4A), PieceStyle::Mark::Triangle}, // green
    {QColor(0x2E, 0x6F, 0xE0), PieceStyle::Mark::Square},   // blue
    {QColor(0x9A, 0x4C, 0xD9), PieceStyle::Mark::Diamond},  // purple
    {QColor(0xF5, 0x8A, 0x1F), PieceStyle::Mark::Cross},    // orange
    {QColor(0xF2, 0xD1, 0x2E), PieceStyle::Mark::Ring},     // yellow
}};
// clang-format on
const PieceStyle Grey{QColor(0x8A, 0x8D, 0x91), PieceStyle::Mark::None};
const PieceStyle Pink{QColor(0xF0, 0x7A, 0xB8), PieceStyle::Mark::None};

const QColor FrameGreen(0x1E, 0x6B, 0x2F);
const QColor FrameGreenDark(0x0E, 0x3D, 0x19);
const QColor FrameGreenLight(0x4C, 0xA8, 0x5A);

// Pictures are drawn in the game's pixels; at a scale of 2 they come out
// twice as fine for high-resolution screens, with the same layout.
int g_scale = 1;

QImage newPicture(int w, int h, QColor fill = Qt::black)
{
    QImage image(w * g_scale, h * g_scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(g_scale);
    image.fill(fill);
    return image;
}

void saveImage(const QImage& image, const QString& path, const char* format = "PNG", int quality = -1)
{
    QDir().mkpath(QFileInfo(path).path());
    if (!image.save(path, format, quality)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

// An empty cell of the well: near-black with a faint recessed grid line.
void drawEmptyCell(QPainter& p, int x, int y)
{
    p.fillRect(x, y, Tile, Tile, QColor(0x06, 0x08, 0x0A));
    p.setPen(QColor(0x16, 0x1B, 0x20));
    p.drawLine(x, y + Tile - 1, x + Tile - 1, y + Tile - 1);
    p.drawLine(x + Tile - 1, y, x + Tile - 1, y + Tile - 1);
    p.setPen(QColor(0x0E, 0x12, 0x16));
    p.drawPoint(x, y);
}

void drawMark(QPainter& p, QPointF c, PieceStyle::Mark mark, QColor colour)
{
    const QColor ink = colour.lightnessF() > 0.6 ? colour.darker(185) : colour.darker(170);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    switch (mark) {
    case PieceStyle::Mark::Dot:
        p.drawEllipse(c, 3.6, 3.6);
        break;
    case PieceStyle::Mark::Triangle: {
        QPolygonF t{{c.x(), c.y() - 4.6}, {c.x() + 4.8, c.y() + 3.6}, {c.x() - 4.8, c.y() + 3.6}};
        p.drawPolygon(t);
        break;
    }
    case PieceStyle::Mark::Square:
        p.drawRect(QRectF(c.x() - 3.6, c.y() - 3.6, 7.2, 7.2));
        break;
    case PieceStyle::Mark::Diamond: {
        QPolygonF d{{c.x(), c.y() - 5}, {c.x() + 5, c.y()}, {c.x(), c.y() + 5}, {c.x() - 5, c.y()}};
        p.drawPolygon(d);
        break;
    }
    case PieceStyle::Mark::Cross:
        p.drawRect(QRectF(c.x() - 1.6, c.y() - 5, 3.2, 10));
        p.drawRect(QRectF(c.x() - 5, c.y() - 1.6, 10, 3.2));
        break;
    case PieceStyle::Mark::Ring:
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ink, 2.2));
        p.drawEllipse(c, 3.8, 3.8);
        break;
    case PieceStyle::Mark::None:
        break;
    }
}

// A shaded, bevelled gem filling most of a cell.
void drawPiece(QPainter& p, int x, int y, const PieceStyle& style)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body(x + 1.5, y + 1.5, Tile - 3.0, Tile - 3.0);
    QLinearGradient shade(body.topLeft(), body.bottomRight());
    shade.setColorAt(0.0, style.colour.lighter(150));
    shade.setColorAt(0.45, style.colour);
    shade.setColorAt(1.0, style.colour.darker(165));
    p.setPen(QPen(style.colour.darker(230), 1.0));
    p.setBrush(shade);
    p.drawRoundedRect(body, 5, 5);
    // Inner bevel.
    const QRectF face = body.adjusted(4, 4, -4, -4);
    QLinearGradient faceShade(face.topLeft(), face.bottomLeft());
    faceShade.setColorAt(0.0, style.colour.lighter(118));
    faceShade.setColorAt(1.0, style.colour.darker(112));
    p.setPen(Qt::NoPen);
    p.setBrush(faceShade);
    p.drawRoundedRect(face, 3, 3);
    // Gloss.
    QRadialGradient gloss(QPointF(x + 9, y + 8), 9);
    gloss.setColorAt(0.0, QColor(255, 255, 255, 150));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(gloss);
    p.drawEllipse(QPointF(x + 9, y + 8), 8, 6);
    drawMark(p, face.center(), style.mark, style.colour);
    p.restore();
}

enum class Symbol { X, LeftRight, Down };

// A white disc with a black symbol: the special pieces.
void drawSpecial(QPainter& p, int x, int y, Symbol symbol)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(x + Tile / 2.0, y + Tile / 2.0);
    QRadialGradient disc(c - QPointF(4, 4), 16);
    disc.setColorAt(0.0, Qt::white);
    disc.setColorAt(0.7, QColor(0xEE, 0xEE, 0xEE));
    disc.setColorAt(1.0, QColor(0xB8, 0xB8, 0xB8));
    p.setPen(QPen(QColor(0x70, 0x70, 0x70), 1.0));
    p.setBrush(disc);
    p.drawEllipse(c, 12.5, 12.5);
    p.setPen(QPen(Qt::black, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::black);
    switch (symbol) {
    case Symbol::X:
        p.drawLine(c + QPointF(-5.5, -5.5), c + QPointF(5.5, 5.5));
        p.drawLine(c + QPointF(-5.5, 5.5), c + QPointF(5.5, -5.5));
        break;
    case Symbol::LeftRight: {
        p.drawLine(c + QPointF(-5, 0), c + QPointF(5, 0));
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF{c + QPointF(-9, 0), c + QPointF(-4, -4.5), c + QPointF(-4, 4.5)});
        p.drawPolygon(QPolygonF{c + QPointF(9, 0), c + QPointF(4, -4.5), c + QPointF(4, 4.5)});
        break;
    }
    case Symbol::Down: {
        p.drawLine(c + QPointF(0, -8), c + QPointF(0, 3));
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF{c + QPointF(0, 9), c + QPointF(-5, 3), c + QPointF(5, 3)});
        break;
    }
    }
    p.restore();
}

void drawBlackDisc(QPainter& p, int x, int y)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.0));
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(x + Tile / 2.0, y + Tile / 2.0), 12.5, 12.5);
    p.restore();
}

// A 4 x 4 sheet of tiles in the game's fixed places. The board's sheet has
// its pieces on empty cells; the next-piece sheet has them on pure black, and
// its tile at (0, 58) is entirely black (the mask).
QImage tileSheet(bool onBlack)
{
    QImage sheet = newPicture(4 * Tile, 4 * Tile);
    QPainter p(&sheet);
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            if (!onBlack) {
                drawEmptyCell(p, col * Tile, row * Tile);
            }
        }
    }
    for (int i = 0; i < 6; ++i) {
        drawPiece(p, (i % 4) * Tile, (i / 4) * Tile, Pieces[static_cast<std::size_t>(i)]);
    }
    drawPiece(p, 58, 29, Grey);
    drawSpecial(p, 87, 29, Symbol::X);
    if (onBlack) {
        p.fillRect(0, 58, Tile, Tile, Qt::black);
    } else {
        drawBlackDisc(p, 0, 58);
    }
    drawPiece(p, 29, 58, Pink);
    drawSpecial(p, 58, 58, Symbol::LeftRight);
    drawSpecial(p, 87, 58, Symbol::Down);
    return sheet;
}

QImage cleanBoard()
{
    QImage board = newPicture(11 * Tile, 20 * Tile);
    QPainter p(&board);
    for (int r = 0; r < 20; ++r) {
        for (int c = 0; c < 11; ++c) {
            drawEmptyCell(p, c * Tile, r * Tile);
        }
    }
    return board;
}

// Diagonal weave of greens for the frames.
void fillGreenPattern(QPainter& p, const QRect& area)
{
    p.save();
    p.setClipRect(area);
    p.fillRect(area, FrameGreen);
    p.setRenderHint(QPainter::Antialiasing);
    for (int d = -area.height(); d < area.width() + area.height(); d += 12) {
        p.setPen(QPen(FrameGreenDark, 3));
        p.drawLine(area.left() + d, area.top(), area.left() + d - area.height(), area.bottom());
        p.setPen(QPen(QColor(0x2A, 0x80, 0x3C), 1));
        p.drawLine(area.left() + d + 5, area.top(), area.left() + d + 5 - area.height(), area.bottom());
    }
    p.restore();
}

// A black panel sunk into the frame: a dark outer bevel and a light inner one.
void sinkPanel(QPainter& p, const QRect& panel)
{
    p.save();
    p.setPen(QPen(FrameGreenDark, 2));
    p.drawRect(panel.adjusted(-2, -2, 1, 1));
    p.setPen(QPen(FrameGreenLight, 1));
    p.drawLine(panel.left() - 3, panel.bottom() + 3, panel.right() + 3, panel.bottom() + 3);
    p.drawLine(panel.right() + 3, panel.top() - 3, panel.right() + 3, panel.bottom() + 3);
    p.fillRect(panel, Qt::black);
    p.restore();
}

QImage framedBackground()
{
    QImage image = newPicture(470, 600, QColor(0x40, 0x40, 0x40));
    QPainter p(&image);
    fillGreenPattern(p, QRect(0, 0, 470, 600));
    p.setPen(QPen(FrameGreenLight, 2));
    p.drawRect(QRect(1, 1, 467, 597));
    p.setPen(QPen(FrameGreenDark, 2));
    p.drawRect(QRect(4, 4, 461, 591));
    return image;
}

QImage gameBackground()
{
    QImage image = framedBackground();
    QPainter p(&image);
    sinkPanel(p, QRect(10, 10, 319, 580)); // the well
    sinkPanel(p, QRect(339, 10, 122, 125)); // next piece
    sinkPanel(p, QRect(339, 470, 122, 120)); // level and score
    return image;
}

void drawTitle(QPainter& p, const QRect& area)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(78);
    font.setBold(true);
    font.setItalic(true);
    QPainterPath text;
    text.addText(0, 0, font, QStringLiteral("Quillop"));
    const QRectF bounds = text.boundingRect();
    text.translate(area.center() - bounds.center());
    p.setPen(QPen(QColor(0, 0, 0, 160), 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(text.translated(4, 5));
    QLinearGradient fill(text.boundingRect().topLeft(), text.boundingRect().bottomLeft());
    fill.setColorAt(0.0, QColor(0xFF, 0xF3, 0x9A));
    fill.setColorAt(0.5, QColor(0xF2, 0xB8, 0x2E));
    fill.setColorAt(1.0, QColor(0xC7, 0x62, 0x10));
    p.setPen(QPen(QColor(0x3A, 0x1A, 0x05), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(text);
    p.restore();
}

QImage menuBackground()
{
    QImage image = framedBackground();
    QPainter p(&image);
    // Title plate.
    const QRect plate(24, 60, 422, 190);
    sinkPanel(p, plate);
    // A few columns of pieces raining into the plate behind the title.
    const int columns[][4] = {{0, 3, 5, 1}, {2, 2, 4, 0}, {5, 1, 3, 3}, {4, 0, 2, 5},
                              {1, 5, 0, 4}, {3, 4, 1, 2}, {0, 2, 5, 3}};
    for (int c = 0; c < 7; ++c) {
        const int x = plate.left() + 20 + c * 58;
        const int drop = (c * 37) % 70;
        for (int k = 0; k < 4; ++k) {
            const int y = plate.top() + 8 + drop + k * Tile - 40;
            if (y + Tile <= plate.top() || y >= plate.bottom()) {
                continue;
            }
            p.save();
            p.setClipRect(plate);
            p.setOpacity(0.55);
            drawPiece(p, x, y, Pieces[static_cast<std::size_t>(columns[c][k])]);
            p.restore();
        }
    }
    drawTitle(p, plate.adjusted(0, 0, 0, -30));
    p.setPen(QColor(0xE8, 0xE8, 0xE8));
    QFont small(QStringLiteral("Liberation Sans"));
    small.setPixelSize(15);
    small.setBold(true);
    p.setFont(small);
    p.drawText(plate.adjusted(0, 0, 0, -14), Qt::AlignHCenter | Qt::AlignBottom,
               QStringLiteral("line up three or more"));

    // Showcase of the pieces at the lower left.
    const QRect showcase(24, 290, 262, 290);
    sinkPanel(p, showcase);
    // clang-format off
    const int pattern[8][6] = {{-1, -1, -1, -1, -1, -1}, {-1, -1, -1, 4, -1, -1}, {-1, -1, 1, 4, -1, -1},
                               {-1, 6, 1, 4, -1, -1},     {-1, 3, 2, 0, 5, -1},    {2, 3, 6, 0, 5, 1},
                               {2, 0, 6, 3, 1, 5},        {4, 0, 3, 5, 2, 1}};
    // clang-format on
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 6; ++c) {
            const int x = showcase.left() + 44 + c * Tile;
            const int y = showcase.top() + 24 + r * Tile + 18;
            drawEmptyCell(p, x, y);
            const int code = pattern[r][c];
            if (code == 6) {
                drawSpecial(p, x, y, Symbol::X);
            } else if (code >= 0) {
                drawPiece(p, x, y, Pieces[static_cast<std::size_t>(code)]);
            }
        }
    }

    // The panel of six slots behind the menu items, and the square behind "?".
    const QRect itemPanel(296, 291, 168, 298);
    p.fillRect(itemPanel, FrameGreenDark);
    p.setPen(QPen(FrameGreenLight, 2));
    p.drawRect(itemPanel.adjusted(1, 1, -1, -1));
    for (int i = 0; i < 6; ++i) {
        p.fillRect(QRect(306, 301 + 48 * i, 148, 44), Qt::black);
        p.setPen(QPen(QColor(0x2A, 0x80, 0x3C), 1));
        p.drawRect(QRect(305, 300 + 48 * i, 149, 45));
    }
    p.fillRect(QRect(418, 13, 36, 36), Qt::black);
    p.setPen(QPen(FrameGreenLight, 1));
    p.drawRect(QRect(417, 12, 37, 37));
    return image;
}

// High scores, controls, help and credits: a black panel and an Ok box.
QImage panelBackground(const QRect& panel)
{
    QImage image = framedBackground();
    QPainter p(&image);
    sinkPanel(p, panel);
    sinkPanel(p, QRect(165, 541, 148, 44));
    return image;
}

QImage helpBackground()
{
    QImage image = panelBackground(QRect(24, 72, 422, 457));
    QPainter p(&image);
    sinkPanel(p, QRect(64, 22, 145, 36)); // behind "Aim"
    sinkPanel(p, QRect(257, 22, 144, 36)); // behind "Pieces"
    return image;
}

QImage normalPieces()
{
    QImage image = newPicture(2 * Tile, 3 * Tile);
    QPainter p(&image);
    for (int i = 0; i < 6; ++i) {
        drawPiece(p, (i % 2) * Tile, (i / 2) * Tile, Pieces[static_cast<std::size_t>(i)]);
    }
    return image;
}

QImage specialPicture(Symbol symbol)
{
    QImage image = newPicture(Tile, Tile);
    QPainter p(&image);
    drawSpecial(p, 0, 0, symbol);
    return image;
}

// Frame k of 9 of a ball bouncing once on a floor, squashed where it lands.
QImage bounceFrame(int k)
{
    QImage image = newPicture(74, 94);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double t = (k - 1) / 9.0; // the loop returns to frame 1 on landing
    const double height = 4.0 * t * (1.0 - t); // 0 at the floor, 1 at the top
    const double floorY = 84.0;
    const double radius = 15.0;
    const bool landing = k == 1;
    const double squash = landing ? 0.72 : 1.0;
    const double cy = floorY - radius * squash - height * 52.0;
    // Floor and shadow.
    p.fillRect(QRectF(0, floorY, 74, 10), QColor(0x12, 0x30, 0x18));
    QRadialGradient shadow(QPointF(37, floorY + 2), 20);
    shadow.setColorAt(0.0, QColor(0, 0, 0, 200));
    shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    const double shadowWidth = 20.0 - 8.0 * height;
    p.drawEllipse(QPointF(37, floorY + 2), shadowWidth, 3.5);
    // Ball.
    const double rx = radius / std::sqrt(squash);
    const double ry = radius * squash;
    QRadialGradient ball(QPointF(37 - rx * 0.35, cy - ry * 0.4), radius * 1.5);
    ball.setColorAt(0.0, QColor(0xFF, 0xF1, 0xA8));
    ball.setColorAt(0.35, QColor(0xF5, 0x8A, 0x1F));
    ball.setColorAt(1.0, QColor(0x7A, 0x2A, 0x05));
    p.setBrush(ball);
    p.drawEllipse(QPointF(37, cy), rx, ry);
    return image;
}

// The icon at any size, drawn on a 256 x 256 design.
QImage icon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    QPainterPath plate;
    plate.addRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
    p.setClipPath(plate);
    fillGreenPattern(p, QRect(0, 0, 256, 256));
    p.fillRect(QRect(84, 14, 88, 228), QColor(0x06, 0x08, 0x0A));
    p.setClipping(false);
    p.setPen(QPen(FrameGreenDark, 6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(plate);
    // Three pieces of a column, drawn large as vectors so they stay crisp.
    p.save();
    constexpr double Scale = 2.4;
    p.translate((256 - Tile * Scale) / 2, (256 - 3 * Tile * Scale) / 2);
    p.scale(Scale, Scale);
    const std::size_t column[] = {0, 5, 2};
    for (int k = 0; k < 3; ++k) {
        drawPiece(p, 0, k * Tile, Pieces[column[k]]);
    }
    p.restore();
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <assets folder>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QString pictures = out.filePath(QStringLiteral("pictures"));

    // Every window picture at 1x, and at 2x under the name Qt looks for.
    for (const int scale : {1, 2}) {
        g_scale = scale;
        const QString at = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
        const auto save = [&](const QImage& image, const char* name) {
            saveImage(image, pictures + QLatin1Char('/') + QLatin1String(name) + at + QStringLiteral(".png"));
        };
        save(tileSheet(false), "tiles");
        save(tileSheet(true), "nexttiles");
        save(cleanBoard(), "board");
        save(gameBackground(), "game");
        save(menuBackground(), "menu");
        save(panelBackground(QRect(21, 21, 425, 508)), "highscores");
        save(panelBackground(QRect(24, 24, 422, 505)), "controls");
        save(helpBackground(), "help");
        save(panelBackground(QRect(24, 24, 422, 505)), "credits");
        save(normalPieces(), "normalpieces");
        save(specialPicture(Symbol::X), "colourgenocide");
        save(specialPicture(Symbol::Down), "columnbuster");
        save(specialPicture(Symbol::LeftRight), "roweater");
    }
    g_scale = 1;
    for (const int size : {48, 64, 128, 256, 512}) {
        saveImage(icon(size), out.filePath(QStringLiteral("icons/%1x%1/org.quillop.Quillop.png").arg(size)));
    }
    for (int k = 1; k <= 9; ++k) {
        saveImage(bounceFrame(k), out.filePath(QStringLiteral("Images/Bouncing/bounce%1.jpg").arg(k)), "JPEG", 92);
    }
    return 0;
}
