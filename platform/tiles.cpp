#include "tiles.h"

#include <QDebug>
#include <QGuiApplication>
#include <QPainter>

namespace quillop::platform {

namespace {

QPainter::CompositionMode Mode(RasterOp op)
{
    switch (op) {
    case RasterOp::SrcAnd:
        return QPainter::RasterOp_SourceAndDestination;
    case RasterOp::SrcPaint:
        return QPainter::RasterOp_SourceOrDestination;
    case RasterOp::SrcCopy:
        break;
    }
    return QPainter::CompositionMode_Source;
}

} // namespace

TileBlitter::TileBlitter(QImage& target) : m_painter(new QPainter(&target)) {}

TileBlitter::~TileBlitter()
{
    delete m_painter;
}

void TileBlitter::BitBlt(int x, int y, int w, int h, const QImage& source, int sx, int sy, RasterOp op)
{
    // Coordinates are the game's pixels; a picture drawn finer for a
    // high-resolution screen is copied pixel for pixel all the same.
    const qreal r = source.devicePixelRatio();
    m_painter->setCompositionMode(Mode(op));
    m_painter->drawImage(QRectF(x, y, w, h), source, QRectF(sx * r, sy * r, w * r, h * r));
}

void BitBlt(QImage& target, int x, int y, int w, int h, const QImage& source, int sx, int sy,
            RasterOp op)
{
    TileBlitter(target).BitBlt(x, y, w, h, source, sx, sy, op);
}

int PictureScale()
{
    return qGuiApp != nullptr && qGuiApp->devicePixelRatio() > 1.0 ? 2 : 1;
}

QImage ScreenPicture(const QString& path, int scale)
{
    if (scale > 1) {
        const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
        QImage fine(path.left(dot) + QStringLiteral("@%1x").arg(scale) + path.mid(dot));
        if (!fine.isNull()) {
            fine.setDevicePixelRatio(scale);
            return fine.convertToFormat(QImage::Format_RGB32);
        }
    }
    QImage picture(path);
    if (picture.isNull()) {
        qWarning().noquote() << "Quillop: cannot load picture" << path;
        return picture;
    }
    return picture.convertToFormat(QImage::Format_RGB32);
}

QImage LoadPicture(const QString& path, QSize fallbackSize, int scale)
{
    QImage picture = ScreenPicture(path, scale);
    if (picture.isNull()) {
        picture = QImage(fallbackSize * scale, QImage::Format_RGB32);
        picture.setDevicePixelRatio(scale);
        picture.fill(Qt::black);
    }
    return picture;
}

void DrawPicture(QPainter& painter, const QRect& area, const QImage& picture)
{
    const qreal r = picture.devicePixelRatio();
    painter.drawImage(QRectF(area), picture, QRectF(area.x() * r, area.y() * r, area.width() * r, area.height() * r));
}

} // namespace quillop::platform
