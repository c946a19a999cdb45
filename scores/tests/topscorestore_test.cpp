// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scores/store/files.h"
#include "scores/store/topscorestore.h"
#include "tests/support/naming.h"
#include "tests/support/qtprinting.h"

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

using Status = TopScoreStore::LoadStatus;
using Saved = TopScoreStore::SaveStatus;

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

void Link(const QString& path, const QString& target)
{
    QDir().mkpath(QFileInfo(path).path());
    ASSERT_TRUE(QFile::link(target, path));
}

bool Occupied(const QString& path)
{
    return QFileInfo(path).exists() || QFileInfo(path).isSymLink();
}

mode_t Permissions(const QString& path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 0777 : 07777;
}

void SetPermissions(const QString& path, mode_t mode)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
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

QByteArray Written(const TopScoreTable& table)
{
    std::ostringstream out;
    WriteTopScores(out, table);
    return QByteArray::fromStdString(out.str());
}

// A whole table: P1 with 1000 down to P15 with 160.
QByteArray FullTable()
{
    TopScoreTable table;
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = {"P" + std::to_string(i + 1), 1000 - static_cast<std::int32_t>(i) * 60, 2};
    }
    return Written(table);
}

class ScoreFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        // Open to every user, so an unprivileged child can work inside.
        SetPermissions(root.path(), 0777);
        ASSERT_TRUE(QDir(root.path()).mkpath("program"));
        SetPermissions(programFolder(), 0777);
    }

    QString programFolder() const { return root.filePath("program"); }
    QString dataFolder(int player = 1) const { return root.filePath(QStringLiteral("home%1/quillop").arg(player)); }
    QString programCopy() const { return programFolder() + "/TopScores.txt"; }
    QString dataCopy() const { return dataFolder() + "/TopScores.txt"; }

    TopScoreStore store(int player = 1) const { return TopScoreStore(programFolder(), dataFolder(player)); }

    // Saves one result with a store of its own, as a copy of the game does.
    Saved save(const char* name, std::int32_t score, int player = 1) const
    {
        TopScoreStore scores = store(player);
        return scores.SaveTopScores({name, score, 3});
    }

    static QStringList filesIn(const QString& folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden);
    }

    QTemporaryDir root;
};

// What stands in the table's place, and what a load makes of it.
struct LoadCase {
    const char* name;
    std::function<void(const QString& path, const QString& folder)> make;
    Status status;
    TopScoreEntry first;
};

void PrintTo(const LoadCase& c, std::ostream* os)
{
    *os << c.name;
}

class Loading : public ScoreFolders, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(Loading, GivesFifteenEntriesAndSaysWhatItFoundWithoutTouchingTheFile)
{
    const LoadCase& c = GetParam();
    c.make(programCopy(), root.path());
    const QStringList before = filesIn(programFolder());
    const QByteArray bytes = QFileInfo(programCopy()).isFile() ? ReadBytes(programCopy()) : QByteArray();

    TopScoreTable table;
    table[0] = {"stale", 5, 3};
    TopScoreStore scores = store();
    EXPECT_EQ(scores.LoadTopScores(table), c.status);
    EXPECT_EQ(table[0], c.first);
    EXPECT_EQ(table[1], TopScoreEntry{});
    const bool clean = c.status == Status::Read || c.status == Status::Missing;
    EXPECT_EQ(scores.lastMessage().isEmpty(), clean) << "why it was not clean: " << scores.lastMessage().toStdString();
    EXPECT_EQ(filesIn(programFolder()), before);
    EXPECT_EQ(QFileInfo(programCopy()).isFile() ? ReadBytes(programCopy()) : QByteArray(), bytes);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Files, Loading,
    ::testing::Values(
        LoadCase{"Missing", [](auto&, auto&) {}, Status::Missing, {}},
        LoadCase{"Empty", [](auto& path, auto&) { WriteBytes(path, ""); }, Status::Missing, {}},
        LoadCase{"Whole", [](auto& path, auto&) { WriteBytes(path, "\"A\",5,1\r\n"); }, Status::Read, {"A", 5, 1}},
        LoadCase{"JunkLine",
                 [](auto& path, auto&) { WriteBytes(path, "junk\r\n\"A\",5,1\r\n"); },
                 Status::Damaged,
                 {"A", 5, 1}},
        LoadCase{"SavedAsUtf16",
                 [](auto& path, auto&) {
                     const QString text = QString::fromLatin1(FullTable());
                     WriteBytes(path,
                                "\xFF\xFE" + QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2));
                 },
                 Status::Unrecognised,
                 {}},
        LoadCase{
            "LongerThanAnyTable",
            [](auto& path, auto&) { WriteBytes(path, "\"A\",5,1\r\n" + QByteArray(TopScoreStore::MaxFileBytes, ' ')); },
            Status::Damaged,
            {"A", 5, 1}},
        LoadCase{"AFolder", [](auto& path, auto&) { ASSERT_TRUE(QDir().mkdir(path)); }, Status::Unreadable, {}},
        LoadCase{"APipeNoOneWritesTo",
                 [](auto& path, auto&) { ASSERT_EQ(::mkfifo(QFile::encodeName(path), 0644), 0); },
                 Status::Unreadable,
                 {}},
        LoadCase{"LinkToADevice", [](auto& path, auto&) { Link(path, "/dev/zero"); }, Status::Unreadable, {}},
        LoadCase{"LinkToAFile",
                 [](auto& path, auto& folder) {
                     WriteBytes(folder + "/decoy", "\"D\",7,2\r\n");
                     Link(path, folder + "/decoy");
                 },
                 Status::Read,
                 {"D", 7, 2}},
        LoadCase{
            "DanglingLink", [](auto& path, auto& folder) { Link(path, folder + "/nowhere"); }, Status::Missing, {}}),
    test::Named);
// clang-format on

TEST_F(ScoreFolders, SavesBesideTheProgramUntilThePlayersCopyExistsThenThere)
{
    ASSERT_EQ(save("ANNA", 950), Saved::Saved);
    EXPECT_TRUE(ReadBytes(programCopy()).startsWith("\"ANNA\",950,3\r\n\"\",0,0\r\n"));
    EXPECT_FALSE(QFile::exists(dataCopy()));

    WriteBytes(dataCopy(), "\"Mine\",700,4\r\n");
    TopScoreTable written;
    TopScoreStore scores = store();
    ASSERT_EQ(scores.SaveTopScores({"Newer", 800, 3}, &written), Saved::Saved);
    EXPECT_EQ(ReadBytes(dataCopy()), Written(written));
    EXPECT_TRUE(ReadBytes(dataCopy()).startsWith("\"Newer\",800,3\r\n\"Mine\",700,4\r\n"));
    EXPECT_TRUE(ReadBytes(programCopy()).startsWith("\"ANNA\",950,3\r\n"));
}

// What stands in the player's data folder that is not a table.
struct Shadow {
    const char* name;
    std::function<void(const QString& path, const QString& folder)> make;
};

void PrintTo(const Shadow& c, std::ostream* os)
{
    *os << c.name;
}

class NoTableInTheDataFolder : public ScoreFolders, public ::testing::WithParamInterface<Shadow> {};

TEST_P(NoTableInTheDataFolder, HidesNeitherTheProgramsTableNorItsNextSave)
{
    WriteBytes(programCopy(), FullTable());
    GetParam().make(dataCopy(), root.path());
    TopScoreTable table;
    TopScoreStore scores = store();
    EXPECT_EQ(scores.LoadTopScores(table), Status::Read);
    EXPECT_EQ(table[13].Name, "P14");

    ASSERT_EQ(save("New", 990), Saved::Saved);
    EXPECT_TRUE(ReadBytes(programCopy()).startsWith("\"P1\",1000,2\r\n\"New\",990,3\r\n\"P2\",940,2\r\n"));
    EXPECT_EQ(filesIn(dataFolder()), QStringList{"TopScores.txt"}) << "what the player made there stays";
    EXPECT_EQ(ReadBytes(dataCopy()), "");

    // A player who cannot write beside the program starts their own table
    // from the program's, in place of what stood there.
    SetPermissions(dataFolder(), 0777);
    SetPermissions(programFolder(), 0555);
    const bool ownCopy = Unprivileged([this] { return save("Mine", 995) == Saved::Saved; });
    SetPermissions(programFolder(), 0777);
    EXPECT_TRUE(ownCopy);
    EXPECT_TRUE(ReadBytes(dataCopy()).startsWith("\"P1\",1000,2\r\n\"Mine\",995,3\r\n\"New\",990,3\r\n"));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Obstacles, NoTableInTheDataFolder,
                         ::testing::Values(Shadow{"EmptyFile", [](auto& path, auto&) { WriteBytes(path, ""); }},
                                           Shadow{"DanglingLink",
                                                  [](auto& path, auto& folder) { Link(path, folder + "/nowhere"); }}),
                         test::Named);
// clang-format on

TEST_F(ScoreFolders, CopiesOfTheGameOfDifferentPlayersMeetAtTheLockBesideTheirTable)
{
    WriteBytes(programCopy(), "\"Old\",100,1\r\n");
    TopScoreStore first = store(1);
    TopScoreStore second = store(2);
    ASSERT_EQ(first.SaveTopScores({"First", 300, 2}), Saved::Saved);
    TopScoreTable written;
    ASSERT_EQ(second.SaveTopScores({"Second", 200, 2}, &written), Saved::Saved);
    EXPECT_TRUE(ReadBytes(programCopy()).startsWith("\"First\",300,2\r\n\"Second\",200,2\r\n\"Old\",100,1\r\n"));
    EXPECT_EQ(written[0].Name, "First") << "the second copy is told what the table now holds";

    // While one copy saves, the other waits for it, whoever plays it.
    const files::Lock busy(programCopy() + ".lock", 0);
    ASSERT_TRUE(busy.held());
    second.setLockWait(0);
    EXPECT_EQ(second.SaveTopScores({"Third", 400, 2}), Saved::Failed);
    EXPECT_TRUE(second.lastMessage().contains("another copy")) << second.lastMessage().toStdString();
    EXPECT_TRUE(ReadBytes(programCopy()).startsWith("\"First\",300,2\r\n"));
    EXPECT_FALSE(Occupied(dataFolder(2))) << "and never goes on to a table of its own";
}

// Something of the player's where the lock file goes.
class LockInTheWay : public ScoreFolders, public ::testing::WithParamInterface<Shadow> {};

TEST_P(LockInTheWay, StopsTheSaveAndSaysWhy)
{
    WriteBytes(programCopy(), "\"Old\",100,1\r\n");
    GetParam().make(programCopy() + ".lock", root.path());
    TopScoreStore scores = store();
    EXPECT_EQ(scores.SaveTopScores({"New", 200, 1}), Saved::Failed);
    EXPECT_TRUE(scores.lastMessage().contains("TopScores.txt.lock")) << scores.lastMessage().toStdString();
    EXPECT_EQ(ReadBytes(programCopy()), "\"Old\",100,1\r\n");
    EXPECT_FALSE(Occupied(dataFolder()));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Obstacles, LockInTheWay,
    ::testing::Values(Shadow{"AFolder", [](auto& path, auto&) { ASSERT_TRUE(QDir().mkdir(path)); }},
                      Shadow{"ALink",
                             [](auto& path, auto& folder) {
                                 WriteBytes(folder + "/decoy", "");
                                 Link(path, folder + "/decoy");
                             }},
                      Shadow{"APipe",
                             [](auto& path, auto&) { ASSERT_EQ(::mkfifo(QFile::encodeName(path), 0644), 0); }}),
    test::Named);
// clang-format on

TEST_F(ScoreFolders, AnUnreadableTableIsNeitherReplacedNorShadowed)
{
    ASSERT_TRUE(QDir().mkdir(programCopy()));
    EXPECT_EQ(save("New", 100), Saved::Unreadable);
    EXPECT_TRUE(QFileInfo(programCopy()).isDir());
    EXPECT_FALSE(Occupied(dataCopy()));
    ASSERT_TRUE(QDir().rmdir(programCopy()));

    WriteBytes(programCopy(), "\"Kept\",900,5\r\n");
    for (const mode_t mode : {0000u, 0200u}) { // nobody may read it
        SetPermissions(programCopy(), mode);
        SetPermissions(programFolder(), 0555); // and the player's own copy would hide it
        EXPECT_TRUE(Unprivileged([this] {
            TopScoreTable table;
            TopScoreStore scores = store();
            return scores.LoadTopScores(table) == Status::Unreadable && table == TopScoreTable{}
                   && scores.SaveTopScores({"New", 1000, 1}) == Saved::Unreadable && !scores.lastMessage().isEmpty();
        })) << "mode "
            << mode;
        SetPermissions(programFolder(), 0777);
    }
    SetPermissions(programCopy(), 0644);
    EXPECT_EQ(ReadBytes(programCopy()), "\"Kept\",900,5\r\n");
    EXPECT_FALSE(Occupied(dataCopy()));
}

TEST_F(ScoreFolders, ADamagedTableIsKeptAsideUpToWhatWasReadBeforeItIsReplaced)
{
    const QByteArray damaged("\"A\",5,1\r\nnot a score\r\n\"B\",4,1\r\n");
    WriteBytes(programCopy(), damaged);
    WriteBytes(programCopy() + ".damaged", "the player's own");
    TopScoreStore scores = store();
    ASSERT_EQ(scores.SaveTopScores({"New", 10, 3}), Saved::Saved);
    EXPECT_TRUE(ReadBytes(programCopy()).startsWith("\"New\",10,3\r\n\"A\",5,1\r\n\"B\",4,1\r\n"));
    EXPECT_EQ(ReadBytes(programCopy() + ".damaged"), "the player's own");
    EXPECT_EQ(ReadBytes(programCopy() + ".damaged2"), damaged);
    EXPECT_TRUE(scores.lastMessage().endsWith("kept aside as " + programCopy() + ".damaged2"))
        << scores.lastMessage().toStdString();

    // A table far longer than any the game writes: what was read of it.
    QFile big(programCopy());
    ASSERT_TRUE(big.open(QIODevice::WriteOnly | QIODevice::Truncate));
    big.write("\"Big\",7,1\r\n");
    ASSERT_TRUE(big.resize(64 * TopScoreStore::MaxFileBytes)); // a hole: no disk space
    big.close();
    ASSERT_EQ(scores.SaveTopScores({"New", 10, 3}), Saved::Saved);
    EXPECT_EQ(QFileInfo(programCopy() + ".damaged3").size(), TopScoreStore::MaxFileBytes);
    EXPECT_TRUE(ReadBytes(programCopy() + ".damaged3").startsWith("\"Big\",7,1\r\n"));
    EXPECT_TRUE(scores.lastMessage().contains("first 1048576 bytes")) << scores.lastMessage().toStdString();
}

// What stands in the table's place, and who may read the table that
// replaces it.
struct Replaced {
    const char* name;
    std::function<void(const QString& path, const QString& folder)> make;
    mode_t mode;
};

void PrintTo(const Replaced& c, std::ostream* os)
{
    *os << c.name;
}

class Replacing : public ScoreFolders, public ::testing::WithParamInterface<Replaced> {};

TEST_P(Replacing, NeverWritesThroughALinkNorWidensWhoMayRead)
{
    const QString decoy = root.filePath("decoy");
    WriteBytes(decoy, "\"Decoy\",500,2\r\n");
    SetPermissions(decoy, 0644);
    const mode_t mask = ::umask(022);
    GetParam().make(programCopy(), decoy);
    const Saved saved = save("New", 600);
    ::umask(mask);
    ASSERT_EQ(saved, Saved::Saved);
    EXPECT_EQ(ReadBytes(decoy), "\"Decoy\",500,2\r\n");
    EXPECT_FALSE(QFileInfo(programCopy()).isSymLink());
    EXPECT_TRUE(ReadBytes(programCopy()).startsWith("\"New\",600,3\r\n"));
    EXPECT_EQ(Permissions(programCopy()), GetParam().mode);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Tables, Replacing,
    ::testing::Values(Replaced{"Nothing", [](auto&, auto&) {}, 0644},
                      Replaced{"TheOwnersOnly",
                               [](auto& path, auto&) {
                                   WriteBytes(path, "\"Own\",5,1\r\n");
                                   SetPermissions(path, 0600);
                               },
                               0600},
                      Replaced{"ForTheGroup",
                               [](auto& path, auto&) {
                                   WriteBytes(path, "\"Own\",5,1\r\n");
                                   SetPermissions(path, 0664);
                               },
                               0664},
                      Replaced{"ALinkToAFile", [](auto& path, auto& decoy) { Link(path, decoy); }, 0600},
                      Replaced{"ADanglingLink", [](auto& path, auto& decoy) { Link(path, decoy + ".nowhere"); }, 0600}),
    test::Named);
// clang-format on

TEST_F(ScoreFolders, AResultTheTableNoLongerTakesChangesNothingAndSaysSo)
{
    WriteBytes(programCopy(), FullTable());
    TopScoreStore scores = store();
    TopScoreTable written;
    EXPECT_EQ(scores.SaveTopScores({"Late", 160, 1}, &written), Saved::NotPlaced);
    EXPECT_EQ(Written(written), FullTable());
    EXPECT_FALSE(scores.lastMessage().isEmpty());
    EXPECT_EQ(ReadBytes(programCopy()), FullTable());
}

// Where the table lives, beside the program or in the player's data folder.
class Cleaning : public ScoreFolders, public ::testing::WithParamInterface<bool> {};

TEST_P(Cleaning, ASaveRemovesOnlyWhatItsOwnCutOffSavesLeft)
{
    const bool inData = GetParam();
    const QString table = inData ? dataCopy() : programCopy();
    WriteBytes(table, "\"Old\",100,1\r\n");
    const QStringList players{"TopScores.txt.backup", "TopScores.txt.before",   "TopScores.txt.XyZ123",
                              "TopScores.txt.bak",    "TopScores.txt.saving-1", "TopScores.txt.saving-abcdefg"};
    for (const QString& name : players) {
        WriteBytes(QFileInfo(table).dir().filePath(name), "the player's");
    }
    WriteBytes(table + ".saving-a1B2c3", "half a tab");
    Link(table + ".saving-Link00", root.filePath("decoy"));
    ASSERT_EQ(save("New", 600), Saved::Saved);

    QStringList left = players;
    left << "TopScores.txt"
         << "TopScores.txt.lock"
         << "TopScores.txt.saving-Link00";
    left.sort(Qt::CaseInsensitive);
    EXPECT_EQ(filesIn(QFileInfo(table).path()), left);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Folders, Cleaning, ::testing::Bool(),
                         [](const auto& c) { return c.param ? "PlayersDataFolder" : "ProgramFolder"; });
// clang-format on

TEST_F(ScoreFolders, AFailedSaveReportsItAndLeavesTheOldTableIntact)
{
    const QByteArray old("\"Keep\",900,5\r\n");
    WriteBytes(programCopy(), old);
    SetPermissions(programFolder(), 0555);
    // The data folder cannot be made either: its parent is read-only too.
    SetPermissions(root.path(), 0555);

    const bool failedCleanly = Unprivileged([this] {
        TopScoreStore scores = store();
        return scores.SaveTopScores({"Lost", 1000, 1}) == Saved::Failed && !scores.lastMessage().isEmpty();
    });

    SetPermissions(root.path(), 0777);
    SetPermissions(programFolder(), 0777);
    EXPECT_TRUE(failedCleanly);
    EXPECT_EQ(ReadBytes(programCopy()), old);
    EXPECT_EQ(filesIn(programFolder()), QStringList{"TopScores.txt"}) << "no temporary file is left behind";
}

} // namespace
} // namespace quillop
