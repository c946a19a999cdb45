// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/core/gameloop.h"

#include <QObject>
#include <QTimer>

#include <optional>

namespace quillop {

// The game window's tick timer: the rules switch it and set its interval,
// and what they set is what runs, a precise timer at that interval. A
// question or notice over the game holds it still; released, it goes on
// with what was left of the tick it was in.
class TickTimer final : public QObject, public GameTimer {
    Q_OBJECT

public:
    explicit TickTimer(QObject* parent = nullptr);

    bool enabled() const override { return m_enabled; }
    void setEnabled(bool enabled) override;
    int interval() const override { return m_interval; }
    void setInterval(int milliseconds) override;

    void hold();
    bool held() const { return m_held; }
    // Without resume (the game is no longer on the screen) it stays off.
    void release(bool resume);

    // The real timer, for a look at what it does.
    const QTimer& running() const { return m_timer; }

signals:
    void tick();

private:
    void apply();

    QTimer m_timer;
    bool m_enabled = false;
    int m_interval = StartInterval;
    bool m_held = false;
    // What was left of the tick when it was held, if it was ticking.
    std::optional<int> m_heldRemaining;
};

} // namespace quillop
