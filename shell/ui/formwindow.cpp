// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formwindow.h"

#include "platform/drag.h"
#include "platform/fonts.h"
#include "platform/tiles.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>

namespace quillop {

ButtonLabel::ButtonLabel(const QString& text, QWidget* parent, QRect place, double points)
    : platform::Label(text, parent)
{
    setFont(platform::GameFont(platform::MsSansSerif, points, true));
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

platform::Label* AddText(QWidget* parent, const QString& text, QRect place, TextStyle style)
{
    auto* label = new platform::Label(text, parent);
    label->setFont(platform::GameFont(platform::MsSansSerif, style.points, style.bold, style.underline));
    label->setAlignment(style.alignment | Qt::AlignTop);
    label->setGeometry(place);
    return label;
}

void ResetButtons(const std::vector<ButtonLabel*>& buttons)
{
    for (ButtonLabel* button : buttons) {
        button->setLit(false);
    }
}

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
    ResetButtons(m_resets);
}

void Panel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

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

FormWindow::FormWindow(const QString& picture, const QString& title)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      m_picture(picture)
{
    // Without its picture the window still works, plain #404040.
    setWindowTitle(title);
    setFixedSize(Width, Height);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

ButtonLabel* FormWindow::addButton(const char* name, const QString& text, QRect place, double points)
{
    auto* button = new ButtonLabel(text, this, place, points);
    button->setObjectName(QLatin1String(name));
    m_buttons.push_back(button);
    return button;
}

void FormWindow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(0x40, 0x40, 0x40));
    platform::DrawPicture(painter, event->rect(), m_picture.get());
}

void FormWindow::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    platform::DragForm(this, event->globalPosition().toPoint());
}

void FormWindow::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    ResetButtons(m_buttons);
}

void FormWindow::closeByProgram()
{
    m_closingByProgram = true;
    close();
    m_closingByProgram = false;
}

void FormWindow::closeEvent(QCloseEvent* event)
{
    // Only a close the program did not ask for (Alt+F4, the taskbar) is
    // turned into the game's own way out.
    if (!m_closingByProgram && m_closeRequested) {
        event->ignore();
        m_closeRequested();
        return;
    }
    QWidget::closeEvent(event);
}

void CloseByProgram(QWidget* window)
{
    if (auto* form = qobject_cast<FormWindow*>(window)) {
        form->closeByProgram();
    } else {
        window->close();
    }
}

bool HiddenWindowInput::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        return watched->isWidgetType() && !static_cast<QWidget*>(watched)->window()->isVisible();
    default:
        return false;
    }
}

void HandOver(QWidget* from, QWidget* to, Leave leave)
{
    // Placed before it is mapped, so it never shows for a moment elsewhere.
    if (from != nullptr) {
        to->move(from->pos());
    }
    to->show();
    to->raise();
    to->activateWindow();
    if (from != nullptr && from != to) {
        if (leave == Leave::Hide) {
            from->hide();
        } else if (leave == Leave::Close) {
            CloseByProgram(from);
        }
    }
}

} // namespace quillop
