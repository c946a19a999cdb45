// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scores/core/topscores.h"
#include "tests/support/naming.h"

#include <gtest/gtest.h>

#include <locale>

#include <sstream>

namespace quillop {
namespace {

TopScoreTable descending(std::int32_t top, std::int32_t step)
{
    TopScoreTable table;
    for (std::size_t i = 0; i < table.size(); ++i) {
        std::string name = "P"; // built in two steps: GCC 12 at -O3 warns falsely on "P" + string
        name += std::to_string(i + 1);
        table[i] = {name, top - static_cast<std::int32_t>(i) * step, static_cast<std::int16_t>(15 - i)};
    }
    return table;
}

std::string written(const TopScoreTable& table)
{
    std::ostringstream out;
    writeTopScores(out, table);
    return out.str();
}

TopScoreTable read(const std::string& text)
{
    std::istringstream in(text);
    return readTopScores(in);
}

std::string fifteenLines(const std::string& line)
{
    std::string text;
    for (int i = 0; i < 15; ++i) {
        text += line;
    }
    return text;
}

TEST(TopScoreFile, WritesQuotedNamesPlainNumbersAndCrLfAndReadsThemBack)
{
    TopScoreTable table = descending(2147483647, 1000);
    table[0] = {"ANNA", 950, 4};
    table[1] = {"", 12, 1};
    table[2] = {"Low, Bob ", -40, -2};
    table[3].Name = "  spaced out  ";
    table[6].Name = "Z\xC3\xB6\xE9";
    table[14] = {"", -2147483647 - 1, -32768};

    const std::string text = written(table);

    EXPECT_EQ(text.substr(0, 52), "\"ANNA\",950,4\r\n\"\",12,1\r\n\"Low, Bob \",-40,-2\r\n\"  spaced");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 15);
    EXPECT_TRUE(text.ends_with("\"\",-2147483648,-32768\r\n"));
    EXPECT_EQ(read(text), table) << "the file order is kept, unsorted";

    // A quote or a line break in a name cannot break the file.
    table[0].Name = "Say \"hi\"";
    table[1].Name = "two\r\nlines";
    const TopScoreTable back = read(written(table));
    EXPECT_EQ(back[0].Name + "|" + back[1].Name, "Say 'hi'|two  lines");
    EXPECT_EQ(back[2], table[2]);
}

struct OddFile {
    const char* name;
    std::string text;
    TopScoreEntry first;
    TopScoreEntry second;
    int skipped = 0;

    friend void PrintTo(const OddFile& c, std::ostream* os) { *os << c.name; }
};

class OddTopScoreFiles : public ::testing::TestWithParam<OddFile> {};

TEST_P(OddTopScoreFiles, KeepEveryReadableEntryInOrder)
{
    const OddFile& c = GetParam();
    int skipped = -1;
    std::istringstream in(c.text);
    const TopScoreTable table = readTopScores(in, &skipped);
    EXPECT_EQ(table[0], c.first);
    EXPECT_EQ(table[1], c.second);
    EXPECT_EQ(skipped, c.skipped) << "entries passed over";
    EXPECT_EQ(read(written(table)), table) << "whatever was read writes back unchanged";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Files, OddTopScoreFiles,
    ::testing::Values(
        OddFile{.name = "Empty", .text = "", .first = {}, .second = {}},
        OddFile{.name = "OneLineWithoutLineEnd", .text = "\"ANNA\",950,4", .first = {"ANNA", 950, 4}, .second = {}},
        OddFile{.name = "UnixLineEnds", .text = "\"A\",3,1\n\"B\",2,1\n", .first = {"A", 3, 1}, .second = {"B", 2, 1}},
        OddFile{.name = "OldMacLineEnds", .text = "\"A\",3,1\r\"B\",2,1\r", .first = {"A", 3, 1},
                .second = {"B", 2, 1}},
        OddFile{.name = "SpacesBeforeFields", .text = "  \"A\",  3,   1  \r\n", .first = {"A", 3, 1}, .second = {}},
        OddFile{.name = "UnquotedName", .text = "Bob Smith ,70,2\r\n", .first = {"Bob Smith", 70, 2}, .second = {}},
        OddFile{.name = "UnquotedNameWithAQuote", .text = "Bo\"b,70,2\r\n", .first = {"Bo'b", 70, 2}, .second = {}},
        OddFile{.name = "JunkAfterTheClosingQuote", .text = "\"A\"xyz,70,2\r\n", .first = {"A", 70, 2}, .second = {}},
        OddFile{.name = "UnclosedQuoteTakesNoSlot", .text = "\"A,70,2\r\n\"B\",2,1\r\n", .first = {"B", 2, 1},
                .second = {}, .skipped = 1},
        OddFile{.name = "ScoreNotANumberTakesNoSlot", .text = "\"A\",lots,2\r\n\"B\",2,1\r\n\"C\",1,1",
                .first = {"B", 2, 1}, .second = {"C", 1, 1}, .skipped = 1},
        OddFile{.name = "ScoreWithTrailingLetters", .text = "\"A\",12ab,2\r\n", .first = {}, .second = {},
                .skipped = 1},
        OddFile{.name = "MissingLevel", .text = "\"A\",70\r\n\"B\",2,1\r\n", .first = {"B", 2, 1}, .second = {},
                .skipped = 1},
        OddFile{.name = "PlusSign", .text = "\"A\",+70,+2\r\n", .first = {"A", 70, 2}, .second = {}},
        OddFile{.name = "DoubleSign", .text = "\"A\",+-70,2\r\n", .first = {}, .second = {}, .skipped = 1},
        OddFile{.name = "ScoreBeyondItsRange", .text = "\"A\",99999999999,2\r\n\"B\",-99999999999999999999,1\r\n",
                .first = {"A", 2147483647, 2}, .second = {"B", -2147483647 - 1, 1}},
        OddFile{.name = "LevelBeyondItsRange", .text = "\"A\",5,40000\r\n", .first = {"A", 5, 32767}, .second = {}},
        OddFile{.name = "ExtraFieldsPushNoEntryOut", .text = "\"A\",5,1,junk,\"x\"\r\n\"B\",4,1\r\n",
                .first = {"A", 5, 1}, .second = {"B", 4, 1}, .skipped = 2},
        OddFile{.name = "FieldsOnSeparateLines", .text = "\"ANNA\"\r\n950\r\n4\r\n\"B\",2,1\r\n",
                .first = {"ANNA", 950, 4}, .second = {"B", 2, 1}},
        OddFile{.name = "BlankLinesSkipped", .text = "\r\n  \r\n\"A\",5,1\r\n\r\n\"B\",4,1\r\n", .first = {"A", 5, 1},
                .second = {"B", 4, 1}},
        OddFile{.name = "ByteOrderMark", .text = "\xEF\xBB\xBF\"A\",5,1\r\n", .first = {"A", 5, 1}, .second = {}},
        OddFile{.name = "BinaryGarbage", .text = std::string("\0\x01\xff,\"\r\n\x80", 8), .first = {}, .second = {},
                .skipped = 2}),
    test::Named);
// clang-format on

// Groups digits with dots, as many European locales do.
struct DottedThousands : std::numpunct<char> {
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(TopScoreFileWriting, NumbersStayPlainDigitsInAGroupingLocale)
{
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new DottedThousands));
    TopScoreTable table{};
    table[0] = {"ANNA", 1234567, 1234};
    const std::string text = written(table);
    const TopScoreTable back = read(text);
    std::locale::global(previous);

    EXPECT_EQ(text.substr(0, 21), "\"ANNA\",1234567,1234\r\n");
    EXPECT_EQ(back, table);
}

TEST(GroupedScores, ShowCommasBetweenGroupsOfThree)
{
    // clang-format off
    const std::pair<std::int32_t, const char*> shown[] = {
        {0, "0"}, {950, "950"}, {1000, "1,000"}, {100000, "100,000"}, {1234567, "1,234,567"}, {-1234, "-1,234"},
        {-999, "-999"}, {1234567890, "1,234,567,890"}, {-2147483647 - 1, "-2,147,483,648"}};
    // clang-format on
    for (const auto& [score, text] : shown) {
        EXPECT_EQ(groupedScore(score), text);
    }
}

TEST(TopScoreFileReading, IgnoresEverythingAfterTheFifteenthReadableEntry)
{
    int skipped = -1;
    std::istringstream in("junk\r\n" + fifteenLines("\"A\",5,1\r\n") + "\"EXTRA\",999,9\r\nmore junk");
    const TopScoreTable table = readTopScores(in, &skipped);
    EXPECT_EQ(table[14], (TopScoreEntry{"A", 5, 1}));
    EXPECT_EQ(skipped, 1) << "what follows a full table is not damage";
}

struct InsertCase {
    const char* name;
    std::int32_t score;
    int expectedIndex;

    friend void PrintTo(const InsertCase& c, std::ostream* os) { *os << c.name; }
};

class Insertion : public ::testing::TestWithParam<InsertCase> {};

// Scores 1000, 900, 800, 800, 600, ... -300, -400 (positions 1 to 15).
TopScoreTable tableWithTie()
{
    TopScoreTable table = descending(1000, 100);
    table[3].Score = 800;
    return table;
}

TEST_P(Insertion, GoesAboveTheFirstLowerScoreAndDropsTheLast)
{
    const InsertCase& c = GetParam();
    const TopScoreTable before = tableWithTie();
    TopScoreTable table = before;

    const int index = InsertTopScore(table, c.score, "NEW", 7);

    ASSERT_EQ(index, c.expectedIndex);
    if (index < 0) {
        EXPECT_EQ(table, before);
        return;
    }
    const auto at = static_cast<std::size_t>(index);
    EXPECT_EQ(table[at], (TopScoreEntry{"NEW", c.score, 7}));
    for (std::size_t i = 0; i < at; ++i) {
        EXPECT_EQ(table[i], before[i]);
    }
    for (std::size_t i = at + 1; i < table.size(); ++i) {
        EXPECT_EQ(table[i], before[i - 1]);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Scores, Insertion,
                         ::testing::Values(InsertCase{.name = "AboveTheBest", .score = 5000, .expectedIndex = 0},
                                           InsertCase{.name = "TieGoesBelowTheEqualScores", .score = 800,
                                                      .expectedIndex = 4},
                                           InsertCase{.name = "JustAboveTheLast", .score = -399, .expectedIndex = 14},
                                           InsertCase{.name = "EqualToTheLastChangesNothing", .score = -400,
                                                      .expectedIndex = -1},
                                           InsertCase{.name = "BelowEverythingChangesNothing", .score = -5000,
                                                      .expectedIndex = -1}),
                         test::Named);
// clang-format on

TEST(Insertion, StopsAtTheFirstLowerScoreOfAnUnsortedTable)
{
    TopScoreTable table;
    table[0] = {"a", 50, 1};
    table[1] = {"b", 10, 1};
    table[2] = {"c", 90, 1};

    EXPECT_EQ(InsertTopScore(table, 20, "new", 1), 1);
    EXPECT_EQ(table[2].Name, "b");
    EXPECT_EQ(table[3].Name, "c");
}

TEST(NewHighScore, MustBeatTheFifteenthStrictly)
{
    TopScoreTable table = descending(1500, 100);
    ASSERT_EQ(table[14].Score, 100);
    EXPECT_FALSE(IsNewHighScore(table, 100));
    EXPECT_TRUE(IsNewHighScore(table, 101));

    TopScoreTable empty;
    EXPECT_FALSE(IsNewHighScore(empty, 0));
    EXPECT_TRUE(IsNewHighScore(empty, 1));
}

} // namespace
} // namespace quillop
