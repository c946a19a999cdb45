// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ticktimer.h"

#include <algorithm>
#include <utility>

namespace quillop {

TickTimer::TickTimer(QObject* parent) : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(m_interval);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        // A tick resumed from a hold ran for what was left; the next one is
        // a whole interval again.
        if (m_timer.interval() != m_interval) {
            m_timer.setInterval(m_interval);
        }
        emit tick();
    });
}

void TickTimer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    apply();
}

void TickTimer::setInterval(int milliseconds)
{
    m_interval = milliseconds;
    apply();
}

void TickTimer::hold()
{
    if (m_held) {
        return;
    }
    m_held = true;
    if (m_timer.isActive()) {
        m_heldRemaining = std::max(0, m_timer.remainingTime());
        m_timer.stop();
    }
}

void TickTimer::release(bool resume)
{
    if (!m_held) {
        return;
    }
    m_held = false;
    const std::optional<int> remaining = std::exchange(m_heldRemaining, std::nullopt);
    if (!resume) {
        m_enabled = false;
    } else if (m_enabled) {
        m_timer.start(remaining.value_or(m_interval));
    }
}

void TickTimer::apply()
{
    if (m_held) {
        // Switched off under a hold, it does not come back at the release.
        if (!m_enabled) {
            m_heldRemaining.reset();
        }
        return;
    }
    if (m_timer.interval() != m_interval && !m_timer.isActive()) {
        m_timer.setInterval(m_interval);
    }
    if (m_enabled && !m_timer.isActive()) {
        m_timer.start(m_interval);
    } else if (!m_enabled && m_timer.isActive()) {
        m_timer.stop();
    }
}

} // namespace quillop
