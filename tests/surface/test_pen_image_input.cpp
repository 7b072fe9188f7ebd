// Pointer input of the drawing surface: gestures, recording, pressure, right-button
// erasing, modes and cursors.

#include "SurfaceFixture.h"
#include "platform/raster/Color.h"
#include "surface/PointerRules.h"

using namespace surfacetest;
using plat::MouseButton;
using plat::Point;

namespace {

constexpr uint32_t kRedPixel = plat::ColorToPixel32(0x0000FF);

TEST_F(SurfaceTest, PressWithoutMovementLeavesADotAndRecordsOnePoint) {
    const int32_t undoTop = UdoTopGet();
    img->MouseDown(MouseButton::Left, 0, 50, 40);
    EXPECT_TRUE(img->IsPenDown());
    EXPECT_TRUE(plat::PointerHidden());
    img->MouseUp(MouseButton::Left, 0, 50, 40);
    EXPECT_FALSE(img->IsPenDown());
    EXPECT_FALSE(plat::PointerHidden());

    const std::vector<TPenE> e = Elements();
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].x, PE_DN);
    EXPECT_EQ(e[0].c, 0x0000FF);
    EXPECT_EQ(e[0].t, 0);
    EXPECT_EQ(e[0].m, 2);
    EXPECT_EQ(e[0].w, 4);
    EXPECT_EQ(e[0].a, 255);
    EXPECT_EQ(e[1].x, 50);
    EXPECT_EQ(e[1].y, 40);
    EXPECT_EQ(e[1].p, 0);
    EXPECT_EQ(e[2].x, PE_UP);

    // A round dot of the pen's width in the colour layer, shown in the composite.
    EXPECT_EQ(Px(img->PBitmap, 50, 40), kRedPixel);
    EXPECT_EQ(Px(img->PBitmap, 52, 40), kRedPixel);
    EXPECT_EQ(Px(img->PBitmap, 56, 40), surface::kNoInk);
    EXPECT_EQ(Cov(img->ABitmap, 101, 81), 255);
    EXPECT_EQ(Px(img->Bitmap, 50, 40), plat::ColorToPixel32(0x0000FE)); // 255 * 255 / 256
    EXPECT_EQ(Px(img->Picture(), 50, 40), Px(img->Bitmap, 50, 40));     // refreshed on screen
    EXPECT_EQ(UdoTopGet(), undoTop + 1);
}

TEST_F(SurfaceTest, PointsAreConvertedToPictureCoordinates) {
    img->px = 20;
    img->py = -10;
    Stroke({{70, 50}, {90, 60}});
    const std::vector<TPenE> e = Elements();
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ((Point{e[1].x, e[1].y}), (Point{50, 60}));
    EXPECT_EQ((Point{e[2].x, e[2].y}), (Point{70, 70}));
}

TEST_F(SurfaceTest, MovesRecordTheSpeedPressure) {
    Stroke({{10, 10}, {10, 10}, {12, 10}, {12, 11}, {40, 11}, {70, 11}, {100, 11}});
    std::vector<int32_t> pressures;
    for (const TPenE& e : Elements())
        if (PenEIsPoint(e.x)) pressures.push_back(e.p);
    EXPECT_EQ(pressures, (std::vector<int32_t>{0, 974, 1024, 974, 924, 874, 824}));
}

TEST_F(SurfaceTest, WithPenPressureTheFirstPointDrawsNothing) {
    PenPressure = true;
    Stroke({{60, 60}});
    EXPECT_EQ(CountWhere(img->PBitmap, surface::kNoInk, false), 0);
    EXPECT_EQ(CountKind(PE_DN), 1); // still recorded
    Stroke({{60, 60}, {61, 60}});
    EXPECT_GT(CountWhere(img->PBitmap, surface::kNoInk, false), 0);
}

TEST_F(SurfaceTest, SecondLeftPressDuringAGestureIsIgnored) {
    img->MouseDown(MouseButton::Left, 0, 20, 20);
    img->MouseMove(0, 30, 20);
    img->MouseDown(MouseButton::Left, 0, 100, 100);
    img->MouseMove(0, 40, 20);
    img->MouseUp(MouseButton::Left, 0, 40, 20);
    EXPECT_EQ(CountKind(PE_DN), 1);
    EXPECT_EQ(CountKind(PE_UP), 1);
    EXPECT_EQ(list.Count(), 5); // header, three points, pen-up
    EXPECT_EQ(Px(img->PBitmap, 100, 100), surface::kNoInk);
}

TEST_F(SurfaceTest, RightButtonInPenModeErasesWithTheEraserWidthThenRestoresThePen) {
    EraseDefault = 1; // width 12
    UseStrokeOrderPen();
    CrPen = {0x00FF00, 8, PEN_KIND_HIGHLIGHTER}; // the current pen record
    Stroke({{20, 75}, {180, 75}});
    ASSERT_NE(Px(img->PBitmap, 100, 75), surface::kNoInk);
    const int32_t before = list.Count();

    img->MouseDown(MouseButton::Right, plat::ssRight, 100, 20);
    EXPECT_EQ(img->MMode, 3);
    EXPECT_EQ(img->PenWidth, 12);
    EXPECT_EQ(img->PenAlpha, 0);
    EXPECT_TRUE(img->IsPenDown());
    EXPECT_FALSE(plat::PointerHidden());
    EXPECT_EQ(img->CursorSlot(), 10);
    img->MouseMove(plat::ssRight, 100, 130);
    img->MouseUp(MouseButton::Right, 0, 100, 130);

    const std::vector<TPenE> e = Elements();
    ASSERT_EQ(static_cast<int32_t>(e.size()), before + 4);
    EXPECT_EQ(e[before].x, PE_DN);
    EXPECT_EQ(e[before].m, 3);
    EXPECT_EQ(e[before].w, 12);
    EXPECT_EQ(e[before].a, 0);
    EXPECT_EQ(e[before].t, 0);
    EXPECT_EQ(e.back().x, PE_UP); // not the numbered pen-up

    // The eraser cleared the ink across its path; the background shows again.
    EXPECT_EQ(Px(img->PBitmap, 100, 75), surface::kNoInk);
    EXPECT_EQ(Cov(img->ABitmap, 201, 151), 0);
    EXPECT_EQ(Px(img->Bitmap, 100, 75), kWhite);
    EXPECT_NE(Px(img->PBitmap, 60, 75), surface::kNoInk);

    // Back in pen mode with the current pen record, not the stroke-order pen.
    EXPECT_FALSE(img->IsPenDown());
    EXPECT_EQ(img->MMode, 2);
    EXPECT_EQ(img->PenColor, 0x00FF00);
    EXPECT_EQ(img->PenWidth, 8);
    EXPECT_EQ(img->PenAlpha, MarkerPenAlpha);
    EXPECT_EQ(img->PL_UP, PE_UP);
    EXPECT_EQ(img->isErase, 0);
}

TEST_F(SurfaceTest, RightButtonInEraserModeStaysInEraserMode) {
    img->SetMMode(3, false);
    Stroke({{30, 30}, {40, 40}}, MouseButton::Right);
    EXPECT_EQ(img->MMode, 3);
    EXPECT_EQ(img->PenWidth, 36);
    EXPECT_EQ(CountKind(PE_DN), 1);
}

TEST_F(SurfaceTest, RightButtonDoesNothingInLassoModeOrWithoutATool) {
    for (const bool lasso : {true, false}) {
        Make();
        if (lasso)
            img->SetMMode(4, true);
        else
            img->MMode = 0;
        const uint8_t mode = img->MMode;
        Stroke({{30, 30}, {60, 60}}, MouseButton::Right);
        EXPECT_EQ(list.Count(), 0) << lasso;
        EXPECT_EQ(img->MMode, mode) << lasso;
        EXPECT_EQ(img->isErase, 0) << lasso;
        EXPECT_FALSE(img->IsPenDown()) << lasso;
        EXPECT_EQ(CountWhere(img->PBitmap, surface::kNoInk, false), 0) << lasso;
    }
}

TEST_F(SurfaceTest, RightPressDuringAPenStrokeStartsAnEraserStroke) {
    img->MouseDown(MouseButton::Left, 0, 20, 20);
    img->MouseMove(0, 40, 20);
    img->MouseDown(MouseButton::Right, plat::ssLeft | plat::ssRight, 40, 20);
    EXPECT_FALSE(plat::PointerHidden()); // the cut-short pen stroke shows the pointer again
    img->MouseMove(plat::ssLeft | plat::ssRight, 60, 20);
    img->MouseUp(MouseButton::Left, plat::ssRight, 60, 20); // ends the eraser stroke
    img->MouseUp(MouseButton::Right, 0, 60, 20);
    EXPECT_EQ(CountKind(PE_DN), 2);
    EXPECT_EQ(CountKind(PE_UP), 1);
    EXPECT_EQ(img->MMode, 2);
    EXPECT_FALSE(img->IsPenDown());
}

TEST_F(SurfaceTest, PressWithoutAToolRecordsNothing) {
    img->MMode = 0;
    Stroke({{30, 30}, {60, 60}});
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(CountWhere(img->PBitmap, surface::kNoInk, false), 0);
    EXPECT_EQ(img->MouseF, 0);
}

TEST_F(SurfaceTest, PressesBeforeAPictureExistsOnlyRaiseTheEvent) {
    TPenImage bare;
    bare.PenList = &list;
    int downs = 0, ups = 0;
    bare.SetOnPenDown([&](MouseButton, plat::ShiftState, int32_t, int32_t) { ++downs; });
    bare.SetOnPenUp([&](MouseButton, plat::ShiftState, int32_t, int32_t) { ++ups; });
    bare.SetMMode(2, true);
    bare.MouseDown(MouseButton::Left, 0, 5, 5);
    bare.MouseUp(MouseButton::Left, 0, 5, 5);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(bare.IsPenDown());
}

TEST_F(SurfaceTest, PenDownEventRunsBeforeTheStrokeIsRecorded) {
    UseStrokeOrderPen();
    list.Clear();
    std::vector<int32_t> seenCounts;
    img->SetOnPenDown([&](MouseButton, plat::ShiftState, int32_t, int32_t) {
        seenCounts.push_back(list.Count());
        img->PenOrderAdd(4); // what the main window does for the stroke-order pen
    });
    img->SetOnPenUp([&](MouseButton, plat::ShiftState, int32_t, int32_t) {
        seenCounts.push_back(list.Count());
    });
    Stroke({{50, 50}, {80, 50}});
    const std::vector<TPenE> e = Elements();
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0].x, PE_RCOUNT);
    EXPECT_EQ(e[0].y, 4);
    EXPECT_EQ(e[1].x, PE_DN);
    EXPECT_EQ(e[4].x, PE_UP_ORDER);
    EXPECT_EQ(PenCounter, 5);
    EXPECT_EQ(seenCounts, (std::vector<int32_t>{0, 5})); // the pen-up event comes last
}

TEST_F(SurfaceTest, ModifiersAndHeldKeysChooseTheGesture) {
    // Shapes are not drawn here yet; what counts is the gesture the press starts.
    struct Case {
        plat::ShiftState shift, held;
        uint8_t gesture;
    };
    const Case cases[] = {
        {plat::ssCtrl, 0, surface::kGestureLine},
        {0, plat::ssCtrl, surface::kGestureLine},
        {plat::ssCtrl, plat::ssAlt, surface::kGestureCircle},
        {plat::ssAlt | plat::ssShift, 0, surface::kGestureEllipse},
        {plat::ssShift, 0, surface::kGesturePen},
    };
    for (const Case& c : cases) {
        img->BShift = c.held;
        img->MouseDown(MouseButton::Left, c.shift, 50, 50);
        EXPECT_EQ(img->MouseF, c.gesture) << c.shift << "/" << c.held;
        img->SetMMode(0, true);
        EXPECT_EQ(img->MouseF, 0);
        EXPECT_EQ(img->BShift, 0);
        EXPECT_FALSE(plat::PointerHidden());
        img->MouseUp(MouseButton::Left, 0, 50, 50);
    }
}

TEST_F(SurfaceTest, ShapePressesDrawNothingYet) {
    for (const plat::ShiftState shift :
         {plat::ShiftState{plat::ssCtrl}, plat::ShiftState{plat::ssCtrl | plat::ssShift},
          plat::ShiftState{plat::ssCtrl | plat::ssAlt}, plat::ShiftState{plat::ssAlt}}) {
        Make();
        const LayerBytes before = Layers();
        img->MouseDown(MouseButton::Left, shift, 50, 50);
        img->MouseMove(shift, 80, 90);
        EXPECT_TRUE(Layers() == before) << shift;
        img->MouseUp(MouseButton::Left, shift, 80, 90);
        EXPECT_TRUE(Layers() == before) << shift;
        EXPECT_FALSE(plat::PointerHidden());
        EXPECT_EQ(img->MouseF, 0);
    }
}

TEST_F(SurfaceTest, SmoothingPenPreviewsOnScreenAndInksAtPenUp) {
    PenRevise = 1;
    UsePen({0x0000FF, 2, PEN_KIND_PEN});
    ASSERT_EQ(img->Pentype, 1);
    img->MouseDown(MouseButton::Left, 0, 20, 100);
    for (int32_t x = 30; x <= 120; x += 10) img->MouseMove(0, x, 100 - x / 4);
    EXPECT_EQ(CountWhere(img->PBitmap, surface::kNoInk, false), 0);
    EXPECT_EQ(Px(img->Picture(), 20, 100), 0x00888888u); // mask preview over white
    EXPECT_EQ(Px(img->Bitmap, 20, 100), kWhite);
    img->MouseUp(MouseButton::Left, 0, 120, 70);
    EXPECT_GT(CountWhere(img->PBitmap, surface::kNoInk, false), 0);
    EXPECT_EQ(Px(img->PBitmap, 20, 100), kRedPixel);
    EXPECT_EQ(Px(img->Picture(), 20, 100), Px(img->Bitmap, 20, 100));
    EXPECT_EQ(img->xy.size(), 11u);
}

TEST_F(SurfaceTest, ModesSelectTheirCursors) {
    img->SetMMode(3, false);
    EXPECT_EQ(img->MMode, 3);
    EXPECT_EQ(img->CursorSlot(), 10);
    EXPECT_EQ(img->PenWidth, 36);
    img->SetMMode(0, false); // keeps the mode
    EXPECT_EQ(img->MMode, 3);
    EXPECT_EQ(img->CursorSlot(), 10);
    img->SetMMode(4, false);
    EXPECT_EQ(img->CursorSlot(), 13);
    UsePen({0x000000, 4, PEN_KIND_HIGHLIGHTER});
    EXPECT_EQ(img->CursorSlot(), 7);
    UsePen({RAINBOW, 4, PEN_KIND_PEN});
    EXPECT_EQ(img->CursorSlot(), 1);
    img->SetMMode(7, false); // not a mode: kept
    EXPECT_EQ(img->MMode, 2);
}

TEST_F(SurfaceTest, PenCursorRecoloursTheTipOfTheColourCursor) {
    plat::CursorImage pen;
    for (int y = 0; y < plat::kCursorSize; ++y)
        for (int x = 0; x < plat::kCursorSize; ++x) {
            pen.SetPixel(x, y, 0xFFFF00);
            pen.SetVisible(x, y, (x + y) % 3 != 0);
        }
    pen.hotSpot = {1, 2};
    plat::SetSlotCursor(6, pen);

    EXPECT_EQ(img->PenCursor(100, 0x0000FF), 6);
    const plat::CursorImage* got = plat::SlotCursorImage(6);
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(got->PixelAt(0, 0), 0x0000FFu);
    EXPECT_EQ(got->PixelAt(4, 4), 0x0000FFu);
    EXPECT_EQ(got->PixelAt(3, 5), 0x0000FAu); // x 0.98
    EXPECT_EQ(got->PixelAt(2, 5), 0x0000BAu); // x 0.73
    EXPECT_EQ(got->PixelAt(2, 6), 0x000096u); // x 0.59
    EXPECT_EQ(got->PixelAt(6, 6), 0xFFFF00u); // outside the tip
    EXPECT_EQ(got->PixelAt(1, 1), 0x0000FFu);
    EXPECT_EQ(got->hotSpot, (Point{1, 2}));
    for (int y = 0; y < plat::kCursorSize; ++y)
        for (int x = 0; x < plat::kCursorSize; ++x)
            ASSERT_EQ(got->Visible(x, y), pen.Visible(x, y));

    // Slots 1, 3 and 4 are shown as they are.
    EXPECT_EQ(img->PenCursor(255, 0x000000), 3);
    EXPECT_EQ(plat::SlotCursorImage(3), nullptr);
    // An empty colour slot is left empty.
    EXPECT_EQ(img->PenCursor(255, 0x00FF00), 2);
    EXPECT_EQ(plat::SlotCursorImage(2), nullptr);
}

} // namespace
