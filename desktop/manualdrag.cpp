// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "manualdrag.h"

#include <QMouseEvent>
#include <QWidget>

#include <algorithm>

namespace quillop::desktop {

void ManualDrag::start(QWidget* window, QPoint pressedAt)
{
    if (window != nullptr && !isActive(window)) {
        new ManualDrag(window, pressedAt - window->pos());
    }
}

bool ManualDrag::isActive(const QWidget* window)
{
    const auto drags = window->findChildren<ManualDrag*>(QString(), Qt::FindDirectChildrenOnly);
    return std::any_of(drags.cbegin(), drags.cend(), [](const ManualDrag* drag) { return !drag->m_finished; });
}

ManualDrag::ManualDrag(QWidget* window, QPoint grabOffset) : QObject(window), m_window(window), m_offset(grabOffset)
{
    window->installEventFilter(this);
}

bool ManualDrag::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_window) {
        return false;
    }
    if (event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        if (move->buttons() == Qt::NoButton) {
            finish();
            return false;
        }
        m_window->move(move->globalPosition().toPoint() - m_offset);
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        finish();
    }
    return false;
}

void ManualDrag::finish()
{
    if (m_window) {
        m_window->removeEventFilter(this);
    }
    // Done at once, so a press right after starts a new drag.
    m_finished = true;
    deleteLater();
}

} // namespace quillop::desktop
