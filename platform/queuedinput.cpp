// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "queuedinput.h"

#include <QCoreApplication>
#include <QEvent>

namespace quillop::platform {

namespace {

class KeyDrop final : public QObject {
    Q_OBJECT

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        return type == QEvent::KeyPress || type == QEvent::KeyRelease || type == QEvent::ShortcutOverride;
    }
};

} // namespace

void deliverQueuedMouseInput()
{
    KeyDrop drop;
    QCoreApplication::instance()->installEventFilter(&drop);
    QCoreApplication::processEvents();
    QCoreApplication::instance()->removeEventFilter(&drop);
}

} // namespace quillop::platform

#include "queuedinput.moc"
