// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "swallowedkeys.h"

#include "keys.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethod>

#include <utility>

namespace quillop::platform {

namespace {

// The X protocol's KeyPress event: its type (the top bit marks a sent
// event) and, in the next byte, the keycode, which is the key's place.
constexpr std::uint8_t XKeyPress = 2;

} // namespace

SwallowedKeys::SwallowedKeys(QObject* parent) : QObject(parent)
{
    // Qt hands a key press on to the window as soon as it has read the
    // events after it; a short wait covers that and is too short to notice.
    m_check.setSingleShot(true);
    m_check.setInterval(40);
    connect(&m_check, &QTimer::timeout, this, [this] {
        const std::uint8_t place = std::exchange(m_pending, 0);
        if (place != 0 && m_armed) {
            QGuiApplication::inputMethod()->reset();
            emit swallowed(virtualKeyCode(Qt::Key_unknown, {}, place));
        }
    });
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
}

SwallowedKeys::~SwallowedKeys()
{
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

void SwallowedKeys::setArmed(bool armed)
{
    m_armed = armed;
    if (!armed) {
        m_pending = 0;
        m_check.stop();
    }
}

void SwallowedKeys::delivered()
{
    m_pending = 0;
    m_check.stop();
}

bool SwallowedKeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (m_armed && eventType == "xcb_generic_event_t") {
        const auto* bytes = static_cast<const std::uint8_t*>(message);
        if ((bytes[0] & 0x7F) == XKeyPress) {
            m_pending = bytes[1];
            m_check.start();
        }
    }
    return false; // only watched, never taken
}

} // namespace quillop::platform
