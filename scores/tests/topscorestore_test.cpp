// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scores/store/topscorestore.h"
#include "tests/support/naming.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
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
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

bool occupiedPath(const QString& path)
{
    return QFileInfo(path).exists() || QFileInfo(path).isSymLink();
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

    static QByteArray Written(const TopScoreTable& table)
    {
        std::ostringstream out;
        WriteTopScores(out, table);
        return QByteArray::fromStdString(out.str());
    }

    // Saves one result with a store of its own, as a copy of the game does.
    TopScoreStore::SaveStatus save(const char* name, std::int32_t score) const
    {
        TopScoreStore scores = store();
        return scores.SaveTopScores({name, score, 3});
    }

    QStringList programFiles() const { return QDir(programFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System); }

    QTemporaryDir root;
};


// What stands in the table's place, and what a load makes of it.
struct LoadCase {
    const char* name;
    std::function<void(const QString& path, const QString& folder)> make;
    TopScoreStore::LoadStatus status;
    TopScoreEntry first;
};

void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }

class Loading : public ScoreFolders, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(Loading, GivesFifteenEntriesAndSaysWhatItFoundWithoutTouchingTheFile)
{
    const LoadCase& c = GetParam();
    c.make(programCopy(), root.path());
    const QStringList before = programFiles();
    const QByteArray bytes = QFileInfo(programCopy()).isFile() ? ReadBytes(programCopy()) : QByteArray();

    TopScoreTable table = OneEntry("stale", 5);
    EXPECT_EQ(store().LoadTopScores(table), c.status);
    EXPECT_EQ(table[0], c.first);
    EXPECT_EQ(table[1], TopScoreEntry{});
    EXPECT_EQ(programFiles(), before);
    if (!bytes.isEmpty()) {
        EXPECT_EQ(ReadBytes(programCopy()), bytes);
    }
}

using Status = TopScoreStore::LoadStatus;
void Link(const QString& path, const QString& target) { ASSERT_TRUE(QFile::link(target, path)); }

INSTANTIATE_TEST_SUITE_P(
    Files, Loading,
    ::testing::Values(
        LoadCase{"Missing", [](auto&, auto&) {}, Status::Missing, {}},
        LoadCase{"Whole", [](auto& path, auto&) { WriteBytes(path, "\"A\",5,1\r\n"); }, Status::Read, {"A", 5, 1}},
        LoadCase{"JunkLine", [](auto& path, auto&) { WriteBytes(path, "junk\r\n\"A\",5,1\r\n"); }, Status::Damaged,
                 {"A", 5, 1}},
        LoadCase{"LongerThanAnyTable",
                 [](auto& path, auto&) { WriteBytes(path, "\"A\",5,1\r\n" + QByteArray(TopScoreStore::MaxFileBytes, ' ')); },
                 Status::Damaged, {"A", 5, 1}},
        LoadCase{"AFolder", [](auto& path, auto&) { ASSERT_TRUE(QDir().mkdir(path)); }, Status::Unreadable, {}},
        LoadCase{"LinkToADevice", [](auto& path, auto&) { Link(path, "/dev/zero"); }, Status::Unreadable, {}},
        LoadCase{"LinkToAFile",
                 [](auto& path, auto& folder) {
                     WriteBytes(folder + "/decoy", "\"D\",7,2\r\n");
                     Link(path, folder + "/decoy");
                 },
                 Status::Read, {"D", 7, 2}},
        LoadCase{"DanglingLink", [](auto& path, auto& folder) { Link(path, folder + "/nowhere"); }, Status::Missing, {}}),
    test::Named);

TEST_F(ScoreFolders, SavesBesideTheProgramUntilThePlayersCopyExistsThenThere)
{
    ASSERT_EQ(save("ANNA", 950), TopScoreStore::SaveStatus::Saved);
    EXPECT_TRUE(ReadBytes(programCopy()).startsWith("\"ANNA\",950,3\r\n\"\",0,0\r\n"));
    EXPECT_FALSE(QFile::exists(dataCopy()));

    WriteBytes(dataCopy(), "\"Mine\",700,4\r\n");
    TopScoreTable written;
    TopScoreStore scores = store();
    ASSERT_EQ(scores.SaveTopScores({"Newer", 800, 3}, &written), TopScoreStore::SaveStatus::Saved);
    EXPECT_EQ(ReadBytes(dataCopy()), Written(written));
    EXPECT_TRUE(ReadBytes(dataCopy()).startsWith("\"Newer\",800,3\r\n\"Mine\",700,4\r\n"));
    EXPECT_TRUE(ReadBytes(programCopy()).startsWith("\"ANNA\",950,3\r\n"));
}

TEST_F(ScoreFolders, TwoCopiesOfTheGameKeepBothNewEntries)
{
    WriteBytes(programCopy(), "\"Old\",100,1\r\n");
    TopScoreStore first = store();
    TopScoreStore second = store();
    TopScoreTable seenByFirst;
    TopScoreTable seenBySecond;
    first.LoadTopScores(seenByFirst);
    second.LoadTopScores(seenBySecond);

    ASSERT_EQ(first.SaveTopScores({"First", 300, 2}), TopScoreStore::SaveStatus::Saved);
    TopScoreTable written;
    ASSERT_EQ(second.SaveTopScores({"Second", 200, 2}, &written), TopScoreStore::SaveStatus::Saved);

    EXPECT_TRUE(ReadBytes(programCopy()).startsWith("\"First\",300,2\r\n\"Second\",200,2\r\n\"Old\",100,1\r\n"));
    EXPECT_EQ(written[0].Name, "First") << "the second copy is told what the table now holds";
}

TEST_F(ScoreFolders, AnUnreadableTableIsNeitherReplacedNorShadowed)
{
    ASSERT_TRUE(QDir().mkdir(programCopy()));
    EXPECT_EQ(save("New", 100), TopScoreStore::SaveStatus::Unreadable);
    EXPECT_TRUE(QFileInfo(programCopy()).isDir());
    EXPECT_FALSE(occupiedPath(dataCopy()));
    ASSERT_TRUE(QDir().rmdir(programCopy()));

    WriteBytes(programCopy(), "\"Kept\",900,5\r\n");
    for (const mode_t mode : {0000, 0200}) { // nobody may read it
        chmod(programCopy().toLocal8Bit().constData(), mode);
        EXPECT_TRUE(Unprivileged([this] {
            TopScoreTable table;
            TopScoreStore scores = store();
            return scores.LoadTopScores(table) == Status::Unreadable && table == TopScoreTable{}
                && scores.SaveTopScores({"New", 1000, 1}) == TopScoreStore::SaveStatus::Unreadable
                && !scores.lastError().isEmpty();
        })) << "mode " << mode;
    }
    chmod(programCopy().toLocal8Bit().constData(), 0644);
    EXPECT_EQ(ReadBytes(programCopy()), "\"Kept\",900,5\r\n");
    EXPECT_FALSE(occupiedPath(dataCopy()));
}

TEST_F(ScoreFolders, ADamagedTableIsKeptAsideBeforeItIsReplaced)
{
    const QByteArray damaged("\"A\",5,1\r\nnot a score\r\n\"B\",4,1\r\n");
    WriteBytes(programCopy(), damaged);
    WriteBytes(programCopy() + ".damaged", "an older one");

    ASSERT_EQ(save("New", 10), TopScoreStore::SaveStatus::Saved);

    EXPECT_TRUE(ReadBytes(programCopy()).startsWith("\"New\",10,3\r\n\"A\",5,1\r\n\"B\",4,1\r\n"));
    EXPECT_EQ(ReadBytes(programCopy() + ".damaged"), "an older one");
    EXPECT_EQ(ReadBytes(programCopy() + ".damaged2"), damaged);
}

TEST_F(ScoreFolders, ASaveReplacesALinkAndNeverWritesThroughIt)
{
    const QString decoy = root.filePath("decoy");
    WriteBytes(decoy, "\"Decoy\",500,2\r\n");
    Link(programCopy(), decoy);
    ASSERT_EQ(save("New", 600), TopScoreStore::SaveStatus::Saved);
    EXPECT_EQ(ReadBytes(decoy), "\"Decoy\",500,2\r\n");
    EXPECT_FALSE(QFileInfo(programCopy()).isSymLink());
    EXPECT_TRUE(ReadBytes(programCopy()).startsWith("\"New\",600,3\r\n\"Decoy\",500,2\r\n"));

    ASSERT_TRUE(QFile::remove(programCopy()));
    Link(programCopy(), root.filePath("nowhere"));
    ASSERT_EQ(save("New", 600), TopScoreStore::SaveStatus::Saved);
    EXPECT_FALSE(occupiedPath(root.filePath("nowhere")));
    EXPECT_TRUE(ReadBytes(programCopy()).startsWith("\"New\",600,3\r\n\"\",0,0\r\n"));
}

TEST_F(ScoreFolders, ASaveClearsAwayWhatCutOffSavesLeft)
{
    WriteBytes(programCopy() + ".a1B2c3", "half a tab");
    WriteBytes(programCopy() + ".damaged", "kept");
    ASSERT_EQ(save("New", 600), TopScoreStore::SaveStatus::Saved);
    EXPECT_EQ(programFiles(), QStringList({"TopScores.txt", "TopScores.txt.damaged"}));
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
        return scores.SaveTopScores({"Lost", 1000, 1}) == TopScoreStore::SaveStatus::Failed
            && !scores.lastError().isEmpty();
    });

    chmod(root.path().toLocal8Bit().constData(), 0777);
    chmod(programFolder().toLocal8Bit().constData(), 0777);
    EXPECT_TRUE(failedCleanly);
    EXPECT_EQ(ReadBytes(programCopy()), old);
    EXPECT_EQ(programFiles(), QStringList{"TopScores.txt"}) << "no temporary file is left behind";
}

} // namespace
} // namespace quillop
