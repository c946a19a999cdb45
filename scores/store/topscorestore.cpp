#include "topscorestore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <sstream>

namespace quillop {

namespace {

QString inFolder(const QString& folder)
{
    return QDir(folder).filePath(QString::fromLatin1(TopScoreStore::FileName));
}

} // namespace

TopScoreStore::TopScoreStore(QString programFolder, QString dataFolder)
    : m_programFolder(std::move(programFolder)), m_dataFolder(std::move(dataFolder))
{
}

TopScoreStore TopScoreStore::forThisProgram()
{
    return TopScoreStore(QCoreApplication::applicationDirPath(),
                         QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString TopScoreStore::currentPath() const
{
    const QString data = inFolder(m_dataFolder);
    return !m_dataFolder.isEmpty() && QFile::exists(data) ? data : inFolder(m_programFolder);
}

TopScoreStore::LoadStatus TopScoreStore::LoadTopScores(TopScoreTable& table) const
{
    QFile file(currentPath());
    if (!file.exists()) {
        table = TopScoreTable{};
        return LoadStatus::Missing;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        table = TopScoreTable{};
        return LoadStatus::Unreadable;
    }
    const QByteArray bytes = file.readAll();
    std::istringstream in(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    table = ReadTopScores(in);
    return LoadStatus::Read;
}

bool TopScoreStore::SaveTopScores(const TopScoreTable& table)
{
    std::ostringstream out;
    WriteTopScores(out, table);
    const std::string text = out.str();
    const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));

    // Once the player's copy exists it is the one that counts.
    const bool dataCopyExists = !m_dataFolder.isEmpty() && QFile::exists(inFolder(m_dataFolder));
    if (!dataCopyExists && saveTo(m_programFolder, bytes)) {
        return true;
    }
    const QString programError = m_lastError;
    if (!m_dataFolder.isEmpty() && QDir().mkpath(m_dataFolder) && saveTo(m_dataFolder, bytes)) {
        return true;
    }
    if (!programError.isEmpty()) {
        m_lastError = programError + QStringLiteral("; ") + m_lastError;
    }
    return false;
}

bool TopScoreStore::saveTo(const QString& folder, const QByteArray& bytes)
{
    QSaveFile file(inFolder(folder));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        m_lastError = QStringLiteral("%1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    m_lastError.clear();
    return true;
}

} // namespace quillop
