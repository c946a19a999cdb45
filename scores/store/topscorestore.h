#pragma once

#include "scores/core/topscores.h"

#include <QString>

namespace quillop {

// The top-score file on disk. The table is read from the player's data folder
// when a copy lives there, otherwise from the program's folder; it is saved
// beside the program when that folder can be written and in the player's data
// folder otherwise (first seeded with what was read from the program's copy).
// Saves are atomic: the new table goes to a temporary file that replaces the
// old one only once it is complete, so a failed save leaves the old table as
// it was.
class TopScoreStore {
public:
    static constexpr const char* FileName = "TopScores.txt";

    enum class LoadStatus { Read, Missing, Unreadable };

    TopScoreStore(QString programFolder, QString dataFolder);

    // The store of the running program: its own folder and the player's
    // application data folder.
    static TopScoreStore forThisProgram();

    // Fills all 15 entries. A missing or unreadable file gives empty slots and
    // is left as it is on disk.
    LoadStatus LoadTopScores(TopScoreTable& table) const;

    // Writes all 15 entries; returns false, with the reason in lastError(),
    // when no copy could be written.
    bool SaveTopScores(const TopScoreTable& table);

    // The file the next load reads.
    QString currentPath() const;
    QString lastError() const { return m_lastError; }

private:
    bool saveTo(const QString& folder, const QByteArray& bytes);

    QString m_programFolder;
    QString m_dataFolder;
    QString m_lastError;
};

} // namespace quillop
