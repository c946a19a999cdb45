// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "topscorestore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <sstream>
#include <thread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace quillop {

namespace {

// How long a save waits for another copy of the game to finish its own.
constexpr int LockWaitMs = 3000;

QString inFolder(const QString& folder, const char* suffix = "")
{
    return QDir(folder).filePath(QString::fromLatin1(TopScoreStore::FileName) + QLatin1String(suffix));
}

// Whether anything, a dangling link included, stands at the path.
bool occupied(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString systemError(const QString& what, int error)
{
    return QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(error)));
}

TopScoreStore::LoadStatus readFile(const QString& path, TopScoreTable& table, QString& error)
{
    table = TopScoreTable{};
    const QFileInfo info(path); // through a link, to what it points at
    if (!info.exists()) {
        return TopScoreStore::LoadStatus::Missing;
    }
    if (!info.isFile()) {
        error = QStringLiteral("%1: not a regular file").arg(path);
        return TopScoreStore::LoadStatus::Unreadable;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return TopScoreStore::LoadStatus::Unreadable;
    }
    QByteArray bytes = file.read(TopScoreStore::MaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return TopScoreStore::LoadStatus::Unreadable;
    }
    const bool tooLong = bytes.size() > TopScoreStore::MaxFileBytes;
    bytes.truncate(TopScoreStore::MaxFileBytes);
    std::istringstream in(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    int skipped = 0;
    table = ReadTopScores(in, &skipped);
    return skipped > 0 || tooLong ? TopScoreStore::LoadStatus::Damaged : TopScoreStore::LoadStatus::Read;
}

// Temporary files of saves that were cut off (a kill, a power cut) before
// their file took the table's place. Only called under the lock, when no
// other save can be writing one.
void removeUnfinishedSaves(const QString& folder)
{
    if (folder.isEmpty()) {
        return;
    }
    QDir dir(folder);
    const QString pattern = QString::fromLatin1(TopScoreStore::FileName) + QStringLiteral(".??????");
    for (const QString& name : dir.entryList({pattern}, QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks)) {
        dir.remove(name);
    }
}

// The first free name beside the table for a copy of a damaged file.
QString asideName(const QString& folder)
{
    QString name = inFolder(folder, ".damaged");
    for (int n = 2; occupied(name); ++n) {
        name = inFolder(folder, ".damaged") + QString::number(n);
    }
    return name;
}

std::optional<QString> syncFolder(const QString& folder)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return systemError(folder, errno);
    }
    // Some file systems cannot sync a folder and say so; that is no failure.
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    const int error = errno;
    ::close(fd);
    if (!synced) {
        return systemError(folder, error);
    }
#else
    Q_UNUSED(folder);
#endif
    return std::nullopt;
}

// Keeps other copies of the game out of a save. The kernel holds the lock
// and lets go of it when its holder ends, however it ends, so a copy killed
// in the middle of a save never blocks the next one. The lock file itself
// stays, empty.
class SaveLock {
public:
    enum class State { Held, Busy, Unavailable };

    explicit SaveLock(const QString& path)
    {
#ifdef Q_OS_UNIX
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (m_fd < 0) {
            return;
        }
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(LockWaitMs);
        while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
            const bool held = errno == EWOULDBLOCK;
            if (!held || std::chrono::steady_clock::now() > giveUp) {
                m_state = held ? State::Busy : State::Unavailable;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        m_state = State::Held;
#else
        Q_UNUSED(path);
#endif
    }
    ~SaveLock()
    {
#ifdef Q_OS_UNIX
        if (m_fd >= 0) {
            ::close(m_fd); // lets go of the lock
        }
#endif
    }
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;

    State state() const { return m_state; }

private:
    int m_fd = -1;
    State m_state = State::Unavailable;
};

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
    return !m_dataFolder.isEmpty() && occupied(data) ? data : inFolder(m_programFolder);
}

TopScoreStore::LoadStatus TopScoreStore::LoadTopScores(TopScoreTable& table) const
{
    QString ignored;
    return readFile(currentPath(), table, ignored);
}

QString TopScoreStore::lockFolder() const
{
    // Every copy of the game of one player meets at the same lock: in the
    // data folder, or beside the program when there is none.
    if (!m_dataFolder.isEmpty() && QDir().mkpath(m_dataFolder) && QFileInfo(m_dataFolder).isWritable()) {
        return m_dataFolder;
    }
    return m_programFolder;
}

TopScoreStore::SaveStatus TopScoreStore::SaveTopScores(const TopScoreEntry& added, TopScoreTable* written)
{
    m_lastError.clear();
    const QString lockPath = inFolder(lockFolder(), ".lock");
    const SaveLock lock(lockPath);
    switch (lock.state()) {
    case SaveLock::State::Held:
        removeUnfinishedSaves(m_programFolder);
        removeUnfinishedSaves(m_dataFolder);
        break;
    case SaveLock::State::Busy:
        m_lastError = QStringLiteral("%1: another copy of the game is saving").arg(lockPath);
        return SaveStatus::Failed;
    case SaveLock::State::Unavailable:
        break; // a lock that cannot be made at all does not stop the save
    }

    // What another copy saved since this one read the table counts too.
    const bool inDataFolder = !m_dataFolder.isEmpty() && occupied(inFolder(m_dataFolder));
    TopScoreTable table;
    const LoadStatus read = readFile(currentPath(), table, m_lastError);
    if (read == LoadStatus::Unreadable) {
        return SaveStatus::Unreadable;
    }
    if (InsertTopScore(table, added.Score, added.Name, added.Level) < 0) {
        // The table filled up with better results meanwhile; nothing changes.
        if (written != nullptr) {
            *written = table;
        }
        return SaveStatus::Saved;
    }
    std::ostringstream out;
    WriteTopScores(out, table);
    const std::string text = out.str();
    const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));

    const bool damaged = read == LoadStatus::Damaged;
    bool saved = !inDataFolder && saveTo(m_programFolder, bytes, damaged);
    if (!saved && !m_dataFolder.isEmpty()) {
        const QString programError = m_lastError;
        saved = QDir().mkpath(m_dataFolder) && saveTo(m_dataFolder, bytes, damaged && inDataFolder);
        if (!saved && !programError.isEmpty()) {
            m_lastError = programError + QStringLiteral("; ") + m_lastError;
        }
    }
    if (!saved) {
        return SaveStatus::Failed;
    }
    m_lastError.clear();
    if (written != nullptr) {
        *written = table;
    }
    return SaveStatus::Saved;
}

bool TopScoreStore::saveTo(const QString& folder, const QByteArray& bytes, bool keepAside)
{
    const QString target = inFolder(folder);
    const QFileInfo old(target);
    if (keepAside && old.isFile()) {
        const QString aside = asideName(folder);
        if (!QFile::copy(target, aside)) {
            m_lastError = QStringLiteral("%1: the damaged table could not be kept aside").arg(aside);
            return false;
        }
    }

    QTemporaryFile file(target + QStringLiteral(".XXXXXX"));
    if (!file.open()) {
        m_lastError = QStringLiteral("%1: %2").arg(file.fileTemplate(), file.errorString());
        return false;
    }
    // A table replaced keeps who may read it; a new one is readable by all.
    file.setPermissions(old.isFile() && !old.isSymLink()
                            ? old.permissions()
                            : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    // Writes are buffered: only the flush shows whether the disk took them.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        m_lastError = QStringLiteral("%1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
#ifdef Q_OS_UNIX
    if (::fdatasync(file.handle()) != 0) {
        m_lastError = systemError(file.fileName(), errno);
        return false;
    }
#endif
    file.close();
    // The new file takes the name itself: a link standing there is replaced,
    // never followed.
    std::error_code renamed;
    std::filesystem::rename(QFile::encodeName(file.fileName()).toStdString(),
                            QFile::encodeName(target).toStdString(), renamed);
    if (renamed) {
        m_lastError = QStringLiteral("%1: %2").arg(target, QString::fromStdString(renamed.message()));
        return false;
    }
    file.setAutoRemove(false);
    if (const auto error = syncFolder(folder)) {
        m_lastError = *error;
        return false;
    }
    return true;
}

} // namespace quillop
