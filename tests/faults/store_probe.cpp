// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Saves one result the way the high-score window does, for the tests that
// run a save under failing system calls or kill it part way.
//   store_probe PROGRAM_FOLDER DATA_FOLDER NAME SCORE LEVEL
// Exits 0 when the store reports the result saved (printing what it still
// had to say), 1 when it could not save, 2 when it left an unreadable table
// alone, 3 when the result no longer made the table, 5 when it is in the
// table but the folder would not sync, 6 when another process held the lock.
#include "scores/store/topscorestore.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 6) {
        std::fputs("usage: store_probe PROGRAM_FOLDER DATA_FOLDER NAME SCORE LEVEL\n", stderr);
        return 64;
    }
    quillop::TopScoreStore store(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    const quillop::TopScoreEntry entry{argv[3], static_cast<std::int32_t>(std::atol(argv[4])),
                                       static_cast<std::int16_t>(std::atoi(argv[5]))};
    const auto saved = store.SaveTopScores(entry);
    if (!saved.problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(saved.problem));
    }
    switch (saved.status) {
    case quillop::TopScoreStore::SaveStatus::Saved:
        return 0;
    case quillop::TopScoreStore::SaveStatus::Failed:
        return 1;
    case quillop::TopScoreStore::SaveStatus::Unreadable:
        return 2;
    case quillop::TopScoreStore::SaveStatus::NotPlaced:
        return 3;
    case quillop::TopScoreStore::SaveStatus::NotSynced:
        return 5;
    case quillop::TopScoreStore::SaveStatus::Busy:
        return 6;
    }
    return 4;
}
