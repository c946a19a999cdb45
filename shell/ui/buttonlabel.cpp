// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "buttonlabel.h"

#include "platform/fonts.h"

#include <QMouseEvent>

namespace quillop {

ButtonLabel::ButtonLabel(const QString& text, QWidget* parent, QRect place, double points)
    : platform::Label(text, parent)
{
    setFont(platform::gameFont(platform::MsSansSerif, points, true));
    setGeometry(place);
    setMouseTracking(true);
}

void ButtonLabel::setLit(bool lit)
{
    setTextColour(lit ? ButtonYellow : ButtonWhite);
}

QColor ButtonLabel::textColour() const
{
    return palette().color(QPalette::Active, QPalette::WindowText);
}

void ButtonLabel::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    setLit(true);
    emit hovered();
}

void ButtonLabel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    m_pressed = event->button() == Qt::LeftButton;
}

void ButtonLabel::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click) {
        emit clicked();
    }
}

void resetButtons(const std::vector<ButtonLabel*>& buttons)
{
    for (ButtonLabel* button : buttons) {
        button->setLit(false);
    }
}

} // namespace quillop
