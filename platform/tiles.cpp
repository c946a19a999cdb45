#include "tiles.h"

#include <QDebug>
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
    m_painter->setCompositionMode(Mode(op));
    m_painter->drawImage(QPoint(x, y), source, QRect(sx, sy, w, h));
}

void BitBlt(QImage& target, int x, int y, int w, int h, const QImage& source, int sx, int sy,
            RasterOp op)
{
    TileBlitter(target).BitBlt(x, y, w, h, source, sx, sy, op);
}

QImage LoadPicture(const QString& path, QSize fallbackSize)
{
    QImage picture(path);
    if (picture.isNull()) {
        qWarning().noquote() << "Quillop: cannot load picture" << path;
        picture = QImage(fallbackSize, QImage::Format_RGB32);
        picture.fill(Qt::black);
        return picture;
    }
    return picture.convertToFormat(QImage::Format_RGB32);
}

} // namespace quillop::platform
