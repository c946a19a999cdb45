// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/swayipc.h"
#include "platform/swaywindows.h"
#include "tests/support/naming.h"
#include "tests/support/qtprinting.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace quillop::platform {
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
    while (const auto message = TakeSwayMessage(read)) {
        taken.push_back(QByteArray::number(message->type) + ':' + message->payload);
    }
    EXPECT_EQ(taken, GetParam().taken);
    EXPECT_EQ(read.size(), GetParam().left);
}

const QByteArray Run = EncodeSwayMessage(sway::RunCommand, "focus");
const QByteArray Event = EncodeSwayMessage(sway::WindowEvent, "{}");

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

    void setTree(const QByteArray& tree)
    {
        const std::lock_guard lock(m_mutex);
        m_tree = tree;
    }
    void sendWindowEvent(const QByteArray& body)
    {
        const QByteArray message = EncodeSwayMessage(sway::WindowEvent, body);
        EXPECT_EQ(write(m_subscribed, message.constData(), static_cast<size_t>(message.size())), message.size());
    }
    std::vector<QString> commands()
    {
        const std::lock_guard lock(m_mutex);
        return m_commands;
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
                while (const auto message = TakeSwayMessage(read[i])) {
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
        const QByteArray reply = EncodeSwayMessage(message.type, body);
        EXPECT_EQ(write(fd, reply.constData(), static_cast<size_t>(reply.size())), reply.size());
    }

    QString m_path;
    int m_listener = -1;
    int m_stop[2] = {-1, -1};
    std::atomic<int> m_subscribed = -1;
    std::mutex m_mutex;
    std::vector<QString> m_commands;
    QByteArray m_tree = "{}";
    std::thread m_thread;
};

QByteArray Container(const char* change, qint64 id, qint64 pid, quint64 window, QSize size = {})
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

class SwayWindowsTest : public ::testing::Test {
protected:
    QTemporaryDir m_folder;
    QString m_socket = m_folder.filePath(QStringLiteral("sway-ipc.sock"));
    FakeSway m_sway{m_socket};
    const qint64 m_pid = QCoreApplication::applicationPid();
};

TEST_F(SwayWindowsTest, OnXWaylandAWindowShowsWhereTheGamePutItAndOnlyThen)
{
    SwayWindows windows(m_socket, SwayWindows::Display::XWayland);
    ASSERT_TRUE(windows.isConnected());
    qApp->installEventFilter(&windows);
    QWidget placed;
    placed.setWindowTitle(QStringLiteral("Quillop"));
    placed.move(120, 80);
    placed.show();
    QWidget unplaced; // sway's own place is as good as any
    unplaced.show();

    m_sway.sendWindowEvent(Container("new", 5, m_pid, unplaced.internalWinId()));
    m_sway.sendWindowEvent(Container("new", 6, m_pid, 99999)); // not the game's
    m_sway.sendWindowEvent(Container("new", 7, m_pid, placed.internalWinId()));
    ASSERT_EQ(m_sway.awaitCommands(1),
              std::vector<QString>{QStringLiteral("[con_id=7] move absolute position 120 80")});
    placed.hide();
    placed.move(200, 90);
    placed.show(); // shown again, somewhere else
    m_sway.sendWindowEvent(Container("new", 9, m_pid, placed.internalWinId()));

    EXPECT_EQ(m_sway.awaitCommands(2).back(), QStringLiteral("[con_id=9] move absolute position 200 90"));
    qApp->removeEventFilter(&windows);
}

TEST_F(SwayWindowsTest, AWindowOfTheGameFocusedUnderAQuestionGivesTheFocusBackToTheQuestion)
{
    SwayWindows windows(m_socket, SwayWindows::Display::XWayland);
    qApp->installEventFilter(&windows);
    QWidget menu;
    menu.move(10, 20);
    menu.show();
    QDialog question;
    question.setModal(true);
    question.show();
    m_sway.sendWindowEvent(Container("focus", 4, m_pid, question.internalWinId()));
    m_sway.sendWindowEvent(Container("focus", 5, m_pid + 1, 4242)); // another program's
    m_sway.sendWindowEvent(Container("focus", 3, m_pid, menu.internalWinId()));
    // Sway hears of each event's outcome in turn: this one's tells when all are heard.
    m_sway.sendWindowEvent(Container("new", 6, m_pid, menu.internalWinId()));

    EXPECT_EQ(m_sway.awaitCommands(2),
              (std::vector<QString>{QStringLiteral("[id=%1] focus").arg(question.internalWinId()),
                                    QStringLiteral("[con_id=6] move absolute position 10 20")}));
    qApp->removeEventFilter(&windows);
}

TEST_F(SwayWindowsTest, OnWaylandTheQuestionIsFoundInSwaysTreeByTitleAndSize)
{
    QDialog question;
    question.setWindowTitle(QStringLiteral("Quillop"));
    question.setModal(true);
    question.setFixedSize(385, 129);
    question.show();
    const QByteArray menu = Container("", 3, m_pid, 0, {470, 600});
    const QByteArray asked = Container("", 4, m_pid, 0, {385, 129});
    const QByteArray other = Container("", 5, m_pid + 1, 0, {385, 129});
    auto inner = [](const QByteArray& event) { return event.mid(event.indexOf("\"container\": ") + 13).chopped(1); };
    m_sway.setTree(R"({"nodes": [{"nodes": [], "floating_nodes": [)" + inner(other) + ',' + inner(menu) + ','
                   + inner(asked) + "]}]}");
    SwayWindows windows(m_socket, SwayWindows::Display::Wayland);

    m_sway.sendWindowEvent(Container("focus", 3, m_pid, 0, {470, 600}));

    EXPECT_EQ(m_sway.awaitCommands(1), std::vector<QString>{QStringLiteral("[con_id=4] focus")});
}

TEST(SwayConnection, WithNoSwayListeningAsksNothing)
{
    QTemporaryDir folder;
    SwayConnection sway(folder.filePath(QStringLiteral("none.sock")));
    EXPECT_FALSE(sway.isConnected());
    EXPECT_FALSE(sway.run(QStringLiteral("focus")));
}

} // namespace
} // namespace quillop::platform
