// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillop::files {

namespace {

constexpr const char* UnfinishedInfix = ".saving-";
constexpr int UnfinishedSuffixLength = 6;

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

QString systemError(const QString& path, int error)
{
    return QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(error)));
}

// What a system call's error means to the store.
Outcome failure(const QString& path, int error)
{
    Outcome::Kind kind = Outcome::Failed;
    switch (error) {
    case ENOENT:
        kind = Outcome::Missing;
        break;
    case EEXIST:
        kind = Outcome::Taken;
        break;
    case EMFILE:
    case ENFILE:
    case ENOMEM:
        kind = Outcome::Refused;
        break;
    default:
        break;
    }
    return {kind, systemError(path, error)};
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* at = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, at, static_cast<std::size_t>(left));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = EIO;
            }
            return false;
        }
        at += written;
        left -= written;
    }
    return true;
}

// Who holds the kernel's lock on the open file: "process 1234 (name)" as
// /proc/locks and the process's own name say, or a plainer word where they
// do not.
QString lockHolder(int fd)
{
    struct stat info {};
    QFile locks(QStringLiteral("/proc/locks"));
    if (::fstat(fd, &info) != 0 || !locks.open(QIODevice::ReadOnly)) {
        return QStringLiteral("another process");
    }
    // "1: FLOCK  ADVISORY  WRITE 4242 08:01:131090 0 EOF"
    const QString inode = QStringLiteral(":%1").arg(info.st_ino);
    for (const QByteArray& line : locks.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 6 && fields[1] == "FLOCK" && QString::fromLatin1(fields[5]).endsWith(inode)) {
            const QByteArray pid = fields[4];
            QFile comm(QStringLiteral("/proc/%1/comm").arg(QString::fromLatin1(pid)));
            const QByteArray name = comm.open(QIODevice::ReadOnly) ? comm.readAll().trimmed() : QByteArray("?");
            return QStringLiteral("process %1 (%2)").arg(QString::fromLatin1(pid), QString::fromLocal8Bit(name));
        }
    }
    return QStringLiteral("another process");
}

QString unfinishedName(const QString& target)
{
    static constexpr char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString name = target + QLatin1String(UnfinishedInfix);
    for (int i = 0; i < UnfinishedSuffixLength; ++i) {
        name += QLatin1Char(Letters[QRandomGenerator::global()->bounded(int(sizeof Letters) - 1)]);
    }
    return name;
}

} // namespace

bool isPlainFile(const QString& path)
{
    struct stat link {};
    return ::lstat(native(path).constData(), &link) == 0 && S_ISREG(link.st_mode);
}

bool hasContent(const QString& path)
{
    struct stat target {};
    if (::stat(native(path).constData(), &target) != 0) {
        // Nothing, or a link to nothing; any other failure means something
        // is there that cannot be looked at.
        return errno != ENOENT && errno != ENOTDIR;
    }
    return !S_ISREG(target.st_mode) || target.st_size > 0;
}

bool writableFolder(const QString& folder)
{
    return !folder.isEmpty() && ::access(native(folder).constData(), W_OK | X_OK) == 0;
}

std::optional<mode_t> permissionsToKeep(const QString& path)
{
    struct stat link {};
    if (::lstat(native(path).constData(), &link) != 0) {
        return std::nullopt;
    }
    if (S_ISLNK(link.st_mode)) {
        return S_IRUSR | S_IWUSR;
    }
    return S_ISREG(link.st_mode) ? std::optional<mode_t>(link.st_mode & 0777) : std::nullopt;
}

Read readLines(const QString& path, qint64 maxLine, qint64 limit)
{
    Read read;
    // Without O_NONBLOCK a pipe in the table's place would hold the game
    // until something wrote to it.
    const int fd = ::open(native(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        read.outcome = failure(path, errno);
        return read;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        read.outcome = {Outcome::Failed, QStringLiteral("%1: not a regular file").arg(path)};
        ::close(fd);
        return read;
    }
    QByteArray line; // the line read so far, while it is short enough
    bool tooLong = false;
    const auto endLine = [&](bool lineEnd) {
        if (tooLong) {
            ++read.longLines;
        } else if (read.bytes.size() + line.size() + (lineEnd ? 1 : 0) > limit) {
            read.cut = true;
        } else {
            read.bytes += line;
            if (lineEnd) {
                read.bytes += '\n';
            }
        }
        line.clear();
        tooLong = false;
    };
    std::array<char, 65536> chunk{};
    while (!read.cut) {
        const ssize_t n = ::read(fd, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            read.outcome = {Outcome::Failed, systemError(path, errno)};
            read.bytes.clear();
            ::close(fd);
            return read;
        }
        if (n == 0) {
            break;
        }
        for (const std::string_view rest(chunk.data(), static_cast<std::size_t>(n)); const char c : rest) {
            if (c == '\n') {
                endLine(true);
            } else if (!tooLong) {
                line += c;
                tooLong = line.size() > maxLine;
                if (tooLong) {
                    line.clear();
                }
            }
        }
    }
    if (!line.isEmpty() || tooLong) {
        endLine(false);
    }
    ::close(fd);
    return read;
}

Made writeNew(const QString& target, const QByteArray& bytes, std::optional<mode_t> mode)
{
    QString name;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        name = unfinishedName(target);
        fd = ::open(native(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                    mode ? S_IRUSR | S_IWUSR : 0644);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        return {failure(name, errno), {}};
    }
    const bool written = (!mode || ::fchmod(fd, *mode) == 0) && writeAll(fd, bytes) && ::fdatasync(fd) == 0;
    const int writeError = errno;
    // A file system may report a failed write only when the file closes.
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        const int error = written ? errno : writeError;
        remove(name);
        return {failure(name, error), {}};
    }
    return {{}, name};
}

QStringList unfinishedFiles(const QString& target)
{
    const QFileInfo table(target);
    static const QRegularExpression suffix(
        QStringLiteral("^\\%1[A-Za-z0-9]{%2}$").arg(QLatin1String(UnfinishedInfix)).arg(UnfinishedSuffixLength));
    QStringList found;
    const QDir folder = table.dir();
    const QString prefix = table.fileName();
    for (const QString& name :
         folder.entryList({prefix + QLatin1String(UnfinishedInfix) + QLatin1Char('*')}, QDir::Files | QDir::Hidden)) {
        // A link of that name is not one of the game's files.
        const QString path = folder.filePath(name);
        if (suffix.match(QStringView(name).mid(prefix.size())).hasMatch() && isPlainFile(path)) {
            found << path;
        }
    }
    return found;
}

Outcome rename(const QString& from, const QString& to)
{
    if (::rename(native(from).constData(), native(to).constData()) != 0) {
        return failure(to, errno);
    }
    return {};
}

Outcome renameToNew(const QString& from, const QString& to)
{
    if (::renameat2(AT_FDCWD, native(from).constData(), AT_FDCWD, native(to).constData(), RENAME_NOREPLACE) != 0) {
        return failure(to, errno);
    }
    return {};
}

Outcome linkToNew(const QString& from, const QString& to)
{
    // link() never follows a link standing at `from`; the caller has made
    // sure a plain file stands there.
    if (::link(native(from).constData(), native(to).constData()) != 0) {
        return failure(to, errno);
    }
    return {};
}

Outcome remove(const QString& path)
{
    if (::unlink(native(path).constData()) != 0) {
        return failure(path, errno);
    }
    return {};
}

Outcome syncFolder(const QString& folder)
{
    const int fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return failure(folder, errno);
    }
    // Some file systems cannot sync a folder and say so; that is no failure.
    Outcome synced;
    if (::fsync(fd) != 0 && errno != EINVAL) {
        synced = failure(folder, errno);
    }
    ::close(fd);
    return synced;
}

Lock::Lock(const QString& path, int waitMs)
{
    // O_NONBLOCK: a pipe someone put in the lock's place must not hold the
    // game. A lock file another player made may not be writable for this
    // one; a lock on a file opened for reading excludes just as well.
    const QByteArray name = native(path);
    m_fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
    if (m_fd < 0 && errno == EACCES) {
        m_fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    }
    if (m_fd < 0) {
        m_outcome = failure(path, errno);
        return;
    }
    struct stat info {};
    if (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        m_outcome = {Outcome::Failed, QStringLiteral("%1: not a file the game can lock").arg(path)};
        return;
    }
    // Whoever may write the table must be able to take its lock, whatever
    // the umask of the player who made it: a lock that others cannot read
    // is opened to them by its owner (one made by an older copy too).
    if (info.st_uid == ::geteuid() && (info.st_mode & 0044) != 0044) {
        ::fchmod(m_fd, (info.st_mode & 07777) | 0044);
    }
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            m_outcome = failure(path, errno);
            return;
        }
        if (std::chrono::steady_clock::now() >= giveUp) {
            m_outcome = {Outcome::Busy, QStringLiteral("%1: held by %2").arg(path, lockHolder(m_fd))};
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

Lock::~Lock()
{
    if (m_fd >= 0) {
        ::close(m_fd); // lets go of the lock
    }
}

} // namespace quillop::files
