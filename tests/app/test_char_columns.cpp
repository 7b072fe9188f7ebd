// Character columns: which character of the word a pen-down belongs to.

#include "app/CharColumns.h"

#include <gtest/gtest.h>

namespace {

struct ColumnsTest : ::testing::Test {
    plat::Bitmap page;
    plat::Canvas& canvas = page.GetCanvas();
    void SetUp() override {
        page.SetSize(10, 10);
        canvas.font.height = 100;
        CharColumns.clear();
    }
};

TEST_F(ColumnsTest, EdgesAreThePrefixWidths) {
    const QString word = QStringLiteral("山川");
    CharColumnSet(canvas, word, 40);
    ASSERT_EQ(CharColumns.size(), 2u);
    EXPECT_EQ(CharColumns[0].XRight, 40 + canvas.TextExtent(QStringLiteral("山")).cx);
    EXPECT_EQ(CharColumns[1].XRight, 40 + canvas.TextExtent(word).cx);
}

TEST_F(ColumnsTest, StrokesAreCountedPerCharacter) {
    CharColumnSet(canvas, QStringLiteral("山川"), 40);
    const int32_t edge = CharColumns[0].XRight;
    struct Press {
        int32_t x;
        int32_t expected;
    } presses[] = {
        {edge - 1, 0}, {edge - 1, 1}, // the first character
        {edge, 0},                    // exactly on the edge: the character on its right
        {-1000, 2},                   // left of the word: the first character
        {100000, 1},                  // right of the word: the last character
    };
    for (const Press& p : presses) EXPECT_EQ(CharCountGet(p.x), p.expected) << p.x;
    CharCountClear();
    EXPECT_EQ(CharCountGet(edge - 1), 0);
}

TEST_F(ColumnsTest, OneCharacterIsNotCounted) {
    CharColumnSet(canvas, QStringLiteral("山"), 0);
    EXPECT_EQ(CharCountGet(5), -1);
    CharColumns.clear();
    EXPECT_EQ(CharCountGet(5), -1);
}

TEST_F(ColumnsTest, ACharacterOutsideTheBasicPlaneGivesAnExtraLastColumn) {
    const QString word = QString::fromUtf8("\xF0\xA0\xAE\xB7野"); // U+20BB7 then 野
    ASSERT_EQ(word.size(), 3);
    CharColumnSet(canvas, word, 0);
    ASSERT_EQ(CharColumns.size(), 3u);
    EXPECT_EQ(CharColumns[0].XRight, canvas.TextExtent(word.left(2)).cx); // the pair is one
    EXPECT_EQ(CharColumns[1].XRight, canvas.TextExtent(word).cx);
    EXPECT_EQ(CharColumns[2].XRight, CharColumns[1].XRight); // starts at the right edge
}

} // namespace
