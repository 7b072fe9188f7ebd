// The main window's life cycle: what FormCreate builds, what the first-show step leaves,
// resizing and destruction.

#include "AppFixture.h"
#include "app/CharColumns.h"
#include "app/Commands.h"
#include "app/Cursors.h"
#include "app/MainFrm.h"
#include "app/TopStrip.h"
#include "platform/ui/Action.h"
#include "platform/ui/Monitors.h"
#include "settings/PenModel.h"
#include "settings/Settings.h"
#include "strokes/PenList.h"
#include "strokes/Undo.h"
#include "surface/PenImage.h"

#include <QCoreApplication>
#include <QMenu>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using MainFrmTest = AppStateTest;

bool AllWhite(const plat::Bitmap& b) {
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if ((b.Row32(y)[x] & 0xFFFFFFu) != 0xFFFFFFu) return false;
    return true;
}

TEST_F(MainFrmTest, FormCreateBuildsTheWindowWithoutAPage) {
    CrPenNo = -1;
    TMainFrm frm;
    EXPECT_EQ(frm.windowTitle(), QStringLiteral("インクワード 筆順"));
    EXPECT_EQ(frm.size(), QSize(320, 240));
    EXPECT_TRUE(frm.WordList.isEmpty());
    EXPECT_FALSE(frm.isWhite);
    EXPECT_FALSE(frm.isLast);
    ASSERT_NE(frm.PenImage, nullptr);
    EXPECT_TRUE(frm.PenImage->isFixed);
    EXPECT_EQ(frm.PenImage->geometry(), QRect(0, 24, 320, 216));
    EXPECT_EQ(frm.PenImage->sw, 0); // the first page comes with the timer
    ASSERT_EQ(PenLists.size(), 1u);
    EXPECT_EQ(frm.PenImage->PenList, PenLists[0].get());
    EXPECT_NE(WBPenList, nullptr);
    EXPECT_EQ(CrPen, PenPresets[0]);
    EXPECT_EQ(CrPenNo, 0);
    EXPECT_EQ(frm.PenImage->PenColor, PenPresets[0].PenColor);
    EXPECT_TRUE(frm.Timer1->isActive());
    EXPECT_TRUE(frm.Timer1->isSingleShot());
    EXPECT_EQ(frm.Timer1->interval(), 10);
    for (int slot : {1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13})
        EXPECT_NE(plat::SlotCursorImage(slot), nullptr) << slot;

    ASSERT_EQ(frm.Panel1->MenuBar1->ButtonCount(), 2);
    EXPECT_EQ(frm.Panel1->MenuBar1->Button(0)->text(), QStringLiteral("ファイル(&F)"));
    EXPECT_EQ(frm.Panel1->MenuBar1->Button(1)->text(), QStringLiteral("ヘルプ(&H)"));
    EXPECT_EQ(frm.MainMenu1[0]->actions().value(6), frm.Commands->ActFileExit->MenuAction());
    EXPECT_EQ(frm.Commands->ActFileExit->MenuAction()->text(), QStringLiteral("終了(&X)"));
}

TEST_F(MainFrmTest, FirstShowRendersTheBlankPageInPenMode) {
    TMainFrm frm({QStringLiteral("/no/such/words.txt")});
    EXPECT_TRUE(frm.CommandLineWordFile.isEmpty());
    frm.show();
    frm.Timer1Timer();
    EXPECT_FALSE(frm.Timer1->isActive());
    EXPECT_EQ(frm.size(), QSize(320, 240)); // StartMaximize off: the design size stays
    EXPECT_EQ(frm.PICT.Width(), 320);
    EXPECT_EQ(frm.PICT.Height(), 216);
    EXPECT_TRUE(AllWhite(frm.PICT));
    EXPECT_EQ(frm.PenImage->sw, 320);
    EXPECT_EQ(frm.PenImage->sh, 216);
    EXPECT_TRUE(AllWhite(frm.PenImage->Bitmap));
    EXPECT_EQ(frm.PenImage->MMode, 2);
    EXPECT_NE(frm.PenImage->CursorSlot(), 0);
    EXPECT_FALSE(UdoEnabled);
    EXPECT_FALSE(RedoEnabled);
    EXPECT_EQ(UdoIndexGet(), UdoTopGet());
}

TEST_F(MainFrmTest, StartMaximizePlacesTheWindowOnTheWorkArea) {
    StartMaximize = true;
    CrMonitor = 0;
    TMainFrm frm;
    frm.ShowCentred();
    frm.Timer1Timer();
    const plat::Rect area = plat::MonitorWorkArea(0);
    EXPECT_TRUE(frm.isMaximized());
    EXPECT_EQ(frm.frameGeometry().size(), QSize(area.Width(), area.Height()));
    // The page is sized to the maximised surface.
    EXPECT_EQ(frm.PICT.Width(), frm.PenImage->width());
    EXPECT_EQ(frm.PICT.Height(), frm.PenImage->height());
    EXPECT_EQ(frm.PenImage->height(), frm.height() - 24);
}

TEST_F(MainFrmTest, ResizeFollowsTheSurfaceAndKeepsThePage) {
    TMainFrm frm;
    frm.show();
    frm.Timer1Timer();
    EXPECT_EQ(frm.PenImage->Picture().Width(), 320);
    EXPECT_EQ(frm.PenImage->Picture().Height(), 216);
    frm.resize(500, 300);
    EXPECT_EQ(frm.PenImage->geometry(), QRect(0, 24, 500, 276));
    EXPECT_EQ(frm.PenImage->Picture().Width(), 500);
    EXPECT_EQ(frm.PenImage->Picture().Height(), 276);
    EXPECT_EQ(frm.PenImage->sw, 320); // the page is not rendered again
    EXPECT_EQ(frm.Panel1->width(), 500);
}

TEST_F(MainFrmTest, PenDownWithoutAWordCountsNoCharacter) {
    TMainFrm frm;
    frm.Timer1Timer();
    frm.PenImage->DPenSet(FUDE_PEN);
    CharColumns.clear();
    EXPECT_EQ(CharCountGet(10), -1);
    frm.MSDown(plat::MouseButton::Left, plat::ssLeft, 10, 10);
    EXPECT_EQ(frm.PenImage->PenList->Count(), 0);
}

TEST_F(MainFrmTest, DestroyFreesEveryStrokeList) {
    auto frm = std::make_unique<TMainFrm>();
    frm.reset();
    EXPECT_EQ(WBPenList, nullptr);
    EXPECT_TRUE(PenLists.empty());
}

} // namespace
