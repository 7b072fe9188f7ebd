// Replay of a stroke list: a page rebuilt from its list equals the page as it was drawn,
// byte for byte, in the composite and both ink layers.

#include "SurfaceFixture.h"

#include <functional>
#include <sstream>
#include <string>

using namespace surfacetest;
using plat::MouseButton;
using plat::Point;

namespace {

std::string FirstDifference(const char* layer, const std::vector<uint8_t>& a,
                            const std::vector<uint8_t>& b) {
    if (a.size() != b.size()) return std::string(layer) + ": sizes differ\n";
    size_t count = 0, first = 0;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && count++ == 0) first = i;
    if (count == 0) return {};
    std::ostringstream out;
    out << layer << ": " << count << " bytes differ, first at byte " << first << " ("
        << int(a[first]) << " vs " << int(b[first]) << ")\n";
    return out.str();
}

std::string Differences(const LayerBytes& a, const LayerBytes& b) {
    return FirstDifference("Bitmap", a.composite, b.composite) +
           FirstDifference("PBitmap", a.colour, b.colour) +
           FirstDifference("ABitmap", a.coverage, b.coverage);
}

class ReplayTest : public SurfaceTest {
protected:
    void ResetAll() {
        SettingsDefaultsSet();
        PenModelDefaultsSet();
        UdoReset();
        Make();
    }

    // Clears the layers as the named caller does and replays the list.
    LayerBytes Replayed(bool viaErase) {
        if (viaErase)
            img->BitmapErase(true);
        else
            img->ClearLayers();
        img->PenListPlay(false);
        return Layers();
    }

    // Smoothed strokes of several lengths (polylines and Bézier chains) at point step v.
    void SmoothingStrokes(int32_t v) {
        PenRevise = 1;
        PenReviseValue = v;
        UsePen({0x0000FF, 4, PEN_KIND_PEN});
        Zigzag(10, 20, 3, 20, 15);
        Zigzag(80, 20, 4, 20, 15);
        Zigzag(10, 60, 5, 20, 25);
        Zigzag(10, 100, 7, 20, -25);
        Zigzag(60, 120, 13, 10, 20);
        UsePen({RAINBOW, 8, PEN_KIND_HIGHLIGHTER}); // per-stroke colour while smoothing
        Zigzag(120, 50, 9, 8, 30);
        Zigzag(120, 90, 9, 8, 30);
        UsePen({0x00FF00 | DOTTED_FLAG, 6, PEN_KIND_PEN});
        Zigzag(5, 140, 11, 18, -50);
        UsePen({0x884400, 1, PEN_KIND_PEN});
        Zigzag(30, 5, 9, 18, 30);
    }

    // Ink poked into the layers at (10, 75) without composing it.
    void PokeInk() {
        img->PBitmap.Row32(75)[10] = 0x00FF0000;
        for (int32_t y = 150; y <= 152; ++y)
            for (int32_t x = 20; x <= 22; ++x) img->ABitmap.ScanLine(y)[x] = 255;
    }

    // A zig-zag of n points from (x, y), dx to the right, alternating dy up and down.
    void Zigzag(int32_t x, int32_t y, int32_t n, int32_t dx, int32_t dy,
                MouseButton button = MouseButton::Left) {
        img->MouseDown(button, 0, x, y);
        for (int32_t i = 1; i < n; ++i) img->MouseMove(0, x + i * dx, y + (i % 2 ? dy : 0));
        img->MouseUp(button, 0, x + (n - 1) * dx, y);
    }
};

struct Scenario {
    const char* name;
    std::function<void()> draw;
};

TEST_F(ReplayTest, ReplayEqualsLiveDrawing) {
    const Scenario scenarios[] = {
        {"freehand pens of every width",
         [&] {
             const int32_t widths[] = {1, 2, 4, 8, 16};
             for (int32_t i = 0; i < 5; ++i) {
                 UsePen({i % 2 ? 0xFF0000 : 0x000000, widths[i], PEN_KIND_PEN});
                 Zigzag(10, 15 + 28 * i, 12, 15, 9);
             }
             UsePen({0x00AA00, 1, PEN_KIND_PEN});
             Stroke({{30, 30}}); // a one-pixel dot
             Stroke({{100, 5}, {100, 145}, {101, 145}, {190, 60}});
         }},
        {"highlighter over and under pen ink",
         [&] {
             UsePen({0x00FFFF, 16, PEN_KIND_HIGHLIGHTER});
             Zigzag(10, 40, 8, 25, 30);
             UsePen({0x0000FF, 4, PEN_KIND_PEN});
             Stroke({{50, 10}, {60, 140}});
             UsePen({0xFF00FF, 2, PEN_KIND_HIGHLIGHTER});
             Zigzag(20, 100, 10, 18, -40);
         }},
        {"smoothing pen, step 1", [&] { SmoothingStrokes(1); }},
        {"smoothing pen, step 2", [&] { SmoothingStrokes(2); }},
        {"smoothing pen, step 0", [&] { SmoothingStrokes(0); }},
        {"rainbow and dotted pens",
         [&] {
             UsePen({RAINBOW, 6, PEN_KIND_PEN});
             Zigzag(10, 30, 19, 10, 12);
             UsePen({RAINBOW | DOTTED_FLAG, 4, PEN_KIND_HIGHLIGHTER});
             Zigzag(10, 80, 19, 10, 12);
             UsePen({0xFF0000 | DOTTED_FLAG, 3, PEN_KIND_PEN});
             Zigzag(10, 120, 25, 7, 10);
         }},
        {"eraser",
         [&] {
             UsePen({0x0000FF, 8, PEN_KIND_PEN});
             for (int32_t y = 20; y < 150; y += 25) Stroke({{5, y}, {195, y}});
             UsePen({0x00FF00, 16, PEN_KIND_HIGHLIGHTER});
             Stroke({{5, 5}, {195, 145}});
             EraseDefault = 1;
             img->SetMMode(3, false);
             img->PL_UP = PE_UP;
             Zigzag(20, 10, 8, 20, 40);
             Stroke({{150, 45}}); // a click with the eraser
             EraseDefault = 2;
             UsePen({0x000000, 2, PEN_KIND_PEN});
             Stroke({{60, 130}, {180, 10}}, MouseButton::Right);
             Stroke({{10, 70}, {190, 72}});
         }},
        {"stroke-order pen with discs",
         [&] {
             UseStrokeOrderPen();
             int32_t counts[2] = {0, 0};
             img->SetOnPenDown([&](MouseButton, plat::ShiftState, int32_t x, int32_t) {
                 if (img->PenColor == FUDE_COLOR) img->PenOrderAdd(counts[x < 100 ? 0 : 1]++);
             });
             Stroke({{30, 20}, {40, 50}, {45, 80}});
             Stroke({{140, 20}, {150, 60}});
             Stroke({{20, 110}, {70, 115}, {90, 120}});
             Stroke({{170, 120}});
             UsePen({RAINBOW, 4, PEN_KIND_PEN}); // moves the shared counter
             Zigzag(60, 60, 15, 8, 10);
             UseStrokeOrderPen();
             Stroke({{120, 100}, {160, 140}});
             img->SetOnPenDown(nullptr);
         }},
        {"stroke-order pen with smoothing, no end discs",
         [&] {
             PenRevise = 1;
             EndNumber = false;
             UseStrokeOrderPen();
             Zigzag(20, 30, 8, 20, 20);
             Zigzag(20, 100, 3, 30, 20);
         }},
        {"pen pressure",
         [&] {
             PenPressure = true;
             UsePen({0x000000, 16, PEN_KIND_PEN});
             Stroke({{10, 10}, {11, 10}, {12, 11}, {12, 12}, {13, 12}});
             Zigzag(10, 60, 30, 12, 8); // fast: thins out and vanishes
             UsePen({0x0000FF, 8, PEN_KIND_HIGHLIGHTER});
             Zigzag(20, 110, 20, 4, 3);
         }},
        {"right press cuts a stroke short",
         [&] {
             PenRevise = 1;
             UsePen({0xFF0000, 6, PEN_KIND_PEN}); // smoothing stroke that is never finished
             img->MouseDown(MouseButton::Left, 0, 20, 20);
             img->MouseMove(0, 60, 40);
             img->MouseMove(0, 90, 30);
             img->MouseDown(MouseButton::Right, plat::ssLeft | plat::ssRight, 90, 30);
             img->MouseMove(plat::ssRight, 120, 60);
             img->MouseUp(MouseButton::Right, 0, 120, 60);
             img->MouseUp(MouseButton::Left, 0, 120, 60);
             PenRevise = 0;
             UsePen({0x0000FF, 6, PEN_KIND_PEN});
             img->MouseDown(MouseButton::Left, 0, 20, 100);
             img->MouseMove(0, 60, 120);
             img->MouseDown(MouseButton::Right, plat::ssLeft | plat::ssRight, 60, 120);
             img->MouseMove(plat::ssRight, 80, 90);
             img->MouseUp(MouseButton::Left, plat::ssRight, 80, 90);
             img->MouseUp(MouseButton::Right, 0, 80, 90);
             Stroke({{10, 130}, {190, 135}});
         }},
        {"strokes past the picture's edges",
         [&] {
             UsePen({0x00FF00, 12, PEN_KIND_HIGHLIGHTER});
             Stroke({{-30, -20}, {0, 0}, {250, 170}});
             UsePen({0x000000, 4, PEN_KIND_PEN});
             Stroke({{199, 0}, {199, 149}, {0, 149}});
             UseStrokeOrderPen();
             Stroke({{2, 2}, {5, 140}});
             img->SetMMode(3, false);
             img->PL_UP = PE_UP;
             Stroke({{0, 75}, {400, 75}});
         }},
        {"eraser that kept the numbered pen-up",
         [&] {
             UseStrokeOrderPen();
             Stroke({{40, 20}, {60, 130}});
             img->SetMMode(3, false); // PL_UP still PE_UP_ORDER: no discs, live or replayed
             Stroke({{10, 75}, {190, 75}});
         }},
    };

    for (const Scenario& s : scenarios) {
        for (const bool viaErase : {false, true}) {
            ResetAll();
            const LayerBytes blank = Layers();
            s.draw();
            const LayerBytes live = Layers();
            ASSERT_FALSE(live.composite == blank.composite) << s.name; // something was drawn
            const uint8_t mouseF = img->MouseF;
            const LayerBytes replayed = Replayed(viaErase);
            EXPECT_TRUE(replayed == live)
                << s.name << (viaErase ? " (BitmapErase)" : " (ClearLayers)") << "\n"
                << Differences(live, replayed);
            EXPECT_EQ(img->MouseF, mouseF);
            // The screen shows the replayed picture.
            EXPECT_TRUE(Bytes(img->Picture()) == live.composite) << s.name;
        }
    }
}

TEST_F(ReplayTest, ReplayingTwiceGivesTheSamePicture) {
    UseStrokeOrderPen();
    Stroke({{30, 20}, {40, 60}});
    UsePen({RAINBOW, 6, PEN_KIND_PEN});
    Zigzag(20, 90, 13, 12, 15);
    UseStrokeOrderPen();
    Stroke({{150, 30}, {160, 90}});
    const LayerBytes first = Replayed(false);
    const int32_t counter = PenCounter;
    const LayerBytes second = Replayed(false);
    EXPECT_TRUE(first == second) << Differences(first, second);
    EXPECT_EQ(PenCounter, counter);
    EXPECT_EQ(counter, 1);
}

TEST_F(ReplayTest, EmptyListDrawsAndComposesNothingAndResetsTheCounter) {
    Stroke({{20, 20}, {150, 100}});
    list.Clear();
    PokeInk();
    const LayerBytes before = Layers();
    PenCounter = 7;
    img->PenListPlay(false);
    EXPECT_TRUE(Layers() == before) << Differences(before, Layers());
    EXPECT_EQ(PenCounter, 0);
}

TEST_F(ReplayTest, SingleElementListComposesNothing) {
    list.AddRCount(3);
    PokeInk();
    const LayerBytes before = Layers();
    img->PenListPlay(true);
    EXPECT_TRUE(Layers() == before) << Differences(before, Layers());
    EXPECT_EQ(PenCounter, 3);
    // A list of two elements composes the whole picture.
    list.AddRCount(4);
    img->PenListPlay(false);
    EXPECT_EQ(Px(img->Bitmap, 10, 75), 0x00FE0000u);
}

TEST_F(ReplayTest, PointsBeforeTheFirstHeaderAreIgnored) {
    UsePen({0x0000FF, 8, PEN_KIND_PEN});
    Stroke({{50, 50}, {150, 100}});
    const LayerBytes live = Layers();
    const std::vector<TPenE> stroke = Elements();
    list.Clear();
    list.AddXY(10, 10, 1024);
    list.AddXY(190, 140, 1024);
    list.AddPenUp(PE_UP);
    list.AddXY(100, 10, 1024);
    for (const TPenE& e : stroke) list.Add(e);
    const LayerBytes replayed = Replayed(false);
    EXPECT_TRUE(replayed == live) << Differences(live, replayed);
}

TEST_F(ReplayTest, SurfacePenAndModeAreRestored) {
    UseStrokeOrderPen();
    Stroke({{30, 20}, {40, 60}});
    PenRevise = 1;
    UsePen({RAINBOW, 6, PEN_KIND_HIGHLIGHTER});
    Zigzag(20, 90, 7, 12, 15);
    img->SetMMode(3, false);
    Stroke({{10, 10}, {100, 100}});

    img->MouseF = 5;
    img->MMode = 4;
    img->Pentype = 0;
    img->PenColor = 0x123456;
    img->PenWidth = 7;
    img->PenAlpha = 201;
    img->ClearLayers();
    img->PenListPlay(false);
    EXPECT_EQ(img->MouseF, 5);
    EXPECT_EQ(img->MMode, 4);
    EXPECT_EQ(img->Pentype, 0);
    EXPECT_EQ(img->PenColor, 0x123456);
    EXPECT_EQ(img->PenWidth, 7);
    EXPECT_EQ(img->PenAlpha, 201);
}

TEST_F(ReplayTest, SelectedStrokeAndItsDiscsStayOutOfThePicture) {
    UseStrokeOrderPen();
    Stroke({{30, 30}, {60, 90}});
    const LayerBytes first = Layers();
    const int32_t header = list.Count();
    Stroke({{120, 40}, {170, 110}});
    ASSERT_EQ(list.PenE(header).x, PE_DN);
    list.Select(header);
    const LayerBytes replayed = Replayed(false);
    EXPECT_TRUE(replayed == first) << Differences(first, replayed);
    EXPECT_EQ(PenCounter, 1); // the selected stroke is not counted
}

TEST_F(ReplayTest, UndoAndRedoThroughReplay) {
    const LayerBytes blank = Layers();
    UsePen({RAINBOW, 8, PEN_KIND_PEN});
    Zigzag(20, 50, 10, 15, 30);
    const LayerBytes live = Layers();
    ASSERT_TRUE(UdoEnabled);

    img->BitmapErase(true);
    UdoUndo(list);
    img->PenListPlay(false);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(Layers() == blank) << Differences(blank, Layers());
    EXPECT_TRUE(RedoEnabled);

    UdoRedo(list);
    img->BitmapErase(true);
    img->PenListPlay(false);
    EXPECT_TRUE(Layers() == live) << Differences(live, Layers());
    EXPECT_FALSE(RedoEnabled);
}

} // namespace
