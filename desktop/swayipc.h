// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QObject>

#include <deque>
#include <functional>
#include <optional>

class QSocketNotifier;

namespace quillop::desktop {

// sway's IPC, i3's protocol on the UNIX socket that SWAYSOCK names: each
// message is "i3-ipc", the payload's length and the message's type (32 bits
// each, in the machine's order), then the payload. Events carry the high bit
// in their type; answers come in the order the requests went.
namespace sway {
constexpr quint32 RunCommand = 0;
constexpr quint32 Subscribe = 2;
constexpr quint32 GetTree = 4;
constexpr quint32 WindowEvent = 0x80000003;
} // namespace sway

QByteArray encodeSwayMessage(quint32 type, const QByteArray& payload);

struct SwayMessage {
    quint32 type = 0;
    QByteArray payload;
};

// Takes the first whole message off the front of what was read; nothing
// while it is not all there. A stream that is not sway's is cleared.
std::optional<SwayMessage> takeSwayMessage(QByteArray& read);

// One connection to sway that never waits: a request goes out when the
// socket takes it, and its answer, whenever it comes, goes to the function
// given with it. A sway that answers late or never costs the game nothing
// but the answer; one that closes the connection ends it.
class SwayConnection : public QObject {
    Q_OBJECT

public:
    using Answered = std::function<void(const QJsonDocument&)>;

    explicit SwayConnection(const QString& socket, QObject* parent = nullptr);
    ~SwayConnection() override;

    bool isOpen() const;
    void request(quint32 type, const QByteArray& payload, Answered answered = {});
    // How many requests wait for their answer.
    std::size_t waiting() const;

signals:
    // An event of those the connection subscribed to.
    void received(quint32 type, const QJsonDocument& body);

private:
    void readMore();
    void writeMore();
    void close();

    int m_fd = -1;
    QSocketNotifier* m_reader = nullptr;
    QSocketNotifier* m_writer = nullptr;
    QByteArray m_read;
    QByteArray m_unsent;
    std::deque<Answered> m_waiting;
};

// Whether sway did all that a command's answer says it was asked.
bool swayDidAll(const QJsonDocument& answer);

} // namespace quillop::desktop
