// The main window's express keys, driven through the component's codes: erase, the
// stroke-order pen, preset cycling, and the word or whiteboard and save keys.

#include "AppFixture.h"
#include "app/CintiqButton.h"
#include "app/Commands.h"
#include "app/MainFrm.h"
#include "app/WordPages.h"
#include "platform/ui/Action.h"
#include "platform/ui/FileDialogs.h"
#include "strokes/PenList.h"
#include "surface/PenImage.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ExpressKeysTest : public AppStateTest {
protected:
    void SetUp() override {
        AppStateTest::SetUp();
        frm = std::make_unique<TMainFrm>();
        frm->Timer1Timer();
        surface = frm->PenImage;
        plat::SetFileDialogRunner([this](const plat::FileDialogRequest&) {
            ++saveDialogs;
            return std::optional<QString>();
        });
    }
    void TearDown() override {
        plat::SetFileDialogRunner({});
        frm.reset();
        AppStateTest::TearDown();
    }
    // A click of key n (press and release codes), after the idle update of the commands.
    void Click(int n) {
        frm->Commands->UpdateAll();
        frm->CintiqButton1->WndProc(static_cast<uint32_t>(2 * n - 1));
        frm->CintiqButton1->WndProc(static_cast<uint32_t>(2 * n));
    }
    void Stroke(int32_t x, int32_t y) {
        surface->MouseDown(plat::MouseButton::Left, plat::ssLeft, x, y);
        surface->MouseMove(plat::ssLeft, x + 20, y + 5);
        surface->MouseUp(plat::MouseButton::Left, 0, x + 20, y + 5);
    }
    void WordsLoad() {
        ASSERT_TRUE(folder.isValid());
        QFile file(folder.filePath("words.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("山\n川\n日\n");
        file.close();
        frm->WordPages->WordListLoad(file.fileName());
        ASSERT_EQ(frm->WordList.size(), 3);
    }

    QTemporaryDir folder;
    std::unique_ptr<TMainFrm> frm;
    TPenImage* surface = nullptr;
    int saveDialogs = 0;
};

TEST_F(ExpressKeysTest, Key1ErasesThePageWhateverTheEraserSize) {
    EraseDefault = 2;
    Stroke(20, 20);
    ASSERT_GT(surface->PenList->Count(), 0);
    Click(1);
    EXPECT_EQ(surface->PenList->Count(), 0);
    EXPECT_EQ(surface->MMode, kModePen); // not turned into the eraser
}

TEST_F(ExpressKeysTest, Key2SelectsTheStrokeOrderPenAlsoOnTheWhiteboard) {
    Click(2);
    EXPECT_EQ(surface->PenColor, FUDE_COLOR);
    EXPECT_EQ(surface->MMode, kModePen);

    frm->Commands->ActPenExecute(*frm->Commands->ActPen);
    frm->WordPages->ActWBrdExecute();
    ASSERT_TRUE(frm->isWhite);
    frm->Commands->UpdateAll();
    ASSERT_FALSE(frm->Commands->ActFude->Enabled());
    Click(2);
    EXPECT_EQ(surface->PenColor, FUDE_COLOR);
}

TEST_F(ExpressKeysTest, Key3StepsThePresetsInPenModeAndWrapsAtPenCount) {
    PenCount = 3;
    ASSERT_EQ(CrPenNo, 0); // preset 0 from the start
    Click(3);
    EXPECT_EQ(CrPenNo, 1);
    EXPECT_EQ(CrPen, PenPresets[1]);
    EXPECT_EQ(surface->PenColor, PenPresets[1].PenColor);
    Click(3);
    Click(3);
    EXPECT_EQ(CrPenNo, 0);
    EXPECT_EQ(CrPen, PenPresets[0]);
}

TEST_F(ExpressKeysTest, Key3OutsidePenModeReturnsToTheCurrentPenUnchanged) {
    frm->Commands->ActErase2->Execute();
    ASSERT_EQ(surface->MMode, kModeEraser);
    const TPenType pen = CrPen;
    Click(3);
    EXPECT_EQ(surface->MMode, kModePen);
    EXPECT_EQ(CrPen, pen);
    EXPECT_EQ(surface->PenColor, pen.PenColor);
}

TEST_F(ExpressKeysTest, Key3LeavesTheStrokeOrderPenForTheNextPreset) {
    Click(2);
    ASSERT_EQ(surface->PenColor, FUDE_COLOR);
    Click(3);
    EXPECT_EQ(CrPenNo, 1);
    EXPECT_EQ(surface->PenColor, PenPresets[1].PenColor);
}

TEST_F(ExpressKeysTest, Keys4And5StepTheWordsOrToggleAndSaveBySetting) {
    Click(5); // no words yet: nothing
    EXPECT_EQ(frm->CrSt, 0);
    EXPECT_EQ(saveDialogs, 0);

    WordsLoad();
    Click(5);
    Click(5);
    EXPECT_EQ(frm->CrSt, 2);
    Click(4);
    EXPECT_EQ(frm->CrSt, 1);

    DTFButtonSet = 1;
    Click(4);
    EXPECT_TRUE(frm->isWhite);
    Click(4);
    EXPECT_FALSE(frm->isWhite);
    Click(5);
    EXPECT_EQ(saveDialogs, 1);
    EXPECT_EQ(frm->CrSt, 1);

    DTFButtonSet = 2;
    Click(4);
    Click(5);
    EXPECT_EQ(frm->CrSt, 1);
    EXPECT_FALSE(frm->isWhite);
    EXPECT_EQ(saveDialogs, 1);
}

} // namespace
