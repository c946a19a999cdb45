// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formwindow.h"

#include "common/virtualkey.h"
#include "desktop/desktop.h"
#include "platform/keys.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace quillop {

FormWindow::FormWindow(const QString& picture, const QString& title)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_picture(picture)
{
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

ButtonLabel* FormWindow::addOkButton(std::function<void()> leave)
{
    m_ok = addButton("lblOk", QStringLiteral("Ok"), QRect(176, 552, 129, 25));
    m_leave = std::move(leave);
    connect(m_ok, &ButtonLabel::clicked, this, [this] { m_leave(); });
    return m_ok;
}

bool FormWindow::Form_KeyDown(std::int16_t key)
{
    if (key != VirtualKey::Escape || m_ok == nullptr || !m_ok->isEnabled() || !escapeLeaves()) {
        return false;
    }
    m_leave();
    return true;
}

void FormWindow::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    Form_KeyDown(platform::virtualKeyCode(*event));
}

void FormWindow::paintEvent(QPaintEvent* event)
{
    // Without its picture the window still works, plain #404040.
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(0x40, 0x40, 0x40));
    platform::drawPicture(painter, event->rect(), m_picture.get());
}

void FormWindow::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    desktop::current().drag(this, event->globalPosition().toPoint());
}

void FormWindow::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    resetButtons(m_buttons);
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

} // namespace quillop
