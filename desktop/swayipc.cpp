// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "swayipc.h"

#include "platform/log.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace quillop::desktop {

namespace {

constexpr char Magic[] = "i3-ipc";
constexpr qsizetype MagicSize = sizeof Magic - 1;
constexpr qsizetype HeaderSize = MagicSize + 2 * qsizetype{sizeof(quint32)};
constexpr qsizetype LongestPayload = 64 * 1024 * 1024;

quint32 word(const QByteArray& bytes, qsizetype at)
{
    quint32 word = 0;
    std::memcpy(&word, bytes.constData() + at, sizeof word);
    return word;
}

void appendWord(QByteArray& bytes, quint32 word)
{
    bytes.append(reinterpret_cast<const char*>(&word), sizeof word);
}

// A connected socket that never blocks, or -1.
int connectTo(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    if (name.isEmpty() || static_cast<std::size_t>(name.size()) >= sizeof address.sun_path) {
        return -1;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return -1;
    }
    // A local socket connects at once or not at all; one whose queue is
    // full (EAGAIN) belongs to a sway too busy to ask.
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

QByteArray encodeSwayMessage(quint32 type, const QByteArray& payload)
{
    QByteArray message(Magic, MagicSize);
    appendWord(message, static_cast<quint32>(payload.size()));
    appendWord(message, type);
    return message + payload;
}

std::optional<SwayMessage> takeSwayMessage(QByteArray& read)
{
    if (read.size() < HeaderSize) {
        return std::nullopt;
    }
    const quint32 length = word(read, MagicSize);
    if (!read.startsWith(Magic) || length > LongestPayload) {
        read.clear();
        return std::nullopt;
    }
    const qsizetype whole = HeaderSize + static_cast<qsizetype>(length);
    if (read.size() < whole) {
        return std::nullopt;
    }
    SwayMessage message{word(read, MagicSize + 4), read.mid(HeaderSize, whole - HeaderSize)};
    read.remove(0, whole);
    return message;
}

bool swayDidAll(const QJsonDocument& answer)
{
    const QJsonArray done = answer.array();
    return !done.isEmpty() && std::all_of(done.begin(), done.end(), [](const QJsonValue& one) {
        return one.toObject().value(QLatin1String("success")).toBool();
    });
}

SwayConnection::SwayConnection(const QString& socket, QObject* parent) : QObject(parent), m_fd(connectTo(socket))
{
    if (m_fd < 0) {
        return;
    }
    m_reader = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    m_writer = new QSocketNotifier(m_fd, QSocketNotifier::Write, this);
    m_writer->setEnabled(false);
    connect(m_reader, &QSocketNotifier::activated, this, &SwayConnection::readMore);
    connect(m_writer, &QSocketNotifier::activated, this, &SwayConnection::writeMore);
}

SwayConnection::~SwayConnection()
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

bool SwayConnection::isOpen() const
{
    return m_fd >= 0;
}

std::size_t SwayConnection::waiting() const
{
    return m_waiting.size();
}

void SwayConnection::request(quint32 type, const QByteArray& payload, Answered answered)
{
    if (!isOpen()) {
        return;
    }
    m_unsent += encodeSwayMessage(type, payload);
    m_waiting.push_back(std::move(answered));
    writeMore();
}

void SwayConnection::writeMore()
{
    while (!m_unsent.isEmpty()) {
        const ssize_t sent =
            ::send(m_fd, m_unsent.constData(), static_cast<std::size_t>(m_unsent.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            break; // the rest when sway has read what it has
        }
        if (sent <= 0) {
            close();
            return;
        }
        m_unsent.remove(0, sent);
    }
    m_writer->setEnabled(!m_unsent.isEmpty());
}

void SwayConnection::readMore()
{
    // A few reads a turn, then back to the event loop, however fast sway
    // writes.
    char bytes[16384];
    for (int turn = 0; turn < 4; ++turn) {
        const ssize_t got = ::recv(m_fd, bytes, sizeof bytes, MSG_DONTWAIT);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            break;
        }
        if (got <= 0) {
            close();
            return;
        }
        m_read.append(bytes, got);
    }
    while (auto message = takeSwayMessage(m_read)) {
        const QJsonDocument body = QJsonDocument::fromJson(message->payload);
        if ((message->type & 0x80000000U) != 0) {
            emit received(message->type, body);
        } else if (!m_waiting.empty()) {
            Answered answered = std::move(m_waiting.front());
            m_waiting.pop_front();
            if (answered) {
                answered(body);
            }
        }
        if (!isOpen()) {
            return; // closed by what the message led to
        }
    }
}

void SwayConnection::close()
{
    qCInfo(lcQuillop) << "sway closed its IPC connection: windows open where sway puts them";
    delete m_reader;
    delete m_writer;
    m_reader = m_writer = nullptr;
    ::close(m_fd);
    m_fd = -1;
    m_waiting.clear();
    m_unsent.clear();
}

} // namespace quillop::desktop
