// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "swayipc.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonObject>

#include <cstring>

namespace quillop::platform {

namespace {

constexpr char Magic[] = "i3-ipc";
constexpr qsizetype MagicSize = sizeof Magic - 1;
constexpr qsizetype HeaderSize = MagicSize + 2 * qsizetype{sizeof(quint32)};
constexpr qsizetype LongestPayload = 64 * 1024 * 1024;
constexpr int AnswerWait = 250; // ms

quint32 Word(const QByteArray& bytes, qsizetype at)
{
    quint32 word = 0;
    std::memcpy(&word, bytes.constData() + at, sizeof word);
    return word;
}

void AppendWord(QByteArray& bytes, quint32 word)
{
    bytes.append(reinterpret_cast<const char*>(&word), sizeof word);
}

} // namespace

QByteArray EncodeSwayMessage(quint32 type, const QByteArray& payload)
{
    QByteArray message(Magic, MagicSize);
    AppendWord(message, static_cast<quint32>(payload.size()));
    AppendWord(message, type);
    return message + payload;
}

std::optional<SwayMessage> TakeSwayMessage(QByteArray& read)
{
    if (read.size() < HeaderSize) {
        return std::nullopt;
    }
    const quint32 length = Word(read, MagicSize);
    if (!read.startsWith(Magic) || length > LongestPayload) {
        read.clear();
        return std::nullopt;
    }
    const qsizetype whole = HeaderSize + static_cast<qsizetype>(length);
    if (read.size() < whole) {
        return std::nullopt;
    }
    SwayMessage message{Word(read, MagicSize + 4), read.mid(HeaderSize, whole - HeaderSize)};
    read.remove(0, whole);
    return message;
}

SwayConnection::SwayConnection(const QString& socket, QObject* parent) : QObject(parent)
{
    m_socket.connectToServer(socket);
    m_socket.waitForConnected(AnswerWait);
}

bool SwayConnection::isConnected() const
{
    return m_socket.state() == QLocalSocket::ConnectedState;
}

std::optional<QJsonDocument> SwayConnection::request(quint32 type, const QByteArray& payload)
{
    if (!isConnected()) {
        return std::nullopt;
    }
    m_socket.write(EncodeSwayMessage(type, payload));
    m_socket.flush();
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        while (auto answer = TakeSwayMessage(m_read)) {
            if (answer->type == type) {
                return QJsonDocument::fromJson(answer->payload);
            }
        }
        const int left = AnswerWait - static_cast<int>(waited.elapsed());
        if (left <= 0 || !m_socket.waitForReadyRead(left)) {
            // A late answer would pass for the next one's: this connection
            // is done.
            m_socket.abort();
            return std::nullopt;
        }
        m_read += m_socket.readAll();
    }
}

bool SwayConnection::run(const QString& command)
{
    const auto answer = request(sway::RunCommand, command.toUtf8());
    if (!answer || !answer->isArray() || answer->array().isEmpty()) {
        return false;
    }
    for (const QJsonValue& done : answer->array()) {
        if (!done.toObject().value(QLatin1String("success")).toBool()) {
            return false;
        }
    }
    return true;
}

bool SwayConnection::subscribe(const QByteArray& events)
{
    const auto answer = request(sway::Subscribe, events);
    if (!answer || !answer->object().value(QLatin1String("success")).toBool()) {
        return false;
    }
    connect(&m_socket, &QLocalSocket::readyRead, this, &SwayConnection::readEvents);
    readEvents();
    return true;
}

void SwayConnection::readEvents()
{
    m_read += m_socket.readAll();
    while (auto message = TakeSwayMessage(m_read)) {
        emit received(message->type, QJsonDocument::fromJson(message->payload));
    }
}

} // namespace quillop::platform
