// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "scores/core/topscores.h"

#include <QString>

namespace quillop {

// The top-score file on disk. There is one table at a time: the one in the
// player's data folder when a table is really there (an empty file or a
// link to nothing is not a table), otherwise the one beside the program. A
// save rewrites that table where it is; the first save of a player who
// cannot write beside the program starts their own copy in the data folder
// from the program's table.
//
// A save never loses an entry and touches nothing it did not make:
// - it is atomic: the new table goes to a file of the game's own name
//   (TopScores.txt.saving-XXXXXX), every write and the sync to disk are
//   checked, and only a complete file takes the table's name; the folder is
//   synced after (tried three times), so a power cut cannot bring back a
//   table reported saved, and a save whose folder would not sync says so;
// - it holds a lock beside the table it rewrites (TopScores.txt.lock), so
//   every copy of the game that writes that table, whoever plays it, waits
//   for the others, and it inserts the new entry into the table as it is on
//   disk under that lock;
// - a save that cannot take the lock, or whose writes fail, says so and
//   leaves the table as it was; it never goes on to write another table;
// - a file that exists but cannot be read is never replaced or shadowed;
//   a damaged one is first kept aside, whole, as TopScores.txt.damaged;
// - a link in the table's place is read, but a save replaces the link with
//   a regular file, never writes through it, and lets only its owner read
//   what came through it; a table replaced keeps its permissions.
class TopScoreStore {
public:
    static constexpr const char* FileName = "TopScores.txt";
    // No table of the game comes near these: a longer line is passed over
    // as a damaged entry, and a longer file is read this far and counts as
    // damaged.
    static constexpr qint64 MaxLineBytes = 4096;
    static constexpr qint64 MaxFileBytes = 1 << 20;

    enum class LoadStatus {
        Read, // a whole table
        Missing, // no table yet (no file, an empty one, a link to nothing): empty slots
        Damaged, // some entries could not be read; the rest are there
        Unrecognised, // a file with no entry that could be read: empty slots; a save keeps it aside
        Unreadable, // a file is there but could not be read: empty slots; a save leaves it alone
        NotOpened, // the system would open no file just now (out of descriptors): empty slots
    };

    enum class SaveStatus {
        Saved,
        NotSynced, // the entry is in the table, but the folder would not sync: a power cut could undo it
        NotPlaced, // the table on disk filled with better results meanwhile; nothing changed
        Busy, // another process held the lock all the wait; nothing changed, try again
        Failed, // nothing could be written; the table is as it was
        Unreadable, // the table on disk could not be read, so it was left alone
    };

    // What a load found: the table, all 15 entries, whatever could not be
    // read an empty slot; and, unless it was Read or Missing, what was
    // wrong with it.
    struct TableRead {
        LoadStatus status = LoadStatus::Missing;
        TopScoreTable table{};
        QString problem;
    };

    // What a save did. `table` is the table now on disk (on Saved,
    // NotSynced and NotPlaced). Unless Saved, `problem` says why; on Saved
    // it may still hold what the player's log should know (a damaged table
    // kept aside).
    struct TableSaved {
        SaveStatus status = SaveStatus::Failed;
        TopScoreTable table{};
        QString problem;
    };

    TopScoreStore(QString programFolder, QString dataFolder);

    // The store of the running program: the folder of what it ships with
    // and the player's application data folder.
    static TopScoreStore forThisProgram(QString programFolder);

    // Reads the table. Nothing on disk changes.
    TableRead LoadTopScores() const;

    // Puts a new result into the table on disk, as InsertTopScore places it
    // in the table read now, and writes all 15 entries.
    TableSaved SaveTopScores(const TopScoreEntry& added) const;

    // How long a save waits for another process (a copy of the game) to let
    // go of the table's lock before it gives up as Busy.
    void setLockWait(int milliseconds) { m_lockWaitMs = milliseconds; }

private:
    // The file the next load reads.
    QString currentPath() const;
    // The folder whose table a save rewrites; empty when no folder can
    // take it.
    QString saveFolder() const;
    TableSaved saveLocked(const QString& folder, const TopScoreEntry& added) const;

    QString m_programFolder;
    QString m_dataFolder;
    int m_lockWaitMs = 3000;
};

} // namespace quillop
