// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <sys/types.h>

// The few file operations the score store needs, each checked, each saying
// why it failed, none following a link where it writes.
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

struct Read {
    // Refused: the system would not open any file just now (out of file
    // descriptors or memory); nothing is known about this one.
    enum Outcome { Bytes, Missing, Refused, Failed } outcome = Missing;
    QByteArray bytes; // the lines kept, each whole with its line end
    int longLines = 0; // lines longer than the longest kept, left out
    bool cut = false; // the file went on past the most kept
    QString error;
};
// Reads the lines of a regular file up to `maxLine` bytes long, at most
// `limit` bytes of them; a longer line is left out, not the rest of the
// file. It never waits on a pipe or a device in the file's place.
Read readLines(const QString& path, qint64 maxLine, qint64 limit);

// Writes `bytes` to a new file beside `target` whose name only the game
// makes (target.saving-XXXXXX), syncs it and gives it `mode` when given.
// Returns the new file's path, or nothing with `error` set and no file left.
std::optional<QString> writeNew(const QString& target, const QByteArray& bytes, std::optional<mode_t> mode,
                                QString& error);

// The unfinished files WriteNew names for `target`, left by saves that were
// cut off. Nothing else matches.
QStringList unfinishedFiles(const QString& target);

bool rename(const QString& from, const QString& to, QString& error);
// Renames to a name nothing has yet; `taken` says when something had it.
bool renameToNew(const QString& from, const QString& to, QString& error, bool& taken);
// Gives the file `from` a second name nothing has yet (a hard link: the
// whole file, whatever its size, at no cost); `taken` as above.
bool linkToNew(const QString& from, const QString& to, QString& error, bool& taken);
void remove(const QString& path);
bool syncFolder(const QString& folder, QString& error);

// A lock the kernel holds on a file, let go when the holder ends, however it
// ends, so a copy of the game killed in a save never blocks the next.
class Lock {
public:
    // Waits up to `waitMs` for the lock on `path`, made when missing.
    Lock(const QString& path, int waitMs);
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    bool held() const { return m_held; }
    // Another process held it all the wait; error() names that process.
    bool busy() const { return m_busy; }
    QString error() const { return m_error; }

private:
    int m_fd = -1;
    bool m_held = false;
    bool m_busy = false;
    QString m_error;
};

} // namespace quillop::files
