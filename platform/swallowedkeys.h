// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QTimer>

#include <cstdint>

namespace quillop::platform {

// An input method takes some keys for itself: on X11 a dead key (^ or ¨ on a
// French keyboard, ^ or ´ on a German one) starts a composed character and
// its press never reaches a widget. While armed, this watcher sees every key
// press at the window system and reports, with the code of its place, each
// one Qt did not go on to deliver. Does nothing on other window systems.
class SwallowedKeys final : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    explicit SwallowedKeys(QObject* parent);
    ~SwallowedKeys() override;

    // On while a key box waits for its key.
    void setArmed(bool armed);
    // A key press did reach the program's widgets.
    void delivered();

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    // The input method was reset, so the next key starts afresh.
    void swallowed(std::int16_t code);

private:
    bool m_armed = false;
    std::uint8_t m_pending = 0;
    QTimer m_check;
};

} // namespace quillop::platform
