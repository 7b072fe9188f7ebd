#pragma once
// The character columns of the word on show: for each character its right edge on the
// template page and how many strokes of the stroke-order pen were begun on it. A pen-down
// at x belongs to the first column whose right edge lies beyond x (the last column takes
// everything to its right), so strokes are numbered per character.

#include "platform/raster/Canvas.h"

#include <QString>
#include <cstdint>
#include <vector>

struct TCharColumn {
    int32_t XRight = 0;
    int32_t StrokeCount = 0;
};

extern std::vector<TCharColumn> CharColumns;

// One column per UTF-16 unit of word; column i ends at left + the width of the word's first
// i + 1 characters measured with the canvas's font (a surrogate pair is one character, so
// a word with one has a last column that starts at the word's right edge).
void CharColumnSet(const plat::Canvas& canvas, const QString& word, int32_t left);

// The stroke count of the column at x, then one more stroke counted there; -1 for words of
// fewer than two columns, which are not counted per character.
int32_t CharCountGet(int32_t x);

void CharCountClear();
