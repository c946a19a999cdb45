// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "buttonlabel.h"

#include <QWidget>

#include <vector>

namespace quillop {

// A black panel. It takes its own mouse presses (no drag) and moves; a move
// over it resets the buttons it is given.
class Panel final : public QWidget {
    Q_OBJECT

public:
    Panel(QWidget* parent, QRect place);
    void resetsOnHover(std::vector<ButtonLabel*> buttons) { m_resets = std::move(buttons); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::vector<ButtonLabel*> m_resets;
};

} // namespace quillop
