// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets.h"

#include "tiles.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace quillop::platform {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setPicture(QImage picture)
{
    m_picture = std::move(picture);
    update();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    drawPicture(painter, event->rect(), m_picture);
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

Label::Label(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setWordWrap(true);
    setMouseTracking(true);
    setTextColour(Qt::white);
}

void Label::setTextColour(const QColor& colour)
{
    // Only the enabled look changes: a disabled label keeps the desktop's
    // greyed text. An unchanged colour costs no repaint.
    QPalette palette = this->palette();
    if (palette.color(QPalette::Active, QPalette::WindowText) == colour
        && palette.color(QPalette::Inactive, QPalette::WindowText) == colour) {
        return;
    }
    palette.setColor(QPalette::Active, QPalette::WindowText, colour);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    setPalette(palette);
}

void Label::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void Label::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
}

void PrerenderedLabel::paintEvent(QPaintEvent* event)
{
    const qreal ratio = devicePixelRatioF();
    if (m_look.isNull() || m_lookText != text() || m_look.deviceIndependentSize() != QSizeF(size())
        || m_look.devicePixelRatio() != ratio) {
        // What QLabel draws for plain text, once, on the label's background.
        m_look = QPixmap((QSizeF(size()) * ratio).toSize());
        m_look.setDevicePixelRatio(ratio);
        m_look.fill(autoFillBackground() ? palette().color(backgroundRole()) : QColor(Qt::transparent));
        QPainter look(&m_look);
        look.setFont(font());
        look.setPen(palette().color(foregroundRole()));
        const Qt::Alignment placed = QStyle::visualAlignment(layoutDirection(), alignment());
        const int flags =
            static_cast<int>(placed.toInt()) | (wordWrap() ? Qt::TextWordWrap : 0) | Qt::TextForceLeftToRight;
        look.drawText(contentsRect(), flags, text());
        m_lookText = text();
    }
    QPainter painter(this);
    const QRectF area = event->rect();
    painter.drawPixmap(area, m_look, QRectF(area.topLeft() * ratio, area.size() * ratio));
}

void PrerenderedLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange
        || event->type() == QEvent::EnabledChange || event->type() == QEvent::ActivationChange) {
        m_look = QPixmap();
    }
    Label::changeEvent(event);
}

} // namespace quillop::platform
