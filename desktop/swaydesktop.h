// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "desktop.h"
#include "swayipc.h"

#include <QHash>
#include <QPointer>

class QJsonObject;

namespace quillop::desktop {

// sway puts every X11 window it maps in the middle of the screen, whatever
// place the program gave it, and a click on a window raises it even over
// the question that blocks it, which then hides behind it. Over sway's IPC
// the game asks sway for both: a window shows where the game put it (on
// XWayland, where the game knows its places), and the question that blocks
// a window the player clicked comes back on top, with the keys. The rest is
// the X11 or Wayland desktop's under it.
class SwayDesktop : public Desktop {
    Q_OBJECT

public:
    enum class Display { XWayland, Wayland };

    // The sway desktop over `under`, or `under` itself where sway's IPC at
    // `socket` does not answer.
    static std::unique_ptr<Desktop> over(std::unique_ptr<Desktop> under, const QString& socket, Display display);

    SwayDesktop(std::unique_ptr<Desktop> under, std::unique_ptr<SwayConnection> sway, Display display);

    void place(QWidget* window, QPoint corner) override;
    void drag(QWidget* window, QPoint pressedAt) override;
    void keepOnTop(QWidget* question) override;
    void watchOutsideDestroys(std::function<void(QWidget*)> lost) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void windowEvent(const QJsonObject& body);
    void placeNew(const QJsonObject& container);
    void giveBackToQuestion(const QJsonObject& container);
    void askForQuestion();
    void focusQuestion(const QString& criteria);
    void focusAnswered();
    bool holds(const QJsonObject& container, const QWidget* window) const;

    std::unique_ptr<Desktop> m_under;
    std::unique_ptr<SwayConnection> m_sway;
    Display m_display;
    QHash<const QObject*, QPoint> m_shown; // placed, to be shown, in the screen's pixels
    QHash<quint64, QPoint> m_places; // shown, by X window
    QPointer<QWidget> m_question;
    bool m_focusing = false; // a request to focus the question is on its way
    bool m_focusAgain = false; // and a window of the game took the focus since
};

} // namespace quillop::desktop
