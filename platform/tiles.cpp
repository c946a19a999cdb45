// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tiles.h"

#include "log.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace quillop::platform {

namespace {

// Moves the start of a copy inward until it lies in both pictures.
void clipStart(int& from, int& to, int& length)
{
    const int skip = std::max({0, -from, -to});
    from += skip;
    to += skip;
    length -= skip;
}

} // namespace

TileBlitter::TileBlitter(QImage& target) : m_target(target), m_scale(qRound(target.devicePixelRatio()))
{
}

void TileBlitter::BitBlt(int x, int y, int w, int h, const QImage& source, int sx, int sy, RasterOp op)
{
    // The bitwise operations themselves, a row at a time, in the pictures'
    // own pixels; whatever falls outside either picture is left out.
    const int s = m_scale;
    int fromX = sx * s;
    int fromY = sy * s;
    int toX = x * s;
    int toY = y * s;
    int cols = w * s;
    int rows = h * s;
    clipStart(fromX, toX, cols);
    clipStart(fromY, toY, rows);
    cols = std::min({cols, source.width() - fromX, m_target.width() - toX});
    rows = std::min({rows, source.height() - fromY, m_target.height() - toY});
    if (cols <= 0 || rows <= 0) {
        return;
    }
    for (int r = 0; r < rows; ++r) {
        const auto* in = reinterpret_cast<const quint32*>(source.constScanLine(fromY + r)) + fromX;
        auto* out = reinterpret_cast<quint32*>(m_target.scanLine(toY + r)) + toX;
        switch (op) {
        case RasterOp::SrcCopy:
            std::memcpy(out, in, static_cast<std::size_t>(cols) * sizeof(quint32));
            break;
        case RasterOp::SrcAnd:
            for (int c = 0; c < cols; ++c) {
                out[c] &= in[c];
            }
            break;
        case RasterOp::SrcPaint:
            for (int c = 0; c < cols; ++c) {
                out[c] |= in[c];
            }
            break;
        }
    }
}

QImage transferSource(QImage picture)
{
    picture.setDevicePixelRatio(1);
    return picture;
}

void BitBlt(QImage& target, int x, int y, int w, int h, const QImage& source, int sx, int sy, RasterOp op)
{
    TileBlitter(target).BitBlt(x, y, w, h, source, sx, sy, op);
}

int pictureScale()
{
    return qGuiApp != nullptr && qGuiApp->devicePixelRatio() > 1.0 ? 2 : 1;
}

QImage readPicture(const QString& path)
{
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QImage screenPicture(const QString& path, int scale)
{
    if (path.isEmpty()) {
        return {}; // a window without a picture of its own
    }
    if (scale > 1) {
        const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
        QImage fine = readPicture(path.left(dot) + QStringLiteral("@%1x").arg(scale) + path.mid(dot));
        if (!fine.isNull()) {
            fine.setDevicePixelRatio(scale);
            return fine.convertToFormat(QImage::Format_RGB32);
        }
    }
    QImage picture = readPicture(path);
    if (picture.isNull()) {
        qCWarning(lcQuillop).noquote() << "cannot load picture" << path;
        return picture;
    }
    return picture.convertToFormat(QImage::Format_RGB32);
}

QImage loadPicture(const QString& path, QSize fallbackSize, int scale)
{
    QImage picture = screenPicture(path, scale);
    if (picture.isNull()) {
        picture = QImage(fallbackSize * scale, QImage::Format_RGB32);
        picture.setDevicePixelRatio(scale);
        picture.fill(Qt::black);
    }
    return picture;
}

void drawPicture(QPainter& painter, const QRect& area, const QImage& picture)
{
    const qreal r = picture.devicePixelRatio();
    painter.drawImage(QRectF(area), picture, QRectF(area.x() * r, area.y() * r, area.width() * r, area.height() * r));
}

} // namespace quillop::platform
