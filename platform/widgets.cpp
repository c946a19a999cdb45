// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets.h"

#include "tiles.h"

#include <QMouseEvent>
#include <QPainter>

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
    DrawPicture(painter, event->rect(), m_picture);
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

} // namespace quillop::platform
