// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "swaydesktop.h"

#include "platform/log.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QWidget>

namespace quillop::desktop {

namespace {

const QLatin1String Nodes("nodes");
const QLatin1String FloatingNodes("floating_nodes");

QSize contentSize(const QJsonObject& container)
{
    const QJsonObject rect = container.value(QLatin1String("window_rect")).toObject();
    return {rect.value(QLatin1String("width")).toInt(), rect.value(QLatin1String("height")).toInt()};
}

bool ofThisProgram(const QJsonObject& container)
{
    return container.value(QLatin1String("pid")).toInteger() == QCoreApplication::applicationPid();
}

// The first container of the tree that passes the test.
template <typename Test> QJsonObject find(const QJsonObject& node, const Test& test)
{
    for (const QLatin1String children : {Nodes, FloatingNodes}) {
        for (const QJsonValue& child : node.value(children).toArray()) {
            const QJsonObject container = child.toObject();
            if (test(container)) {
                return container;
            }
            if (const QJsonObject found = find(container, test); !found.isEmpty()) {
                return found;
            }
        }
    }
    return {};
}

} // namespace

std::unique_ptr<Desktop> SwayDesktop::over(std::unique_ptr<Desktop> under, const QString& socket, Display display)
{
    auto sway = std::make_unique<SwayConnection>(socket);
    if (!sway->isOpen()) {
        qCInfo(lcQuillop).noquote() << "sway's IPC at" << socket << "did not answer: windows open where sway puts them";
        return under;
    }
    return std::make_unique<SwayDesktop>(std::move(under), std::move(sway), display);
}

SwayDesktop::SwayDesktop(std::unique_ptr<Desktop> under, std::unique_ptr<SwayConnection> sway, Display display)
    : m_under(std::move(under)), m_sway(std::move(sway)), m_display(display)
{
    connect(m_sway.get(), &SwayConnection::received, this, [this](quint32 type, const QJsonDocument& body) {
        if (type == sway::WindowEvent) {
            windowEvent(body.object());
        }
    });
    m_sway->request(sway::Subscribe, R"(["window"])", [](const QJsonDocument& answer) {
        if (!answer.object().value(QLatin1String("success")).toBool()) {
            qCInfo(lcQuillop) << "sway did not tell of its windows: they open where sway puts them";
        }
    });
}

void SwayDesktop::place(QWidget* window, QPoint corner)
{
    Desktop::place(window, corner);
    // Where the game put a window it shows, before sway maps it elsewhere:
    // in the X server's pixels, which are sway's for an X window.
    // The X window is known once the window is shown, and asking for it
    // sooner would make every widget in it a window of its own.
    if (m_display == Display::XWayland && !window->isVisible()) {
        m_shown.insert(window, (QPointF(corner) * window->devicePixelRatioF()).toPoint());
        window->installEventFilter(this);
    }
}

bool SwayDesktop::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* window = static_cast<QWidget*>(watched);
        window->removeEventFilter(this);
        if (const auto place = m_shown.constFind(window); place != m_shown.cend()) {
            m_places.insert(window->internalWinId(), *place);
            m_shown.erase(place);
        }
    }
    return false;
}

void SwayDesktop::drag(QWidget* window, QPoint pressedAt)
{
    m_under->drag(window, pressedAt);
}

void SwayDesktop::keepOnTop(QWidget* question)
{
    m_question = question;
}

void SwayDesktop::watchOutsideDestroys(std::function<void(QWidget*)> lost)
{
    m_under->watchOutsideDestroys(std::move(lost));
}

void SwayDesktop::windowEvent(const QJsonObject& body)
{
    const QString change = body.value(QLatin1String("change")).toString();
    const QJsonObject container = body.value(QLatin1String("container")).toObject();
    if (change == QLatin1String("new")) {
        placeNew(container);
    } else if (change == QLatin1String("focus")) {
        giveBackToQuestion(container);
    }
}

void SwayDesktop::placeNew(const QJsonObject& container)
{
    const auto window = static_cast<quint64>(container.value(QLatin1String("window")).toInteger());
    const auto place = m_places.constFind(window);
    if (place == m_places.cend()) {
        return;
    }
    const QPoint at = *place;
    m_places.erase(place);
    const qint64 id = container.value(QLatin1String("id")).toInteger();
    m_sway->request(sway::RunCommand,
                    QStringLiteral("[con_id=%1] move absolute position %2 %3").arg(id).arg(at.x()).arg(at.y()).toUtf8(),
                    [at](const QJsonDocument& answer) {
                        if (!swayDidAll(answer)) {
                            qCDebug(lcQuillop) << "sway did not move a window to" << at;
                        }
                    });
}

void SwayDesktop::giveBackToQuestion(const QJsonObject& container)
{
    const QWidget* question = m_question;
    if (question == nullptr || !question->isVisible() || !ofThisProgram(container) || holds(container, question)) {
        return;
    }
    askForQuestion();
}

void SwayDesktop::askForQuestion()
{
    // One request at a time, and one more once it is answered for all the
    // focus that came meanwhile, however many events a burst brings.
    if (m_focusing) {
        m_focusAgain = true;
        return;
    }
    m_focusing = true;
    m_focusAgain = false;
    if (m_display == Display::XWayland) {
        focusQuestion(QStringLiteral("[id=%1]").arg(m_question->internalWinId()));
        return;
    }
    // A Wayland window is known to sway by no name the program gives it:
    // the question is found in sway's tree.
    m_sway->request(sway::GetTree, {}, [this](const QJsonDocument& tree) {
        const QWidget* question = m_question;
        const QJsonObject container =
            question == nullptr ? QJsonObject() : find(tree.object(), [this, question](const QJsonObject& node) {
                return ofThisProgram(node) && node.value(QLatin1String("visible")).toBool() && holds(node, question);
            });
        if (container.isEmpty()) {
            focusAnswered();
            return;
        }
        focusQuestion(QStringLiteral("[con_id=%1]").arg(container.value(QLatin1String("id")).toInteger()));
    });
}

void SwayDesktop::focusQuestion(const QString& criteria)
{
    m_sway->request(sway::RunCommand, (criteria + QStringLiteral(" focus")).toUtf8(),
                    [this](const QJsonDocument& answer) {
                        if (!swayDidAll(answer)) {
                            qCDebug(lcQuillop) << "sway did not bring the question back on top";
                        }
                        focusAnswered();
                    });
}

void SwayDesktop::focusAnswered()
{
    m_focusing = false;
    if (m_focusAgain && m_question != nullptr && m_question->isVisible()) {
        askForQuestion();
    }
}

bool SwayDesktop::holds(const QJsonObject& container, const QWidget* window) const
{
    if (m_display == Display::XWayland) {
        return static_cast<quint64>(container.value(QLatin1String("window")).toInteger()) == window->internalWinId();
    }
    // The game's windows differ by title or size.
    return container.value(QLatin1String("name")).toString() == window->windowTitle()
           && contentSize(container) == window->size();
}

} // namespace quillop::desktop
