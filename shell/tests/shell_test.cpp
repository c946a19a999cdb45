// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shelltesting.h"

#include "shell/ui/formwindow.h"
#include "shell/ui/frmdialog.h"
#include "shell/ui/windowhost.h"
#include "tests/support/naming.h"

#include <QApplication>
#include <QScreen>
#include <QTest>

#include <string>

namespace quillop::test {
namespace {

// A full-size window for a message to stand over.
struct MessageWindow : ::testing::Test {
    void SetUp() override
    {
        over.move(300, 100);
        over.show();
    }
    FormWindow over{QString()};
};

struct Notice {
    const char* panel;
    void (*open)(frmdialog&);
    QSize size;

    friend void PrintTo(const Notice& c, std::ostream* os) { *os << c.panel; }
};

class Notices : public MessageWindow, public ::testing::WithParamInterface<Notice> {};

TEST_P(Notices, ShowTheirPanelCentredAndIgnoreEverythingButTheirAnswer)
{
    const Notice n = GetParam();
    bool answered = false;
    whenMessageOpens([&](frmdialog& dialog) {
        auto* panel = find<QWidget>(dialog, n.panel);
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(dialog.size(), n.size);
        EXPECT_EQ(panel->geometry(), QRect(QPoint(0, 0), n.size));
        EXPECT_TRUE(centredOver(dialog, over));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QTest::keyClick(&dialog, Qt::Key_Return);
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(2, 2));
        const bool controls = std::string(n.panel) == "frameSetControls";
        if (!controls) {
            dialog.close(); // the desktop cannot close a game notice
        }
        EXPECT_TRUE(dialog.isVisible());
        controls ? clickButton(dialog, "lblOk") : QTest::keyClick(&dialog, Qt::Key_Space);
        answered = !dialog.isVisible();
    });
    frmdialog dialog(&over);
    n.open(dialog);
    EXPECT_TRUE(answered);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Message, Notices,
    ::testing::Values(Notice{"frameLevelComplete", [](frmdialog& d) { d.showLevelComplete(); }, {361, 89}},
                      Notice{"frameGameOver", [](frmdialog& d) { d.showGameOver(); }, {361, 89}},
                      Notice{"frameSetControls", [](frmdialog& d) { d.showSetControls(); }, {361, 153}}));
// clang-format on

using Question = MessageWindow;

TEST_F(Question, LightsYesAndNoOneAtATimeAndThePanelResetsBoth)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    over.move(screen.right() - 100, screen.bottom() - 100); // dragged nearly off the screen
    whenMessageOpens([&](frmdialog& dialog) {
        EXPECT_TRUE(screen.contains(dialog.frameGeometry())) << "the question stays on the screen";
        ButtonLabel* yes = find(dialog, "lblYes");
        ButtonLabel* no = find(dialog, "lblNo");
        moveMouseOver(yes);
        EXPECT_EQ(yes->textColour(), ButtonYellow);
        moveMouseOver(no);
        EXPECT_EQ(std::pair(yes->textColour(), no->textColour()), std::pair(ButtonWhite, ButtonYellow));
        moveMouseOver(find<QWidget>(dialog, "frameYesNo"), QPoint(5, 60));
        EXPECT_EQ(no->textColour(), ButtonWhite);
        clickButton(dialog, "lblYes");
    });
    EXPECT_EQ(frmdialog(&over).AskYesNo(QStringLiteral("Sure?")), Answer::Yes);
}

// A window with a way back, whose Escape may be held back.
class LeavingWindow final : public FormWindow {
public:
    LeavingWindow() : FormWindow(QString())
    {
        ok = addOkButton([this] { ++left; });
    }
    bool escapeLeaves() const override { return !editing; }

    ButtonLabel* ok;
    bool editing = false;
    int left = 0;
};

struct Leaving {
    const char* name;
    Qt::Key key;
    bool okEnabled;
    bool editing;
    int left;

    friend void PrintTo(const Leaving& c, std::ostream* os) { *os << c.name; }
};

class WindowsLeave : public ::testing::TestWithParam<Leaving> {};

TEST_P(WindowsLeave, ByEscapeAsByOk)
{
    const Leaving c = GetParam();
    LeavingWindow window;
    window.ok->setEnabled(c.okEnabled);
    window.editing = c.editing;
    QTest::keyClick(&window, c.key);
    EXPECT_EQ(window.left, c.left);
    QTest::mouseClick(window.ok, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(window.left, c.left + (c.okEnabled ? 1 : 0)) << "Ok leaves whenever it is enabled";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Convention, WindowsLeave,
    ::testing::Values(Leaving{"EscapeLeaves", Qt::Key_Escape, true, false, 1},
                      Leaving{"OtherKeysStay", Qt::Key_Return, true, false, 0},
                      Leaving{"NotWhileOkIsGreyed", Qt::Key_Escape, false, false, 0},
                      Leaving{"NotWhileTheWindowSaysNo", Qt::Key_Escape, true, true, 0}),
    Named);
// clang-format on

} // namespace
} // namespace quillop::test
