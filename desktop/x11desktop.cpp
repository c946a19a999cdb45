// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "x11desktop.h"

#include "manualdrag.h"
#include "x11destroywatch.h"
#include "x11server.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QWidget>
#include <QWindow>

#include <xcb/xproto.h>

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
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Shown, it has its window on the screen, not yet mapped.
        if (watched == m_window && event->type() == QEvent::Show && m_window->windowHandle() != nullptr) {
            m_window->removeEventFilter(this);
            m_window->windowHandle()->installEventFilter(this);
        } else if (watched != m_window && event->type() == QEvent::Expose && m_window->windowHandle()->isExposed()) {
            const auto id = static_cast<std::uint32_t>(m_window->internalWinId());
            const QPoint wanted = devicePixels(m_window, m_corner);
            if (const auto at = x11::whereIs(id); at && *at != wanted) {
                x11::moveTo(id, wanted);
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
        m_window->removeEventFilter(this);
        if (QWindow* handle = m_window->windowHandle()) {
            handle->removeEventFilter(this);
        }
        deleteLater();
    }

    QWidget* m_window;
    QPoint m_corner;
};

// While a question is open, hears from the X server of each window of the
// game that takes the keys. Qt asks for them back for the question as an
// application may, which most managers grant; KWin turns that down as focus
// stealing and leaves the keys with the window clicked beside the question
// (Qt then never even hears that the focus moved, as the question still
// counts as active). The keys are asked back as a task bar would ask them,
// on the player's behalf: the player cannot answer anything else.
class QuestionKeys final : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    explicit QuestionKeys(QWidget* question) : QObject(question), m_question(question)
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~QuestionKeys() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t"
            || (static_cast<const xcb_generic_event_t*>(message)->response_type & 0x7F) != XCB_FOCUS_IN) {
            return false;
        }
        const auto* focus = static_cast<const xcb_focus_in_event_t*>(message);
        if (focus->mode != XCB_NOTIFY_MODE_NORMAL || !m_question->isVisible()
            || focus->event == m_question->internalWinId()) {
            return false;
        }
        for (const QWidget* window : QApplication::topLevelWidgets()) {
            if (window->internalWinId() == focus->event) {
                x11::activateForThePlayer(static_cast<std::uint32_t>(m_question->winId()));
                break;
            }
        }
        return false;
    }

private:
    QWidget* m_question;
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
        m_managerName = x11::managerName();
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
        || !x11::startManagerMove(static_cast<std::uint32_t>(window->winId()), devicePixels(window, pressedAt))) {
        Desktop::drag(window, pressedAt);
        return;
    }
    releaseAfterSystemMove(window, pressedAt);
}

void X11Desktop::keepOnTop(QWidget* question)
{
    new QuestionKeys(question);
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
