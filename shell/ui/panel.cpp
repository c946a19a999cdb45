// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "panel.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace quillop {

Panel::Panel(QWidget* parent, QRect place) : QWidget(parent)
{
    setGeometry(place);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void Panel::paintEvent(QPaintEvent* event)
{
    QPainter(this).fillRect(event->rect(), Qt::black);
}

void Panel::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    resetButtons(m_resets);
}

void Panel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

} // namespace quillop
