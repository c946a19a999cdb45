// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "swaywindows.h"

#include "log.h"
#include "x11move.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QWidget>

namespace quillop::platform {

namespace {

const QLatin1String Nodes("nodes");
const QLatin1String FloatingNodes("floating_nodes");

QSize ContentSize(const QJsonObject& container)
{
    const QJsonObject rect = container.value(QLatin1String("window_rect")).toObject();
    return {rect.value(QLatin1String("width")).toInt(), rect.value(QLatin1String("height")).toInt()};
}

bool OfThisProgram(const QJsonObject& container)
{
    return container.value(QLatin1String("pid")).toInteger() == QCoreApplication::applicationPid();
}

// The first container of the tree that passes the test.
template <typename Test> QJsonObject Find(const QJsonObject& node, const Test& test)
{
    for (const QLatin1String children : {Nodes, FloatingNodes}) {
        for (const QJsonValue& child : node.value(children).toArray()) {
            const QJsonObject container = child.toObject();
            if (test(container)) {
                return container;
            }
            if (const QJsonObject found = Find(container, test); !found.isEmpty()) {
                return found;
            }
        }
    }
    return {};
}

} // namespace

SwayWindows::SwayWindows(const QString& socket, Display display, QObject* parent)
    : QObject(parent), m_commands(socket), m_events(socket), m_display(display)
{
    connect(&m_events, &SwayConnection::received, this, [this](quint32 type, const QJsonDocument& body) {
        if (type == sway::WindowEvent) {
            windowEvent(body.object());
        }
    });
    m_events.subscribe(R"(["window"])");
}

bool SwayWindows::isConnected() const
{
    return m_commands.isConnected() && m_events.isConnected();
}

bool SwayWindows::eventFilter(QObject* watched, QEvent* event)
{
    // Where the game put a window it shows, before sway maps it elsewhere.
    if (event->type() == QEvent::Show && m_display == Display::XWayland && watched->isWidgetType()) {
        const auto* window = static_cast<QWidget*>(watched);
        if (window->isWindow() && window->testAttribute(Qt::WA_Moved) && window->internalWinId() != 0) {
            m_places.insert(window->internalWinId(), window->pos());
        }
    }
    return false;
}

void SwayWindows::windowEvent(const QJsonObject& body)
{
    const QString change = body.value(QLatin1String("change")).toString();
    const QJsonObject container = body.value(QLatin1String("container")).toObject();
    if (change == QLatin1String("new")) {
        place(container);
    } else if (change == QLatin1String("focus")) {
        keepQuestionOnTop(container);
    }
}

void SwayWindows::place(const QJsonObject& container)
{
    const auto window = static_cast<quint64>(container.value(QLatin1String("window")).toInteger());
    const auto place = m_places.constFind(window);
    if (place == m_places.cend()) {
        return;
    }
    const QPoint at = *place;
    m_places.erase(place);
    const qint64 id = container.value(QLatin1String("id")).toInteger();
    if (!m_commands.run(QStringLiteral("[con_id=%1] move absolute position %2 %3").arg(id).arg(at.x()).arg(at.y()))) {
        qCDebug(lcQuillop) << "sway did not move a window to" << at;
    }
}

void SwayWindows::keepQuestionOnTop(const QJsonObject& container)
{
    const QWidget* question = QApplication::activeModalWidget();
    if (question == nullptr || !question->isVisible() || !OfThisProgram(container) || holds(container, question)) {
        return;
    }
    const QString which = criteria(question);
    if (which.isEmpty() || !m_commands.run(which + QStringLiteral(" focus"))) {
        qCDebug(lcQuillop) << "sway did not bring the question back on top";
    }
}

bool SwayWindows::holds(const QJsonObject& container, const QWidget* window) const
{
    if (m_display == Display::XWayland) {
        return static_cast<quint64>(container.value(QLatin1String("window")).toInteger()) == window->internalWinId();
    }
    // A Wayland window is known to sway by no name the program gives it;
    // the game's windows differ by title or size.
    return container.value(QLatin1String("name")).toString() == window->windowTitle()
           && ContentSize(container) == window->size();
}

QString SwayWindows::criteria(const QWidget* window)
{
    if (m_display == Display::XWayland) {
        return QStringLiteral("[id=%1]").arg(window->internalWinId());
    }
    const auto tree = m_commands.request(sway::GetTree, {});
    if (!tree) {
        return {};
    }
    const QJsonObject container = Find(tree->object(), [this, window](const QJsonObject& node) {
        return OfThisProgram(node) && node.value(QLatin1String("visible")).toBool() && holds(node, window);
    });
    return container.isEmpty() ? QString()
                               : QStringLiteral("[con_id=%1]").arg(container.value(QLatin1String("id")).toInteger());
}

void WatchSwayWindows(QObject* owner)
{
    const QString socket = qEnvironmentVariable("SWAYSOCK");
    if (socket.isEmpty()) {
        return;
    }
    SwayWindows::Display display = SwayWindows::Display::Wayland;
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (!X11ManagerIgnoresProgramMoves()) {
            return; // an X server of its own, not sway's
        }
        display = SwayWindows::Display::XWayland;
    } else if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        return;
    }
    auto* sway = new SwayWindows(socket, display, owner);
    if (!sway->isConnected()) {
        qCInfo(lcQuillop).noquote() << "sway's IPC at" << socket << "did not answer: windows open where sway puts them";
        delete sway;
        return;
    }
    if (display == SwayWindows::Display::XWayland) {
        qApp->installEventFilter(sway); // the places it keeps
    }
}

} // namespace quillop::platform
