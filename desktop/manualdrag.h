// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

class QWidget;

namespace quillop::desktop {

// The window follows the mouse itself while the button that pressed is
// held: the drag where the window system does not move windows for a
// program, or is not asked to. The press gave the window the implicit mouse
// grab, so the moves and the release come to it.
class ManualDrag final : public QObject {
    Q_OBJECT

public:
    // Nothing if the window is being dragged already.
    static void start(QWidget* window, QPoint pressedAt);
    static bool isActive(const QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ManualDrag(QWidget* window, QPoint grabOffset);
    void finish();

    QPointer<QWidget> m_window;
    QPoint m_offset;
    bool m_finished = false;
};

} // namespace quillop::desktop
