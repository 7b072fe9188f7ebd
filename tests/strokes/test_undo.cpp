#include "strokes/PenList.h"
#include "strokes/Undo.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// A page state is told apart by its points: state k is one stroke whose single point is
// (k, k).
void AddStroke(TPenList& list, int32_t k) {
    list.AddPenDn(k, k, 0, 0x0000FF, 0, 2, 4, 255);
    list.AddPenUp(PE_UP);
}

// The k of the last stroke, or 0 for an empty list.
int32_t LastState(const TPenList& list) {
    return list.Count() == 0 ? 0 : list.PenE(list.Count() - 2).x;
}

std::vector<int32_t> Xs(const TPenList& list) {
    std::vector<int32_t> xs;
    for (int32_t i = 0; i < list.Count(); ++i) xs.push_back(list.PenE(i).x);
    return xs;
}

// What the main window does when it shows a page.
void PageShow(const TPenList& list) {
    UdoReset();
    UdoSaveBlank(list);
    UdoSave(list);
}

class UndoTest : public ::testing::Test {
protected:
    void SetUp() override { UdoInit(); }
    void TearDown() override { UdoInit(); }

    void ExpectFlags(bool undo, bool redo) {
        EXPECT_EQ(UdoEnabled, undo);
        EXPECT_EQ(RedoEnabled, redo);
    }

    TPenList page_;
};

TEST_F(UndoTest, PageShowOfAnEmptyPageGivesOneEmptyState) {
    PageShow(page_);
    EXPECT_EQ(UdoIndexGet(), 0);
    EXPECT_EQ(UdoTopGet(), 0);
    ExpectFlags(false, false);
}

TEST_F(UndoTest, PageShowOfAPageWithStrokesGivesEmptyThenPage) {
    AddStroke(page_, 1);
    AddStroke(page_, 2);
    PageShow(page_);
    EXPECT_EQ(UdoIndexGet(), 1);
    EXPECT_EQ(UdoTopGet(), 1);
    ExpectFlags(true, false);
    UdoUndo(page_);
    EXPECT_EQ(page_.Count(), 0);
    ExpectFlags(false, true);
    UdoRedo(page_);
    EXPECT_EQ(page_.Count(), 6);
    EXPECT_EQ(LastState(page_), 2);
    ExpectFlags(true, false);
}

TEST_F(UndoTest, OneStrokeOnAnEmptyPage) {
    PageShow(page_);
    AddStroke(page_, 1);
    UdoSave(page_);
    ExpectFlags(true, false);

    UdoUndo(page_);
    EXPECT_EQ(page_.Count(), 0);
    ExpectFlags(false, true);

    UdoRedo(page_);
    EXPECT_EQ(LastState(page_), 1);
    ExpectFlags(true, false);
}

TEST_F(UndoTest, NewStrokeAfterUndoDiscardsRedo) {
    PageShow(page_);
    for (int32_t k = 1; k <= 3; ++k) {
        AddStroke(page_, k);
        UdoSave(page_);
    }
    UdoUndo(page_);
    UdoUndo(page_);
    ASSERT_EQ(LastState(page_), 1);
    ASSERT_TRUE(RedoEnabled);

    AddStroke(page_, 9);
    UdoSave(page_);
    ExpectFlags(true, false);
    const auto shown = Xs(page_);
    UdoRedo(page_);
    EXPECT_EQ(Xs(page_), shown);
    ExpectFlags(true, false);

    // Back through the new branch only.
    UdoUndo(page_);
    EXPECT_EQ(LastState(page_), 1);
    UdoUndo(page_);
    EXPECT_EQ(page_.Count(), 0);
    ExpectFlags(false, true);
}

TEST_F(UndoTest, RingHoldsTheNewestStateAnd255Older) {
    PageShow(page_);
    for (int32_t k = 1; k <= 300; ++k) {
        page_.Clear();
        AddStroke(page_, k);
        UdoSave(page_);
    }
    int32_t steps = 0;
    while (UdoEnabled) {
        UdoUndo(page_);
        ++steps;
        ASSERT_EQ(LastState(page_), 300 - steps);
        ASSERT_LE(steps, 300);
    }
    EXPECT_EQ(steps, 255);

    // The 256th step is refused: nothing changes.
    const auto shown = Xs(page_);
    const int32_t index = UdoIndexGet();
    UdoUndo(page_);
    EXPECT_EQ(Xs(page_), shown);
    EXPECT_EQ(UdoIndexGet(), index);
    ExpectFlags(false, true);

    int32_t redos = 0;
    while (RedoEnabled) {
        UdoRedo(page_);
        ++redos;
        ASSERT_EQ(LastState(page_), 45 + redos);
    }
    EXPECT_EQ(redos, 255);
    ExpectFlags(true, false);
}

TEST_F(UndoTest, DiscardedRedoStatesStayUnreachableAfterTheRingWraps) {
    PageShow(page_);
    for (int32_t k = 1; k <= 300; ++k) {
        page_.Clear();
        AddStroke(page_, k);
        UdoSave(page_);
    }
    for (int i = 0; i < 10; ++i) UdoUndo(page_);
    ASSERT_EQ(LastState(page_), 290);
    page_.Clear();
    AddStroke(page_, 1000);
    UdoSave(page_);

    // States 291..300 were discarded; 45 is the oldest state still held.
    std::vector<int32_t> restored;
    while (UdoEnabled && restored.size() < 300) {
        UdoUndo(page_);
        restored.push_back(LastState(page_));
    }
    ASSERT_FALSE(restored.empty());
    EXPECT_EQ(restored.front(), 290);
    EXPECT_EQ(restored.back(), 45);
    EXPECT_EQ(restored.size(), 246u);
    for (size_t i = 1; i < restored.size(); ++i) ASSERT_EQ(restored[i], restored[i - 1] - 1);
}

TEST_F(UndoTest, EraseAllOfAnEmptyPageAddsNoState) {
    PageShow(page_);
    UdoSave(page_);
    EXPECT_EQ(UdoIndexGet(), 0);
    ExpectFlags(false, false);

    AddStroke(page_, 1);
    UdoSave(page_);
    page_.Clear();
    UdoSave(page_); // erase-all: one new, empty state
    EXPECT_EQ(UdoIndexGet(), 2);
    UdoSave(page_); // again: nothing
    EXPECT_EQ(UdoIndexGet(), 2);
    UdoUndo(page_);
    EXPECT_EQ(LastState(page_), 1);
}

TEST_F(UndoTest, UndoWithNothingOlderChangesNothing) {
    PageShow(page_);     // [empty]
    AddStroke(page_, 5); // drawn but not yet recorded
    const auto before = Xs(page_);
    UdoUndo(page_);
    EXPECT_EQ(Xs(page_), before);
    EXPECT_EQ(UdoIndexGet(), 0);
    ExpectFlags(false, false);

    UdoReset(); // no history at all
    UdoUndo(page_);
    UdoRedo(page_);
    EXPECT_EQ(Xs(page_), before);
    EXPECT_EQ(UdoIndexGet(), -1);
    ExpectFlags(false, false);
}

TEST_F(UndoTest, RedoWithNothingToRedoLeavesUndoDisabled) {
    PageShow(page_); // [empty]
    UdoRedo(page_);
    EXPECT_EQ(page_.Count(), 0);
    ExpectFlags(false, false);
}

TEST_F(UndoTest, SnapshotsKeepTheSelection) {
    PageShow(page_);
    AddStroke(page_, 1);
    AddStroke(page_, 2);
    page_.Select(3); // header of the second stroke
    UdoSave(page_);
    page_.SelectNone();
    UdoSave(page_);
    UdoUndo(page_);
    EXPECT_TRUE(page_.Selected);
    EXPECT_EQ(page_.PenE(3).m & PE_SELECTED, PE_SELECTED);
    EXPECT_EQ(page_.PenE(0).m & PE_SELECTED, 0);
    UdoRedo(page_);
    EXPECT_FALSE(page_.Selected);
    EXPECT_EQ(page_.PenE(3).m & PE_SELECTED, 0);
}

TEST_F(UndoTest, PageChangeForgetsThePreviousPage) {
    PageShow(page_);
    for (int32_t k = 1; k <= 3; ++k) {
        AddStroke(page_, k);
        UdoSave(page_);
    }
    TPenList other;
    AddStroke(other, 77);
    PageShow(other);
    ExpectFlags(true, false);
    UdoUndo(other);
    EXPECT_EQ(other.Count(), 0);
    ExpectFlags(false, true);
    UdoUndo(other);
    EXPECT_EQ(other.Count(), 0);
    UdoRedo(other);
    EXPECT_EQ(LastState(other), 77);
    ExpectFlags(true, false);
}

TEST_F(UndoTest, SaveBlankOnlyAfterANonEmptyState) {
    UdoSaveBlank(page_); // empty list: nothing
    EXPECT_EQ(UdoIndexGet(), -1);
    AddStroke(page_, 1);
    UdoSaveBlank(page_);
    EXPECT_EQ(UdoIndexGet(), 0);
    UdoSaveBlank(page_); // the current state is empty already
    EXPECT_EQ(UdoIndexGet(), 0);
    ExpectFlags(false, false);
}

TEST_F(UndoTest, AfterDoneNothingIsRecordedUntilInit) {
    AddStroke(page_, 1);
    UdoDone();
    UdoSave(page_);
    UdoSave(page_);
    UdoUndo(page_);
    EXPECT_EQ(LastState(page_), 1);
    EXPECT_EQ(UdoIndexGet(), -1);
    ExpectFlags(false, false);
    UdoInit();
    PageShow(page_);
    EXPECT_EQ(UdoIndexGet(), 1);
}

} // namespace
