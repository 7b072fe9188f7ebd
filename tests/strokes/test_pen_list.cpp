#include "strokes/PenList.h"

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {

// A stroke with the given points: header, points, pen-up.
void AddStroke(TPenList& list, const std::vector<TPoint>& points, int32_t up = PE_UP,
               int32_t color = 0x0000FF) {
    list.AddPenDn(points[0].x, points[0].y, 512, color, 0, 2, 4, 255);
    for (size_t i = 1; i < points.size(); ++i) list.AddXY(points[i].x, points[i].y, 512);
    list.AddPenUp(up);
}

std::vector<TPenE> Elements(const TPenList& list) {
    std::vector<TPenE> out;
    for (int32_t i = 0; i < list.Count(); ++i) out.push_back(list.PenE(i));
    return out;
}

bool SameBytes(const TPenE& a, const TPenE& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(PenListTest, HeaderFieldsOverlayThePointFields) {
    TPenList list;
    list.AddDn(PE_DN, 0x08000001, 0x101, 0x182, 0x20, 0xFF);
    ASSERT_EQ(list.Count(), 1);
    const TPenE e = list.PenE(0);
    EXPECT_EQ(e.x, PE_DN);
    EXPECT_EQ(e.c, 0x08000001);
    EXPECT_EQ(e.y, 0x08000001); // c is y
    // Only the low byte of each argument is kept.
    EXPECT_EQ(e.t, 0x01);
    EXPECT_EQ(e.m, 0x82);
    EXPECT_EQ(e.w, 0x20);
    EXPECT_EQ(e.a, 0xFF);
    unsigned char bytes[12];
    std::memcpy(bytes, &e, sizeof bytes);
    EXPECT_EQ(bytes[8], 0x01);
    EXPECT_EQ(bytes[9], 0x82);
    EXPECT_EQ(bytes[10], 0x20);
    EXPECT_EQ(bytes[11], 0xFF);
    int32_t p;
    std::memcpy(&p, bytes + 8, sizeof p);
    EXPECT_EQ(e.p, p);
}

TEST(PenListTest, AppendsWriteTheDocumentedElements) {
    TPenList list;
    list.AddPenDn(10, 20, 300, 0xFF0000, 1, 3, 36, 0);
    list.AddXY(-5, 7000, 1024);
    list.AddPenUp(PE_UP_ORDER);
    list.AddPenUp(PE_UP);
    list.AddRCount(17);
    ASSERT_EQ(list.Count(), 6);
    const auto e = Elements(list);
    EXPECT_EQ(e[0].x, PE_DN);
    EXPECT_EQ(e[0].c, 0xFF0000);
    EXPECT_EQ(e[0].t, 1);
    EXPECT_EQ(e[0].m, 3);
    EXPECT_EQ(e[0].w, 36);
    EXPECT_EQ(e[0].a, 0);
    EXPECT_EQ(e[1].x, 10);
    EXPECT_EQ(e[1].y, 20);
    EXPECT_EQ(e[1].p, 300);
    EXPECT_EQ(e[2].x, -5);
    EXPECT_EQ(e[2].y, 7000);
    EXPECT_EQ(e[2].p, 1024);
    EXPECT_EQ(e[3].x, PE_UP_ORDER);
    EXPECT_EQ(e[4].x, PE_UP);
    for (int i : {3, 4}) {
        EXPECT_EQ(e[i].y, 0);
        EXPECT_EQ(e[i].p, 0);
    }
    EXPECT_EQ(e[5].x, PE_RCOUNT);
    EXPECT_EQ(e[5].y, 17);
    EXPECT_EQ(e[5].p, 0);

    TPenList copy;
    for (const TPenE& el : e) copy.Add(el);
    ASSERT_EQ(copy.Count(), list.Count());
    for (int32_t i = 0; i < list.Count(); ++i) EXPECT_TRUE(SameBytes(copy.PenE(i), list.PenE(i)));
}

TEST(PenListTest, PointOrKindCodeByX) {
    EXPECT_TRUE(PenEIsPoint(PE_POINT_MIN));
    EXPECT_TRUE(PenEIsPoint(0));
    EXPECT_TRUE(PenEIsPoint(-1));
    EXPECT_FALSE(PenEIsPoint(PE_POINT_MIN - 1));
    for (int32_t code : {PE_DN, PE_UP, PE_UP_ORDER, PE_RCOUNT}) EXPECT_FALSE(PenEIsPoint(code));
}

TEST(PenListTest, AppendBeyondTheLimitIsDroppedAndTheListStaysUsable) {
    TPenList list(3);
    list.AddPenDn(1, 2, 0, 0, 0, 2, 4, 255);
    list.AddXY(3, 4, 0);
    list.AddPenUp(PE_UP); // dropped
    list.AddRCount(5);    // dropped
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.PenE(2).x, 3);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    list.AddXY(9, 9, 0);
    EXPECT_EQ(list.Count(), 1);
}

TEST(PenListTest, ClearEmptiesAndDropsTheSelection) {
    TPenList list;
    AddStroke(list, {{1, 1}, {2, 2}});
    list.Select(0);
    ASSERT_TRUE(list.Selected);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(list.Selected);
}

// NearP_DN / NearP_UP on one fixed list:
//  0 RCOUNT  1 DN  2 (10,11)  3 (12,13)  4 (14,15)  5 UP
//  6 DN  7 (20,21)  8 UP_ORDER
//  9 DN  10 (30,31)  11 (32,33)
struct NearCase {
    int32_t i;
    int32_t n;
    TPoint dn;
    TPoint up;
};

class NearPointTest : public ::testing::TestWithParam<NearCase> {};

TEST_P(NearPointTest, FindsThePointOfTheStroke) {
    TPenList list;
    list.AddRCount(1);
    AddStroke(list, {{10, 11}, {12, 13}, {14, 15}});
    AddStroke(list, {{20, 21}}, PE_UP_ORDER);
    list.AddPenDn(30, 31, 0, 0, 0, 2, 4, 255);
    list.AddXY(32, 33, 0);
    ASSERT_EQ(list.Count(), 12);
    const NearCase& c = GetParam();
    const TPoint dn = list.NearP_DN(c.i, c.n);
    const TPoint up = list.NearP_UP(c.i, c.n);
    EXPECT_EQ(dn.x, c.dn.x);
    if (c.dn.x != -1) {
        EXPECT_EQ(dn.y, c.dn.y);
    }
    EXPECT_EQ(up.x, c.up.x);
    if (c.up.x != -1) {
        EXPECT_EQ(up.y, c.up.y);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NearPointTest,
    ::testing::Values(
        // No header before i, no element before i-n.
        NearCase{0, 1, {-1, 0}, {-1, 0}}, NearCase{1, 1, {-1, 0}, {-1, 0}},
        // Right after the first pen-up: first point / last point of the stroke.
        NearCase{6, 1, {10, 11}, {14, 15}},
        // Right after a single-point stroke: both give that point, not the pen-up.
        NearCase{9, 1, {20, 21}, {20, 21}},
        // Fewer than n elements after the header: element i-1 (the last point).
        NearCase{6, 7, {-32767, 0}, {10, 11}}, NearCase{4, 5, {12, 13}, {10, 11}},
        // A stroke still being drawn (i = Count).
        NearCase{12, 1, {30, 31}, {30, 31}}, NearCase{12, 0, {PE_DN, 0}, {32, 33}},
        // n = 2 steps further in from each end.
        NearCase{6, 2, {12, 13}, {12, 13}},
        // i beyond Count is taken as Count.
        NearCase{40, 1, {30, 31}, {30, 31}}));

TEST(PenListTest, NearPointsWithoutAHeader) {
    TPenList list;
    EXPECT_EQ(list.NearP_DN(0, 1).x, -1);
    EXPECT_EQ(list.NearP_UP(0, 1).x, -1);
    list.AddXY(5, 6, 0);
    list.AddXY(7, 8, 0);
    EXPECT_EQ(list.NearP_DN(2, 1).x, -1);
    EXPECT_EQ(list.NearP_UP(2, 1), (TPoint{5, 6})); // element i-n-1
}

TEST(PenListTest, NearPointUpAfterALoneHeaderFindsNothing) {
    TPenList list;
    list.AddDn(PE_DN, 0, 0, 2, 4, 255);
    EXPECT_EQ(list.NearP_UP(1, 1).x, -1);
    EXPECT_EQ(list.NearP_DN(1, 1).x, PE_DN); // element i-1: the header itself
}

TEST(PenListTest, SelectMarksOnlyHeaders) {
    TPenList list;
    list.AddRCount(0);
    AddStroke(list, {{1, 1}, {2, 2}});
    const auto before = Elements(list);
    for (int32_t i : {-1, 0, 2, 4, 5, 100}) { // counter, point, pen-up, out of range
        list.Select(i);
        EXPECT_FALSE(list.Selected) << "index " << i;
        const auto now = Elements(list);
        for (size_t k = 0; k < now.size(); ++k) EXPECT_TRUE(SameBytes(now[k], before[k]));
    }
    list.Select(1);
    EXPECT_TRUE(list.Selected);
    EXPECT_EQ(list.PenE(1).m, 0x82);
    // Once set, a later miss does not clear it.
    list.Select(3);
    EXPECT_TRUE(list.Selected);
}

TEST(PenListTest, SelectNoneClearsEveryBitAndTheFlag) {
    TPenList list;
    AddStroke(list, {{1, 1}});
    AddStroke(list, {{2, 2}});
    list.Select(0);
    list.Select(3);
    list.SelectNone();
    EXPECT_FALSE(list.Selected);
    EXPECT_EQ(list.PenE(0).m, 2);
    EXPECT_EQ(list.PenE(3).m, 2);

    TPenList points;
    points.AddXY(1, 1, 0);
    points.Selected = true;
    points.SelectNone();
    EXPECT_FALSE(points.Selected);
    EXPECT_EQ(points.PenE(0).x, 1);
}

TEST(PenListTest, SelectShiftMovesOnlyPointsOfSelectedStrokes) {
    TPenList list;
    AddStroke(list, {{1, 2}, {3, 4}});                  // 0..3, not selected
    list.AddRCount(7);                                  // 4
    AddStroke(list, {{10, 20}, {30, 40}}, PE_UP_ORDER); // 5..8, selected
    list.AddRCount(8);                                  // 9: after a selected stroke, never moves
    AddStroke(list, {{5, 6}});                          // 10..12, not selected
    list.Select(5);
    const auto before = Elements(list);
    list.SelectShift(-15, -50);
    const auto after = Elements(list);
    ASSERT_EQ(after.size(), before.size());
    for (size_t k = 0; k < after.size(); ++k) {
        if (k == 6 || k == 7) continue;
        EXPECT_TRUE(SameBytes(after[k], before[k])) << "element " << k;
    }
    EXPECT_EQ(after[6].x, -5);
    EXPECT_EQ(after[6].y, -30);
    EXPECT_EQ(after[7].x, 15);
    EXPECT_EQ(after[7].y, -10);
    EXPECT_EQ(after[6].p, 512);
}

TEST(PenListsTest, SetReplacesEveryListAndKeepsAtLeastOne) {
    struct Case {
        int32_t n;
        size_t expected;
    };
    for (const Case c : {Case{0, 1}, Case{-3, 1}, Case{1, 1}, Case{7, 7}}) {
        PenListsSet(3);
        PenLists[0]->AddXY(1, 1, 0);
        PenListsSet(c.n);
        ASSERT_EQ(PenLists.size(), c.expected) << "n " << c.n;
        for (const auto& list : PenLists) {
            ASSERT_NE(list, nullptr);
            EXPECT_EQ(list->Count(), 0);
        }
    }
}

TEST(PenListsTest, FreeReleasesEverything) {
    PenListsSet(2);
    WBPenList = std::make_unique<TPenList>();
    PenListsFree();
    EXPECT_TRUE(PenLists.empty());
    EXPECT_EQ(WBPenList, nullptr);
    PenListsSet(1);
}

} // namespace
