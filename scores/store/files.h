// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <sys/types.h>

// The few file operations the score store needs, none following a link
// where it writes. The questions answer plainly; every operation is checked
// and answers with an Outcome that says why when it failed.
namespace quillop::files {

// A regular file, not a link to one.
bool isPlainFile(const QString& path);

// A regular file with something in it, reached through a link or not.
bool hasContent(const QString& path);

// Whether new files can be made in the folder.
bool writableFolder(const QString& folder);

// The permissions a file gets that carries on what stands at `path`: those
// of a regular file there; only its owner's for what came through a link;
// nothing (the usual, under the umask) when nothing is there.
std::optional<mode_t> permissionsToKeep(const QString& path);

// What an operation did: Done, or why not, every operation alike.
struct Outcome {
    enum Kind {
        Done,
        Missing, // nothing is at the path
        Taken, // the new name is in use already
        Busy, // another process holds the lock
        Refused, // the system would open no file just now (out of descriptors or memory)
        Failed, // anything else
    } kind = Done;
    QString error; // why not, naming the file; empty when Done

    bool done() const { return kind == Done; }
};

struct Read {
    Outcome outcome;
    QByteArray bytes; // the lines kept, each whole with its line end
    int longLines = 0; // lines longer than the longest kept, left out
    bool cut = false; // the file went on past the most kept
};
// Reads the lines of a regular file up to `maxLine` bytes long, at most
// `limit` bytes of them; a longer line is left out, not the rest of the
// file. It never waits on a pipe or a device in the file's place.
Read readLines(const QString& path, qint64 maxLine, qint64 limit);

struct Made {
    Outcome outcome;
    QString path; // the new file, when Done
};
// Writes `bytes` to a new file beside `target` whose name only the game
// makes (target.saving-XXXXXX), syncs it and gives it `mode` when given.
// Leaves no file when it fails.
Made writeNew(const QString& target, const QByteArray& bytes, std::optional<mode_t> mode);

// The unfinished files writeNew names for `target`, left by saves that were
// cut off. Nothing else matches.
QStringList unfinishedFiles(const QString& target);

Outcome rename(const QString& from, const QString& to);
// Renames to a name nothing has yet: Taken when something has it.
Outcome renameToNew(const QString& from, const QString& to);
// Gives the file `from` a second name nothing has yet (a hard link: the
// whole file, whatever its size, at no cost); Taken as above.
Outcome linkToNew(const QString& from, const QString& to);
Outcome remove(const QString& path);
Outcome syncFolder(const QString& folder);

// A lock the kernel holds on a file, let go when the holder ends, however it
// ends, so a copy of the game killed in a save never blocks the next.
class Lock {
public:
    // Waits up to `waitMs` for the lock on `path`, made when missing.
    Lock(const QString& path, int waitMs);
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    // Done when held; Busy when another process held it all the wait, and
    // the error names that process.
    const Outcome& outcome() const { return m_outcome; }

private:
    int m_fd = -1;
    Outcome m_outcome;
};

} // namespace quillop::files
