#include "strokes/PenList.h"

#include <algorithm>
#include <cassert>
#include <new>
#include <stdexcept>

namespace {

TPenE MakePenE(int32_t x, int32_t y, int32_t p) {
    TPenE e{};
    e.x = x;
    e.y = y;
    e.p = p;
    return e;
}

constexpr TPoint kNoPoint{-1, 0};

} // namespace

void TPenList::Add(const TPenE& penE) {
    if (GetCount() >= maxCount_) return;
    // push_back leaves the vector unchanged when it throws, so the list stays usable.
    try {
        PL_.push_back(penE);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
}

void TPenList::AddDn(int32_t cmd, int32_t c, int32_t t, int32_t m, int32_t w, int32_t a) {
    TPenE e{};
    e.x = cmd;
    e.c = c;
    e.t = static_cast<uint8_t>(t);
    e.m = static_cast<uint8_t>(m);
    e.w = static_cast<uint8_t>(w);
    e.a = static_cast<uint8_t>(a);
    Add(e);
}

void TPenList::AddPenDn(int32_t x, int32_t y, int32_t p, int32_t c, int32_t t, int32_t m, int32_t w,
                        int32_t a) {
    AddDn(PE_DN, c, t, m, w, a);
    AddXY(x, y, p);
}

void TPenList::AddXY(int32_t x, int32_t y, int32_t p) {
    Add(MakePenE(x, y, p));
}

void TPenList::AddPenUp(int32_t pentype) {
    Add(MakePenE(pentype, 0, 0));
}

void TPenList::AddRCount(int32_t c) {
    Add(MakePenE(PE_RCOUNT, c, 0));
}

void TPenList::Clear() {
    PL_.clear();
    Selected = false;
}

TPenE TPenList::PenE(int32_t i) const {
    assert(i >= 0 && i < GetCount());
    return PL_[static_cast<size_t>(i)];
}

void TPenList::Select(int32_t i) {
    if (i < 0 || i >= GetCount()) return;
    TPenE& e = PL_[static_cast<size_t>(i)];
    if (e.x != PE_DN) return;
    e.m |= PE_SELECTED;
    Selected = true;
}

void TPenList::SelectShift(int32_t mx, int32_t my) {
    bool inSelected = false;
    for (TPenE& e : PL_) {
        if (e.x == PE_DN) {
            inSelected = (e.m & PE_SELECTED) != 0;
        } else if (PenEIsPoint(e.x) && inSelected) {
            e.x += mx;
            e.y += my;
        }
    }
}

void TPenList::SelectNone() {
    for (TPenE& e : PL_) {
        if (e.x == PE_DN) e.m &= static_cast<uint8_t>(~PE_SELECTED);
    }
    Selected = false;
}

// Nearest header at or before element i-1 (i is taken as at most Count); then element
// k+n, but never beyond i-1.
TPoint TPenList::NearP_DN(int32_t i, int32_t n) const {
    i = std::min(i, GetCount());
    int32_t k = i - 1;
    while (k >= 0 && PL_[static_cast<size_t>(k)].x != PE_DN) --k;
    if (k < 0) return kNoPoint;
    int64_t j = static_cast<int64_t>(k) + n;
    if (j >= i) j = i - 1;
    if (j < 0) return kNoPoint; // only for a negative n
    const TPenE& e = PL_[static_cast<size_t>(j)];
    return {e.x, e.y};
}

// Element i-n-1, unless the stroke's header comes first: then the stroke's first point.
TPoint TPenList::NearP_UP(int32_t i, int32_t n) const {
    i = std::min(i, GetCount());
    const int64_t lowest = static_cast<int64_t>(i) - n;
    int32_t j = i - 1;
    while (j >= 0 && PL_[static_cast<size_t>(j)].x != PE_DN && j >= lowest) --j;
    if (j < 0) return kNoPoint;
    if (PL_[static_cast<size_t>(j)].x == PE_DN) ++j;
    // A header that ends the list has no first point yet.
    if (j >= GetCount()) return kNoPoint;
    const TPenE& e = PL_[static_cast<size_t>(j)];
    return {e.x, e.y};
}

std::vector<std::unique_ptr<TPenList>> PenLists = [] {
    std::vector<std::unique_ptr<TPenList>> lists;
    lists.push_back(std::make_unique<TPenList>());
    return lists;
}();

std::unique_ptr<TPenList> WBPenList;

void PenListsSet(int32_t n) {
    PenLists.clear();
    const int32_t count = std::max(n, 1);
    PenLists.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) PenLists.push_back(std::make_unique<TPenList>());
}

void PenListsFree() {
    WBPenList.reset();
    PenLists.clear();
}
