// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/widgets.h"

#include <QColor>

#include <vector>

namespace quillop {

inline const QColor ButtonWhite{0xFF, 0xFF, 0xFF};
inline const QColor ButtonYellow{0xFF, 0xFF, 0x00};

// A text label that works as a button. The mouse moving over it turns it
// yellow; nothing turns it white again except the surface its window names
// (there is no leave event). A press and release over it is a click.
class ButtonLabel final : public platform::Label {
    Q_OBJECT

public:
    // Bold "MS Sans Serif" of the given size in points, centred.
    ButtonLabel(const QString& text, QWidget* parent, QRect place, double points = 13.5);

    // Yellow while lit, white otherwise.
    void setLit(bool lit);
    QColor textColour() const;

signals:
    void clicked();
    void hovered();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};

// Turns the given buttons white.
void resetButtons(const std::vector<ButtonLabel*>& buttons);

} // namespace quillop
