// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "scores/core/topscores.h"

#include <QString>

namespace quillop {

// The top-score file on disk. The table is read from the player's data folder
// when a copy lives there, otherwise from the program's folder; it is saved
// beside the program when that folder can be written and in the player's data
// folder otherwise (first seeded with what was read from the program's copy).
//
// A save never loses an entry:
// - it is atomic: the new table goes to a temporary file, every write and
//   the sync to disk are checked, and only a complete file replaces the old
//   one; the folder is synced after the swap, so a power cut cannot bring
//   back a table that was reported saved;
// - it holds a lock against other copies of the game, and inserts the new
//   entry into the file as it is on disk under that lock, not into the table
//   read when the window opened;
// - a file that exists but could not be read is never replaced or shadowed;
//   a damaged one (some entries could not be read) is first kept aside as
//   TopScores.txt.damaged;
// - a link in the file's place is read, but a save replaces the link itself
//   with a regular file and never writes through it.
class TopScoreStore {
public:
    static constexpr const char* FileName = "TopScores.txt";
    // No table of the game comes near this; a longer file is read this far
    // and counts as damaged.
    static constexpr qint64 MaxFileBytes = 1 << 20;

    enum class LoadStatus {
        Read,       // a whole table
        Damaged,    // read, but some of it could not be
        Missing,    // no file yet: empty slots
        Unreadable, // a file is there but could not be read: empty slots
    };

    enum class SaveStatus {
        Saved,
        Failed,     // nothing could be written; the old table is as it was
        Unreadable, // the table on disk could not be read, so it was left alone
    };

    TopScoreStore(QString programFolder, QString dataFolder);

    // The store of the running program: the folder of what it ships with
    // and the player's application data folder.
    static TopScoreStore forThisProgram(QString programFolder);

    // Fills all 15 entries; whatever could not be read is an empty slot.
    // Nothing on disk changes.
    LoadStatus LoadTopScores(TopScoreTable& table) const;

    // Puts a new result into the table on disk, as InsertTopScore places it
    // in the table read now, and writes all 15 entries. On Saved, `written`
    // (when given) receives the table now on disk. Otherwise lastError()
    // says why.
    SaveStatus SaveTopScores(const TopScoreEntry& added, TopScoreTable* written = nullptr);

    // The file the next load reads.
    QString currentPath() const;
    QString lastError() const { return m_lastError; }

private:
    bool saveTo(const QString& folder, const QByteArray& bytes, bool keepAside);
    QString lockFolder() const;

    QString m_programFolder;
    QString m_dataFolder;
    QString m_lastError;
};

} // namespace quillop
