#include "RasterTestUtil.h"
#include "platform/raster/Bitmap.h"
#include "platform/raster/Pixels.h"
#include "platform/raster/SpanSink.h"

#include <QImage>
#include <gtest/gtest.h>

namespace plat {
namespace {

TEST(Bitmap, StrideIsWholeWordsPerRow) {
    struct Case {
        PixelFormat format;
        int32_t width, stride;
    };
    const Case cases[] = {{PixelFormat::Rgb32, 3, 12},   {PixelFormat::Indexed8, 1, 4},
                          {PixelFormat::Indexed8, 5, 8}, {PixelFormat::Mono1, 1, 4},
                          {PixelFormat::Mono1, 32, 4},   {PixelFormat::Mono1, 33, 8},
                          {PixelFormat::Rgb32, 0, 0}};
    for (const Case& c : cases) EXPECT_EQ(StrideFor(c.format, c.width), c.stride) << c.width;
}

TEST(Bitmap, DefaultPalettes) {
    Bitmap grey(PixelFormat::Indexed8);
    EXPECT_EQ(grey.GetPalette()[0], Rgb(0, 0, 0));
    EXPECT_EQ(grey.GetPalette()[200], Rgb(200, 200, 200));
    Bitmap mono(PixelFormat::Mono1);
    EXPECT_EQ(mono.GetPalette()[0], Rgb(0, 0, 0));
    EXPECT_EQ(mono.GetPalette()[1], Rgb(255, 255, 255));
}

// Every format: pixels in the kept area survive a resize, all new ones are 0.
TEST(Bitmap, SetSizeKeepsOldPixelsAndClearsNewOnes) {
    for (PixelFormat format : {PixelFormat::Rgb32, PixelFormat::Indexed8, PixelFormat::Mono1}) {
        auto bmp = test::MakeBitmap(format, 5, 4);
        const uint32_t ones = format == PixelFormat::Rgb32      ? 0x00FFFFFFu
                              : format == PixelFormat::Indexed8 ? 0xFFu
                                                                : 1u;
        BitmapView v = bmp->View();
        for (int32_t y = 0; y < 4; ++y)
            for (int32_t x = 0; x < 5; ++x) WritePixelReference(v, x, y, ones, SpanOp::Copy);
        bmp->SetSize(12, 6); // grow: the old 5 x 4 block stays, the rest is 0
        for (int32_t y = 0; y < 6; ++y)
            for (int32_t x = 0; x < 12; ++x)
                EXPECT_EQ(test::Value(*bmp, x, y), (x < 5 && y < 4) ? ones : 0u)
                    << int(format) << " " << x << "," << y;
        bmp->SetSize(3, 2); // shrink, then grow again: the cut pixels do not come back
        bmp->SetSize(6, 3);
        for (int32_t y = 0; y < 3; ++y)
            for (int32_t x = 0; x < 6; ++x)
                EXPECT_EQ(test::Value(*bmp, x, y), (x < 3 && y < 2) ? ones : 0u)
                    << int(format) << " " << x << "," << y;
    }
}

TEST(Bitmap, RowsAreTopDownWithTheGivenStride) {
    auto bmp = test::MakeBitmap(PixelFormat::Rgb32, 7, 3);
    EXPECT_EQ(bmp->ScanLine(2) - bmp->ScanLine(0), 2 * bmp->Stride());
    bmp->Row32(1)[4] = ColorToPixel32(Rgb(1, 2, 3));
    EXPECT_EQ(bmp->PixelColor(4, 1), Rgb(1, 2, 3));
    EXPECT_EQ(bmp->ScanLine(1)[16], 3); // blue byte first
    EXPECT_EQ(bmp->ScanLine(1)[18], 1);
}

TEST(Bitmap, ToQImageSharesMemoryForRgb32) {
    auto bmp = test::MakeBitmap(PixelFormat::Rgb32, 9, 4);
    bmp->Row32(3)[8] = ColorToPixel32(Rgb(10, 20, 30));
    const QImage image = bmp->ToQImage();
    ASSERT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.constBits(), bmp->ScanLine(0));
    EXPECT_EQ(image.bytesPerLine(), bmp->Stride());
    EXPECT_EQ(image.pixel(8, 3), qRgb(10, 20, 30));
    bmp->Row32(0)[0] = ColorToPixel32(Rgb(1, 2, 3)); // seen through the shared image
    EXPECT_EQ(image.pixel(0, 0), qRgb(1, 2, 3));
}

TEST(Bitmap, ToQImageConvertsIndexedAndMono) {
    auto indexed = test::MakeBitmap(PixelFormat::Indexed8, 5, 2);
    Palette pal = indexed->GetPalette();
    pal[7] = Rgb(255, 0, 0);
    indexed->SetPalette(pal);
    indexed->ScanLine(1)[3] = 7;
    const QImage a = indexed->ToQImage();
    EXPECT_EQ(a.pixel(3, 1), qRgb(255, 0, 0));
    EXPECT_EQ(a.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(indexed->PixelColor(3, 1), Rgb(255, 0, 0));

    auto mono = test::MakeBitmap(PixelFormat::Mono1, 10, 2);
    mono->ScanLine(0)[1] = 0x40; // pixel 9 of row 0
    const QImage b = mono->ToQImage();
    EXPECT_EQ(b.pixel(9, 0), qRgb(255, 255, 255));
    EXPECT_EQ(b.pixel(8, 0), qRgb(0, 0, 0));
    EXPECT_EQ(mono->PixelColor(9, 0), Rgb(255, 255, 255));
}

TEST(Bitmap, EmptyBitmapHasNoImage) {
    Bitmap bmp;
    EXPECT_TRUE(bmp.ToQImage().isNull());
    bmp.SetSize(0, 10);
    EXPECT_EQ(bmp.Width(), 0);
    EXPECT_EQ(bmp.PixelColor(0, 0), 0u);
}

} // namespace
} // namespace plat
