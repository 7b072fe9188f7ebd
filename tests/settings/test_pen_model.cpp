#include "settings/PenModel.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

class PenModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        SettingsDefaultsSet();
        PenModelDefaultsSet();
    }
    void TearDown() override { SetUp(); }
};

TEST_F(PenModelTest, BuiltInTables) {
    const std::vector<TPenType> presets = {{0x0000FF, 4, 1},  {0xFF0000, 4, 1},  {0x00FFFF, 4, 1},
                                           {0xFF00FF, 16, 0}, {0x00FF00, 16, 0}, {0xFFFF00, 12, 0},
                                           {0xFF00FF, 12, 0}, {0xFFFFFF, 12, 0}, {0x0000FF, 12, 0},
                                           {0x99FF99, 12, 0}};
    for (size_t i = 0; i < presets.size(); ++i) EXPECT_EQ(PenPresets[i], presets[i]) << i;

    const std::vector<std::pair<int32_t, const char*>> colors = {
        {0x08000000, "Rainbow"}, {0xFFFF00, "Cyan"},    {0xFF0000, "Blue"},
        {0x000000, "Black"},     {0xFF00FF, "Magenta"}, {0x00FF00, "Green"},
        {0x0000FF, "Red"},       {0x00FFFF, "Yellow"},  {0xFFFFFF, "White"}};
    for (size_t i = 0; i < colors.size(); ++i) {
        EXPECT_EQ(PenColors[i].Color, colors[i].first) << i;
        EXPECT_EQ(PenColors[i].Name, QString::fromLatin1(colors[i].second)) << i;
    }
    EXPECT_EQ(PenWidths, (std::array<int32_t, 5>{1, 2, 4, 8, 16}));
    EXPECT_EQ(FUDE_PEN, (TPenType{0x08000001, 32, 0}));
    EXPECT_EQ(CrPenNo, -1);
    EXPECT_EQ(PenCounter, 0);
}

TEST_F(PenModelTest, DefaultsSetRestoresChangedTables) {
    PenPresets[3] = {1, 2, 3};
    PenColors[1] = {0x123456, QStringLiteral("x")};
    PenWidths[0] = 30;
    PenCounter = 9;
    CrPenNo = 4;
    PenModelDefaultsSet();
    EXPECT_EQ(PenPresets[3], (TPenType{0xFF00FF, 16, 0}));
    EXPECT_EQ(PenColors[1].Color, 0xFFFF00);
    EXPECT_EQ(PenColors[1].Name, QStringLiteral("Cyan"));
    EXPECT_EQ(PenWidths[0], 1);
    EXPECT_EQ(PenCounter, 0);
    EXPECT_EQ(CrPenNo, -1);

    PenPresets[9] = {1, 2, 3};
    PenWidths[0] = 30;
    PenPresetsDefaultSet(); // presets only
    EXPECT_EQ(PenPresets[9], (TPenType{0x99FF99, 12, 0}));
    EXPECT_EQ(PenWidths[0], 30);
}

struct InkCase {
    int32_t color;
    int32_t counter;
    uint32_t rgb;
    TLineStyle style;
    int32_t counterAfter;
};

class InkColorTest : public PenModelTest, public ::testing::WithParamInterface<InkCase> {};

TEST_P(InkColorTest, ColourStyleAndCounter) {
    const InkCase& c = GetParam();
    PenCounter = c.counter;
    const TInkColor ink = InkColor(c.color);
    EXPECT_EQ(ink.Color, c.rgb);
    EXPECT_EQ(ink.Style, c.style);
    EXPECT_EQ(PenCounter, c.counterAfter);
}

constexpr auto S = TLineStyle::Solid;
constexpr auto C = TLineStyle::Clear;

INSTANTIATE_TEST_SUITE_P(
    Cases, InkColorTest,
    ::testing::Values(
        // Ordinary colours advance the counter modulo 42.
        InkCase{0x123456, 41, 0x123456, S, 0}, InkCase{0x123456, 100, 0x123456, S, 17},
        InkCase{0x000000, 0, 0x000000, S, 1},
        // The per-stroke colour takes entry counter mod 7 and never advances.
        InkCase{FUDE_COLOR, 1, 0x0000FF, S, 1}, InkCase{FUDE_COLOR, 7, 0xFF00FF, S, 7},
        InkCase{FUDE_COLOR, 100, 0x0066FF, S, 100},
        InkCase{FUDE_COLOR | DOTTED_FLAG, 4, 0x00FF00, C, 4},
        // Rainbow: entry counter mod 7, then advance.
        InkCase{RAINBOW, 41, 0xCC6666, S, 0}, InkCase{RAINBOW | DOTTED_FLAG, 3, 0x00FFFF, S, 4},
        // Dotted colours: solid on phases 0 and 3 of six.
        InkCase{DOTTED_FLAG, 1, 0x000000, C, 2}, InkCase{DOTTED_FLAG, 9, 0x000000, S, 10},
        InkCase{0x18FF0000, 0, 0xFF0000, S, 1}, InkCase{0x10FF0000, 2, 0xFF0000, C, 3},
        // A counter left below 0 still picks a colour of the cycle.
        InkCase{RAINBOW, -1, 0xCC6666, S, 0}));

TEST_F(PenModelTest, RainbowSegmentsCycleThroughTheSevenColours) {
    std::vector<uint32_t> drawn;
    for (int i = 0; i < 8; ++i) drawn.push_back(InkColor(RAINBOW).Color);
    EXPECT_EQ(drawn, (std::vector<uint32_t>{0xFF00FF, 0x0000FF, 0x0066FF, 0x00FFFF, 0x00FF00,
                                            0xFF0000, 0xCC6666, 0xFF00FF}));
    EXPECT_EQ(PenCounter, 8);
}

TEST_F(PenModelTest, DottedLineDrawsEveryThirdSegment) {
    std::vector<int> drawn;
    for (int segment = 1; segment <= 12; ++segment) {
        if (InkColor(DOTTED_FLAG).Style == TLineStyle::Solid) drawn.push_back(segment);
    }
    EXPECT_EQ(drawn, (std::vector<int>{1, 4, 7, 10}));
}

TEST_F(PenModelTest, DotStyleOnlyForTheDottedFlag) {
    for (int32_t counter = 0; counter < 6; ++counter) {
        PenCounter = counter;
        EXPECT_EQ(DotStyle(0xFF0000), TLineStyle::Solid);
        EXPECT_EQ(DotStyle(0x10FF0000), counter % 3 == 0 ? TLineStyle::Solid : TLineStyle::Clear);
        EXPECT_EQ(PenCounter, counter);
    }
}

// PenNext from the start-up state (CrPen preset 0, CrPenNo 0).
std::vector<int32_t> PressButton3(int times) {
    std::vector<int32_t> chosen;
    for (int i = 0; i < times; ++i) {
        PenNext(CrPen);
        EXPECT_EQ(CrPen, PenPresets[static_cast<size_t>(CrPenNo)]);
        chosen.push_back(CrPenNo);
    }
    return chosen;
}

TEST_F(PenModelTest, PenNextCyclesThePresetsInUse) {
    CrPenStart();
    EXPECT_EQ(CrPen, PenPresets[0]);
    EXPECT_EQ(PressButton3(6), (std::vector<int32_t>{1, 2, 3, 4, 0, 1}));

    PenCount = 1;
    CrPenStart();
    EXPECT_EQ(PressButton3(3), (std::vector<int32_t>{0, 0, 0}));

    // A cursor beyond the presets in use (PenCount lowered) wraps to preset 0.
    PenCount = 5;
    CrPenNo = 8;
    EXPECT_EQ(PressButton3(1), (std::vector<int32_t>{0}));
}

struct CommandCase {
    const char* what;
    int32_t penCount;
    void (*command)();
    int32_t next; // preset that the next PenNext selects
};

class PenCommandTest : public PenModelTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(PenCommandTest, NextPresetAfterACommand) {
    const CommandCase& c = GetParam();
    PenCount = c.penCount;
    CrPenStart();
    c.command();
    PenNext(CrPen);
    EXPECT_EQ(CrPenNo, c.next) << c.what;
    EXPECT_EQ(CrPen, PenPresets[static_cast<size_t>(c.next)]) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PenCommandTest,
    ::testing::Values(CommandCase{"colour makes preset 1", 5, [] { CrPenColorSet(0xFF0000); }, 2},
                      CommandCase{"colour matching no preset", 5, [] { CrPenColorSet(0x123456); },
                                  0},
                      CommandCase{"colour makes the last preset in use", 5,
                                  [] {
                                      CrPenPresetSet(3);
                                      CrPenColorSet(0x00FF00);
                                  },
                                  0},
                      CommandCase{"width makes preset 6, not in use", 5,
                                  [] {
                                      CrPenPresetSet(3);
                                      CrPenWidthSet(12);
                                  },
                                  0},
                      CommandCase{"width makes preset 6, in use", 10,
                                  [] {
                                      CrPenPresetSet(3);
                                      CrPenWidthSet(12);
                                  },
                                  7},
                      CommandCase{"kind matching no preset", 5, [] { CrPenKindSet(0); }, 0},
                      CommandCase{"colour drops the cursor and searches", 5,
                                  [] {
                                      CrPenPresetSet(2); // cursor still 0
                                      CrPenColorSet(0x00FFFF);
                                  },
                                  3},
                      CommandCase{"preset command keeps the cursor", 10,
                                  [] {
                                      PenNext(CrPen);
                                      PenNext(CrPen); // CrPenNo 2
                                      CrPenPresetSet(5);
                                  },
                                  3}));

TEST_F(PenModelTest, PresetCommandSetsThePenOnly) {
    CrPenStart();
    CrPenPresetSet(5);
    EXPECT_EQ(CrPen, PenPresets[5]);
    EXPECT_EQ(CrPenNo, 0);
    CrPenPresetSet(10); // out of range: ignored
    EXPECT_EQ(CrPen, PenPresets[5]);
}

TEST_F(PenModelTest, PenNameGetByWidthAndKind) {
    struct Case {
        int32_t width;
        const char* size; // nullptr: no size word
    };
    const Case cases[] = {{1, "Super-Thin"},   {2, "Thin"},   {5, "Thin"},   {6, "Middle"},
                          {11, "Middle"},      {12, "Thick"}, {15, "Thick"}, {16, "Super-Thick"},
                          {32, "Super-Thick"}, {0, nullptr},  {33, nullptr}, {40, nullptr},
                          {-4, nullptr}};
    const std::pair<uint8_t, const char*> kinds[] = {
        {0, "Highlighter"}, {1, "Pen"}, {2, "Highlighter"}};
    for (const auto& [kind, kindWord] : kinds) {
        for (const Case& c : cases) {
            QString expected = QString::fromLatin1(kindWord);
            if (c.size) expected += QLatin1Char(' ') + QString::fromLatin1(c.size);
            EXPECT_EQ(PenNameGet({0xFF0000, c.width, kind}), expected)
                << "width " << c.width << " kind " << int(kind);
        }
    }
}

TEST_F(PenModelTest, PenNamesGetListsThePresetsInUse) {
    PenCount = 5;
    EXPECT_EQ(PenNamesGet(PenPresets),
              QStringLiteral("Pen Thin\r\nPen Thin\r\nPen Thin\r\nHighlighter Super-Thick\r\n"
                             "Highlighter Super-Thick"));
    PenCount = 1;
    EXPECT_EQ(PenNamesGet(PenPresets), QStringLiteral("Pen Thin"));
    PenCount = 10;
    EXPECT_EQ(PenNamesGet(PenPresets).count(QStringLiteral("\r\n")), 9);
}

TEST_F(PenModelTest, ColorIndexGetIgnoresTheDottedFlag) {
    const std::pair<int32_t, int32_t> cases[] = {{0x18FF0000, 2},
                                                 {0x10FF0000, 2},
                                                 {0xFF0000, 2},
                                                 {RAINBOW, 0},
                                                 {RAINBOW | DOTTED_FLAG, 0},
                                                 {0x000000, 3},
                                                 {DOTTED_FLAG, 3},
                                                 {0xFFFFFF, 8},
                                                 {0x123456, -1},
                                                 {FUDE_COLOR, -1},
                                                 {0x01000005, -1}};
    for (const auto& [color, index] : cases) {
        EXPECT_EQ(ColorIndexGet(color), index) << std::hex << color;
    }
    // The first matching entry wins.
    PenColors[5].Color = 0xFF0000;
    EXPECT_EQ(ColorIndexGet(0xFF0000), 2);
    PenColors[2].Color = 0x111111;
    EXPECT_EQ(ColorIndexGet(0xFF0000), 5);
}

TEST_F(PenModelTest, ReviseColorGetTurnsRainbowIntoPerStroke) {
    struct Case {
        int32_t color;
        int32_t revise;
        int32_t result;
    };
    const Case cases[] = {
        {RAINBOW, 1, FUDE_COLOR}, {RAINBOW, 0, RAINBOW},
        {RAINBOW, 2, RAINBOW},    {RAINBOW | DOTTED_FLAG, 1, RAINBOW | DOTTED_FLAG},
        {0xFF0000, 1, 0xFF0000},  {FUDE_COLOR, 0, FUDE_COLOR}};
    for (const Case& c : cases) {
        PenRevise = c.revise;
        EXPECT_EQ(ReviseColorGet(c.color), c.result) << c.color << " revise " << c.revise;
    }
}

TEST_F(PenModelTest, PressureWidthRoundsHalvesToEven) {
    PenPressure = false;
    EXPECT_EQ(PressureWidth(0, 8), 8);
    EXPECT_EQ(PressureWidth(512, 8), 8);

    PenPressure = true;
    struct Case {
        int32_t pressure;
        int32_t width;
        int32_t result;
    };
    const Case cases[] = {{512, 1, 0},   {512, 3, 2},  {512, 5, 2},  {512, 7, 4},   {1024, 16, 16},
                          {0, 16, 0},    {300, 10, 3}, {100, 10, 1}, {51, 10, 0},   {52, 10, 1},
                          {512, -3, -2}, {768, 2, 2},  {256, 2, 0},  {2048, 32, 64}};
    for (const Case& c : cases) {
        EXPECT_EQ(PressureWidth(c.pressure, c.width), c.result) << c.pressure << " x " << c.width;
    }
}

TEST_F(PenModelTest, PenAlphaByKind) {
    MarkerPenAlpha = 100;
    EXPECT_EQ(PenAlphaGet(1), 255);
    EXPECT_EQ(PenAlphaGet(0), 100);
    EXPECT_EQ(PenAlphaGet(2), 100);
    MarkerPenAlpha = 0x1C8;
    EXPECT_EQ(PenAlphaGet(0), 0xC8);
}

} // namespace
