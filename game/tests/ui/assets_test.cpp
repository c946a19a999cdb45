#include <QImage>
#include <QString>

#include <gtest/gtest.h>

namespace {

struct PictureSize {
    const char* path;
    int width;
    int height;
};

void PrintTo(const PictureSize& p, std::ostream* os)
{
    *os << p.path;
}

class Pictures : public ::testing::TestWithParam<PictureSize> {};

// The windows place their controls and tiles by these sizes.
TEST_P(Pictures, HaveTheSizeTheWindowsExpect)
{
    const QImage picture(QString::fromUtf8(GetParam().path));
    ASSERT_FALSE(picture.isNull()) << GetParam().path;
    EXPECT_EQ(picture.size(), QSize(GetParam().width, GetParam().height));
}

INSTANTIATE_TEST_SUITE_P(
    Assets, Pictures,
    ::testing::Values(PictureSize{":/pictures/game.png", 470, 600}, PictureSize{":/pictures/menu.png", 470, 600},
                      PictureSize{":/pictures/highscores.png", 470, 600},
                      PictureSize{":/pictures/controls.png", 470, 600}, PictureSize{":/pictures/help.png", 470, 600},
                      PictureSize{":/pictures/credits.png", 470, 600}, PictureSize{":/pictures/tiles.png", 116, 116},
                      PictureSize{":/pictures/nexttiles.png", 116, 116}, PictureSize{":/pictures/board.png", 319, 580},
                      PictureSize{":/pictures/normalpieces.png", 58, 87},
                      PictureSize{":/pictures/colourgenocide.png", 29, 29},
                      PictureSize{":/pictures/columnbuster.png", 29, 29},
                      PictureSize{":/pictures/roweater.png", 29, 29},
                      PictureSize{QUILLOP_PROGRAM_FOLDER "/Images/Bouncing/bounce1.jpg", 74, 94},
                      PictureSize{QUILLOP_PROGRAM_FOLDER "/Images/Bouncing/bounce9.jpg", 74, 94}));

} // namespace
