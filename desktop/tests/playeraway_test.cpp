// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/playeraway.h"
#include "tests/support/naming.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace quillop::desktop {
namespace {

const QString Login = QStringLiteral("org.freedesktop.login1");
const QString ManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString OurSession = QStringLiteral("/org/freedesktop/login1/session/_7");

// A stand-in login manager: it says which session is ours.
class StandInLogin final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public slots:
    QDBusObjectPath GetSession(const QString& id)
    {
        return QDBusObjectPath(id == QLatin1String("auto") ? OurSession : QStringLiteral("/none"));
    }
};

// A private bus of its own with a stand-in login manager on it when told,
// and the watch connected to it as the program connects to the system bus.
// What the login manager (or someone else) sends, and how often the watch
// takes it for the player gone.
struct Announcement {
    const char* name;
    bool login; // sent by the login manager; otherwise by a connection without its name
    QString path;
    const char* interface;
    const char* signal;
    QVariantList arguments;
    int away;

    friend void PrintTo(const Announcement& a, std::ostream* os) { *os << a.name; }
};

class LoginManagerSays : public ::testing::TestWithParam<Announcement> {
protected:
    void SetUp() override
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty()) {
            GTEST_SKIP() << "no dbus-daemon to run a private bus";
        }
        const QString address = QStringLiteral("unix:path=") + m_folder.filePath(QStringLiteral("bus"));
        m_daemon.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                                QStringLiteral("--address=") + address, QStringLiteral("--print-address=1")});
        ASSERT_TRUE(m_daemon.waitForReadyRead(10000)) << "the private bus did not start";
        m_login = QDBusConnection::connectToBus(address, QStringLiteral("login"));
        m_game = QDBusConnection::connectToBus(address, QStringLiteral("game"));
        ASSERT_TRUE(m_login.isConnected() && m_game.isConnected());
    }

    void TearDown() override
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("login"));
        QDBusConnection::disconnectFromBus(QStringLiteral("game"));
        m_daemon.kill();
        m_daemon.waitForFinished();
    }

    // Everything sent on the bus so far has reached the watch: the bus
    // keeps each sender's order, so a round trip to the stand-in comes back
    // after its signals.
    void settle()
    {
        m_game.call(QDBusMessage::createMethodCall(
            m_login.baseService(), ManagerPath, QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping")));
        QCoreApplication::processEvents();
    }

    QTemporaryDir m_folder;
    QProcess m_daemon;
    QDBusConnection m_login{QString()};
    QDBusConnection m_game{QString()};
    StandInLogin m_manager;
};

TEST_P(LoginManagerSays, AwayOnlyForSleepAndOurOwnSessionLocked)
{
    const Announcement& said = GetParam();
    if (said.login) {
        ASSERT_TRUE(m_login.registerObject(ManagerPath, &m_manager, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(m_login.registerService(Login));
    }
    PlayerAway watch(m_game, std::chrono::milliseconds(0));
    QSignalSpy away(&watch, &PlayerAway::away);
    settle(); // the question of which session is ours is answered
    settle(); // and the watch listens to it
    QDBusMessage signal =
        QDBusMessage::createSignal(said.path, QLatin1String(said.interface), QLatin1String(said.signal));
    signal.setArguments(said.arguments);
    ASSERT_TRUE(m_login.send(signal));
    settle();
    EXPECT_EQ(away.count(), said.away);
}

const char* const Manager = "org.freedesktop.login1.Manager";
const char* const Session = "org.freedesktop.login1.Session";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Announcements, LoginManagerSays,
    ::testing::Values(
        Announcement{"Sleep", true, ManagerPath, Manager, "PrepareForSleep", {true}, 1},
        Announcement{"Woken", true, ManagerPath, Manager, "PrepareForSleep", {false}, 0},
        Announcement{"OurSessionLocked", true, OurSession, Session, "Lock", {}, 1},
        Announcement{"OurSessionUnlocked", true, OurSession, Session, "Unlock", {}, 0},
        Announcement{"AnotherSessionLocked", true, QStringLiteral("/org/freedesktop/login1/session/_8"), Session,
                     "Lock", {}, 0},
        Announcement{"SleepFromSomeoneElse", false, ManagerPath, Manager, "PrepareForSleep", {true}, 0}),
    test::Named);
// clang-format on

// How the keys move as the window system reports it, and how often that is
// the player turning away. Each step is one turn of the event loop; the
// grace is a turn.
struct KeysMove {
    const char* name;
    std::vector<std::vector<Qt::ApplicationState>> turns;
    int away;

    friend void PrintTo(const KeysMove& m, std::ostream* os) { *os << m.name; }
};

class KeysGo : public ::testing::TestWithParam<KeysMove> {};

TEST_P(KeysGo, AwayOnlyWhenNoWindowOfTheGameTakesThemBackWithinTheGrace)
{
    PlayerAway watch(QDBusConnection(QStringLiteral("none")), std::chrono::milliseconds(0));
    QSignalSpy away(&watch, &PlayerAway::away);
    for (const std::vector<Qt::ApplicationState>& turn : GetParam().turns) {
        for (const Qt::ApplicationState state : turn) {
            emit qGuiApp->applicationStateChanged(state);
        }
        QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(away.count(), GetParam().away);
}

constexpr auto Active = Qt::ApplicationActive;
constexpr auto Inactive = Qt::ApplicationInactive;
constexpr auto Hidden = Qt::ApplicationHidden;

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Moves, KeysGo,
    ::testing::Values(
        KeysMove{"ToAnotherProgram", {{Active}, {Inactive}}, 1},
        KeysMove{"ThroughANoticeOfTheGame", {{Active}, {Inactive, Active}}, 0},
        KeysMove{"AwayTwiceInARow", {{Active}, {Inactive}, {Hidden}}, 1},
        KeysMove{"AwayBackAndAwayAgain", {{Active}, {Inactive}, {Active}, {Inactive}}, 2},
        KeysMove{"NeverHadThem", {{Inactive}, {Hidden}}, 0}),
    test::Named);
// clang-format on

} // namespace
} // namespace quillop::desktop

#include "playeraway_test.moc"
