// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QWidget>

namespace quillop {

// A rectangle shape with an edge line inside its bounds, filled with its
// fill colour or left open. It takes no mouse events; the mouse acts on
// whatever lies under it.
class Shape final : public QWidget {
    Q_OBJECT

public:
    Shape(QWidget* parent, QRect place, QColor edge, int edgeWidth = 1);
    // Sets the fill colour and fills the shape.
    void setFill(QColor colour);
    void setFillColour(QColor colour);
    void setFilled(bool filled);
    QColor fillColour() const { return m_fillColour; }
    bool isFilled() const { return m_filled; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_edge;
    int m_edgeWidth;
    QColor m_fillColour;
    bool m_filled = false;
};

} // namespace quillop
