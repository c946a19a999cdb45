// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "frmmenu.h"

#include "controls/core/keybindings.h"
#include "controls/ui/frmcontrols.h"
#include "game/core/gamestate.h"
#include "game/core/random.h"
#include "game/ui/frmgame.h"
#include "scores/core/topscores.h"
#include "scores/store/topscorestore.h"
#include "scores/ui/frmhighscores.h"
#include "shell/ui/formwindow.h"
#include "shell/ui/handover.h"
#include "shell/ui/windowhost.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

namespace quillop {

// What the windows share, and the routines they all call: the game, the key
// bindings, the top scores, the message window's mode and answer, and the
// window instances with the hand-overs between them. It builds the windows
// and carries out what follows each message; the windows reach it only as
// their host. Nothing here is global.
class Module1 final : public QObject, public ControlsHost {
    Q_OBJECT

public:
    // The windows the menu opens, created afresh at every opening.
    enum class Window { HighScores, Controls, Help, Credits };
    using Factory = std::function<FormWindow*(Module1&)>;

    Module1(TopScoreStore store, RandomSource& random);
    ~Module1() override;
    Module1(const Module1&) = delete;
    Module1& operator=(const Module1&) = delete;

    // Shared state.
    GameState game;
    KeyBindings keys;
    TopScoreTable TopScores{};
    bool NewHighScorePending = false;
    Message MessageMode = Message::None;
    Answer MessageAnswer = Answer::None;

    // What the high-score window works on: at game over, the result that
    // waits for its name and the table as read for it.
    HighScoreState highScoreState();

    // How the program builds the windows the menu opens.
    void setFactory(Window window, Factory factory);
    // What ends the program; quits the event loop unless told otherwise.
    void setProgramEnd(std::function<void()> end) { m_programEnd = std::move(end); }
    // Where the game's removal pauses go; a real pause unless told otherwise.
    void setGamePause(std::function<void(int)> pause) { m_gamePause = std::move(pause); }

    // Program start: the menu, centred on the screen.
    void start();

    frmMenu* menu() const { return m_menu; }
    frmGame* gameWindow() const { return m_game; }
    FormWindow* openWindow(Window window) const;

    // Clears the well, starts a game from level 1 in the game window (created
    // when there is none) at the menu's place, and hides the menu.
    void NewGame();

    // The shared prompt: the level-complete notice (then the next level),
    // game over (then the menu at the game's place), "exit anyway?", "start
    // new anyway?", "Save changes?" (which changes nothing without key codes
    // to save), the controls notice. Any other mode is only stored. Returns
    // when the message window has closed and what follows its answer is
    // done; the window is centred over the one it is opened from.
    void ShowMessage(Message mode, QWidget* from) override;
    // "Save changes?": on Yes the given key codes become the bindings.
    void askToSaveKeys(QWidget* from, const KeyCodes& boxes) override;

    // Asks a yes/no question; a question the desktop closes is No.
    Answer AskYesNo(const QString& question, QWidget* from);

    // The menu opens a window at its place and hides.
    void open(Window window);
    // A window goes back to the menu: the menu at its place, the window closed.
    void returnToMenu(QWidget* from) override;
    // Shows the menu at the given window's place, without closing anything.
    void showMenuAt(QWidget* from);
    // Continue Game: the kept game at the menu's place, its timer on.
    void continueGame();
    // The player turned away (the keys went to another program, the session
    // locked, the machine went to sleep): a running game pauses.
    void pauseWhileAway();
    // The menu's Exit, and any window's close request: a question while a
    // game is in progress, otherwise the end of the program.
    void exit(QWidget* from);
    // Every window closes and the program ends, asking nothing: Exit's end,
    // and what the system's request to end comes to.
    void endProgram();
    // Another program destroyed one of the windows on the screen: a window
    // opened from the menu goes back to it as through Ok (a name awaited is
    // taken as typed, and its score saved); the menu and the game window
    // ask as a close from the desktop does. A hidden window is made anew
    // the next time it shows.
    void windowDestroyedOutside(QWidget* window);

private:
    void showMessage(Message mode, QWidget* from, const KeyCodes* boxes);
    bool deliverQueuedMouseInput();
    void gameLevelComplete();
    void gameOver();
    void gameLeftForMenu();
    void openFrom(Window window, QWidget* from, Leave leave);
    void watchCloseRequests(FormWindow* window);

    TopScoreStore m_store;
    std::optional<TopScoreStore::TableRead> m_readAtGameOver;
    RandomSource& m_random;
    std::array<Factory, 4> m_factories;
    std::array<QPointer<FormWindow>, 4> m_windows;
    QPointer<frmMenu> m_menu;
    QPointer<frmGame> m_game;
    std::function<void()> m_programEnd;
    std::function<void(int)> m_gamePause;
};

} // namespace quillop
