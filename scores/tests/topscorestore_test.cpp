// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scores/store/files.h"
#include "scores/store/topscorestore.h"
#include "tests/support/files.h"
#include "tests/support/naming.h"
#include "tests/support/qtprinting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quillop {
namespace {

using Status = TopScoreStore::LoadStatus;
using Saved = TopScoreStore::SaveStatus;

using test::readBytes;
using test::writeBytes;

bool occupied(const QString& path)
{
    return QFileInfo(path).exists() || QFileInfo(path).isSymLink();
}

mode_t permissions(const QString& path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 0777 : 07777;
}

void setPermissions(const QString& path, mode_t mode)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

// What a test puts at a path; links lead into the test's root folder,
// which holds a decoy table ("D", 7, level 2).
using Place = std::function<void(const QString& path, const QString& root)>;
const Place Nothing = [](auto&, auto&) {};
const Place AFolder = [](auto& path, auto&) { ASSERT_TRUE(QDir().mkpath(path)); };
const Place APipe = [](auto& path, auto&) {
    QDir().mkpath(QFileInfo(path).path());
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
};
Place bytes(const QByteArray& bytes, mode_t mode = 0644)
{
    return [=](auto& path, auto&) {
        writeBytes(path, bytes);
        setPermissions(path, mode);
    };
}
Place linkTo(const QString& target)
{
    return [=](auto& path, auto& root) {
        QDir().mkpath(QFileInfo(path).path());
        ASSERT_TRUE(QFile::link(target.startsWith(QLatin1Char('/')) ? target : root + QLatin1Char('/') + target, path));
    };
}
const QByteArray Decoy("\"D\",7,2\r\n");

// Runs the check where folder permissions hold: as root, in a child process
// that has dropped to an unprivileged user. Returns the check's result.
bool unprivileged(const std::function<bool()>& check)
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

QByteArray tableBytes(const TopScoreTable& table)
{
    std::ostringstream out;
    writeTopScores(out, table);
    return QByteArray::fromStdString(out.str());
}

// A whole table: P1 with 1000 down to P15 with 160.
QByteArray fullTable()
{
    TopScoreTable table;
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = {"P" + std::to_string(i + 1), 1000 - static_cast<std::int32_t>(i) * 60, 2};
    }
    return tableBytes(table);
}

QByteArray utf16(const QByteArray& latin1)
{
    const QString text = QString::fromLatin1(latin1);
    return "\xFF\xFE" + QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

class ScoreFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        // Open to every user, so an unprivileged child can work inside.
        setPermissions(root.path(), 0777);
        ASSERT_TRUE(QDir(root.path()).mkpath("program"));
        setPermissions(programFolder(), 0777);
        writeBytes(root.filePath("decoy"), Decoy);
    }

    QString programFolder() const { return root.filePath("program"); }
    QString dataFolder(int player = 1) const { return root.filePath(QStringLiteral("home%1/quillop").arg(player)); }
    QString programCopy() const { return programFolder() + "/TopScores.txt"; }
    QString dataCopy() const { return dataFolder() + "/TopScores.txt"; }
    void place(const Place& what, const QString& path) const { what(path, root.path()); }

    TopScoreStore store(int player = 1) const { return TopScoreStore(programFolder(), dataFolder(player)); }

    // Saves one result with a store of its own, as a copy of the game does.
    Saved save(const char* name, std::int32_t score, int player = 1) const
    {
        return store(player).SaveTopScores({name, score, 3}).status;
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
    Place table;
    Status status;
    TopScoreEntry first;

    friend void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }
};

class Loading : public ScoreFolders, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(Loading, GivesFifteenEntriesAndSaysWhatItFoundWithoutTouchingTheFile)
{
    const LoadCase& c = GetParam();
    place(c.table, programCopy());
    const QStringList before = filesIn(programFolder());
    const QByteArray bytes = QFileInfo(programCopy()).isFile() ? readBytes(programCopy()) : QByteArray();

    const TopScoreStore::TableRead read = store().LoadTopScores();
    EXPECT_EQ(read.status, c.status);
    EXPECT_EQ(read.table[0], c.first);
    EXPECT_EQ(read.table[1], TopScoreEntry{});
    const bool clean = c.status == Status::Read || c.status == Status::Missing;
    EXPECT_EQ(read.problem.isEmpty(), clean) << "why it was not clean: " << read.problem.toStdString();
    EXPECT_EQ(filesIn(programFolder()), before);
    EXPECT_EQ(QFileInfo(programCopy()).isFile() ? readBytes(programCopy()) : QByteArray(), bytes);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Files, Loading,
    ::testing::Values(
        LoadCase{"Missing", Nothing, Status::Missing, {}},
        LoadCase{"Empty", bytes(""), Status::Missing, {}},
        LoadCase{"Whole", bytes("\"A\",5,1\r\n"), Status::Read, {"A", 5, 1}},
        LoadCase{"JunkLine", bytes("junk\r\n\"A\",5,1\r\n"), Status::Damaged, {"A", 5, 1}},
        LoadCase{"SavedAsUtf16", bytes(utf16(fullTable())), Status::Unrecognised, {}},
        LoadCase{"ALineLongerThanAnyEntry", bytes("\"A\",5,1\r\n" + QByteArray(TopScoreStore::MaxFileBytes, ' ')),
                 Status::Damaged, {"A", 5, 1}},
        LoadCase{"LongerThanAnyTable",
                 bytes("\"A\",5,1\r\n" + QByteArray("\"\",0,0\r\n").repeated(TopScoreStore::MaxFileBytes / 8)),
                 Status::Damaged, {"A", 5, 1}},
        LoadCase{"AFolder", AFolder, Status::Unreadable, {}},
        LoadCase{"APipeNoOneWritesTo", APipe, Status::Unreadable, {}},
        LoadCase{"LinkToADevice", linkTo("/dev/zero"), Status::Unreadable, {}},
        LoadCase{"LinkToAFile", linkTo("decoy"), Status::Read, {"D", 7, 2}},
        LoadCase{"DanglingLink", linkTo("nowhere"), Status::Missing, {}}),
    test::Named);
// clang-format on

TEST_F(ScoreFolders, SavesBesideTheProgramUntilThePlayersCopyExistsThenThere)
{
    ASSERT_EQ(save("ANNA", 950), Saved::Saved);
    EXPECT_TRUE(readBytes(programCopy()).startsWith("\"ANNA\",950,3\r\n\"\",0,0\r\n"));
    EXPECT_FALSE(QFile::exists(dataCopy()));

    writeBytes(dataCopy(), "\"Mine\",700,4\r\n");
    const TopScoreStore::TableSaved saved = store().SaveTopScores({"Newer", 800, 3});
    ASSERT_EQ(saved.status, Saved::Saved);
    EXPECT_EQ(readBytes(dataCopy()), tableBytes(saved.table));
    EXPECT_TRUE(readBytes(dataCopy()).startsWith("\"Newer\",800,3\r\n\"Mine\",700,4\r\n"));
    EXPECT_TRUE(readBytes(programCopy()).startsWith("\"ANNA\",950,3\r\n"));
}

// Something of the player's that is not a table, where the data folder's
// table or the lock goes.
struct Shadow {
    const char* name;
    Place what;

    friend void PrintTo(const Shadow& c, std::ostream* os) { *os << c.name; }
};

class NoTableInTheDataFolder : public ScoreFolders, public ::testing::WithParamInterface<Shadow> {};

TEST_P(NoTableInTheDataFolder, HidesNeitherTheProgramsTableNorItsNextSave)
{
    writeBytes(programCopy(), fullTable());
    place(GetParam().what, dataCopy());
    const TopScoreStore::TableRead read = store().LoadTopScores();
    EXPECT_EQ(read.status, Status::Read);
    EXPECT_EQ(read.table[13].Name, "P14");

    ASSERT_EQ(save("New", 990), Saved::Saved);
    EXPECT_TRUE(readBytes(programCopy()).startsWith("\"P1\",1000,2\r\n\"New\",990,3\r\n\"P2\",940,2\r\n"));
    EXPECT_EQ(filesIn(dataFolder()), QStringList{"TopScores.txt"}) << "what the player made there stays";
    EXPECT_EQ(readBytes(dataCopy()), "");

    // A player who cannot write beside the program starts their own table
    // from the program's, in place of what stood there.
    setPermissions(dataFolder(), 0777);
    setPermissions(programFolder(), 0555);
    const bool ownCopy = unprivileged([this] { return save("Mine", 995) == Saved::Saved; });
    setPermissions(programFolder(), 0777);
    EXPECT_TRUE(ownCopy);
    EXPECT_TRUE(readBytes(dataCopy()).startsWith("\"P1\",1000,2\r\n\"Mine\",995,3\r\n\"New\",990,3\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Obstacles, NoTableInTheDataFolder,
                         ::testing::Values(Shadow{"EmptyFile", bytes("")}, Shadow{"DanglingLink", linkTo("nowhere")}),
                         test::Named);

class LockInTheWay : public ScoreFolders, public ::testing::WithParamInterface<Shadow> {};

TEST_P(LockInTheWay, StopsTheSaveAndSaysWhy)
{
    writeBytes(programCopy(), "\"Old\",100,1\r\n");
    place(GetParam().what, programCopy() + ".lock");
    const TopScoreStore::TableSaved saved = store().SaveTopScores({"New", 200, 1});
    EXPECT_EQ(saved.status, Saved::Failed);
    EXPECT_TRUE(saved.problem.contains("TopScores.txt.lock")) << saved.problem.toStdString();
    EXPECT_EQ(readBytes(programCopy()), "\"Old\",100,1\r\n");
    EXPECT_FALSE(occupied(dataFolder()));
}

INSTANTIATE_TEST_SUITE_P(Obstacles, LockInTheWay,
                         ::testing::Values(Shadow{"AFolder", AFolder}, Shadow{"ALink", linkTo("decoy")},
                                           Shadow{"APipe", APipe}),
                         test::Named);

TEST_F(ScoreFolders, CopiesOfTheGameOfDifferentPlayersMeetAtTheLockBesideTheirTable)
{
    writeBytes(programCopy(), "\"Old\",100,1\r\n");
    TopScoreStore first = store(1);
    TopScoreStore second = store(2);
    ASSERT_EQ(first.SaveTopScores({"First", 300, 2}).status, Saved::Saved);
    const TopScoreStore::TableSaved saved = second.SaveTopScores({"Second", 200, 2});
    ASSERT_EQ(saved.status, Saved::Saved);
    EXPECT_TRUE(readBytes(programCopy()).startsWith("\"First\",300,2\r\n\"Second\",200,2\r\n\"Old\",100,1\r\n"));
    EXPECT_EQ(saved.table[0].Name, "First") << "the second copy is told what the table now holds";

    // While one copy saves, the other waits for it, whoever plays it.
    const files::Lock busy(programCopy() + ".lock", 0);
    ASSERT_TRUE(busy.outcome().done());
    second.setLockWait(0);
    const TopScoreStore::TableSaved waited = second.SaveTopScores({"Third", 400, 2});
    EXPECT_EQ(waited.status, Saved::Busy);
    EXPECT_TRUE(waited.problem.contains(QStringLiteral("held by process %1 (").arg(::getpid())))
        << waited.problem.toStdString();
    EXPECT_TRUE(readBytes(programCopy()).startsWith("\"First\",300,2\r\n"));
    EXPECT_FALSE(occupied(dataFolder(2))) << "and never goes on to a table of its own";
}

TEST_F(ScoreFolders, AnUnreadableTableIsNeitherReplacedNorShadowed)
{
    ASSERT_TRUE(QDir().mkdir(programCopy()));
    EXPECT_EQ(save("New", 100), Saved::Unreadable);
    EXPECT_TRUE(QFileInfo(programCopy()).isDir());
    EXPECT_FALSE(occupied(dataCopy()));
    ASSERT_TRUE(QDir().rmdir(programCopy()));

    writeBytes(programCopy(), "\"Kept\",900,5\r\n");
    for (const mode_t mode : {0000u, 0200u}) { // nobody may read it
        setPermissions(programCopy(), mode);
        setPermissions(programFolder(), 0555); // and the player's own copy would hide it
        EXPECT_TRUE(unprivileged([this] {
            const TopScoreStore::TableRead read = store().LoadTopScores();
            const TopScoreStore::TableSaved saved = store().SaveTopScores({"New", 1000, 1});
            return read.status == Status::Unreadable && read.table == TopScoreTable{}
                   && saved.status == Saved::Unreadable && !saved.problem.isEmpty();
        })) << "mode "
            << mode;
        setPermissions(programFolder(), 0777);
    }
    setPermissions(programCopy(), 0644);
    EXPECT_EQ(readBytes(programCopy()), "\"Kept\",900,5\r\n");
    EXPECT_FALSE(occupied(dataCopy()));
}

TEST_F(ScoreFolders, ADamagedTableIsKeptAsideWholeBeforeItIsReplaced)
{
    const QByteArray damaged("\"A\",5,1\r\nnot a score\r\n\"B\",4,1\r\n");
    writeBytes(programCopy(), damaged);
    writeBytes(programCopy() + ".damaged", "the player's own");
    const TopScoreStore scores = store();
    const TopScoreStore::TableSaved saved = scores.SaveTopScores({"New", 10, 3});
    ASSERT_EQ(saved.status, Saved::Saved);
    EXPECT_TRUE(readBytes(programCopy()).startsWith("\"New\",10,3\r\n\"A\",5,1\r\n\"B\",4,1\r\n"));
    EXPECT_EQ(readBytes(programCopy() + ".damaged"), "the player's own");
    EXPECT_EQ(readBytes(programCopy() + ".damaged2"), damaged);
    EXPECT_TRUE(saved.problem.endsWith("kept aside as " + programCopy() + ".damaged2")) << saved.problem.toStdString();

    // A first line far longer than any entry (a name of 2 MiB) is passed
    // over, not the fourteen entries after it; the table kept aside is the
    // whole file.
    QByteArray longLine = "\"" + QByteArray(2 * TopScoreStore::MaxFileBytes, 'x') + "\",9,1\r\n";
    for (int i = 2; i <= 15; ++i) {
        longLine += "\"P" + QByteArray::number(i) + "\"," + QByteArray::number(100 - i) + ",1\r\n";
    }
    writeBytes(programCopy(), longLine);
    const TopScoreStore::TableSaved long1 = scores.SaveTopScores({"New", 99, 3});
    ASSERT_EQ(long1.status, Saved::Saved);
    EXPECT_EQ(long1.table[0], (TopScoreEntry{"New", 99, 3}));
    EXPECT_EQ(long1.table[14], (TopScoreEntry{"P15", 85, 1})) << "every readable entry is kept";
    EXPECT_EQ(readBytes(programCopy() + ".damaged3"), longLine);
    EXPECT_TRUE(long1.problem.contains("1 lines longer than any entry")) << long1.problem.toStdString();

    // A table far longer than any the game writes: all of it, at no cost.
    QFile big(programCopy());
    ASSERT_TRUE(big.open(QIODevice::WriteOnly | QIODevice::Truncate));
    big.write("\"Big\",7,1\r\n");
    ASSERT_TRUE(big.resize(64 * TopScoreStore::MaxFileBytes)); // a hole: no disk space
    big.close();
    ASSERT_EQ(scores.SaveTopScores({"New", 10, 3}).status, Saved::Saved);
    EXPECT_EQ(QFileInfo(programCopy() + ".damaged4").size(), 64 * TopScoreStore::MaxFileBytes);
    EXPECT_TRUE(readBytes(programCopy() + ".damaged4").startsWith("\"Big\",7,1\r\n"));
}

TEST_F(ScoreFolders, OutOfFileDescriptorsIsToldAsSuchNotAsAnUnreadableTable)
{
    writeBytes(programCopy(), "\"A\",5,1\r\n");
    const TopScoreStore scores = store();
    // No descriptor is free below the limit: the next file opened fails.
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &before), 0);
    const int lowestFree = ::dup(0);
    ASSERT_GE(lowestFree, 0);
    ::close(lowestFree);
    rlimit tight = before;
    tight.rlim_cur = static_cast<rlim_t>(lowestFree);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &tight), 0);
    const TopScoreStore::TableRead loaded = scores.LoadTopScores();
    const TopScoreStore::TableSaved saved = scores.SaveTopScores({"New", 10, 3});
    ::setrlimit(RLIMIT_NOFILE, &before);

    EXPECT_EQ(loaded.status, Status::NotOpened);
    EXPECT_TRUE(loaded.problem.contains("Too many open files")) << loaded.problem.toStdString();
    EXPECT_EQ(saved.status, Saved::Failed);
    EXPECT_TRUE(saved.problem.contains("Too many open files")) << saved.problem.toStdString();
    EXPECT_EQ(readBytes(programCopy()), "\"A\",5,1\r\n");
}

// What stands in the table's place, and who may read the table that
// replaces it.
struct Replaced {
    const char* name;
    Place table;
    mode_t mode;

    friend void PrintTo(const Replaced& c, std::ostream* os) { *os << c.name; }
};

class Replacing : public ScoreFolders, public ::testing::WithParamInterface<Replaced> {};

TEST_P(Replacing, NeverWritesThroughALinkNorWidensWhoMayRead)
{
    const mode_t mask = ::umask(022);
    place(GetParam().table, programCopy());
    const Saved saved = save("New", 600);
    ::umask(mask);
    ASSERT_EQ(saved, Saved::Saved);
    EXPECT_EQ(readBytes(root.filePath("decoy")), Decoy);
    EXPECT_FALSE(QFileInfo(programCopy()).isSymLink());
    EXPECT_TRUE(readBytes(programCopy()).startsWith("\"New\",600,3\r\n"));
    EXPECT_EQ(permissions(programCopy()), GetParam().mode);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Tables, Replacing,
    ::testing::Values(Replaced{"Nothing", Nothing, 0644},
                      Replaced{"TheOwnersOnly", bytes("\"Own\",5,1\r\n", 0600), 0600},
                      Replaced{"ForTheGroup", bytes("\"Own\",5,1\r\n", 0664), 0664},
                      Replaced{"ALinkToAFile", linkTo("decoy"), 0600},
                      Replaced{"ADanglingLink", linkTo("nowhere"), 0600}),
    test::Named);
// clang-format on

TEST_F(ScoreFolders, AResultTheTableNoLongerTakesChangesNothingAndSaysSo)
{
    writeBytes(programCopy(), fullTable());
    const TopScoreStore::TableSaved saved = store().SaveTopScores({"Late", 160, 1});
    EXPECT_EQ(saved.status, Saved::NotPlaced);
    EXPECT_EQ(tableBytes(saved.table), fullTable());
    EXPECT_FALSE(saved.problem.isEmpty());
    EXPECT_EQ(readBytes(programCopy()), fullTable());
}

// Where the table lives, beside the program or in the player's data folder.
class Cleaning : public ScoreFolders, public ::testing::WithParamInterface<bool> {};

TEST_P(Cleaning, ASaveRemovesOnlyWhatItsOwnCutOffSavesLeft)
{
    const QString table = GetParam() ? dataCopy() : programCopy();
    writeBytes(table, "\"Old\",100,1\r\n");
    const QStringList players{".backup", ".before", ".XyZ123", ".bak", ".saving-1", ".saving-abcdefg"};
    QStringList left{"TopScores.txt", "TopScores.txt.lock", "TopScores.txt.saving-Link00"};
    for (const QString& suffix : players) {
        writeBytes(table + suffix, "the player's");
        left << "TopScores.txt" + suffix;
    }
    writeBytes(table + ".saving-a1B2c3", "half a tab");
    place(linkTo("nowhere"), table + ".saving-Link00");
    ASSERT_EQ(save("New", 600), Saved::Saved);
    left.sort(Qt::CaseInsensitive);
    EXPECT_EQ(filesIn(QFileInfo(table).path()), left);
}

INSTANTIATE_TEST_SUITE_P(Folders, Cleaning, ::testing::Bool(),
                         [](const auto& c) { return c.param ? "PlayersDataFolder" : "ProgramFolder"; });

TEST_F(ScoreFolders, AFailedSaveReportsItAndLeavesTheOldTableIntact)
{
    const QByteArray old("\"Keep\",900,5\r\n");
    writeBytes(programCopy(), old);
    setPermissions(programFolder(), 0555);
    // The data folder cannot be made either: its parent is read-only too.
    setPermissions(root.path(), 0555);

    const bool failedCleanly = unprivileged([this] {
        const TopScoreStore::TableSaved saved = store().SaveTopScores({"Lost", 1000, 1});
        return saved.status == Saved::Failed && !saved.problem.isEmpty();
    });

    setPermissions(root.path(), 0777);
    setPermissions(programFolder(), 0777);
    EXPECT_TRUE(failedCleanly);
    EXPECT_EQ(readBytes(programCopy()), old);
    EXPECT_EQ(filesIn(programFolder()), QStringList{"TopScores.txt"}) << "no temporary file is left behind";
}

} // namespace
} // namespace quillop
