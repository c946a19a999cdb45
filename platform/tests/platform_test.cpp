// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/fonts.h"
#include "platform/keys.h"
#include "platform/tiles.h"
#include "platform/widgets.h"

#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace quillop::platform {

void PrintTo(RasterOp op, std::ostream* os)
{
    *os << (op == RasterOp::SrcCopy ? "SrcCopy" : op == RasterOp::SrcAnd ? "SrcAnd" : "SrcPaint");
}

namespace {

QImage noise(int w, int h, quint32 seed)
{
    QImage image(w, h, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            image.setPixel(x, y, 0xFF000000U | (random.generate() & 0xFFFFFFU));
        }
    }
    return image;
}

class Transfers : public ::testing::TestWithParam<RasterOp> {};

TEST_P(Transfers, MatchTheBitwiseOperationOnEveryPixel)
{
    const RasterOp op = GetParam();
    const QImage source = noise(58, 58, 1);
    const QImage before = noise(40, 40, 2);
    QImage target = before;

    BitBlt(target, 5, 7, 29, 29, source, 29, 0, op);

    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            const QRgb old = before.pixel(x, y);
            QRgb expected = old;
            if (x >= 5 && x < 34 && y >= 7 && y < 36) {
                const QRgb src = source.pixel(x - 5 + 29, y - 7);
                expected = op == RasterOp::SrcCopy ? src : op == RasterOp::SrcAnd ? (old & src) : (old | src);
            }
            ASSERT_EQ(target.pixel(x, y) & 0xFFFFFFU, expected & 0xFFFFFFU) << x << "," << y;
        }
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Operations, Transfers,
                         ::testing::Values(RasterOp::SrcCopy, RasterOp::SrcAnd, RasterOp::SrcPaint));
// clang-format on

TEST(Pictures, AMissingPictureBecomesBlackOfTheExpectedSize)
{
    const QImage picture = loadPicture(QStringLiteral("/nonexistent/picture.png"), QSize(29, 87));
    ASSERT_EQ(picture.size(), QSize(29, 87));
    EXPECT_EQ(picture.pixel(10, 50) & 0xFFFFFFU, 0U);
}

// Every picture the repository keeps is built in, and shows exactly as drawn:
// the built-in copies are another format, not another picture.
TEST(Pictures, EveryDrawnPictureIsBuiltInPixelForPixel)
{
    const QDir drawn(QStringLiteral(QUILLOP_SOURCE_DIR "/assets/pictures"));
    const QStringList names = drawn.entryList({QStringLiteral("*.png")});
    ASSERT_GE(names.size(), 26);
    for (const QString& name : names) {
        const QString builtIn =
            QStringLiteral(":/pictures/") + QFileInfo(name).completeBaseName() + QStringLiteral(".ppm");
        const QImage shown = screenPicture(builtIn, 1);
        ASSERT_FALSE(shown.isNull()) << qPrintable(builtIn);
        EXPECT_EQ(shown, QImage(drawn.filePath(name)).convertToFormat(QImage::Format_RGB32)) << qPrintable(name);
    }
}

struct KeyCase {
    const char* layout;
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    quint32 scanCode; // 0 where the event carries no place, as offscreen
    std::int16_t vk;

    friend void PrintTo(const KeyCase& c, std::ostream* os)
    {
        *os << c.layout << " Qt key 0x" << std::hex << c.qtKey << " at " << std::dec << c.scanCode;
    }
};

class KeyCodes : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyCodes, NameTheKeyNotTheCharacter)
{
    const KeyCase& c = GetParam();
    const QKeyEvent event(QEvent::KeyPress, c.qtKey, c.modifiers, c.scanCode, 0, 0);
    EXPECT_EQ(virtualKeyCode(event), c.vk);
}

constexpr Qt::KeyboardModifiers None{};
const Qt::KeyboardModifiers Keypad{Qt::KeypadModifier};
const Qt::KeyboardModifiers Shift{Qt::ShiftModifier};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Layouts, KeyCodes,
    ::testing::Values(
        KeyCase{"any", Qt::Key_Left, None, 113, 37}, KeyCase{"any", Qt::Key_Down, Keypad, 88, 40},
        KeyCase{"any", Qt::Key_Enter, Keypad, 104, 13}, KeyCase{"any", Qt::Key_1, Keypad, 87, 97},
        KeyCase{"any", Qt::Key_F1, None, 67, 112}, KeyCase{"any", Qt::Key_unknown, None, 0, 0},
        KeyCase{"US", Qt::Key_1, None, 10, 49}, KeyCase{"US", Qt::Key_Exclam, Shift, 10, 49},
        KeyCase{"US", Qt::Key_0, None, 19, 48}, KeyCase{"US", Qt::Key_P, Shift, 33, 80},
        KeyCase{"US", Qt::Key_Minus, None, 20, 189}, KeyCase{"US", Qt::Key_Underscore, Shift, 20, 189},
        KeyCase{"AZERTY", Qt::Key_Ampersand, None, 10, 49}, KeyCase{"AZERTY", Qt::Key_1, Shift, 10, 49},
        KeyCase{"AZERTY", Qt::Key_Eacute, None, 11, 50}, KeyCase{"AZERTY", Qt::Key_Egrave, None, 16, 55},
        KeyCase{"AZERTY", Qt::Key_A, None, 24, 65}, KeyCase{"AZERTY", Qt::Key_Q, Shift, 38, 81},
        KeyCase{"AZERTY", Qt::Key_M, None, 47, 77},
        KeyCase{"QWERTZ", Qt::Key_Z, None, 29, 90}, KeyCase{"QWERTZ", Qt::Key_Y, None, 52, 89},
        KeyCase{"QWERTZ", Qt::Key_ssharp, None, 20, 189}, KeyCase{"QWERTZ", Qt::Key_Question, Shift, 20, 189},
        KeyCase{"QWERTZ", Qt::Key_Udiaeresis, None, 34, 219},
        KeyCase{"Russian", 0x0424, None, 38, 65}, // the key of A types Ф
        // AltGr, dead keys and keys Qt has no name for are keys too.
        KeyCase{"AZERTY", Qt::Key_AltGr, None, 108, 165}, KeyCase{"AZERTY", Qt::Key_Dead_Circumflex, None, 34, 219},
        KeyCase{"QWERTZ", Qt::Key_Dead_Circumflex, None, 49, 192}, KeyCase{"QWERTZ", Qt::Key_Dead_Acute, None, 21, 187},
        KeyCase{"any", Qt::Key_unknown, None, 97, 256 + 97}, KeyCase{"any", Qt::Key_Dead_Belowdot, None, 120, 256 + 120},
        // Without a place, the Qt key decides, as a US keyboard would.
        KeyCase{"offscreen", Qt::Key_Exclam, Shift, 0, 49}, KeyCase{"offscreen", Qt::Key_Z, None, 0, 90},
        KeyCase{"offscreen", Qt::Key_Comma, None, 0, 188}, KeyCase{"offscreen", Qt::Key_Adiaeresis, None, 0, 0}));
// clang-format on

TEST(Fonts, TheDesignFacesResolveToMetricCompatibleOnesAtFixedPixelSizes)
{
    EXPECT_EQ(QFontInfo(gameFont(Arial, 12, true)).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(QFontInfo(gameFont(MsSansSerif, 12, true)).family(), QStringLiteral("Liberation Sans"));
    const std::array pixels{gameFont(MsSansSerif, 9.75, true).pixelSize(), gameFont(Arial, 12, true).pixelSize(),
                            gameFont(MsSansSerif, 13.5, true).pixelSize(), gameFont(MsSansSerif, 18, true).pixelSize()};
    EXPECT_EQ(pixels, (std::array{13, 16, 18, 24}));
}

// The credits' settings: bold white text, centred and wrapped, on black.
template <class L> void setUpLikeTheCredits(L& label)
{
    label.setFont(gameFont(MsSansSerif, 12, true));
    label.setGeometry(0, 0, 249, 140);
    label.setAutoFillBackground(true);
    QPalette onBlack = label.palette();
    onBlack.setColor(QPalette::Window, Qt::black);
    label.setPalette(onBlack);
}

// Drawn once and then copied, it still looks exactly as a plain label, also
// after each change that has to draw it again.
TEST(PrerenderedLabel, LooksExactlyAsAPlainLabelAfterEveryChange)
{
    const QString text =
        QStringLiteral("Varnholt Studios Presents\n\nQuillop\n\nA line long enough to wrap in the box");
    Label plain(text, nullptr);
    PrerenderedLabel drawnOnce(text, nullptr);
    setUpLikeTheCredits(plain);
    setUpLikeTheCredits(drawnOnce);
    const std::vector<std::pair<const char*, std::function<void(Label&)>>> changes{
        {"as made", [](Label&) {}},
        {"the same again", [](Label&) {}},
        {"another text", [](Label& l) { l.setText(QStringLiteral("Testers:\nPordy\nHaskel")); }},
        {"yellow", [](Label& l) { l.setTextColour(QColor(0xFF, 0xFF, 0x00)); }},
        {"a larger face", [](Label& l) { l.setFont(gameFont(MsSansSerif, 18, true)); }},
        {"wider", [](Label& l) { l.resize(300, 140); }},
    };
    for (const auto& [name, change] : changes) {
        change(plain);
        change(drawnOnce);
        const QImage expected = plain.grab().toImage();
        ASSERT_FALSE(expected.isNull());
        EXPECT_EQ(drawnOnce.grab().toImage(), expected) << name;
    }
}

} // namespace
} // namespace quillop::platform
