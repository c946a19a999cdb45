// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scores/store/files.h"
#include "scores/ui/frmhighscores.h"
#include "shell/tests/shelltesting.h"
#include "tests/support/files.h"
#include "tests/support/naming.h"
#include "tests/support/qtprinting.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace quillop::test {
namespace {

// The window on its own, over a table in a folder of the test's, with a
// result of 500 at level 6 when a name is awaited.
class HighScoreWindow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(programFolder())); }

    frmHighScores& openWith(bool namePending)
    {
        pending = namePending;
        opened = std::make_unique<frmHighScores>(host, HighScoreState{.store = store,
                                                                      .TopScores = table,
                                                                      .NewHighScorePending = pending,
                                                                      .Score = 500,
                                                                      .Level = 6,
                                                                      .alreadyRead = {}});
        opened->show();
        return *opened;
    }

    QString programFolder() const { return root.filePath(QStringLiteral("program")); }

    void writeScores(const QByteArray& bytes) const { writeBytes(programFolder() + "/TopScores.txt", bytes); }
    QByteArray scoreFile() const { return readBytes(programFolder() + "/TopScores.txt"); }

    static QLineEdit* nameBox(const frmHighScores& window) { return find<QLineEdit>(window, "txtControl"); }

    // A cell of a row, counted from 0: "lblName", 3 is the fourth row's name.
    static QLabel* cell(const frmHighScores& window, const char* column, int index)
    {
        return find<QLabel>(window, QStringLiteral("%1(%2)").arg(QLatin1String(column)).arg(index));
    }

    static QStringList row(const frmHighScores& window, int position)
    {
        QStringList texts;
        for (const char* column : {"lblPosition", "lblName", "lblScore", "lblLevel"}) {
            texts << cell(window, column, position - 1)->text();
        }
        return texts;
    }

    QTemporaryDir root;
    TopScoreStore store{programFolder(), root.filePath(QStringLiteral("data"))};
    TopScoreTable table{};
    bool pending = false;
    RecordingHost<> host;
    std::unique_ptr<frmHighScores> opened;
};

TEST_F(HighScoreWindow, ShowsFifteenNumberedRowsWithBlankEmptySlots)
{
    writeScores("\"ANNA\",1234567,4\r\n\"\",950,2\r\n\"ZERO\",0,9\r\n\"Zo\xC3\xA9\",-5,1\r\n");
    const frmHighScores& window = openWith(false);

    EXPECT_EQ(row(window, 1), QStringList({"1", "ANNA", "1,234,567", "4"}));
    EXPECT_EQ(row(window, 2), QStringList({"2", "", "950", "2"}));
    EXPECT_EQ(row(window, 3), QStringList({"3", "", "", ""}));
    EXPECT_EQ(row(window, 4), QStringList({"4", QStringLiteral("Zo\u00C3\u00A9"), "-5", "1"}))
        << "names are Windows-1252, one byte a character, whatever else they might be";
    EXPECT_EQ(row(window, 15), QStringList({"15", "", "", ""}));
    EXPECT_EQ(cell(window, "lblScore", 14)->geometry(), QRect(248, 53 + 28 * 15, 105, 23));
    EXPECT_EQ(std::pair(find<QWidget>(window, "frameNewScore")->isVisible(), find(window, "lblOk")->isEnabled()),
              std::pair(false, true));
}

// What the player types, what the box holds, and the bytes the file gets.
struct TypedName {
    const char* name;
    QString typed;
    QString kept;
    QByteArray stored;

    friend void PrintTo(const TypedName& c, std::ostream* os) { *os << c.name; }
};

class NameEntry : public HighScoreWindow, public ::testing::WithParamInterface<TypedName> {};

// Types each character as a key press carrying it, as a keyboard layout or
// an input method delivers characters beyond ASCII.
void type(QWidget* box, const QString& text)
{
    for (const char32_t c : text.toUcs4()) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUcs4(&c, 1));
        QApplication::sendEvent(box, &press);
    }
}

TEST_P(NameEntry, KeepsWhatTheFileCanHoldOneByteACharacter)
{
    const TypedName& c = GetParam();
    frmHighScores& window = openWith(true);
    type(nameBox(window), c.typed);
    EXPECT_EQ(nameBox(window)->text(), c.kept);
    QTest::keyClick(nameBox(window), Qt::Key_Return);
    EXPECT_TRUE(scoreFile().startsWith("\"" + c.stored + "\",500,6\r\n")) << scoreFile().left(40).toHex(' ').data();
    EXPECT_EQ(row(window, 1)[1], c.kept) << "the name shown is the name kept";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Names, NameEntry,
    ::testing::Values(TypedName{"TwelveAtMost", "ABCDEFGHIJKLMNOP", "ABCDEFGHIJKL", "ABCDEFGHIJKL"},
                      TypedName{"NoQuote", "A\"B", "AB", "AB"},
                      TypedName{"AccentsInOneByte", QStringLiteral("Zo\u00EB \u20AC"),
                                QStringLiteral("Zo\u00EB \u20AC"), "Zo\xEB \x80"},
                      TypedName{"NothingBeyondTheSet", QStringLiteral("A\u03A9\u4E2D\U0001F600B"), "AB", "AB"}),
    Named);
// clang-format on

TEST_F(HighScoreWindow, NamesWiderThanTheirCellStayOnOneLineInIt)
{
    writeScores("\"WWWWWWWWWWWW\",900,3\r\n\"" + QByteArray(300, 'M') + "\",800,2\r\n");
    const frmHighScores& window = openWith(false);
    for (const int i : {0, 1}) {
        const QLabel* name = cell(window, "lblName", i);
        EXPECT_TRUE(name->text().endsWith(QChar(0x2026))) << name->text().toStdString();
        EXPECT_LE(name->fontMetrics().horizontalAdvance(name->text()), name->width());
        EXPECT_FALSE(name->wordWrap());
    }
}

TEST_F(HighScoreWindow, EscapeWaitsForTheNameThenLeavesAtTheWindowsPlace)
{
    writeScores("\"Zo\xEB\",9000,2\r\n");
    frmHighScores& window = openWith(true);
    EXPECT_EQ(std::pair(find<QWidget>(window, "frameNewScore")->isVisible(), find(window, "lblOk")->isEnabled()),
              std::pair(true, false));
    EXPECT_EQ(row(window, 1)[1], QStringLiteral("Zo\u00EB"));

    QTest::keyClick(nameBox(window), Qt::Key_Escape);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(host.asked.isEmpty());

    nameBox(window)->insert(QStringLiteral(" Bo "));
    QTest::keyClick(nameBox(window), Qt::Key_Enter, Qt::ShiftModifier);
    EXPECT_FALSE(pending);
    EXPECT_FALSE(find<QWidget>(window, "frameNewScore")->isVisible());
    EXPECT_EQ(row(window, 2), QStringList({"2", QStringLiteral(" Bo "), "500", "6"}));
    EXPECT_TRUE(scoreFile().startsWith("\"Zo\xEB\",9000,2\r\n\" Bo \",500,6\r\n\"\",0,0\r\n"));
    EXPECT_EQ(scoreFile().count("\r\n"), 15);

    window.move(90, 80);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(host.asked, QStringList{"menu from 90,80"});
}

TEST_F(HighScoreWindow, ATableInUseIsTriedAgainWhileTheWindowAnswersAndTheNameWaits)
{
    writeScores("\"Old\",100,1\r\n");
    frmHighScores& window = openWith(true);
    QTest::keyClicks(nameBox(window), QStringLiteral("Ann"));
    auto held = std::make_unique<files::Lock>(programFolder() + "/TopScores.txt.lock", 0);
    ASSERT_TRUE(held->outcome().done());

    QTest::keyClick(nameBox(window), Qt::Key_Return);
    const QLabel* notice = find<QLabel>(window, "lblStoreNotice");
    EXPECT_EQ(notice->text(), QStringLiteral("The score table is in use; trying again."));
    EXPECT_TRUE(pending) << "the name still waits";
    EXPECT_TRUE(find<QWidget>(window, "frameNewScore")->isVisible());
    QTest::keyClick(nameBox(window), Qt::Key_A); // the window answers meanwhile
    EXPECT_EQ(nameBox(window)->text(), QStringLiteral("Anna"));
    EXPECT_EQ(scoreFile(), "\"Old\",100,1\r\n");

    held.reset(); // the other process lets go: the next try saves
    EXPECT_TRUE(QTest::qWaitFor([&] { return !pending; }, 5 * frmHighScores::RetryMs));
    EXPECT_FALSE(notice->isVisible());
    EXPECT_TRUE(scoreFile().startsWith("\"Anna\",500,6\r\n\"Old\",100,1\r\n"));
}

// What stands where the table goes (no file when null, a folder when
// "/"), what the window tells the player of it as it opens, and what the
// log is told.
struct OpenedOn {
    const char* name;
    const char* file;
    const char* notice;
    const char* logged;

    friend void PrintTo(const OpenedOn& c, std::ostream* os) { *os << c.name; }
};

class TableNotice : public HighScoreWindow, public ::testing::WithParamInterface<OpenedOn> {};

TEST_P(TableNotice, TellsThePlayerWhatTheyMustKnowAndTheLogWhy)
{
    const OpenedOn& c = GetParam();
    if (c.file != nullptr && QByteArray(c.file) == "/") {
        ASSERT_TRUE(QDir(programFolder()).mkdir("TopScores.txt"));
    } else if (c.file != nullptr) {
        writeScores(QByteArray::fromRawData(c.file, static_cast<qsizetype>(std::char_traits<char>::length(c.file))));
    }
    const LoggedWarnings log;
    const frmHighScores& window = openWith(false);
    const QLabel* notice = find<QLabel>(window, "lblStoreNotice");
    EXPECT_EQ(notice->isVisible() ? notice->text() : QString(), QLatin1String(c.notice));
    EXPECT_TRUE(log.text().contains(QLatin1String(c.logged))) << log.text().toStdString();
    EXPECT_EQ(log.text().isEmpty(), *c.logged == 0) << log.text().toStdString();
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Tables, TableNotice,
    ::testing::Values(
        OpenedOn{"Whole", "\"A\",5,1\r\n", "", ""},
        OpenedOn{"Missing", nullptr, "", ""},
        OpenedOn{"AFolder", "/", "The score table could not be read.", "quillop: the top scores could not be read: "},
        OpenedOn{"Damaged", "\"A\",5,1\r\nnot a score\r\n", "Part of the score table could not be read.",
                 "TopScores.txt: 1 entries could not be read"},
        OpenedOn{"NothingReadable", "\xFF\xFE\"\1A\1\"\1,\1" "5\1,\1" "1\1\r\1\n\1", "The score table could not be read.",
                 "quillop: the top scores could not be read: "}),
    Named);
// clang-format on

// What happens to the table between the window's opening and Enter, what
// the window then says, and the rows and file after: the result (500 at
// level 6) goes where the table on disk puts it, or stays on screen only.
struct Meanwhile {
    const char* name;
    std::function<void(TopScoreStore& store, const QString& folder)> happen;
    const char* notice; // none when empty
    QStringList first, second, last;
    QByteArray fileStart;

    friend void PrintTo(const Meanwhile& c, std::ostream* os) { *os << c.name; }
};

class SaveOutcome : public HighScoreWindow, public ::testing::WithParamInterface<Meanwhile> {};

TEST_P(SaveOutcome, ShowsWhatIsOnDiskAndSaysWhatWasNotKept)
{
    const Meanwhile& c = GetParam();
    writeScores("\"Old\",100,1\r\n");
    frmHighScores& window = openWith(true);
    c.happen(store, programFolder());
    QTest::keyClick(nameBox(window), Qt::Key_Return);
    const QLabel* notice = find<QLabel>(window, "lblStoreNotice");
    EXPECT_EQ(notice->isVisible() ? notice->text() : QString(), QLatin1String(c.notice));
    EXPECT_EQ(row(window, 1), c.first);
    EXPECT_EQ(row(window, 2), c.second);
    EXPECT_EQ(row(window, 15), c.last);
    EXPECT_TRUE(scoreFile().startsWith(c.fileStart)) << scoreFile().left(60).toStdString();
}

QByteArray fullOfRivals()
{
    QByteArray full;
    for (int i = 1; i <= 15; ++i) {
        full += "\"Rival\"," + QByteArray::number(1000 + i) + ",9\r\n";
    }
    return full;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Saves, SaveOutcome,
    ::testing::Values(
        Meanwhile{"AnotherCopySaved",
                  [](TopScoreStore&, const QString& folder) {
                      TopScoreStore(folder, QString()).SaveTopScores({"Rival", 900, 8});
                  },
                  "", {"1", "Rival", "900", "8"}, {"2", "", "500", "6"}, {"15", "", "", ""},
                  "\"Rival\",900,8\r\n\"\",500,6\r\n\"Old\",100,1\r\n"},
        Meanwhile{"BetterScoresFilledTheTable",
                  [](TopScoreStore&, const QString& folder) { writeBytes(folder + "/TopScores.txt", fullOfRivals()); },
                  "Better scores filled the table meanwhile.", {"1", "Rival", "1,001", "9"},
                  {"2", "Rival", "1,002", "9"}, {"15", "Rival", "1,015", "9"}, fullOfRivals()},
        Meanwhile{"NoFolderCanBeWritten",
                  [](TopScoreStore& store, const QString& folder) {
                      // Both folders lie under a plain file.
                      store = TopScoreStore(folder + "/TopScores.txt/sub", folder + "/TopScores.txt/sub");
                  },
                  "This score could not be saved.", {"1", "", "500", "6"}, {"2", "Old", "100", "1"},
                  {"15", "", "", ""}, "\"Old\",100,1\r\n"},
        Meanwhile{"TheTableBecameUnreadable",
                  [](TopScoreStore&, const QString& folder) {
                      QFile::remove(folder + "/TopScores.txt");
                      ASSERT_TRUE(QDir(folder).mkdir("TopScores.txt"));
                  },
                  "The score table could not be read, so this score was not saved.", {"1", "", "500", "6"},
                  {"2", "Old", "100", "1"}, {"15", "", "", ""}, ""}),
    Named);
// clang-format on

} // namespace
} // namespace quillop::test
