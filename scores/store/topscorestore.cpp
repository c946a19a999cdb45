// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "topscorestore.h"

#include "files.h"

#include <QDir>
#include <QStandardPaths>

#include <sstream>

namespace quillop {

namespace {

QString inFolder(const QString& folder, const char* suffix = "")
{
    return QDir(folder).filePath(QString::fromLatin1(TopScoreStore::FileName) + QLatin1String(suffix));
}

struct ReadFile {
    TopScoreStore::TableRead read;
    QByteArray bytes; // the lines as read, at most MaxFileBytes
};

ReadFile readFile(const QString& path)
{
    using Status = TopScoreStore::LoadStatus;
    files::Read lines = files::readLines(path, TopScoreStore::MaxLineBytes, TopScoreStore::MaxFileBytes);
    switch (lines.outcome.kind) {
    case files::Outcome::Done:
        break;
    case files::Outcome::Missing:
        return {{Status::Missing, {}, {}}, {}};
    case files::Outcome::Refused:
        return {{Status::NotOpened, {}, lines.outcome.error}, {}};
    case files::Outcome::Taken:
    case files::Outcome::Busy:
    case files::Outcome::Failed:
        return {{Status::Unreadable, {}, lines.outcome.error}, {}};
    }
    if (lines.bytes.isEmpty() && lines.longLines == 0) {
        return {{Status::Missing, {}, {}}, {}};
    }
    std::istringstream in(lines.bytes.toStdString());
    int skipped = 0;
    TopScoreTable table = readTopScores(in, &skipped);
    if (skipped == 0 && lines.longLines == 0 && !lines.cut) {
        return {{Status::Read, table, {}}, std::move(lines.bytes)};
    }
    QString problem = QStringLiteral("%1: %2 entries could not be read").arg(path).arg(skipped);
    if (lines.longLines > 0) {
        problem += QStringLiteral(", %1 lines longer than any entry were passed over").arg(lines.longLines);
    }
    if (lines.cut) {
        problem +=
            QStringLiteral(", and it is longer than any table (read up to %1 bytes)").arg(TopScoreStore::MaxFileBytes);
    }
    // Nothing readable but empty slots: not a table the game can make out.
    const Status status = table == TopScoreTable{} ? Status::Unrecognised : Status::Damaged;
    return {{status, table, problem}, std::move(lines.bytes)};
}

// Gives the damaged table in `folder` a second name, the first free one
// (TopScores.txt.damaged, .damaged2 ...): a copy kept earlier, or a file of
// the player's of that name, stays as it is.
struct KeptAside {
    files::Outcome outcome;
    QString path;
    bool copied = false; // only what could be read of it was kept
};

KeptAside keepAside(const QString& folder, const QByteArray& read)
{
    const QString table = inFolder(folder);
    const QString damaged = inFolder(folder, ".damaged");
    // The whole file takes the name as a hard link; where the file system
    // has none, what could be read of it is written aside and renamed.
    files::Made copy;
    for (int n = 1; n < 1000; ++n) {
        const QString aside = n == 1 ? damaged : damaged + QString::number(n);
        const files::Outcome named =
            copy.path.isEmpty() ? files::linkToNew(table, aside) : files::renameToNew(copy.path, aside);
        if (named.done()) {
            return {named, aside, !copy.path.isEmpty()};
        }
        if (named.kind == files::Outcome::Taken) {
            continue;
        }
        if (!copy.path.isEmpty()) {
            files::remove(copy.path);
            return {named, {}};
        }
        copy = files::writeNew(table, read, files::permissionsToKeep(table));
        if (!copy.outcome.done()) {
            return {copy.outcome, {}};
        }
        --n; // the same name again, for the copy
    }
    if (!copy.path.isEmpty()) {
        files::remove(copy.path);
    }
    return {{files::Outcome::Failed, QStringLiteral("%1: every name for it is taken").arg(damaged)}, {}};
}

// What a save cut off (a kill, a power cut) before its file took the
// table's name left behind. Only called under the table's lock, when no
// other save can be writing one.
void removeUnfinishedSaves(const QString& target)
{
    for (const QString& path : files::unfinishedFiles(target)) {
        files::remove(path);
    }
}

} // namespace

TopScoreStore::TopScoreStore(QString programFolder, QString dataFolder)
    : m_programFolder(std::move(programFolder)), m_dataFolder(std::move(dataFolder))
{
}

TopScoreStore TopScoreStore::forThisProgram(QString programFolder)
{
    return TopScoreStore(std::move(programFolder), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString TopScoreStore::currentPath() const
{
    const QString data = inFolder(m_dataFolder);
    return !m_dataFolder.isEmpty() && files::hasContent(data) ? data : inFolder(m_programFolder);
}

TopScoreStore::TableRead TopScoreStore::LoadTopScores() const
{
    return readFile(currentPath()).read;
}

QString TopScoreStore::saveFolder() const
{
    if (!m_dataFolder.isEmpty() && files::hasContent(inFolder(m_dataFolder))) {
        return m_dataFolder;
    }
    if (files::writableFolder(m_programFolder)) {
        return m_programFolder;
    }
    if (!m_dataFolder.isEmpty() && QDir().mkpath(m_dataFolder)) {
        return m_dataFolder;
    }
    return {};
}

TopScoreStore::TableSaved TopScoreStore::SaveTopScores(const TopScoreEntry& added) const
{
    // The lock sits beside the table it guards. Which table that is can
    // change while this copy waits for the lock (another copy starts the
    // player's own table), so it is looked at again once the lock is held.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const QString folder = saveFolder();
        if (folder.isEmpty()) {
            return {
                SaveStatus::Failed,
                {},
                m_dataFolder.isEmpty()
                    ? QStringLiteral("%1 cannot be written").arg(m_programFolder)
                    : QStringLiteral("%1 cannot be written, and %2 cannot be made").arg(m_programFolder, m_dataFolder)};
        }
        const files::Lock lock(inFolder(folder, ".lock"), m_lockWaitMs);
        if (!lock.outcome().done()) {
            const bool busy = lock.outcome().kind == files::Outcome::Busy;
            return {busy ? SaveStatus::Busy : SaveStatus::Failed, {}, lock.outcome().error};
        }
        if (saveFolder() == folder) {
            return saveLocked(folder, added);
        }
    }
    return {SaveStatus::Failed,
            {},
            QStringLiteral("the table kept moving between %1 and %2").arg(m_programFolder, m_dataFolder)};
}

TopScoreStore::TableSaved TopScoreStore::saveLocked(const QString& folder, const TopScoreEntry& added) const
{
    const QString target = inFolder(folder);
    removeUnfinishedSaves(target);

    // What another copy saved since this one read the table counts too.
    const QString source = currentPath();
    ReadFile file = readFile(source);
    TableSaved saved{SaveStatus::Saved, file.read.table, file.read.problem};
    switch (file.read.status) {
    case LoadStatus::Unreadable:
        return {SaveStatus::Unreadable, {}, saved.problem};
    case LoadStatus::NotOpened:
        return {SaveStatus::Failed, {}, saved.problem};
    default:
        break;
    }
    if (InsertTopScore(saved.table, added.Score, added.Name, added.Level) < 0) {
        return {SaveStatus::NotPlaced, file.read.table,
                QStringLiteral("%1: the table filled with better results meanwhile").arg(source)};
    }

    // A damaged table about to be replaced is kept aside first: what could
    // not be read of it may still matter to the player.
    const bool damaged = file.read.status == LoadStatus::Damaged || file.read.status == LoadStatus::Unrecognised;
    KeptAside aside;
    if (damaged && source == target && files::isPlainFile(target)) {
        aside = keepAside(folder, file.bytes);
        if (!aside.outcome.done()) {
            return {SaveStatus::Failed,
                    {},
                    QStringLiteral("the damaged table could not be kept aside: %1").arg(aside.outcome.error)};
        }
        saved.problem += QStringLiteral("; kept aside as %1").arg(aside.path);
        if (aside.copied) {
            saved.problem += QStringLiteral(" (what could be read of it)");
        }
    }

    std::ostringstream out;
    writeTopScores(out, saved.table);
    const files::Made made =
        files::writeNew(target, QByteArray::fromStdString(out.str()), files::permissionsToKeep(source));
    // The new file takes the name itself: a link standing there is
    // replaced, never followed.
    const files::Outcome placed = made.outcome.done() ? files::rename(made.path, target) : made.outcome;
    if (!placed.done()) {
        if (made.outcome.done()) {
            files::remove(made.path);
        }
        // The damaged table is still in its place: no second name for it.
        if (!aside.path.isEmpty()) {
            files::remove(aside.path);
        }
        return {SaveStatus::Failed, {}, placed.error};
    }
    // The new table is in place and what the game shows; until the folder
    // is synced a power cut could still undo it.
    files::Outcome synced;
    for (int attempt = 0; attempt < 3; ++attempt) {
        synced = files::syncFolder(folder);
        if (synced.done()) {
            return saved;
        }
    }
    saved.status = SaveStatus::NotSynced;
    saved.problem = QStringLiteral("in the table, but the folder could not be synced: %1").arg(synced.error);
    return saved;
}

} // namespace quillop
