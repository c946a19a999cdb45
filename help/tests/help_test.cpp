// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "help/ui/frmcredits.h"
#include "help/ui/frmhelp.h"
#include "shell/tests/shelltesting.h"

#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace quillop::test {
namespace {

TEST(HelpWindow, SwitchesPagesAlwaysOpensOnAimAndOnlyTheBackgroundResetsTheLitLabels)
{
    RecordingHost<> host;
    frmHelp help(host);
    help.show();
    QWidget* aim = find<QWidget>(help, "frameAim");
    QWidget* pieces = find<QWidget>(help, "framePieces");
    ButtonLabel* piecesItem = find(help, "Label5");
    ButtonLabel* ok = find(help, "lblOk");
    EXPECT_EQ(std::pair(aim->isVisible(), pieces->isVisible()), std::pair(true, false));
    EXPECT_EQ(pieces->geometry(), aim->geometry());
    for (int twice = 0; twice < 2; ++twice) {
        QTest::mouseClick(piecesItem, Qt::LeftButton);
        EXPECT_EQ(std::pair(aim->isVisible(), pieces->isVisible()), std::pair(false, true));
    }
    moveMouseOver(piecesItem, QPoint(5, 5));
    moveMouseOver(ok, QPoint(5, 5));
    moveMouseOver(pieces, QPoint(200, 200));
    EXPECT_EQ(std::pair(piecesItem->textColour(), ok->textColour()), std::pair(ButtonYellow, ButtonYellow));
    moveMouseOver(&help, QPoint(10, 300));
    EXPECT_EQ(std::pair(piecesItem->textColour(), ok->textColour()), std::pair(ButtonWhite, ButtonWhite));

    help.move(33, 44);
    QTest::keyClick(&help, Qt::Key_Escape);
    EXPECT_EQ(host.asked, QStringList{"menu from 33,44"});
    frmHelp again(host);
    again.show();
    QWidget* aimAgain = find<QWidget>(again, "frameAim");
    EXPECT_TRUE(aimAgain->isVisible());
    QTest::mouseClick(find(again, "Label5"), Qt::LeftButton);
    QTest::mouseClick(find(again, "Label4"), Qt::LeftButton);
    EXPECT_TRUE(aimAgain->isVisible());
}

class CreditsWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Frames of their own colours; the fifth is missing and the third
        // is twice as wide as a box.
        ASSERT_TRUE(programFolder.isValid());
        const QString folder = programFolder.filePath(QStringLiteral("Images/Bouncing"));
        ASSERT_TRUE(QDir().mkpath(folder));
        for (int k = 1; k <= 9; ++k) {
            if (k == 5) {
                continue;
            }
            QImage frame(k == 3 ? QSize(148, 94) : QSize(74, 94), QImage::Format_RGB32);
            frame.fill(colour(k));
            ASSERT_TRUE(frame.save(folder + QStringLiteral("/bounce%1.jpg").arg(k)));
        }
        credits = new frmCredits(host, programFolder.path());
        credits->setAttribute(Qt::WA_DeleteOnClose);
        credits->show();
    }

    void TearDown() override { delete credits.data(); }

    static QColor colour(int k) { return QColor::fromHsv(k * 36, 255, 255); }

    // Whether a box shows nearly the colour at a point, the middle unless told.
    static bool shows(const platform::PictureBox* box, const QColor& expected, QPoint at = QPoint(37, 47))
    {
        const QColor c = box->picture().pixelColor(at);
        const int r = c.red() - expected.red(), g = c.green() - expected.green(), b = c.blue() - expected.blue();
        return std::abs(r) + std::abs(g) + std::abs(b) < 40;
    }

    QLabel* text() const { return find<QLabel>(*credits, "lblCredits"); }
    platform::PictureBox* left() const { return find<platform::PictureBox>(*credits, "Picture4"); }
    platform::PictureBox* right() const { return find<platform::PictureBox>(*credits, "Picture3"); }

    QTemporaryDir programFolder;
    RecordingHost<> host;
    QPointer<frmCredits> credits;
};

TEST_F(CreditsWindow, TheTextRisesFivePixelsATickAndStartsAgainBelowThePanel)
{
    EXPECT_EQ(text()->geometry(), QRect(85, 515, 249, 425));
    const std::vector<std::pair<int, int>> afterTicks{{1, 510}, {189, -430}, {190, 510}, {378, -430}};
    int ticks = 0;
    for (const auto& [until, top] : afterTicks) {
        for (; ticks < until; ++ticks) {
            credits->Timer1_Timer();
        }
        EXPECT_EQ(text()->y(), top) << "after " << until << " ticks";
    }
    EXPECT_TRUE(text()->text().startsWith(QStringLiteral("Varnholt Studios Presents\n\nQuillop\n")));
    EXPECT_EQ(text()->text().count(QLatin1Char('\n')), 12);
}

TEST_F(CreditsWindow, TheBoxesPlayFramesOneToNineInTurnFromDisk)
{
    EXPECT_TRUE(find<QTimer>(*credits, "Timer1")->isActive());
    EXPECT_EQ(find<QTimer>(*credits, "Timer2")->interval(), 100);
    const QString first = programFolder.filePath(QStringLiteral("Images/Bouncing/bounce1.jpg"));
    for (int tick = 1; tick <= 10; ++tick) {
        if (tick == 10) { // a frame changed on disk shows the next time round
            QImage changed(74, 94, QImage::Format_RGB32);
            changed.fill(colour(5));
            ASSERT_TRUE(changed.save(first));
        }
        credits->Timer2_Timer();
        const int k = (tick - 1) % 9 + 1;
        const QColor expected = tick == 10 ? colour(5) : k == 5 ? QColor(Qt::black) : colour(k);
        EXPECT_TRUE(shows(left(), expected)) << "tick " << tick;
        EXPECT_EQ(right()->picture(), left()->picture()) << "tick " << tick;
        if (k == 3) { // scaled to the box's width, centred on black
            EXPECT_TRUE(shows(left(), Qt::black, QPoint(37, 5)));
        }
    }
}

TEST_F(CreditsWindow, OkReturnsToTheMenuAndEndsTheAnimation)
{
    credits->move(12, 34);
    QTest::mouseClick(find(*credits, "lblOk"), Qt::LeftButton);
    EXPECT_EQ(host.asked, QStringList{"menu from 12,34"});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(credits.isNull()) << "closed for good, with its timers";
}

} // namespace
} // namespace quillop::test
