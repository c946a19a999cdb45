#include "scores/store/topscorestore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quillop {
namespace {

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Runs the check where folder permissions hold: as root, in a child process
// that has dropped to an unprivileged user. Returns the check's result.
bool Unprivileged(const std::function<bool()>& check)
{
    if (geteuid() != 0) {
        return check();
    }
    const pid_t child = fork();
    if (child == 0) {
        const bool dropped = setgid(65534) == 0 && setuid(65534) == 0;
        _exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class ScoreFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        // Open to every user, so an unprivileged child can work inside.
        chmod(root.path().toLocal8Bit().constData(), 0777);
        ASSERT_TRUE(QDir(root.path()).mkpath("program"));
        chmod(programFolder().toLocal8Bit().constData(), 0777);
    }

    QString programFolder() const { return root.filePath("program"); }
    QString dataFolder() const { return root.filePath("data/quillop"); }
    QString programCopy() const { return programFolder() + "/TopScores.txt"; }
    QString dataCopy() const { return dataFolder() + "/TopScores.txt"; }

    TopScoreStore store() const { return TopScoreStore(programFolder(), dataFolder()); }

    static TopScoreTable OneEntry(const char* name, std::int32_t score)
    {
        TopScoreTable table;
        table[0] = {name, score, 3};
        return table;
    }

    QTemporaryDir root;
};

TEST_F(ScoreFolders, AMissingMalformedOrUnopenableFileGivesEmptySlotsAndIsLeftAsItIs)
{
    TopScoreTable table = OneEntry("stale", 5);
    EXPECT_EQ(store().LoadTopScores(table), TopScoreStore::LoadStatus::Missing);
    EXPECT_EQ(table, TopScoreTable{});
    EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"program"});

    const QByteArray junk("\"A\",lots,2\r\nnot a score file\r\n\xff\xfe");
    WriteBytes(programCopy(), junk);
    table = OneEntry("stale", 5);
    EXPECT_EQ(store().LoadTopScores(table), TopScoreStore::LoadStatus::Read);
    EXPECT_EQ(table, TopScoreTable{});
    EXPECT_EQ(ReadBytes(programCopy()), junk);

    ASSERT_TRUE(QFile::remove(programCopy()) && QDir(programFolder()).mkdir("TopScores.txt"));
    table = OneEntry("stale", 5);
    EXPECT_EQ(store().LoadTopScores(table), TopScoreStore::LoadStatus::Unreadable);
    EXPECT_EQ(table, TopScoreTable{});
}

TEST_F(ScoreFolders, SavesBesideTheProgramUntilThePlayersCopyExistsThenThere)
{
    TopScoreStore scores = store();
    ASSERT_TRUE(scores.SaveTopScores(OneEntry("ANNA", 950)));
    EXPECT_TRUE(ReadBytes(programCopy()).startsWith("\"ANNA\",950,3\r\n\"\",0,0\r\n"));
    TopScoreTable table;
    EXPECT_EQ(scores.LoadTopScores(table), TopScoreStore::LoadStatus::Read);
    EXPECT_EQ(table, OneEntry("ANNA", 950));
    EXPECT_FALSE(QFile::exists(dataCopy()));

    ASSERT_TRUE(QDir().mkpath(dataFolder()));
    WriteBytes(dataCopy(), "\"Mine\",700,4\r\n");
    scores.LoadTopScores(table);
    EXPECT_EQ(table[0].Name, "Mine");
    ASSERT_TRUE(scores.SaveTopScores(OneEntry("Newer", 800)));
    EXPECT_TRUE(ReadBytes(dataCopy()).startsWith("\"Newer\",800,3"));
    EXPECT_TRUE(ReadBytes(programCopy()).startsWith("\"ANNA\",950,3\r\n"));
}

TEST_F(ScoreFolders, AFailedSaveReportsItAndLeavesTheOldTableIntact)
{
    const QByteArray old("\"Keep\",900,5\r\n");
    WriteBytes(programCopy(), old);
    chmod(programFolder().toLocal8Bit().constData(), 0555);
    // The data folder cannot be made either: its parent is read-only too.
    chmod(root.path().toLocal8Bit().constData(), 0555);

    const bool failedCleanly = Unprivileged([this] {
        TopScoreStore scores = store();
        return !scores.SaveTopScores(OneEntry("Lost", 1000)) && !scores.lastError().isEmpty();
    });

    chmod(root.path().toLocal8Bit().constData(), 0777);
    chmod(programFolder().toLocal8Bit().constData(), 0777);
    EXPECT_TRUE(failedCleanly);
    EXPECT_EQ(ReadBytes(programCopy()), old);
    EXPECT_EQ(QDir(programFolder()).entryList(QDir::Files), QStringList{"TopScores.txt"})
        << "no temporary file is left behind";
}

} // namespace
} // namespace quillop
