// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/desktop.h"
#include "desktop/manualdrag.h"
#include "desktop/waylanddesktop.h"
#include "platform/widgets.h"

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace quillop::desktop {
namespace {

// A window that drags from its background, as every game window does.
class DragWindow : public QWidget {
public:
    DragWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    {
        resize(470, 600);
        label = new platform::Label(QStringLiteral("Score:"), this);
        label->setGeometry(344, 536, 113, 17);
        picture = new platform::PictureBox(this);
        picture->setGeometry(10, 10, 319, 580);
    }
    platform::Label* label;
    platform::PictureBox* picture;

protected:
    void mousePressEvent(QMouseEvent* event) override { current().drag(this, event->globalPosition().toPoint()); }
};

TEST(Dragging, APressOnTheBackgroundWithAnyButtonMovesTheWindowUntilRelease)
{
    DragWindow window;
    current().place(&window, {100, 80});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const auto moveMouse = [&](QPoint global, Qt::MouseButtons buttons) {
        QMouseEvent move(QEvent::MouseMove, window.mapFromGlobal(QPointF(global)), QPointF(global), Qt::NoButton,
                         buttons, Qt::NoModifier);
        QApplication::sendEvent(&window, &move);
    };
    QTest::mousePress(window.label, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mousePress(window.picture, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(ManualDrag::isActive(&window)) << "labels and pictures take their own presses";

    const QPoint start = window.mapToGlobal(QPoint(400, 300));
    QTest::mousePress(&window, Qt::RightButton, Qt::NoModifier, QPoint(400, 300));
    ASSERT_TRUE(ManualDrag::isActive(&window)) << "off screen, the window follows the mouse itself";
    moveMouse(start + QPoint(30, 40), Qt::RightButton);
    EXPECT_EQ(window.pos(), QPoint(130, 120));
    QTest::mouseRelease(&window, Qt::RightButton, Qt::NoModifier, QPoint(400, 300));
    EXPECT_FALSE(ManualDrag::isActive(&window));
    moveMouse(start + QPoint(90, 90), Qt::NoButton);
    EXPECT_EQ(window.pos(), QPoint(130, 120));
    QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
    EXPECT_TRUE(ManualDrag::isActive(&window)) << "the next press drags again";
}

// Some compositors (GNOME's among them) give the window that a question
// blocks the keys when it is clicked, past Qt's own hand-over to the
// question; the Wayland desktop asks for them back for as long as the
// question is open. Off screen, Qt's hand-over is kept out of it by
// a question that blocks nothing.
TEST(Question, TakesTheKeysBackFromAnyOtherWindowWhileOpen)
{
    WaylandDesktop desktop;
    QWidget menu;
    menu.show();
    auto* question = new QDialog(&menu);
    desktop.keepOnTop(question);
    question->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(question));

    QSignalSpy focusChanges(qGuiApp, &QGuiApplication::focusWindowChanged);
    menu.activateWindow(); // the click on the menu beside it
    EXPECT_TRUE(QTest::qWaitFor([&] { return focusChanges.count() >= 2; })) << "to the menu, then back";
    EXPECT_EQ(QGuiApplication::focusWindow(), question->windowHandle());

    question->hide();
    menu.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&menu)) << "an answered question no longer takes the keys";
    delete question;
}

} // namespace
} // namespace quillop::desktop
