// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "x11desktop.h"

#include "manualdrag.h"
#include "x11destroywatch.h"
#include "x11server.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

namespace quillop::desktop {

namespace {

QPoint devicePixels(const QWidget* window, QPoint point)
{
    return (QPointF(point) * window->devicePixelRatioF()).toPoint();
}

} // namespace

// Watches a window the game placed until it is first on the screen, then
// sees that it stands where the game put it.
class PlaceCheck final : public QObject {
    Q_OBJECT

public:
    PlaceCheck(QWidget* window, QPoint corner) : QObject(window), m_window(window), m_corner(corner)
    {
        window->windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && m_window->windowHandle()->isExposed()) {
            const auto id = static_cast<std::uint32_t>(m_window->winId());
            const QPoint wanted = devicePixels(m_window, m_corner);
            if (const auto at = x11::WhereIs(id); at && *at != wanted) {
                x11::MoveTo(id, wanted);
            }
            done();
        } else if (event->type() == QEvent::Hide) {
            done();
        }
        return false;
    }

private:
    void done()
    {
        m_window->windowHandle()->removeEventFilter(this);
        deleteLater();
    }

    QWidget* m_window;
    QPoint m_corner;
};

X11Desktop::X11Desktop() = default;

X11Desktop::~X11Desktop()
{
    if (m_destroyWatch && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(m_destroyWatch.get());
    }
}

QByteArray X11Desktop::managerName() const
{
    if (!m_managerName) {
        m_managerName = x11::ManagerName();
    }
    return *m_managerName;
}

bool X11Desktop::managerIgnoresProgramMoves() const
{
    return managerName() == "wlroots wm";
}

void X11Desktop::place(QWidget* window, QPoint corner)
{
    window->move(corner);
    if (window->isVisible()) {
        return;
    }
    for (PlaceCheck* earlier : window->findChildren<PlaceCheck*>(QString(), Qt::FindDirectChildrenOnly)) {
        delete earlier;
    }
    window->winId(); // its X window, to watch
    new PlaceCheck(window, corner);
}

void X11Desktop::drag(QWidget* window, QPoint pressedAt)
{
    // The window follows the mouse itself, except under a manager that
    // ignores a program's moves: that one is told to move it, anchored at
    // the press (Qt's own request takes its anchor from the last pointer
    // position it saw in the window, which for a window that has just
    // appeared under a resting mouse can be far from the press).
    if (!managerIgnoresProgramMoves()
        || !x11::StartManagerMove(static_cast<std::uint32_t>(window->winId()), devicePixels(window, pressedAt))) {
        Desktop::drag(window, pressedAt);
        return;
    }
    releaseAfterSystemMove(window, pressedAt);
}

void X11Desktop::keepOnTop(QWidget*)
{
    // Qt itself asks for the keys back for the question when a window it
    // blocks takes them, and the managers keep a dialog over its window.
}

void X11Desktop::watchOutsideDestroys(std::function<void(QWidget*)> lost)
{
    if (m_destroyWatch) {
        QCoreApplication::instance()->removeNativeEventFilter(m_destroyWatch.get());
    }
    m_destroyWatch = std::make_unique<X11DestroyWatch>(std::move(lost));
    QCoreApplication::instance()->installNativeEventFilter(m_destroyWatch.get());
}

} // namespace quillop::desktop

#include "x11desktop.moc"
