// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "playeraway.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>

namespace quillop::desktop {

namespace {

const QString Login = QStringLiteral("org.freedesktop.login1");
const QString ManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString ManagerInterface = QStringLiteral("org.freedesktop.login1.Manager");
const QString SessionInterface = QStringLiteral("org.freedesktop.login1.Session");

} // namespace

PlayerAway::PlayerAway(const QDBusConnection& systemBus, std::chrono::milliseconds grace)
    : m_bus(systemBus), m_hadKeys(QGuiApplication::applicationState() == Qt::ApplicationActive)
{
    m_grace.setSingleShot(true);
    m_grace.setInterval(grace);
    // Had a window of the game taken the keys back meanwhile, the grace
    // would have stopped.
    connect(&m_grace, &QTimer::timeout, this, &PlayerAway::away);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, &PlayerAway::applicationStateChanged);

    if (m_bus.isConnected()) {
        m_bus.connect(Login, ManagerPath, ManagerInterface, QStringLiteral("PrepareForSleep"), this,
                      SLOT(prepareForSleep(bool)));
        watchOurSession();
    }
}

void PlayerAway::applicationStateChanged(Qt::ApplicationState state)
{
    if (state == Qt::ApplicationActive) {
        m_hadKeys = true;
        m_grace.stop();
    } else if (m_hadKeys) {
        // Only a change counts: a game that never had the keys (a window
        // manager that gives none) is not the player turning away.
        m_hadKeys = false;
        m_grace.start();
    }
}

void PlayerAway::watchOurSession()
{
    // "auto" is the session this program runs in or, outside one, the
    // player's graphical session; Lock is sent on that session's object.
    QDBusMessage call =
        QDBusMessage::createMethodCall(Login, ManagerPath, ManagerInterface, QStringLiteral("GetSession"));
    call << QStringLiteral("auto");
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* answered) {
        answered->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> session = *answered;
        // Without a login manager, or outside any session, only sleep is heard.
        if (!session.isError()) {
            m_bus.connect(Login, session.value().path(), SessionInterface, QStringLiteral("Lock"), this,
                          SLOT(locked()));
        }
    });
}

void PlayerAway::prepareForSleep(bool starting)
{
    if (starting) {
        emit away();
    }
}

void PlayerAway::locked()
{
    emit away();
}

} // namespace quillop::desktop
