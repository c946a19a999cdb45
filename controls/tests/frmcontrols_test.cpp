#include "controls/ui/frmcontrols.h"
#include "shell/tests/shelltesting.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <vector>

namespace quillop::test {
namespace {

enum class Look { Idle, Selected, Editing, Other };

class ControlsWindow : public Program {
protected:
    void SetUp() override
    {
        Program::SetUp();
        module->setFactory(Module1::Window::Controls, [](Module1& m) { return new frmControls(m); });
        menu().move(60, 40);
        module->Open(Module1::Window::Controls);
        window = qobject_cast<frmControls*>(module->OpenWindow(Module1::Window::Controls));
        ASSERT_NE(window, nullptr);
        QApplication::setActiveWindow(window);
    }

    // Keys go where the player's keys go: to the selected box, or to the
    // window when none is selected.
    void press(std::initializer_list<Qt::Key> keys)
    {
        for (const Qt::Key key : keys) {
            QWidget* target = window->focusWidget();
            QTest::keyClick(target != nullptr ? target : window.data(), key);
        }
    }

    QStringList texts() const
    {
        QStringList shown;
        for (const QLineEdit* box : window->txtControl) {
            shown << box->text();
        }
        return shown;
    }

    Look look(std::size_t i) const
    {
        const QColor box = window->txtControl[i]->palette().color(QPalette::Base);
        const QColor bar = window->Shape1[i]->fillColour();
        const bool framed = window->Shape1[i + 4]->isFilled();
        const QColor grey(0x80, 0x80, 0x80);
        if (box == QColor(0x40, 0x40, 0x40) && bar == box && framed) {
            return Look::Idle;
        }
        if (box == grey && bar == grey && framed) {
            return Look::Selected;
        }
        if (box == Qt::black && bar == grey && !framed) {
            return Look::Editing;
        }
        return Look::Other;
    }

    int selectedBox() const
    {
        for (std::size_t i = 0; i < 4; ++i) {
            if (window->focusWidget() == window->txtControl[i]) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    QPointer<frmControls> window;
};

struct Edit {
    const char* name;
    std::vector<Qt::Key> keys;
    int selected;
    Look look;
    QStringList texts;
    bool changed;
};

void PrintTo(const Edit& e, std::ostream* os)
{
    *os << e.name;
}

class KeyBoxStates : public ControlsWindow, public ::testing::WithParamInterface<Edit> {};

TEST_P(KeyBoxStates, FollowTheKeys)
{
    const Edit& e = GetParam();
    for (const Qt::Key key : e.keys) {
        press({key});
    }
    EXPECT_EQ(selectedBox(), e.selected);
    EXPECT_EQ(look(static_cast<std::size_t>(e.selected)), e.look);
    for (std::size_t i = 0; i < 4; ++i) {
        if (static_cast<int>(i) != e.selected) {
            EXPECT_EQ(look(i), Look::Idle) << "box " << i;
        }
    }
    EXPECT_EQ(texts(), e.texts);
    EXPECT_EQ(window->isChanged(), e.changed);
    EXPECT_TRUE(window->isVisible());
}

const QStringList Defaults{"Down Arrow", "Up Arrow", "Left Arrow", "Right Arrow"};

INSTANTIATE_TEST_SUITE_P(
    Controls, KeyBoxStates,
    ::testing::Values(
        Edit{"OpensOnTheDownBox", {}, 0, Look::Selected, Defaults, false},
        Edit{"ArrowsMoveTheSelection", {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}, 1, Look::Selected, Defaults, false},
        Edit{"NoBoxAboveDown", {Qt::Key_Up}, 0, Look::Selected, Defaults, false},
        Edit{"NoBoxBelowRight", {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down}, 3, Look::Selected,
             Defaults, false},
        Edit{"EnterStartsAnEdit", {Qt::Key_Return, Qt::Key_Return}, 0, Look::Editing, Defaults, false},
        Edit{"TheNextKeyIsBound", {Qt::Key_Return, Qt::Key_A}, 0, Look::Selected,
             {"A", "Up Arrow", "Left Arrow", "Right Arrow"}, true},
        Edit{"ABoundKeyMovesAndLeavesItsBoxEmpty", {Qt::Key_Down, Qt::Key_Return, Qt::Key_Down}, 1, Look::Selected,
             {"", "Down Arrow", "Left Arrow", "Right Arrow"}, true},
        Edit{"SpaceIsBoundByName", {Qt::Key_Return, Qt::Key_Space}, 0, Look::Selected,
             {"Space Bar", "Up Arrow", "Left Arrow", "Right Arrow"}, true},
        Edit{"EscapeOnlyCancels", {Qt::Key_Return, Qt::Key_Escape}, 0, Look::Selected, Defaults, false},
        Edit{"PIsRefusedButStillCounts", {Qt::Key_Return, Qt::Key_P}, 0, Look::Selected, Defaults, true},
        Edit{"TypingNeverWritesIntoABox", {Qt::Key_A, Qt::Key_Backspace, Qt::Key_Delete}, 0, Look::Selected,
             Defaults, false}));

TEST_F(ControlsWindow, ABoxLeftWhileEditingKeepsWaitingForItsKey)
{
    press({Qt::Key_Return});
    QTest::mouseClick(window->txtControl[2], Qt::LeftButton);
    EXPECT_EQ(selectedBox(), 2);
    EXPECT_FALSE(window->Shape1[4]->isFilled());
    EXPECT_EQ(window->txtControl[0]->palette().color(QPalette::Base), QColor(0x40, 0x40, 0x40));
    EXPECT_TRUE(window->isEditing());

    press({Qt::Key_Escape}); // cancels only here
    EXPECT_FALSE(window->isEditing());
    EXPECT_TRUE(window->isVisible());

    QTest::mouseClick(window->txtControl[0], Qt::LeftButton);
    press({Qt::Key_Z});
    EXPECT_EQ(texts().first(), QStringLiteral("Z"));
}

TEST_F(ControlsWindow, LeavingAtOnceAsksNothingAndKeepsTheKeys)
{
    window->move(70, 90);
    press({Qt::Key_Escape});
    EXPECT_TRUE(menu().isVisible());
    EXPECT_EQ(menu().pos(), QPoint(70, 90));
    EXPECT_EQ(module->Keys, KeyBindings{});
}

TEST_F(ControlsWindow, AnUnsetBoxHoldsTheWindowUntilSetThenChangesAreSavedOnYes)
{
    press({Qt::Key_Down, Qt::Key_Return, Qt::Key_Left}); // Left Arrow to Rotate
    press({Qt::Key_Down, Qt::Key_Down, Qt::Key_Return, Qt::Key_Up}); // Up Arrow to Right
    EXPECT_EQ(texts(), QStringList({"Down Arrow", "Left Arrow", "", "Up Arrow"}));

    WhenMessageOpens([](frmdialog& dialog) {
        EXPECT_NE(dialog.findChild<QWidget*>(QStringLiteral("frameSetControls")), nullptr);
        ClickButton(dialog, "lblOk");
    });
    QTest::mouseClick(window->lblOk, Qt::LeftButton);
    EXPECT_EQ(selectedBox(), 2) << "the first unset box";
    EXPECT_EQ(window->lblOk->textColour(), ButtonWhite);

    press({Qt::Key_Return, Qt::Key_L});
    WhenMessageOpens([](frmdialog& dialog) { ClickButton(dialog, "lblYes"); });
    press({Qt::Key_Escape});

    EXPECT_EQ(module->Keys, (KeyBindings{'L', VirtualKey::Up, VirtualKey::Down, VirtualKey::Left}));
    EXPECT_TRUE(menu().isVisible());
}

TEST_F(ControlsWindow, NoKeepsTheOldKeysAndTheNextOpeningShowsThem)
{
    press({Qt::Key_Return, Qt::Key_P});
    WhenMessageOpens([](frmdialog& dialog) { ClickButton(dialog, "lblNo"); });
    QTest::mouseClick(window->lblOk, Qt::LeftButton);
    EXPECT_EQ(module->Keys, KeyBindings{});

    module->Open(Module1::Window::Controls);
    window = qobject_cast<frmControls*>(module->OpenWindow(Module1::Window::Controls));
    EXPECT_EQ(texts(), Defaults);
}

} // namespace
} // namespace quillop::test
