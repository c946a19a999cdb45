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
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

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

// A private bus of its own, a stand-in login manager on it when asked, and
// the watch connected to it as the program connects to the system bus.
class AwayFromTheSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty()) {
            GTEST_SKIP() << "no dbus-daemon to run a private bus";
        }
        ASSERT_TRUE(m_folder.isValid());
        const QString address = QStringLiteral("unix:path=") + m_folder.filePath(QStringLiteral("bus"));
        m_daemon.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                                QStringLiteral("--address=") + address, QStringLiteral("--print-address=1")});
        ASSERT_TRUE(m_daemon.waitForReadyRead(10000)) << "the private bus did not start";
        m_login = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, QStringLiteral("login")));
        m_game = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, QStringLiteral("game")));
        ASSERT_TRUE(m_login->isConnected() && m_game->isConnected());
    }

    void TearDown() override
    {
        m_away.reset();
        m_login.reset();
        m_game.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("login"));
        QDBusConnection::disconnectFromBus(QStringLiteral("game"));
        m_daemon.kill();
        m_daemon.waitForFinished();
    }

    void startLogin()
    {
        ASSERT_TRUE(m_login->registerObject(ManagerPath, &m_manager, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(m_login->registerService(Login));
    }

    // The watch on the game's connection, with what it asked at start
    // answered and its listening in place.
    QSignalSpy& startWatch()
    {
        m_away = std::make_unique<PlayerAway>(*m_game, std::chrono::milliseconds(0));
        m_spy = std::make_unique<QSignalSpy>(m_away.get(), &PlayerAway::away);
        settle();
        settle();
        return *m_spy;
    }

    void send(const QString& path, const char* interface, const char* name, const QVariantList& arguments = {})
    {
        QDBusMessage signal = QDBusMessage::createSignal(path, QLatin1String(interface), QLatin1String(name));
        signal.setArguments(arguments);
        ASSERT_TRUE(m_login->send(signal));
    }

    // Everything sent on the bus so far has reached the watch: the bus
    // keeps each sender's order, so a round trip to the stand-in comes back
    // after its signals.
    void settle()
    {
        const QDBusMessage ping = QDBusMessage::createMethodCall(
            m_login->baseService(), ManagerPath, QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
        m_game->call(ping);
        QCoreApplication::processEvents();
    }

    QTemporaryDir m_folder;
    QProcess m_daemon;
    std::unique_ptr<QDBusConnection> m_login;
    std::unique_ptr<QDBusConnection> m_game;
    StandInLogin m_manager;
    std::unique_ptr<PlayerAway> m_away;
    std::unique_ptr<QSignalSpy> m_spy;
};

// What the login manager sends, and whether it means the player went away.
struct Announcement {
    const char* name;
    QString path;
    const char* interface;
    const char* signal;
    QVariantList arguments;
    int away;

    friend void PrintTo(const Announcement& a, std::ostream* os) { *os << a.name; }
};

class LoginManagerSays : public AwayFromTheSession, public ::testing::WithParamInterface<Announcement> {};

TEST_P(LoginManagerSays, AwayOnlyForSleepAndOurOwnSessionLocked)
{
    startLogin();
    QSignalSpy& away = startWatch();
    const Announcement& said = GetParam();
    send(said.path, said.interface, said.signal, said.arguments);
    settle();
    EXPECT_EQ(away.count(), said.away);
}

INSTANTIATE_TEST_SUITE_P(
    Announcements, LoginManagerSays,
    ::testing::Values(
        Announcement{"Sleep", ManagerPath, "org.freedesktop.login1.Manager", "PrepareForSleep", {true}, 1},
        Announcement{"Woken", ManagerPath, "org.freedesktop.login1.Manager", "PrepareForSleep", {false}, 0},
        Announcement{"OurSessionLocked", OurSession, "org.freedesktop.login1.Session", "Lock", {}, 1},
        Announcement{"OurSessionUnlocked", OurSession, "org.freedesktop.login1.Session", "Unlock", {}, 0},
        Announcement{"AnotherSessionLocked",
                     QStringLiteral("/org/freedesktop/login1/session/_8"),
                     "org.freedesktop.login1.Session",
                     "Lock",
                     {},
                     0}),
    test::Named);

TEST_F(AwayFromTheSession, ALoginManagerThatIsNotThereIsNotWaitedFor)
{
    QSignalSpy& away = startWatch();
    send(ManagerPath, "org.freedesktop.login1.Manager", "PrepareForSleep", {true});
    settle();
    EXPECT_EQ(away.count(), 0) << "a signal from someone not the login manager";
}

// How the keys move as the window system reports it, and how often that is
// the player turning away. Each step is one turn of the event loop; the
// grace is a turn.
struct KeysMove {
    const char* name;
    std::vector<std::vector<Qt::ApplicationState>> turns;
    int away;
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
