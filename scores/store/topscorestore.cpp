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

struct ReadTable {
    TopScoreStore::LoadStatus status;
    QByteArray bytes; // the lines as read, at most MaxFileBytes
    QString problem;
};

ReadTable readFile(const QString& path, TopScoreTable& table)
{
    using Status = TopScoreStore::LoadStatus;
    table = TopScoreTable{};
    files::Read read = files::readLines(path, TopScoreStore::MaxLineBytes, TopScoreStore::MaxFileBytes);
    switch (read.outcome) {
    case files::Read::Missing:
        return {Status::Missing, {}, {}};
    case files::Read::Refused:
        return {Status::NotOpened, {}, read.error};
    case files::Read::Failed:
        return {Status::Unreadable, {}, read.error};
    case files::Read::Bytes:
        break;
    }
    if (read.bytes.isEmpty() && read.longLines == 0) {
        return {Status::Missing, {}, {}};
    }
    std::istringstream in(read.bytes.toStdString());
    int skipped = 0;
    table = readTopScores(in, &skipped);
    if (skipped == 0 && read.longLines == 0 && !read.cut) {
        return {Status::Read, std::move(read.bytes), {}};
    }
    QString problem = QStringLiteral("%1: %2 entries could not be read").arg(path).arg(skipped);
    if (read.longLines > 0) {
        problem += QStringLiteral(", %1 lines longer than any entry were passed over").arg(read.longLines);
    }
    if (read.cut) {
        problem +=
            QStringLiteral(", and it is longer than any table (read up to %1 bytes)").arg(TopScoreStore::MaxFileBytes);
    }
    // Nothing readable but empty slots: not a table the game can make out.
    const Status status = table == TopScoreTable{} ? Status::Unrecognised : Status::Damaged;
    return {status, std::move(read.bytes), problem};
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

TopScoreStore::LoadStatus TopScoreStore::LoadTopScores(TopScoreTable& table)
{
    ReadTable read = readFile(currentPath(), table);
    m_message = std::move(read.problem);
    return read.status;
}

QString TopScoreStore::saveFolder()
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
    m_message = m_dataFolder.isEmpty()
                    ? QStringLiteral("%1 cannot be written").arg(m_programFolder)
                    : QStringLiteral("%1 cannot be written, and %2 cannot be made").arg(m_programFolder, m_dataFolder);
    return {};
}

TopScoreStore::SaveStatus TopScoreStore::SaveTopScores(const TopScoreEntry& added, TopScoreTable* written)
{
    m_message.clear();
    // The lock sits beside the table it guards. Which table that is can
    // change while this copy waits for the lock (another copy starts the
    // player's own table), so it is looked at again once the lock is held.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const QString folder = saveFolder();
        if (folder.isEmpty()) {
            return SaveStatus::Failed;
        }
        const files::Lock lock(inFolder(folder, ".lock"), m_lockWaitMs);
        if (!lock.held()) {
            m_message = lock.error();
            return lock.busy() ? SaveStatus::Busy : SaveStatus::Failed;
        }
        if (saveFolder() == folder) {
            return saveLocked(folder, added, written);
        }
    }
    m_message = QStringLiteral("the table kept moving between %1 and %2").arg(m_programFolder, m_dataFolder);
    return SaveStatus::Failed;
}

TopScoreStore::SaveStatus TopScoreStore::saveLocked(const QString& folder, const TopScoreEntry& added,
                                                    TopScoreTable* written)
{
    const QString target = inFolder(folder);
    removeUnfinishedSaves(target);

    // What another copy saved since this one read the table counts too.
    const QString source = currentPath();
    TopScoreTable table;
    ReadTable read = readFile(source, table);
    m_message = read.problem;
    if (read.status == LoadStatus::Unreadable) {
        return SaveStatus::Unreadable;
    }
    if (read.status == LoadStatus::NotOpened) {
        return SaveStatus::Failed;
    }
    if (InsertTopScore(table, added.Score, added.Name, added.Level) < 0) {
        if (written != nullptr) {
            *written = table;
        }
        m_message = QStringLiteral("%1: the table filled with better results meanwhile").arg(source);
        return SaveStatus::NotPlaced;
    }

    // A damaged table about to be replaced is kept aside first: what could
    // not be read of it may still matter to the player.
    const bool damaged = read.status == LoadStatus::Damaged || read.status == LoadStatus::Unrecognised;
    std::optional<QString> aside;
    if (damaged && source == target && files::isPlainFile(target)) {
        aside = keepAside(folder, read.bytes);
        if (!aside) {
            return SaveStatus::Failed;
        }
    }

    std::ostringstream out;
    writeTopScores(out, table);
    QString error;
    const auto made =
        files::writeNew(target, QByteArray::fromStdString(out.str()), files::permissionsToKeep(source), error);
    // The new file takes the name itself: a link standing there is
    // replaced, never followed.
    if (!made || !files::rename(*made, target, error)) {
        if (made) {
            files::remove(*made);
        }
        // The damaged table is still in its place: no second name for it.
        if (aside) {
            files::remove(*aside);
        }
        m_message = error;
        return SaveStatus::Failed;
    }
    if (written != nullptr) {
        *written = table;
    }
    // The new table is in place and what the game shows; until the folder
    // is synced a power cut could still undo it.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (files::syncFolder(folder, error)) {
            return SaveStatus::Saved;
        }
    }
    m_message = QStringLiteral("in the table, but the folder could not be synced: %1").arg(error);
    return SaveStatus::NotSynced;
}

std::optional<QString> TopScoreStore::keepAside(const QString& folder, const QByteArray& read)
{
    // The whole damaged table gets a second name, the first free one: a
    // copy kept earlier, or a file of the player's of that name, stays as
    // it is.
    const QString table = inFolder(folder);
    const QString damaged = inFolder(folder, ".damaged");
    std::optional<QString> copy;
    QString error;
    for (int n = 1; n < 1000; ++n) {
        const QString aside = n == 1 ? damaged : damaged + QString::number(n);
        bool taken = false;
        if (copy ? files::renameToNew(*copy, aside, error, taken) : files::linkToNew(table, aside, error, taken)) {
            m_message += QStringLiteral("; kept aside as %1").arg(aside);
            if (copy) {
                m_message += QStringLiteral(" (what could be read of it)");
            }
            return aside;
        }
        if (taken) {
            continue;
        }
        if (copy) {
            break;
        }
        // A file system without hard links: what could be read of the
        // table is written aside instead, under the same name.
        copy = files::writeNew(table, read, files::permissionsToKeep(table), error);
        if (!copy) {
            break;
        }
        --n;
    }
    if (copy) {
        files::remove(*copy);
    }
    m_message = QStringLiteral("the damaged table could not be kept aside: %1").arg(error);
    return std::nullopt;
}

} // namespace quillop
