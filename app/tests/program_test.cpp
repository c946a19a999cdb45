// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "programtesting.h"
#include "tests/support/naming.h"

#include "app/frmmenu.h"
#include "desktop/manualdrag.h"
#include "game/ui/frmgame.h"
#include "scores/ui/frmhighscores.h"
#include "shell/ui/formwindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>

#include <array>
#include <cstring>
#include <sys/inotify.h>
#include <unistd.h>

namespace quillop::test {
namespace {

QString labelText(QWidget& window, const char* name)
{
    auto* label = window.findChild<QLabel*>(QLatin1String(name));
    return label != nullptr ? label->text() : QStringLiteral("<none>");
}

// Fifteen entries of the given score, so only a higher one qualifies.
QByteArray tableOf(int score)
{
    QByteArray bytes;
    for (int i = 1; i <= 15; ++i) {
        bytes += "\"P" + QByteArray::number(i) + "\"," + QByteArray::number(score) + ",3\r\n";
    }
    return bytes;
}

using Menu = Program;

TEST_F(Menu, StartsBorderlessWithTheDefaultKeys)
{
    EXPECT_TRUE(menu().windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(module->keys, KeyBindings{});
    EXPECT_EQ(screen(),
              "frmMenu " + std::to_string(menu().x()) + "," + std::to_string(menu().y()) + " no game, no continue");
}

TEST_F(Menu, IgnoresKeysGreyedItemsAndClicksQueuedAfterItHid)
{
    menu().move(5, 6);
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Down, Qt::Key_Space, Qt::Key_N}) {
        QTest::keyClick(&menu(), key);
    }
    ButtonLabel* resume = find(menu(), "lblContinue");
    moveMouseOver(resume);
    QTest::mouseClick(resume, Qt::LeftButton);
    EXPECT_NE(resume->textColour(), ButtonYellow);
    menu().hide(); // a click still queued for the menu it has handed over
    QTest::mouseClick(find(menu(), "lblNewGame"), Qt::LeftButton);
    menu().show();
    EXPECT_EQ(screen(), "frmMenu 5,6 no game, no continue");
}

TEST_F(Menu, ExitWithoutAGameAsksNothing)
{
    QTest::mouseClick(find(menu(), "lblExit"), Qt::LeftButton);
    EXPECT_EQ(programEnds, 1);
}

TEST_F(Menu, ItemsStayLitUntilTheMouseCrossesTheBackgroundWhichAloneDrags)
{
    moveMouseOver(find(menu(), "lblNewGame"));
    moveMouseOver(find(menu(), "lblCredits"));
    EXPECT_EQ(find(menu(), "lblNewGame")->textColour(), ButtonYellow);
    EXPECT_EQ(find(menu(), "lblCredits")->textColour(), ButtonYellow);

    moveMouseOver(&menu(), QPoint(100, 400));
    for (ButtonLabel* item : menu().buttons()) {
        EXPECT_EQ(item->textColour(), ButtonWhite) << item->text().toStdString();
    }
    QTest::mousePress(find(menu(), "lblNewGame"), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_FALSE(desktop::ManualDrag::isActive(&menu()));
    QTest::mousePress(&menu(), Qt::LeftButton, {}, QPoint(100, 400));
    EXPECT_TRUE(desktop::ManualDrag::isActive(&menu()));
    QTest::mouseRelease(&menu(), Qt::LeftButton, {}, QPoint(100, 400));
}

using HandOvers = Program;

TEST_F(HandOvers, NewGameEscapeAndContinueEachCarryTheDraggedPlace)
{
    menu().move(123, 77);
    QTest::mouseClick(find(menu(), "lblNewGame"), Qt::LeftButton);
    EXPECT_EQ(screen(), "frmGame 123,77 ticking, continue");
    EXPECT_TRUE(module->game.GameInProgress);

    game().Timer1_Timer();
    game().move(200, 50);
    const GameState before = module->game;
    QTest::keyClick(&game(), Qt::Key_Escape);
    // Keys and clicks still queued for the game as it hands over do nothing:
    // a key would resume the game behind the menu.
    QTest::keyClick(&game(), Qt::Key_Q);
    QTest::mouseClick(&game(), Qt::LeftButton);
    EXPECT_EQ(screen(), "frmMenu 200,50 still, continue");

    menu().move(10, 20);
    QTest::mouseClick(find(menu(), "lblContinue"), Qt::LeftButton);
    EXPECT_EQ(screen(), "frmGame 10,20 ticking, continue");
    EXPECT_EQ(module->game.CurrentRow, before.CurrentRow);
    EXPECT_EQ(module->game.NextColumn, before.NextColumn);
    EXPECT_EQ(module->game.Board, before.Board);
}

struct Question {
    const char* item;
    const char* text;
    bool yes;
    const char* after; // the screen afterwards

    friend void PrintTo(const Question& c, std::ostream* os) { *os << c.item << (c.yes ? " yes" : " no"); }
};

class Questions : public Program, public ::testing::WithParamInterface<Question> {};

TEST_P(Questions, AskWhileAGameIsInProgressAndActOnYesOnly)
{
    const Question q = GetParam();
    module->NewGame();
    QTest::keyClick(&game(), Qt::Key_Escape);
    frmGame* kept = module->gameWindow();
    module->game.GameLevel = 5;
    module->MessageAnswer = q.yes ? Answer::No : Answer::Yes; // an older answer is replaced
    menu().move(40, 0);

    whenMessageOpens([&](frmdialog& dialog) {
        EXPECT_EQ(labelText(dialog, "lblText"), QLatin1String(q.text));
        EXPECT_EQ(dialog.size(), QSize(385, 129));
        EXPECT_TRUE(centredOver(dialog, menu()));
        // Only a click answers.
        for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Y, Qt::Key_N}) {
            QTest::keyClick(&dialog, key);
        }
        EXPECT_TRUE(dialog.isVisible());
        clickButton(dialog, q.yes ? "lblYes" : "lblNo");
    });
    QTest::mouseClick(menu().findChild<ButtonLabel*>(QLatin1String(q.item)), Qt::LeftButton);

    const bool newGame = std::string_view(q.item) == "lblNewGame";
    EXPECT_EQ(module->MessageAnswer, q.yes ? Answer::Yes : Answer::No);
    EXPECT_EQ(programEnds, !newGame && q.yes ? 1 : 0);
    EXPECT_EQ(module->gameWindow(), kept); // a new game re-uses the window
    EXPECT_EQ(module->game.GameLevel, newGame && q.yes ? 1 : 5);
    EXPECT_EQ(screen(), q.after);
    EXPECT_EQ(find(menu(), "lblExit")->textColour(), ButtonWhite);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Menu, Questions,
    ::testing::Values(
        Question{"lblNewGame", "Game in progress, start new anyway?", true, "frmGame 40,0 ticking, continue"},
        Question{"lblNewGame", "Game in progress, start new anyway?", false, "frmMenu 40,0 still, continue"},
        Question{"lblExit", "Game in progress, exit anyway?", true, " still, continue"},
        Question{"lblExit", "Game in progress, exit anyway?", false, "frmMenu 40,0 still, continue"}));
// clang-format on

TEST_F(HandOvers, TheDesktopsCloseRequestAsksLikeExitAndAClosedQuestionIsNo)
{
    module->NewGame();
    module->MessageAnswer = Answer::Yes;
    whenMessageOpens([](frmdialog& dialog) {
        EXPECT_EQ(labelText(dialog, "lblText"), QStringLiteral("Game in progress, exit anyway?"));
        dialog.close();
    });
    game().close();
    EXPECT_EQ(module->MessageAnswer, Answer::No);
    EXPECT_TRUE(game().isVisible());

    QTest::keyClick(&game(), Qt::Key_Escape);
    module->game.GameInProgress = false;
    EXPECT_EQ(programEnds, 0);
    menu().close();
    EXPECT_EQ(programEnds, 1);
}

TEST_F(HandOvers, TheGameStandsStillUnderAQuestionAndGoesOnWhereItWas)
{
    menu().move(40, 0);
    module->NewGame();
    finishGameWithScore(0); // a tick now would end the game
    whenMessageOpens([&](frmdialog& dialog) {
        EXPECT_EQ(screen(), "frmGame 40,0 still, continue");
        QCoreApplication::processEvents();
        clickButton(dialog, "lblNo");
    });
    game().close();
    EXPECT_EQ(screen(), "frmGame 40,0 ticking, continue");
    EXPECT_TRUE(module->game.GameInProgress);
}

TEST_F(HandOvers, ModesWithoutAMessageAreOnlyStored)
{
    for (const std::int32_t code : {0, 7}) {
        module->ShowMessage(static_cast<Message>(code), &menu());
        EXPECT_EQ(static_cast<std::int32_t>(module->MessageMode), code);
    }
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(HandOvers, SaveChangesCopiesTheKeyBoxesOnYesOnly)
{
    const KeyCodes boxes{65, 66, 67, 68};
    for (const bool yes : {false, true}) {
        whenMessageOpens([yes](frmdialog& dialog) {
            EXPECT_EQ(labelText(dialog, "lblText"), QStringLiteral("Save changes?"));
            clickButton(dialog, yes ? "lblYes" : "lblNo");
        });
        module->askToSaveKeys(&menu(), boxes);
        EXPECT_EQ(module->keys, (yes ? KeyBindings{67, 68, 65, 66} : KeyBindings{}));
        EXPECT_EQ(module->MessageMode, Message::SaveChanges);
    }
}

using GameEnds = Program;

TEST_F(GameEnds, SpaceAfterALevelStartsTheNextWithTheTimerOn)
{
    module->NewGame();
    completeLevel();
    whenMessageOpens([&](frmdialog& dialog) {
        EXPECT_NE(dialog.findChild<QWidget*>(QStringLiteral("frameLevelComplete")), nullptr);
        EXPECT_FALSE(game().timer().isActive());
        EXPECT_EQ(module->game.CurrentRow, 1); // the next column waits at the top
        QTest::keyClick(&dialog, Qt::Key_Space);
    });
    game().Timer1_Timer();

    EXPECT_EQ(module->game.GameLevel, 2);
    EXPECT_TRUE(game().timer().isActive());
    EXPECT_NE(module->game.Board(21, 1), CellCode::Empty);
}

// Notes the level the game stands at whenever the game window paints once a
// message window has come and gone.
class PaintsAfterNotice final : public QObject {
public:
    explicit PaintsAfterNotice(const GameState& game) : m_game(game) {}
    std::vector<int> levels;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (QApplication::activeModalWidget() != nullptr) {
            m_noticeSeen = true;
        } else if (m_noticeSeen && event->type() == QEvent::Paint) {
            levels.push_back(m_game.GameLevel);
        }
        return false;
    }

private:
    const GameState& m_game;
    bool m_noticeSeen = false;
};

TEST_F(GameEnds, NoFrameShowsTheNoticeGoneAndTheOldLevel)
{
    module->NewGame();
    completeLevel();
    PaintsAfterNotice paints(module->game);
    game().installEventFilter(&paints);
    whenMessageOpens([](frmdialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Space); });
    game().Timer1_Timer();
    game().repaint();

    ASSERT_FALSE(paints.levels.empty());
    EXPECT_EQ(paints.levels, std::vector<int>(paints.levels.size(), 2));
}

TEST_F(GameEnds, ADragQueuedDuringTheLastLandingMovesTheWindowBeforeTheNoticeOpens)
{
    module->NewGame();
    game().move(100, 100);
    completeLevel();
    // Pressed, moved and let go while the landing's pauses held the program:
    // the window system hands it over when the program next takes input.
    const QPoint pressed = game().mapToGlobal(QPoint(400, 300));
    bool beforeTheNotice = false;
    QMetaObject::invokeMethod(
        &game(),
        [&] {
            beforeTheNotice = QApplication::activeModalWidget() == nullptr;
            QTest::mousePress(&game(), Qt::LeftButton, {}, game().mapFromGlobal(pressed));
            QTest::mouseMove(&game(), game().mapFromGlobal(pressed + QPoint(10, 5)));
            QTest::mouseMove(&game(), game().mapFromGlobal(pressed + QPoint(30, 20)));
            QTest::mouseRelease(&game(), Qt::LeftButton, {}, game().mapFromGlobal(pressed + QPoint(30, 20)));
        },
        Qt::QueuedConnection);
    QPoint underTheNotice;
    whenMessageOpens([&](frmdialog& dialog) {
        underTheNotice = game().pos();
        QTest::keyClick(&dialog, Qt::Key_Space);
    });
    const QPoint start = game().pos();
    game().Timer1_Timer();
    EXPECT_TRUE(beforeTheNotice) << "a notice blocks the window it stands over";
    EXPECT_EQ(underTheNotice - start, QPoint(30, 20));
}

TEST_F(GameEnds, AScoreEqualToTheFifteenthShowsTheNoticeThenTheMenuAndClosesTheGame)
{
    writeScores(tableOf(100));
    module->NewGame();
    game().move(50, 60);
    finishGameWithScore(100);
    whenMessageOpens([&](frmdialog& dialog) {
        EXPECT_NE(dialog.findChild<QWidget*>(QStringLiteral("frameGameOver")), nullptr);
        EXPECT_EQ(screen(), "frmGame 50,60 still, no continue");
        QTest::keyClick(&dialog, Qt::Key_Space);
    });
    game().Timer1_Timer();

    EXPECT_EQ(screen(), "frmMenu 50,60 no game, no continue");
    EXPECT_EQ(module->game.GameScore, 0);
    EXPECT_EQ(scoreFile(), tableOf(100));
}

// Counts the times a file is opened from now on. Closes are watched too:
// two opens one after the other would come as one event.
class Opens {
public:
    explicit Opens(const QString& path) : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        ::inotify_add_watch(m_fd, QFile::encodeName(path).constData(), IN_OPEN | IN_CLOSE);
    }
    ~Opens() { ::close(m_fd); }
    Opens(const Opens&) = delete;
    Opens& operator=(const Opens&) = delete;

    int count()
    {
        alignas(inotify_event) std::array<char, 4096> events{};
        const ssize_t got = ::read(m_fd, events.data(), events.size());
        int opens = 0;
        for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= got;) {
            inotify_event event{};
            std::memcpy(&event, events.data() + at, sizeof event);
            opens += (event.mask & IN_OPEN) != 0 ? 1 : 0;
            at += static_cast<ssize_t>(sizeof event + event.len);
        }
        return opens;
    }

private:
    int m_fd;
};

// A game ends over a damaged table, with a score that qualifies or not: the
// table is read once, and the log hears what was wrong with it either way.
class GameEndsOverADamagedTable : public Program, public ::testing::WithParamInterface<bool> {};

TEST_P(GameEndsOverADamagedTable, ReadsItOnceAndLogsItWhateverFollows)
{
    const bool qualifies = GetParam();
    writeScores("not a score\r\n" + tableOf(100));
    module->NewGame();
    finishGameWithScore(qualifies ? 101 : 100);
    Opens opens(programFolder() + "/TopScores.txt");
    const LoggedWarnings log;
    bool noticed = false;
    whenMessageOpens([&](frmdialog& dialog) {
        noticed = true;
        QTest::keyClick(&dialog, Qt::Key_Space);
    });
    game().Timer1_Timer();

    EXPECT_EQ(opens.count(), 1);
    EXPECT_EQ(log.text().count(QLatin1String("part of the top scores could not be read")), 1)
        << log.text().toStdString();
    EXPECT_EQ(noticed, !qualifies) << "the game-over notice, unless a name is asked";
}

INSTANTIATE_TEST_SUITE_P(Scores, GameEndsOverADamagedTable, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& c) {
                             return std::string(c.param ? "Qualifying" : "NotQualifying");
                         });

TEST_F(GameEnds, AQualifyingScoreTakesANameOverTheStillGameAndTheNextGameStartsAfresh)
{
    writeScores(tableOf(100));
    module->NewGame();
    module->game.GameLevel = 4;
    game().move(40, 30);
    finishGameWithScore(101);
    game().Timer1_Timer();

    auto* scores = qobject_cast<frmHighScores*>(module->openWindow(Module1::Window::HighScores));
    ASSERT_NE(scores, nullptr);
    EXPECT_TRUE(module->NewHighScorePending);
    QTest::keyClick(&game(), Qt::Key_P);
    scores->close();
    game().close();
    EXPECT_EQ(programEnds, 0) << "a close from the desktop keeps the score waiting for its name";
    EXPECT_EQ(screen(), "frmGame 40,30 + frmHighScores 40,30 still, no continue");

    QTest::keyClicks(find<QLineEdit>(*scores, "txtControl"), QStringLiteral("ANNA"));
    QTest::keyClick(find<QLineEdit>(*scores, "txtControl"), Qt::Key_Return);
    EXPECT_TRUE(scoreFile().startsWith("\"ANNA\",101,4\r\n\"P1\",100,3\r\n"));
    clickButton(*scores, "lblOk");
    EXPECT_EQ(screen(), "frmGame 40,30 + frmMenu 40,30 still, no continue") << "the finished game lies under the menu";

    QTest::mouseClick(find(menu(), "lblNewGame"), Qt::LeftButton);
    EXPECT_EQ(std::tuple(module->game.GameLevel, module->game.GameScore, game().timer().interval()),
              std::tuple(1, 0, 250));
    EXPECT_EQ(screen(), "frmGame 40,30 ticking, continue");
}

// The player turns away (the keys to another program, the session locked,
// sleep) at some moment of a game, then comes back and does one thing.
class AwayFromTheGame;
struct Moment {
    const char* name;
    std::function<void(AwayFromTheGame&)> reach;
    const char* whileAway;
    std::function<void(AwayFromTheGame&)> back;
    const char* after;

    friend void PrintTo(const Moment& m, std::ostream* os) { *os << m.name; }
};

class AwayFromTheGame : public Program, public ::testing::WithParamInterface<Moment> {
public:
    using Program::finishGameWithScore;
    using Program::module;
    void key(Qt::Key key) { QTest::keyClick(module->gameWindow(), key); }
};

TEST_P(AwayFromTheGame, OnlyARunningGamePausesAndNothingResumesButThePlayer)
{
    writeScores(tableOf(100));
    menu().move(40, 0);
    module->NewGame();
    GetParam().reach(*this);
    module->pauseWhileAway();
    EXPECT_EQ(screen(), GetParam().whileAway);
    GetParam().back(*this);
    EXPECT_EQ(screen(), GetParam().after);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Moments, AwayFromTheGame,
    ::testing::Values(
        Moment{"Running", [](AwayFromTheGame& p) { for (int i = 0; i < 3; ++i) p.module->gameWindow()->Timer1_Timer(); },
               "frmGame 40,0 still, continue",
               [](AwayFromTheGame& p) {
                   const int column = p.module->game.CurrentCol;
                   p.key(Qt::Key_Left);
                   EXPECT_EQ(p.module->game.CurrentCol, column - 1) << "the key that resumes also acts";
               }, "frmGame 40,0 ticking, continue"},
        Moment{"PausedWithP", [](AwayFromTheGame& p) { p.key(Qt::Key_P); }, "frmGame 40,0 still, continue",
               [](AwayFromTheGame& p) { p.key(Qt::Key_Left); }, "frmGame 40,0 ticking, continue"},
        Moment{"AtTheMenu", [](AwayFromTheGame& p) { p.key(Qt::Key_Escape); }, "frmMenu 40,0 still, continue",
               [](AwayFromTheGame& p) { QTest::mouseClick(find(*p.module->menu(), "lblContinue"), Qt::LeftButton); },
               "frmGame 40,0 ticking, continue"},
        Moment{"NamingAHighScore",
               [](AwayFromTheGame& p) {
                   p.finishGameWithScore(101);
                   p.module->gameWindow()->Timer1_Timer();
               }, "frmGame 40,0 + frmHighScores 40,0 still, no continue",
               [](AwayFromTheGame& p) {
                   auto* scores = p.module->openWindow(Module1::Window::HighScores);
                   QTest::keyClick(find<QLineEdit>(*scores, "txtControl"), Qt::Key_Return);
                   clickButton(*scores, "lblOk");
                   QTest::mouseClick(find(*p.module->menu(), "lblNewGame"), Qt::LeftButton);
               }, "frmGame 40,0 ticking, continue"}),
    Named);
// clang-format on

TEST_F(AwayFromTheGame, UnderANoticeOrAQuestionTheGameWaitsForItsAnswerAsBefore)
{
    menu().move(40, 0);
    module->NewGame();
    completeLevel();
    whenMessageOpens([&](frmdialog& dialog) {
        module->pauseWhileAway();
        QTest::keyClick(&dialog, Qt::Key_Space);
    });
    game().Timer1_Timer();
    EXPECT_EQ(module->game.GameLevel, 2);
    EXPECT_EQ(screen(), "frmGame 40,0 ticking, continue") << "Space starts the next level running";

    whenMessageOpens([&](frmdialog& dialog) {
        module->pauseWhileAway();
        clickButton(dialog, "lblNo");
    });
    game().close();
    EXPECT_EQ(screen(), "frmGame 40,0 ticking, continue") << "No goes on where the game was";
}

// How the name window can go while a name is awaited, without Enter: the
// program asked to end (SIGTERM), or its window destroyed by another X
// client; and what is on the screen after.
struct NameWindowGone {
    const char* name;
    std::function<void(Module1&, QWidget*)> gone;
    int programEnds;
    const char* after;

    friend void PrintTo(const NameWindowGone& c, std::ostream* os) { *os << c.name; }
};

class NameWindowLost : public Program, public ::testing::WithParamInterface<NameWindowGone> {};

TEST_P(NameWindowLost, KeepsTheNameTypedSoFarWithTheScore)
{
    writeScores(tableOf(100));
    module->NewGame();
    module->game.GameLevel = 2;
    game().move(20, 10);
    finishGameWithScore(150);
    game().Timer1_Timer();
    auto* scores = qobject_cast<frmHighScores*>(module->openWindow(Module1::Window::HighScores));
    ASSERT_NE(scores, nullptr);
    QTest::keyClicks(find<QLineEdit>(*scores, "txtControl"), QStringLiteral("Bo"));

    GetParam().gone(*module, scores);
    EXPECT_EQ(programEnds, GetParam().programEnds);
    EXPECT_FALSE(module->NewHighScorePending);
    EXPECT_TRUE(scoreFile().startsWith("\"Bo\",150,2\r\n\"P1\",100,3\r\n"));
    EXPECT_EQ(screen(), GetParam().after);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Ways, NameWindowLost,
    ::testing::Values(
        NameWindowGone{"TheProgramAskedToEnd", [](Module1& m, QWidget*) { m.endProgram(); }, 1, " still, no continue"},
        NameWindowGone{"DestroyedByAnotherClient", [](Module1& m, QWidget* w) { m.windowDestroyedOutside(w); }, 0,
                       "frmGame 20,10 + frmMenu 20,10 still, no continue"}),
    Named);
// clang-format on

} // namespace
} // namespace quillop::test
