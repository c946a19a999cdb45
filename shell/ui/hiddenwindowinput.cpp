// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "hiddenwindowinput.h"

#include <QEvent>
#include <QWidget>

namespace quillop {

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

} // namespace quillop
