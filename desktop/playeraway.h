// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QTimer>

#include <chrono>

namespace quillop::desktop {

// Tells when the player has turned away from the game: the keys went to
// another program (no window of the game has them any more, after one had),
// the session was locked, or the machine is going to sleep. The last two
// come from the login manager on the system bus, where there is one; a
// desktop that never says the keys went elsewhere is never second-guessed.
class PlayerAway final : public QObject {
    Q_OBJECT

public:
    // The keys count as gone once no window of the game has had them for the
    // grace: a hand-over between two of the game's own windows (a notice
    // closing, the game window taking the keys back) leaves none for a
    // moment. The login manager is asked which session is ours without
    // waiting for the answer.
    PlayerAway(const QDBusConnection& systemBus, std::chrono::milliseconds grace);

signals:
    void away();

private slots:
    void prepareForSleep(bool starting);
    void locked();

private:
    void applicationStateChanged(Qt::ApplicationState state);
    void watchOurSession();

    QDBusConnection m_bus;
    QTimer m_grace;
    bool m_hadKeys;
};

} // namespace quillop::desktop
