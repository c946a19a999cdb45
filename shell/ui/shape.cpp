// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shape.h"

#include <QPainter>

namespace quillop {

Shape::Shape(QWidget* parent, QRect place, QColor edge, int edgeWidth)
    : QWidget(parent), m_edge(edge), m_edgeWidth(edgeWidth)
{
    setGeometry(place);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setFill(QColor colour)
{
    setFillColour(colour);
    setFilled(true);
}

void Shape::setFillColour(QColor colour)
{
    if (colour != m_fillColour) {
        m_fillColour = colour;
        update();
    }
}

void Shape::setFilled(bool filled)
{
    if (filled != m_filled) {
        m_filled = filled;
        update();
    }
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_filled) {
        painter.fillRect(rect(), m_fillColour);
    }
    // The edge lies inside the bounds, as a drawn rectangle of that width.
    const int w = m_edgeWidth;
    painter.fillRect(0, 0, width(), w, m_edge);
    painter.fillRect(0, height() - w, width(), w, m_edge);
    painter.fillRect(0, 0, w, height(), m_edge);
    painter.fillRect(width() - w, 0, w, height(), m_edge);
}

} // namespace quillop
