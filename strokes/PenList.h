#pragma once
// Stroke lists: the in-memory record of everything drawn on one page, as a flat sequence
// of 12-byte elements. A stroke is the run from a pen-down header (PE_DN) to the next
// pen-up; every operation on strokes finds them by scanning for headers.

#include "platform/raster/Geometry.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

using TPoint = plat::Point;

// Element kinds, told apart by x alone: x >= PE_POINT_MIN is a point, anything smaller is
// one of the kind codes below.
inline constexpr int32_t PE_POINT_MIN = -32749;
inline constexpr int32_t PE_DN = -32761;       // pen-down header: c t m w a
inline constexpr int32_t PE_UP = -32767;       // pen-up
inline constexpr int32_t PE_UP_ORDER = -32766; // pen-up of a stroke-order stroke
inline constexpr int32_t PE_RCOUNT = -32762;   // stroke counter, value in y

// Bit 7 of a header's m marks a selected stroke; bits 0-3 hold the surface mode.
inline constexpr uint8_t PE_SELECTED = 0x80;
inline constexpr uint8_t PE_MODE_MASK = 0x0F;

constexpr bool PenEIsPoint(int32_t x) {
    return x >= PE_POINT_MIN;
}

// One element. A point uses x, y, p; a pen-down header overlays y with the colour c and
// p with the bytes t (pen type), m (mode and selection bit), w (width), a (opacity).
// The header bytes are the low to high bytes of p on a little-endian machine.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpedantic" // anonymous structs inside the union
#elif defined(_MSC_VER)
#pragma warning(push)
#pragma warning(disable : 4201)
#endif
struct TPenE {
    int32_t x;
    union {
        struct {
            int32_t y;
            int32_t p;
        };
        struct {
            int32_t c;
            uint8_t t;
            uint8_t m;
            uint8_t w;
            uint8_t a;
        };
    };
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#elif defined(_MSC_VER)
#pragma warning(pop)
#endif

static_assert(sizeof(TPenE) == 12);
static_assert(offsetof(TPenE, x) == 0);
static_assert(offsetof(TPenE, y) == 4);
static_assert(offsetof(TPenE, p) == 8);
static_assert(offsetof(TPenE, c) == 4);
static_assert(offsetof(TPenE, t) == 8);
static_assert(offsetof(TPenE, m) == 9);
static_assert(offsetof(TPenE, w) == 10);
static_assert(offsetof(TPenE, a) == 11);

// The most elements a list holds, so that Count always fits its 32-bit type.
inline constexpr int32_t kPenListMaxCount = INT32_MAX;

// An append-only list of elements, owned by value. Appends never fail visibly: an element
// that cannot be stored (no memory, or the list is at its limit) is dropped.
class TPenList {
public:
    explicit TPenList(int32_t maxCount = kPenListMaxCount) : maxCount_(maxCount) {}
    TPenList(const TPenList&) = delete;
    TPenList& operator=(const TPenList&) = delete;

    void Add(const TPenE& penE);
    void AddDn(int32_t cmd, int32_t c, int32_t t, int32_t m, int32_t w, int32_t a);
    void AddPenDn(int32_t x, int32_t y, int32_t p, int32_t c, int32_t t, int32_t m, int32_t w,
                  int32_t a);
    void AddXY(int32_t x, int32_t y, int32_t p);
    // pentype is the pen-up kind code (PE_UP or PE_UP_ORDER).
    void AddPenUp(int32_t pentype);
    void AddRCount(int32_t c);
    void Clear();

    // Copy of element i; i must lie in 0..Count-1.
    TPenE PenE(int32_t i) const;
    int32_t GetCount() const { return static_cast<int32_t>(PL_.size()); }
    int32_t Count() const { return GetCount(); }

    // Marks the stroke whose header is element i; anything but a header is ignored.
    void Select(int32_t i);
    // Moves every point of every selected stroke.
    void SelectShift(int32_t mx, int32_t my);
    void SelectNone();

    // A point near the start / end of the stroke that element i-1 belongs to; x = -1
    // (and y = 0) when there is no such stroke.
    TPoint NearP_DN(int32_t i, int32_t n) const;
    TPoint NearP_UP(int32_t i, int32_t n) const;

    bool Selected = false;

private:
    std::vector<TPenE> PL_;
    int32_t maxCount_;
};

// Per-word lists (at least one) and the whiteboard list. The surface points at the list of
// the page on show and never owns it.
extern std::vector<std::unique_ptr<TPenList>> PenLists;
extern std::unique_ptr<TPenList> WBPenList;

// Replaces every list in PenLists by n new empty lists (one when n < 1).
void PenListsSet(int32_t n);
// Frees WBPenList and every list in PenLists.
void PenListsFree();
