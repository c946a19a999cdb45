// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QLocalSocket>
#include <QObject>

#include <optional>

namespace quillop::platform {

// sway's IPC, i3's protocol on the UNIX socket that SWAYSOCK names: each
// message is "i3-ipc", the payload's length and the message's type (32 bits
// each, in the machine's order), then the payload. Events carry the high bit
// in their type.
namespace sway {
constexpr quint32 RunCommand = 0;
constexpr quint32 Subscribe = 2;
constexpr quint32 GetTree = 4;
constexpr quint32 WindowEvent = 0x80000003;
} // namespace sway

QByteArray EncodeSwayMessage(quint32 type, const QByteArray& payload);

struct SwayMessage {
    quint32 type = 0;
    QByteArray payload;
};

// Takes the first whole message off the front of what was read; nothing
// while it is not all there. A stream that is not sway's is cleared.
std::optional<SwayMessage> TakeSwayMessage(QByteArray& read);

// One connection to sway. Requests wait for their answer, which sway gives
// at once, but never long: a compositor that does not answer costs the game
// a quarter of a second, not its life.
class SwayConnection : public QObject {
    Q_OBJECT

public:
    explicit SwayConnection(const QString& socket, QObject* parent = nullptr);

    bool isConnected() const;
    std::optional<QJsonDocument> request(quint32 type, const QByteArray& payload);
    // Whether sway did all that the command asked.
    bool run(const QString& command);
    // From now on the connection only hears events: each is signalled by
    // received().
    bool subscribe(const QByteArray& events);

signals:
    void received(quint32 type, const QJsonDocument& body);

private:
    void readEvents();

    QLocalSocket m_socket;
    QByteArray m_read;
};

} // namespace quillop::platform
