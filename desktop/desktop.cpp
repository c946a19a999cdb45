// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop.h"

#include "manualdrag.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace quillop::desktop {

namespace {

std::unique_ptr<Desktop>& installed()
{
    static std::unique_ptr<Desktop> installed = std::make_unique<Desktop>();
    return installed;
}

} // namespace

Desktop::~Desktop() = default;

void Desktop::place(QWidget* window, QPoint corner)
{
    window->move(corner);
}

void Desktop::drag(QWidget* window, QPoint pressedAt)
{
    ManualDrag::start(window, pressedAt);
}

void Desktop::keepOnTop(QWidget* question)
{
    // Qt hands the keys of a window that a question blocks on to the
    // question, but some compositors give them to the window clicked beside
    // it all the same (GNOME's among them): the game asks for them back, for
    // as long as the question lives and shows.
    QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, question,
                     [question = QPointer<QWidget>(question)](QWindow* focused) {
                         if (focused != nullptr && question && question->isVisible()
                             && question->windowHandle() != focused) {
                             question->activateWindow();
                         }
                     });
}

void Desktop::watchOutsideDestroys(std::function<void(QWidget*)>)
{
}

void Desktop::releaseAfterSystemMove(QWidget* window, QPoint pressedAt)
{
    QCoreApplication::postEvent(window->windowHandle(),
                                new QMouseEvent(QEvent::MouseButtonRelease, window->mapFromGlobal(pressedAt), pressedAt,
                                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

Desktop& current()
{
    return *installed();
}

void install(std::unique_ptr<Desktop> desktop)
{
    installed() = std::move(desktop);
}

} // namespace quillop::desktop
