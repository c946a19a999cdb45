#include "scores/ui/frmhighscores.h"
#include "shell/tests/shelltesting.h"

#include <QLineEdit>
#include <QTest>

namespace quillop::test {
namespace {

class HighScoreWindow : public Program {
protected:
    frmHighScores& openWith(bool namePending)
    {
        module->NewHighScorePending = namePending;
        module->Game.GameScore = 500;
        module->Game.GameLevel = 6;
        return open<frmHighScores>(Module1::Window::HighScores);
    }

    static QStringList row(const frmHighScores& window, int position)
    {
        const frmHighScores::Row& r = window.rows()[static_cast<std::size_t>(position - 1)];
        return {r.lblPosition->text(), r.lblName->text(), r.lblScore->text(), r.lblLevel->text()};
    }
};

TEST_F(HighScoreWindow, ShowsFifteenNumberedRowsWithBlankEmptySlots)
{
    writeScores("\"ANNA\",1234567,4\r\n\"\",950,2\r\n\"ZERO\",0,9\r\n\"Zo\xEB\",-5,1\r\n");
    const frmHighScores& window = openWith(false);

    EXPECT_EQ(row(window, 1), QStringList({"1", "ANNA", "1,234,567", "4"}));
    EXPECT_EQ(row(window, 2), QStringList({"2", "", "950", "2"}));
    EXPECT_EQ(row(window, 3), QStringList({"3", "", "", ""}));
    EXPECT_EQ(row(window, 4), QStringList({"4", QStringLiteral("Zo\u00EB"), "-5", "1"}))
        << "an older table's accents still show";
    EXPECT_EQ(row(window, 15), QStringList({"15", "", "", ""}));
    EXPECT_EQ(window.rows()[14].lblScore->geometry(), QRect(248, 53 + 28 * 15, 105, 23));
    EXPECT_EQ(std::pair(window.frameNewScore->isVisible(), window.lblOk->isEnabled()), std::pair(false, true));
}

TEST_F(HighScoreWindow, TheNameBoxTakesTwelveCharactersAndNoQuote)
{
    frmHighScores& window = openWith(true);
    QTest::keyClicks(window.txtControl, QStringLiteral("A\"BCDEFGHIJKLMNOP"));
    EXPECT_EQ(window.txtControl->text(), QStringLiteral("ABCDEFGHIJKL"));
}

TEST_F(HighScoreWindow, EscapeWaitsForTheNameThenLeavesAtTheWindowsPlace)
{
    frmHighScores& window = openWith(true);
    EXPECT_EQ(std::pair(window.frameNewScore->isVisible(), window.lblOk->isEnabled()), std::pair(true, false));

    QTest::keyClick(window.txtControl, Qt::Key_Escape);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());

    window.txtControl->insert(QStringLiteral(" Zo\u00EB "));
    QTest::keyClick(window.txtControl, Qt::Key_Enter, Qt::ShiftModifier);
    EXPECT_FALSE(module->NewHighScorePending);
    EXPECT_FALSE(window.frameNewScore->isVisible());
    EXPECT_EQ(row(window, 1), QStringList({"1", QStringLiteral(" Zo\u00EB "), "500", "6"}));
    EXPECT_TRUE(scoreFile().startsWith("\" Zo\xC3\xAB \",500,6\r\n\"\",0,0\r\n"));
    EXPECT_EQ(scoreFile().count("\r\n"), 15);

    window.move(90, 80);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(screen(), "frmMenu 90,80 no game, no continue");
}

TEST_F(HighScoreWindow, ASaveThatFailsKeepsTheTableAndSaysSo)
{
    writeScores("\"KEPT\",900,3\r\n");
    // Neither folder can hold a file: both lie under a plain file.
    const QString blocked = programFolder() + QStringLiteral("/TopScores.txt/sub");
    frmHighScores& window = openWith(true);
    module->Store() = TopScoreStore(blocked, blocked);

    QTest::keyClick(window.txtControl, Qt::Key_Return);

    EXPECT_TRUE(window.lblNotSaved->isVisible());
    EXPECT_EQ(row(window, 1), QStringList({"1", "KEPT", "900", "3"}));
    EXPECT_EQ(row(window, 2), QStringList({"2", "", "500", "6"})) << "the new entry stays on screen";
    EXPECT_EQ(scoreFile(), QByteArray("\"KEPT\",900,3\r\n"));
}

} // namespace
} // namespace quillop::test
