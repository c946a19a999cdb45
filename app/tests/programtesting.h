// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/module1.h"
#include "game/core/random.h"
#include "shell/tests/shelltesting.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace quillop::test {

// A whole program on the offscreen screen: the shared module with its
// windows, top scores in a fresh folder, pauses that take no time, and an
// end of the program that is only counted.
class Program : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The top-score file the program reads, written before it is read.
    void writeScores(const QByteArray& bytes);
    QByteArray scoreFile() const;
    QString programFolder() const { return m_folder.filePath(QStringLiteral("program")); }

    // The game window's next tick ends the game: a full centre column
    // without sets, and the given score.
    void finishGameWithScore(std::int32_t score);
    // The game window's next tick clears the last pieces of the well.
    void completeLevel();

    // What the player sees, as one line: each shown full-size window with
    // its place, whether the game ticks, and whether Continue Game is lit,
    // e.g. "frmGame 10,20 ticking, continue".
    std::string screen();

    frmMenu& menu() { return *module->menu(); }
    frmGame& game() { return *module->gameWindow(); }

    QTemporaryDir m_folder;
    SeededRandom random{7};
    std::unique_ptr<Module1> module;
    int programEnds = 0;
};

} // namespace quillop::test
