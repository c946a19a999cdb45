// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/swaydesktop.h"
#include "desktop/swayipc.h"
#include "tests/support/naming.h"
#include "tests/support/qtprinting.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace quillop::desktop {
namespace {

// Message framing: what is taken off the stream, and what is left.
struct Framing {
    const char* name;
    QByteArray read;
    std::vector<QByteArray> taken;
    qsizetype left;

    friend void PrintTo(const Framing& framing, std::ostream* out) { *out << framing.name; }
};

class Frames : public ::testing::TestWithParam<Framing> {};

TEST_P(Frames, AreTakenWholeAndInOrder)
{
    QByteArray read = GetParam().read;
    std::vector<QByteArray> taken;
    while (const auto message = takeSwayMessage(read)) {
        taken.push_back(QByteArray::number(message->type) + ':' + message->payload);
    }
    EXPECT_EQ(taken, GetParam().taken);
    EXPECT_EQ(read.size(), GetParam().left);
}

const QByteArray Run = encodeSwayMessage(sway::RunCommand, "focus");
const QByteArray Event = encodeSwayMessage(sway::WindowEvent, "{}");

INSTANTIATE_TEST_SUITE_P(
    Sway, Frames,
    ::testing::Values(Framing{"One", Run, {"0:focus"}, 0},
                      Framing{"TwoBackToBack", Run + Event, {"0:focus", "2147483651:{}"}, 0},
                      Framing{"AHeaderShort", Run.left(10), {}, 10},
                      Framing{"APayloadShort", Run + Event.left(15), {"0:focus"}, 15},
                      Framing{"NotSways", "HTTP/1.1 200 OK\r\n\r\n", {}, 0},
                      Framing{"LongerThanAnyAnswer", QByteArray("i3-ipc\xff\xff\xff\x7f\0\0\0\0", 14), {}, 0}),
    test::Named);

// A sway of the test's own on a socket in a temporary folder: it answers
// commands with success and a tree with the one it is given, and sends the
// subscribed connection the events the test hands it.
class FakeSway {
public:
    explicit FakeSway(const QString& path) : m_path(path)
    {
        m_listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(path);
        std::copy(name.begin(), name.end(), address.sun_path);
        EXPECT_EQ(bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(listen(m_listener, 4), 0);
        EXPECT_EQ(pipe(m_stop), 0);
        m_thread = std::thread([this] { serve(); });
    }
    ~FakeSway()
    {
        EXPECT_EQ(write(m_stop[1], "x", 1), 1);
        m_thread.join();
        for (const int fd : {m_listener, m_stop[0], m_stop[1], m_subscribed.load()}) {
            if (fd >= 0) {
                close(fd);
            }
        }
    }
    FakeSway(const FakeSway&) = delete;
    FakeSway& operator=(const FakeSway&) = delete;

    // Each answer comes this much later, as from a sway that hangs now and
    // then.
    void setAnswerDelay(std::chrono::milliseconds delay) { m_delay = delay; }
    void setTree(const QByteArray& tree)
    {
        const std::lock_guard lock(m_mutex);
        m_tree = tree;
    }
    void sendWindowEvent(const QByteArray& body) { send(m_subscribed, encodeSwayMessage(sway::WindowEvent, body)); }
    std::vector<QString> commands()
    {
        const std::lock_guard lock(m_mutex);
        return m_commands;
    }
    // Waits, the game's event loop running, until a connection subscribed.
    bool awaitSubscription()
    {
        const QDeadlineTimer deadline(5000);
        while (m_subscribed < 0 && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return m_subscribed >= 0;
    }
    // Waits, the game's event loop running, until sway has heard `count` commands.
    std::vector<QString> awaitCommands(std::size_t count)
    {
        const QDeadlineTimer deadline(5000);
        while (commands().size() < count && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return commands();
    }

private:
    void serve()
    {
        std::vector<pollfd> watched{{m_stop[0], POLLIN, 0}, {m_listener, POLLIN, 0}};
        std::vector<QByteArray> read(2);
        while (poll(watched.data(), watched.size(), -1) > 0 && watched[0].revents == 0) {
            if (watched[1].revents != 0) {
                watched.push_back({accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC), POLLIN, 0});
                read.emplace_back();
            }
            for (std::size_t i = 2; i < watched.size(); ++i) {
                char bytes[4096];
                const ssize_t got = watched[i].revents != 0 ? ::read(watched[i].fd, bytes, sizeof bytes) : 0;
                read[i].append(bytes, got > 0 ? got : 0);
                while (const auto message = takeSwayMessage(read[i])) {
                    answer(watched[i].fd, *message);
                }
            }
        }
        for (std::size_t i = 2; i < watched.size(); ++i) {
            if (watched[i].fd != m_subscribed) {
                close(watched[i].fd);
            }
        }
    }
    void answer(int fd, const SwayMessage& message)
    {
        QByteArray body = R"({"success": true})";
        if (message.type == sway::RunCommand) {
            const std::lock_guard lock(m_mutex);
            m_commands.push_back(QString::fromUtf8(message.payload));
            body = R"([{"success": true}])";
        } else if (message.type == sway::GetTree) {
            const std::lock_guard lock(m_mutex);
            body = m_tree;
        } else if (message.type == sway::Subscribe) {
            m_subscribed = fd;
        }
        std::this_thread::sleep_for(m_delay.load());
        send(fd, encodeSwayMessage(message.type, body));
    }
    void send(int fd, const QByteArray& message)
    {
        const std::lock_guard lock(m_writing);
        // The game may have gone before a late answer.
        const ssize_t sent = ::send(fd, message.constData(), static_cast<size_t>(message.size()), MSG_NOSIGNAL);
        EXPECT_TRUE(sent == message.size() || errno == EPIPE);
    }

    QString m_path;
    int m_listener = -1;
    int m_stop[2] = {-1, -1};
    std::atomic<int> m_subscribed = -1;
    std::mutex m_mutex;
    std::mutex m_writing; // events and answers share the game's one connection
    std::atomic<std::chrono::milliseconds> m_delay{std::chrono::milliseconds(0)};
    std::vector<QString> m_commands;
    QByteArray m_tree = "{}";
    std::thread m_thread;
};

QByteArray container(const char* change, qint64 id, qint64 pid, quint64 window, QSize size = {})
{
    return QStringLiteral(R"({"change": "%1", "container": {"id": %2, "pid": %3, "window": %4, "name": "Quillop",
                             "visible": true, "window_rect": {"x": 0, "y": 0, "width": %5, "height": %6}}})")
        .arg(QLatin1String(change))
        .arg(id)
        .arg(pid)
        .arg(window)
        .arg(size.width())
        .arg(size.height())
        .toUtf8();
}

class SwayDesktopTest : public ::testing::Test {
protected:
    std::unique_ptr<SwayDesktop> swayDesktop(SwayDesktop::Display display)
    {
        auto connection = std::make_unique<SwayConnection>(m_socket);
        EXPECT_TRUE(connection->isOpen());
        auto desktop = std::make_unique<SwayDesktop>(std::make_unique<Desktop>(), std::move(connection), display);
        EXPECT_TRUE(m_sway.awaitSubscription());
        return desktop;
    }

    QTemporaryDir m_folder;
    QString m_socket = m_folder.filePath(QStringLiteral("sway-ipc.sock"));
    FakeSway m_sway{m_socket};
    const qint64 m_pid = QCoreApplication::applicationPid();
};

TEST_F(SwayDesktopTest, OnXWaylandAWindowShowsWhereTheGamePutItAndOnlyThen)
{
    const auto desktop = swayDesktop(SwayDesktop::Display::XWayland);
    QWidget placed;
    placed.setWindowTitle(QStringLiteral("Quillop"));
    desktop->place(&placed, {120, 80});
    placed.show();
    QWidget unplaced; // sway's own place is as good as any
    unplaced.show();

    m_sway.sendWindowEvent(container("new", 5, m_pid, unplaced.winId()));
    m_sway.sendWindowEvent(container("new", 6, m_pid, 99999)); // not the game's
    m_sway.sendWindowEvent(container("new", 7, m_pid, placed.winId()));
    ASSERT_EQ(m_sway.awaitCommands(1),
              std::vector<QString>{QStringLiteral("[con_id=7] move absolute position 120 80")});
    placed.hide();
    desktop->place(&placed, {200, 90});
    placed.show(); // shown again, somewhere else
    m_sway.sendWindowEvent(container("new", 9, m_pid, placed.winId()));

    EXPECT_EQ(m_sway.awaitCommands(2).back(), QStringLiteral("[con_id=9] move absolute position 200 90"));
}

TEST_F(SwayDesktopTest, AWindowOfTheGameFocusedUnderAQuestionGivesTheFocusBackToTheQuestion)
{
    const auto desktop = swayDesktop(SwayDesktop::Display::XWayland);
    QWidget menu;
    desktop->place(&menu, {10, 20});
    menu.show();
    QDialog question;
    question.setModal(true);
    desktop->keepOnTop(&question);
    question.show();
    m_sway.sendWindowEvent(container("focus", 4, m_pid, question.winId()));
    m_sway.sendWindowEvent(container("focus", 5, m_pid + 1, 4242)); // another program's
    m_sway.sendWindowEvent(container("focus", 3, m_pid, menu.winId()));
    // Sway hears of each event's outcome in turn: this one's tells when all are heard.
    m_sway.sendWindowEvent(container("new", 6, m_pid, menu.winId()));

    EXPECT_EQ(m_sway.awaitCommands(2),
              (std::vector<QString>{QStringLiteral("[id=%1] focus").arg(question.winId()),
                                    QStringLiteral("[con_id=6] move absolute position 10 20")}));
}

TEST_F(SwayDesktopTest, OnWaylandTheQuestionIsFoundInSwaysTreeByTitleAndSize)
{
    QDialog question;
    question.setWindowTitle(QStringLiteral("Quillop"));
    question.setModal(true);
    question.setFixedSize(385, 129);
    question.show();
    const QByteArray menu = container("", 3, m_pid, 0, {470, 600});
    const QByteArray asked = container("", 4, m_pid, 0, {385, 129});
    const QByteArray other = container("", 5, m_pid + 1, 0, {385, 129});
    auto inner = [](const QByteArray& event) { return event.mid(event.indexOf("\"container\": ") + 13).chopped(1); };
    m_sway.setTree(R"({"nodes": [{"nodes": [], "floating_nodes": [)" + inner(other) + ',' + inner(menu) + ','
                   + inner(asked) + "]}]}");
    const auto desktop = swayDesktop(SwayDesktop::Display::Wayland);
    desktop->keepOnTop(&question);

    m_sway.sendWindowEvent(container("focus", 3, m_pid, 0, {470, 600}));

    EXPECT_EQ(m_sway.awaitCommands(1), std::vector<QString>{QStringLiteral("[con_id=4] focus")});
}

TEST_F(SwayDesktopTest, ASlowSwayFloodingFocusEventsNeverHoldsTheGameUp)
{
    m_sway.setAnswerDelay(std::chrono::milliseconds(220));
    const auto desktop = swayDesktop(SwayDesktop::Display::XWayland);
    QWidget menu;
    menu.show();
    QDialog question;
    question.setModal(true);
    desktop->keepOnTop(&question);
    question.show();
    for (int i = 0; i < 100; ++i) { // as many as the socket holds at once
        m_sway.sendWindowEvent(container("focus", 3, m_pid, menu.winId()));
    }
    // The game's event loop turns every 10 ms while sway takes its time.
    QElapsedTimer sinceLastTurn;
    qint64 longestTurn = 0;
    QTimer turns;
    QObject::connect(&turns, &QTimer::timeout, [&] { longestTurn = std::max(longestTurn, sinceLastTurn.restart()); });
    sinceLastTurn.start();
    turns.start(10);

    const std::vector<QString> heard = m_sway.awaitCommands(2);

    EXPECT_EQ(heard.size(), 2U) << "the question was brought back again after the first answer";
    EXPECT_LT(longestTurn, 150) << "no wait for sway on the game's thread";
    EXPECT_LE(m_sway.commands().size(), 3U) << "one request at a time, not one per event";
}

TEST(SwayConnection, WithNoSwayListeningIsClosedAndAsksNothing)
{
    QTemporaryDir folder;
    SwayConnection sway(folder.filePath(QStringLiteral("none.sock")));
    EXPECT_FALSE(sway.isOpen());
    sway.request(sway::RunCommand, "focus");
    EXPECT_EQ(sway.waiting(), 0U);
}

} // namespace
} // namespace quillop::desktop
