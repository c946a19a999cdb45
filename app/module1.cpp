// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "module1.h"

#include "frmmenu.h"

#include "desktop/desktop.h"
#include "desktop/screens.h"
#include "game/ui/frmgame.h"
#include "platform/clock.h"
#include "platform/queuedinput.h"
#include "shell/ui/formwindow.h"
#include "shell/ui/frmdialog.h"
#include "shell/ui/handover.h"
#include "shell/ui/hiddenwindowinput.h"

#include <QCoreApplication>

namespace quillop {

namespace {

std::size_t slot(Module1::Window window)
{
    return static_cast<std::size_t>(window);
}

} // namespace

Module1::Module1(TopScoreStore store, RandomSource& random)
    : m_store(std::move(store)), m_random(random), m_programEnd([] { QCoreApplication::quit(); }),
      m_gamePause(platform::Sleep)
{
    QCoreApplication::instance()->installEventFilter(new HiddenWindowInput(this));
}

Module1::~Module1()
{
    for (QPointer<FormWindow>& window : m_windows) {
        delete window.data();
    }
    delete m_game.data();
    delete m_menu.data();
}

void Module1::setFactory(Window window, Factory factory)
{
    m_factories[slot(window)] = std::move(factory);
}

FormWindow* Module1::openWindow(Window window) const
{
    return m_windows[slot(window)];
}

void Module1::watchCloseRequests(FormWindow* window)
{
    window->setCloseRequestHandler([this, window] { exit(window); });
}

void Module1::start()
{
    if (m_menu == nullptr) {
        m_menu = new frmMenu(*this);
        watchCloseRequests(m_menu);
    }
    desktop::current().place(m_menu, desktop::centredOnScreen(m_menu->size()));
    handOver(nullptr, m_menu, Leave::Hide);
}

void Module1::NewGame()
{
    quillop::NewGame(game);
    if (m_game == nullptr) {
        m_game = new frmGame(game, keys, m_random);
        m_game->setAttribute(Qt::WA_DeleteOnClose);
        m_game->setPauseFunction(m_gamePause);
        watchCloseRequests(m_game);
        connect(m_game, &frmGame::levelComplete, this, &Module1::gameLevelComplete);
        connect(m_game, &frmGame::gameOver, this, &Module1::gameOver);
        connect(m_game, &frmGame::leaveForMenu, this, &Module1::gameLeftForMenu);
    }
    // Every game starts from level 1 with a fresh column, also in a game
    // window kept from an earlier game.
    m_game->startGame();
    handOver(m_menu, m_game, Leave::Hide);
    m_menu->setContinueEnabled(true);
}

void Module1::ShowMessage(Message mode, QWidget* from)
{
    showMessage(mode, from, nullptr);
}

void Module1::askToSaveKeys(QWidget* from, const KeyCodes& boxes)
{
    showMessage(Message::SaveChanges, from, &boxes);
}

void Module1::showMessage(Message mode, QWidget* from, const KeyCodes* boxes)
{
    MessageMode = mode;
    // No tick runs under a question or a notice, so the game cannot end
    // beneath one and open a second message window over the first.
    const QPointer<frmGame> held = m_game;
    if (held) {
        held->hold();
    }
    switch (mode) {
    case Message::LevelComplete:
        frmdialog(from).showLevelComplete();
        // Space has closed the notice; the next level starts before the
        // program takes another event, so no frame shows the notice gone
        // and the old level, and no tick comes in between.
        if (held) {
            held->AdvanceLevel();
        }
        break;
    case Message::GameOver:
        frmdialog(from).showGameOver();
        showMenuAt(held);
        break;
    case Message::ExitAnyway:
        if (AskYesNo(QStringLiteral("Game in progress, exit anyway?"), from) == Answer::Yes) {
            endProgram();
        }
        break;
    case Message::StartNewAnyway:
        if (AskYesNo(QStringLiteral("Game in progress, start new anyway?"), from) == Answer::Yes) {
            NewGame();
        }
        break;
    case Message::SaveChanges:
        if (AskYesNo(QStringLiteral("Save changes?"), from) == Answer::Yes && boxes != nullptr) {
            keys = fromKeyCodes(*boxes);
        }
        break;
    case Message::SetControls:
        frmdialog(from).showSetControls();
        break;
    case Message::None:
        break;
    }
    if (held) {
        held->release();
    }
}

Answer Module1::AskYesNo(const QString& question, QWidget* from)
{
    MessageAnswer = frmdialog(from).AskYesNo(question);
    return MessageAnswer;
}

HighScoreState Module1::highScoreState()
{
    return {.store = m_store,
            .TopScores = TopScores,
            .NewHighScorePending = NewHighScorePending,
            .Score = game.GameScore,
            .Level = game.GameLevel,
            .alreadyRead = m_readAtGameOver};
}

void Module1::open(Window window)
{
    openFrom(window, m_menu, Leave::Hide);
}

void Module1::openFrom(Window window, QWidget* from, Leave leave)
{
    const Factory& factory = m_factories[slot(window)];
    if (!factory) {
        return;
    }
    FormWindow* opened = factory(*this);
    opened->setAttribute(Qt::WA_DeleteOnClose);
    watchCloseRequests(opened);
    m_windows[slot(window)] = opened;
    handOver(from, opened, leave);
}

void Module1::returnToMenu(QWidget* from)
{
    handOver(from, m_menu, Leave::Close);
}

void Module1::showMenuAt(QWidget* from)
{
    handOver(from, m_menu, Leave::Stay);
}

void Module1::continueGame()
{
    if (m_game == nullptr) {
        return;
    }
    handOver(m_menu, m_game, Leave::Hide);
    m_game->continueFromMenu();
}

void Module1::pauseWhileAway()
{
    if (m_game != nullptr) {
        m_game->pauseWhileAway();
    }
}

void Module1::exit(QWidget* from)
{
    // A qualifying score waits for its name; the only way on is Enter, and
    // a close from the desktop must not throw the score away.
    if (NewHighScorePending) {
        return;
    }
    if (game.GameInProgress) {
        ShowMessage(Message::ExitAnyway, from);
    } else {
        endProgram();
    }
}

void Module1::endProgram()
{
    for (QPointer<FormWindow>& window : m_windows) {
        if (window) {
            window->closeByProgram();
        }
    }
    if (m_game) {
        m_game->closeByProgram();
    }
    if (m_menu) {
        m_menu->closeByProgram();
    }
    m_programEnd();
}

void Module1::windowDestroyedOutside(QWidget* window)
{
    // A hidden window (the menu under a game or a name awaited) went
    // without the player seeing it go; it shows again when its turn comes.
    if (window->isHidden()) {
        if (auto* form = qobject_cast<FormWindow*>(window)) {
            form->forgetDestroyedWindow();
        }
        return;
    }
    for (const QPointer<FormWindow>& opened : m_windows) {
        if (opened == window) {
            returnToMenu(window);
            return;
        }
    }
    if (window == m_menu || window == m_game) {
        exit(window);
    }
}

bool Module1::deliverQueuedMouseInput()
{
    // What the mouse did during the landing's pauses (a drag of the game
    // window) happens before a notice blocks the window. A close request
    // queued with it may have ended the program meanwhile.
    platform::deliverQueuedMouseInput();
    return m_game != nullptr && m_game->isVisible();
}

void Module1::gameLevelComplete()
{
    if (deliverQueuedMouseInput()) {
        ShowMessage(Message::LevelComplete, m_game);
    }
}

void Module1::gameOver()
{
    m_menu->setContinueEnabled(false);
    game.GameInProgress = false;
    if (!deliverQueuedMouseInput()) {
        return;
    }
    const TopScoreStore::TableRead read = m_store.LoadTopScores();
    TopScores = read.table;
    if (IsNewHighScore(TopScores, game.GameScore)) {
        // The finished game stays under the table, its timer off; the
        // table opens as read here, not read again, and says what was
        // wrong with it.
        NewHighScorePending = true;
        m_readAtGameOver = read;
        openFrom(Window::HighScores, m_game, Leave::Stay);
        m_readAtGameOver.reset();
        return;
    }
    // No table is shown, but the log still hears what was wrong with it.
    logTableRead(read);
    ShowMessage(Message::GameOver, m_game);
    game.GameScore = 0;
    frmGame* finished = m_game;
    m_game = nullptr;
    handOver(finished, m_menu, Leave::Close);
}

void Module1::gameLeftForMenu()
{
    handOver(m_game, m_menu, Leave::Hide);
}

} // namespace quillop
