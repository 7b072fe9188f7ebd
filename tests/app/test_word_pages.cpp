// Word pages of the main window: template, stepping, whiteboard, per-page strokes.

#include "AppFixture.h"
#include "app/CharColumns.h"
#include "app/Cursors.h"
#include "app/MainFrm.h"
#include "app/WordPages.h"
#include "platform/Rnd.h"
#include "platform/ui/CursorSlots.h"
#include "settings/PenModel.h"
#include "settings/Settings.h"
#include "strokes/PenList.h"
#include "strokes/Undo.h"
#include "surface/PenImage.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>

namespace {

class WordPagesTest : public AppStateTest {
protected:
    void SetUp() override {
        AppStateTest::SetUp();
        CharColumns.clear();
        frm = std::make_unique<TMainFrm>();
        frm->Timer1Timer();
    }
    void TearDown() override {
        frm.reset();
        AppStateTest::TearDown();
    }
    QString WriteFile(const QByteArray& bytes, const char* name = "words.txt") {
        const QString path = dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }
    std::vector<uint8_t> Composite() const {
        const plat::Bitmap& b = frm->PenImage->Bitmap;
        std::vector<uint8_t> out(static_cast<size_t>(b.Stride()) * b.Height());
        if (!out.empty()) std::memcpy(out.data(), b.ScanLine(0), out.size());
        return out;
    }
    void Stroke(int x0, int y0, int x1, int y1) {
        TPenImage& s = *frm->PenImage;
        s.MouseDown(plat::MouseButton::Left, plat::ssLeft, x0, y0);
        for (int i = 1; i <= 10; ++i)
            s.MouseMove(plat::ssLeft, x0 + (x1 - x0) * i / 10, y0 + (y1 - y0) * i / 10);
        s.MouseUp(plat::MouseButton::Left, 0, x1, y1);
    }
    int GreyPixels() const {
        int n = 0;
        const plat::Bitmap& p = frm->PICT;
        for (int y = 0; y < p.Height(); ++y)
            for (int x = 0; x < p.Width(); ++x) n += (p.Row32(y)[x] & 0xFFFFFF) != 0xFFFFFF;
        return n;
    }

    QTemporaryDir dir;
    std::unique_ptr<TMainFrm> frm;
};

TEST_F(WordPagesTest, LoadingShowsTheFirstWordAndGivesEveryWordAList) {
    frm->WordPages->WordListLoad(WriteFile("山\n山川\n日本語\n"));
    ASSERT_EQ(frm->WordList.size(), 3);
    EXPECT_EQ(frm->CrSt, 0);
    EXPECT_EQ(PenLists.size(), 3u);
    EXPECT_EQ(frm->PenImage->PenList, PenLists[0].get());
    EXPECT_GT(GreyPixels(), 0);
    EXPECT_FALSE(UdoEnabled); // nothing to undo on a fresh page
    EXPECT_EQ(frm->PenImage->sw, frm->PenImage->width());
}

TEST_F(WordPagesTest, BadFilesLeaveThePageAsItIs) {
    frm->WordPages->WordListLoad(WriteFile("山川\n"));
    Stroke(40, 40, 120, 60);
    const auto before = Composite();
    const int32_t count = frm->PenImage->PenList->Count();
    for (const QString& path :
         {WriteFile("", "empty.txt"), dir.filePath("missing.txt"), dir.path()}) {
        frm->WordPages->WordListLoad(path);
        EXPECT_EQ(Composite(), before) << path.toStdString();
        EXPECT_EQ(frm->PenImage->PenList->Count(), count);
    }
    EXPECT_TRUE(frm->WordList.isEmpty()); // the empty file's list: next and previous disabled
}

TEST_F(WordPagesTest, TemplateIsScaledByTheTighterSide) {
    // A short word on the wide 320 x 216 surface is limited by the height, a long one by
    // the width.
    for (const char* word : {"山", "日本語日本語日本語"}) {
        frm->WordPages->WordDisp(QString::fromUtf8(word));
        plat::Bitmap probe;
        probe.SetSize(1, 1);
        plat::Canvas& measure = probe.GetCanvas();
        measure.font.family = frm->PICT.GetCanvas().font.family;
        measure.font.height = 100;
        const plat::Size at100 = measure.TextExtent(QString::fromUtf8(word));
        const double fx = 320 * 0.9 / at100.cx;
        const double fy = 216 * 0.9 / at100.cy;
        EXPECT_EQ(frm->PICT.GetCanvas().font.height, plat::Rnd(std::min(fx, fy) * 100)) << word;
        // Centred: the last column ends where the centred word ends.
        const plat::Size scaled = frm->PICT.GetCanvas().TextExtent(QString::fromUtf8(word));
        EXPECT_EQ(CharColumns.back().XRight, (320 - scaled.cx) / 2 + scaled.cx) << word;
    }
}

TEST_F(WordPagesTest, NextAndPreviousWrapAndPagesKeepTheirStrokes) {
    frm->WordPages->WordListLoad(WriteFile("山\n山川\n日本語\n"));
    Stroke(30, 30, 200, 150);
    const auto page0 = Composite();
    frm->WordPages->ActImgBExecute(); // previous on the first shows the last
    EXPECT_EQ(frm->CrSt, 2);
    EXPECT_EQ(frm->PenImage->PenList, PenLists[2].get());
    EXPECT_EQ(frm->PenImage->PenList->Count(), 0);
    frm->WordPages->ActImgFExecute(); // next on the last shows the first
    EXPECT_EQ(frm->CrSt, 0);
    EXPECT_EQ(Composite(), page0);
    EXPECT_TRUE(UdoEnabled); // the page with strokes can be undone to empty
}

TEST_F(WordPagesTest, WhiteboardToggleKeepsBothPages) {
    frm->WordPages->WordListLoad(WriteFile("山川\n"));
    Stroke(30, 30, 200, 150);
    const auto wordPage = Composite();
    frm->WordPages->ActWBrdExecute();
    EXPECT_TRUE(frm->isWhite);
    EXPECT_EQ(frm->PenImage->PenList, WBPenList.get());
    EXPECT_EQ(frm->PenImage->sw, frm->width());
    EXPECT_EQ(frm->PenImage->sh, frm->height());
    Stroke(50, 100, 60, 120);
    EXPECT_GT(WBPenList->Count(), 0);
    frm->WordPages->ActWBrdExecute();
    EXPECT_FALSE(frm->isWhite);
    EXPECT_EQ(Composite(), wordPage);
}

TEST_F(WordPagesTest, StrokeOrderPenIsNotCarriedOntoTheWhiteboard) {
    bool left = false;
    frm->WordPages->StrokeOrderPenLeave = [&] { left = true; };
    CrPen = PenPresets[3];
    frm->PenImage->DPenSet(FUDE_PEN);
    frm->WordPages->ToWhiteBoard();
    EXPECT_TRUE(left);
    EXPECT_EQ(CrPen, PenPresets[0]);
}

TEST_F(WordPagesTest, StrokeOrderStrokesAreNumberedPerCharacter) {
    frm->WordPages->WordListLoad(WriteFile("山川\n"));
    ASSERT_EQ(CharColumns.size(), 2u);
    frm->PenImage->DPenSet(FUDE_PEN);
    frm->PenImage->PL_UP = PE_UP_ORDER;
    const int32_t edge = CharColumns[0].XRight;
    std::vector<int32_t> numbers;
    for (int x : {edge - 20, edge - 20, edge + 5, edge - 20}) {
        Stroke(x, 60, x, 120);
        numbers.push_back(PenCounter);
    }
    EXPECT_EQ(numbers, (std::vector<int32_t>{1, 2, 1, 3}));
}

TEST_F(WordPagesTest, EraseAllClearsStrokesAndCounters) {
    frm->WordPages->WordListLoad(WriteFile("山川\n"));
    frm->PenImage->DPenSet(FUDE_PEN);
    Stroke(20, 60, 20, 120);
    frm->WordPages->PageErase();
    EXPECT_EQ(frm->PenImage->PenList->Count(), 0);
    EXPECT_EQ(CharColumns[0].StrokeCount, 0);
}

TEST_F(WordPagesTest, CloseShowsABlankPageAndKeepsTheStrokes) {
    frm->WordPages->WordListLoad(WriteFile("山川\n日本\n"));
    Stroke(30, 30, 200, 150);
    frm->WordPages->ActFileCloseExecute();
    EXPECT_EQ(GreyPixels(), 0);
    EXPECT_GT(PenLists[0]->Count(), 0);
    EXPECT_EQ(frm->WordList.size(), 2);
}

} // namespace
