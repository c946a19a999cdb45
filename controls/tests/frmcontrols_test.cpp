// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/ui/frmcontrols.h"
#include "shell/tests/shelltesting.h"
#include "shell/ui/shape.h"
#include "tests/support/naming.h"
#include "tests/support/qtprinting.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <vector>

namespace quillop::test {
namespace {

// Notes "save" and the four codes when the window asks to save its boxes.
class ControlsRecorder final : public RecordingHost<ControlsHost> {
public:
    void askToSaveKeys(QWidget*, const KeyCodes& boxes) override
    {
        asked << QStringLiteral("save %1 %2 %3 %4").arg(boxes[0]).arg(boxes[1]).arg(boxes[2]).arg(boxes[3]);
    }
};

// The window on its own, on the default keys.
class ControlsWindow : public ::testing::Test {
protected:
    void SetUp() override { openControls(); }
    void TearDown() override { delete window.data(); }

    void openControls()
    {
        delete window.data();
        window = new frmControls(host, bindings);
        window->show();
        QApplication::setActiveWindow(window);
    }

    // Keys go where the player's keys go: to the selected box, or to the
    // window when none is selected.
    void press(const std::vector<Qt::Key>& pressed)
    {
        for (const Qt::Key key : pressed) {
            QWidget* target = window->focusWidget();
            QTest::keyClick(target != nullptr ? target : window.data(), key);
        }
    }

    QStringList texts() const
    {
        QStringList shown;
        for (std::size_t i = 0; i < 4; ++i) {
            shown << keyBox(i)->text();
        }
        return shown;
    }

    // One letter a box, in box order: '.' idle (dark box and bar, framed),
    // 's' selected (grey box and bar, framed), 'e' editing (black box, grey
    // bar, no frame), 'w' left while editing (dark box, no frame), '?'
    // anything else; the box with the focus in capitals.
    std::string looks() const
    {
        const QColor dark(0x40, 0x40, 0x40);
        const QColor grey(0x80, 0x80, 0x80);
        std::string shown;
        for (std::size_t i = 0; i < 4; ++i) {
            const QColor box = keyBox(i)->palette().color(QPalette::Base);
            const QColor bar = shapeAt(i)->fillColour();
            const bool framed = shapeAt(i + 4)->isFilled();
            const char look = box == dark && bar == dark && framed         ? '.'
                              : box == grey && bar == grey && framed       ? 's'
                              : box == Qt::black && bar == grey && !framed ? 'e'
                              : box == dark && bar == dark && !framed      ? 'w'
                                                                           : '?';
            shown += window->focusWidget() == keyBox(i) ? static_cast<char>(std::toupper(look)) : look;
        }
        return shown;
    }

    QLineEdit* keyBox(std::size_t i) const { return find<QLineEdit>(*window, QStringLiteral("txtControl(%1)").arg(i)); }
    Shape* shapeAt(std::size_t i) const { return find<Shape>(*window, QStringLiteral("Shape1(%1)").arg(i)); }

    KeyBindings bindings;
    ControlsRecorder host;
    QPointer<frmControls> window;
};

struct Edit {
    const char* name;
    std::vector<Qt::Key> keys;
    std::string looks;
    QStringList texts;
    bool changed;

    friend void PrintTo(const Edit& c, std::ostream* os) { *os << c.name; }
};

class KeyBoxStates : public ControlsWindow, public ::testing::WithParamInterface<Edit> {};

TEST_P(KeyBoxStates, FollowTheKeys)
{
    press(GetParam().keys);
    EXPECT_EQ(looks(), GetParam().looks);
    EXPECT_EQ(texts(), GetParam().texts);
    EXPECT_EQ(window->isChanged(), GetParam().changed);
    EXPECT_TRUE(window->isVisible());
}

const QStringList Defaults{"Down Arrow", "Up Arrow", "Left Arrow", "Right Arrow"};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Controls, KeyBoxStates,
    ::testing::Values(
        Edit{"OpensOnTheDownBox", {}, "S...", Defaults, false},
        Edit{"ArrowsMoveTheSelection", {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}, ".S..", Defaults, false},
        Edit{"NoBoxAboveDown", {Qt::Key_Up}, "S...", Defaults, false},
        Edit{"NoBoxBelowRight", {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down}, "...S", Defaults, false},
        Edit{"EnterStartsAnEdit", {Qt::Key_Return, Qt::Key_Return}, "E...", Defaults, false},
        Edit{"TheNextKeyIsBound",
             {Qt::Key_Return, Qt::Key_A},
             "S...",
             {"A", "Up Arrow", "Left Arrow", "Right Arrow"},
             true},
        Edit{"ABoundKeyMovesAndLeavesItsBoxEmpty",
             {Qt::Key_Down, Qt::Key_Return, Qt::Key_Down},
             ".S..",
             {"", "Down Arrow", "Left Arrow", "Right Arrow"},
             true},
        Edit{"SpaceIsBoundByName",
             {Qt::Key_Return, Qt::Key_Space},
             "S...",
             {"Space Bar", "Up Arrow", "Left Arrow", "Right Arrow"},
             true},
        Edit{"EscapeOnlyCancels", {Qt::Key_Return, Qt::Key_Escape}, "S...", Defaults, false},
        Edit{"PIsRefusedButStillCounts", {Qt::Key_Return, Qt::Key_P}, "S...", Defaults, true},
        Edit{"TypingNeverWritesIntoABox", {Qt::Key_A, Qt::Key_Backspace, Qt::Key_Delete}, "S...", Defaults, false}),
    Named);
// clang-format on

TEST_F(ControlsWindow, ABoxLeftWhileEditingKeepsWaitingForItsKey)
{
    press({Qt::Key_Return});
    QTest::mouseClick(keyBox(2), Qt::LeftButton);
    EXPECT_EQ(looks(), "w.S.");
    press({Qt::Key_Escape}); // cancels only here
    EXPECT_FALSE(window->isEditing());
    EXPECT_TRUE(window->isVisible());

    QTest::mouseClick(keyBox(0), Qt::LeftButton);
    press({Qt::Key_Z});
    EXPECT_EQ(texts().first(), QStringLiteral("Z"));
}

TEST_F(ControlsWindow, LeavingAtOnceAsksNothingAndKeepsTheKeys)
{
    window->move(70, 90);
    press({Qt::Key_Escape});
    EXPECT_EQ(host.asked, QStringList{"menu from 70,90"});
}

TEST_F(ControlsWindow, AnUnsetBoxHoldsTheWindowUntilSetThenTheBoxesAreOfferedForSaving)
{
    press({Qt::Key_Down, Qt::Key_Return, Qt::Key_Left}); // Left Arrow to Rotate
    press({Qt::Key_Down, Qt::Key_Down, Qt::Key_Return, Qt::Key_Up}); // Up Arrow to Right
    EXPECT_EQ(texts(), QStringList({"Down Arrow", "Left Arrow", "", "Up Arrow"}));

    QTest::mouseClick(find(*window, "lblOk"), Qt::LeftButton);
    EXPECT_EQ(host.asked, QStringList{"message 6"}) << "the notice that a key is not set";
    EXPECT_EQ(looks(), "..S.") << "the first unset box";
    EXPECT_EQ(find(*window, "lblOk")->textColour(), ButtonWhite);

    press({Qt::Key_Return, Qt::Key_L});
    window->move(70, 90);
    press({Qt::Key_Escape});
    EXPECT_EQ(host.asked, QStringList({"message 6", "save 40 37 76 38", "menu from 70,90"}));
}

TEST_F(ControlsWindow, EditsStayTheWindowsOwnAndTheNextOpeningShowsTheBindingsItIsGiven)
{
    press({Qt::Key_Return, Qt::Key_P});
    QTest::mouseClick(find(*window, "lblOk"), Qt::LeftButton);
    EXPECT_EQ(host.asked, QStringList({"save 40 38 37 39", "menu from 0,0"})) << "P is refused, but was an edit";
    EXPECT_EQ(bindings, KeyBindings{});
    bindings.Left = 'J';
    openControls();
    EXPECT_EQ(texts(), QStringList({"Down Arrow", "Up Arrow", "J", "Right Arrow"}));
}

TEST_F(ControlsWindow, APressOnTheBackgroundOrThePanelOnlyDrags)
{
    press({Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});
    QWidget* panel = keyBox(0)->parentWidget();
    QTest::mouseClick(window.data(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(looks(), "..E.");
    press({Qt::Key_A});
    EXPECT_EQ(texts(), QStringList({"Down Arrow", "Up Arrow", "A", "Right Arrow"})) << "the key reaches the box edited";
}

TEST_F(ControlsWindow, AKeyBoxShowsOnlyItsKeysNameWhateverTheMouseDoes)
{
    QLineEdit* box = keyBox(1);
    QTest::mouseDClick(box, Qt::LeftButton);
    EXPECT_FALSE(box->hasSelectedText());
    press({Qt::Key_Return});
    QApplication::clipboard()->setText(QStringLiteral("pasted"), QClipboard::Selection);
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    QTest::mouseClick(box, Qt::MiddleButton);
    EXPECT_EQ(texts(), Defaults);
    press({Qt::Key_V});
    EXPECT_EQ(texts(), QStringList({"Down Arrow", "V", "Left Arrow", "Right Arrow"}));
    EXPECT_FALSE(box->hasSelectedText());
}

TEST_F(ControlsWindow, DeadKeysAndKeysWithoutANameCanBeBound)
{
    const auto bind = [this](int qtKey, quint32 place) {
        press({Qt::Key_Return});
        QKeyEvent key(QEvent::KeyPress, qtKey, Qt::NoModifier, place, 0, 0);
        QApplication::sendEvent(window->focusWidget(), &key);
        return texts().first();
    };
    EXPECT_EQ(bind(Qt::Key_Dead_Circumflex, 34), QString::fromUtf8("\u00DB"))
        << "the key beside P, as Windows names it";
    EXPECT_EQ(bind(Qt::Key_unknown, 97), QStringLiteral("Key 353"));
    EXPECT_EQ(bind(Qt::Key_unknown, 0), QStringLiteral("Key 353")) << "a key that cannot be told apart is not bound";
    EXPECT_EQ(looks(), "E...");
}

} // namespace
} // namespace quillop::test
