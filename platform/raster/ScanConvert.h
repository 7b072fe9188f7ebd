#pragma once
// Scan converters: primitives in integer pixel coordinates (pixel (x, y) has its centre at
// (x, y)) turned into clipped horizontal spans. Every converter emits only spans inside
// clip and does work proportional to the clipped area, however far outside the points lie.

#include "platform/raster/Geometry.h"
#include "platform/raster/SpanSink.h"

#include <span>
#include <vector>

namespace plat {

// One-pixel line: Bresenham from a towards b, a included, b excluded; on a tie the minor
// coordinate stays with the start. A zero-length line covers nothing. Spans never overlap.
void ScanHairline(Point a, Point b, const Rect& clip, SpanReceiver& out);

// Capsule: the pixels whose centres lie within width / 2 of the segment a-b (round ends;
// a zero-length segment is a disc of diameter width). Exact integer decision at every
// boundary pixel. One span per row, so the result can be written directly.
void ScanCapsule(Point a, Point b, int32_t width, const Rect& clip, SpanReceiver& out);

// The same spans from floating-point band edges checked by the exact test near integers:
// the slower, plainly derived form ScanCapsule is compared against.
void ScanCapsuleReference(Point a, Point b, int32_t width, const Rect& clip, SpanReceiver& out);

// A hairline for width <= 1, a capsule otherwise.
void ScanSegment(Point a, Point b, int32_t width, const Rect& clip, SpanReceiver& out);

// Rectangle covering columns box.left..right-1 and rows top..bottom-1 (corners in either
// order). With penWidth <= 1 the outline is the ring of border pixels; wider, it is the
// stroke of width penWidth along the border pixels' centres (round outer corners). inside
// gets the pixels of the box the pen does not reach; penWidth 0 leaves no pen, so inside
// gets the whole box. Either receiver may be null.
void ScanRectangle(const Rect& box, int32_t penWidth, const Rect& clip, SpanReceiver* outline,
                   SpanReceiver* inside);

// Ellipse inscribed in columns box.left..right-1, rows top..bottom-1. penWidth <= 1: the
// region is the pixels whose centres lie in the ellipse with semi-axes width / 2 and
// height / 2 (widened so that the centre rows span the box and every row holds its
// centre column: thin ellipses still touch all four sides); the outline is its border pixels (those
// with a 4-neighbour outside) and inside the rest; penWidth 0 puts the whole region inside. Wider:
// the outline is the ring within penWidth / 2 of the ellipse through the extreme pixel centres
// (exact for a circle), inside is what lies within the ring.
void ScanEllipse(const Rect& box, int32_t penWidth, const Rect& clip, SpanReceiver* outline,
                 SpanReceiver* inside);

// Collects spans from several converters and writes their union, so that every pixel of a
// primitive is written once (pen modes such as XOR rely on it).
class SpanUnion final : public SpanReceiver {
public:
    void AddSpan(int32_t y, int32_t x0, int32_t x1) override;
    // Writes the union to out, row by row, left to right, and empties the set.
    void Flush(SpanReceiver& out);
    bool Empty() const { return spans_.empty(); }

private:
    struct Span {
        int32_t y, x0, x1;
    };
    std::vector<Span> spans_;
    std::vector<Span> sorted_;
    std::vector<uint32_t> rowStart_;
    int32_t minY_ = 0;
    int32_t maxY_ = 0;
};

} // namespace plat
