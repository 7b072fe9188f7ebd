#include "app/CharColumns.h"

std::vector<TCharColumn> CharColumns;

void CharColumnSet(const plat::Canvas& canvas, const QString& word, int32_t left) {
    const qsizetype n = word.size();
    // End (in UTF-16 units) of the first k characters, for k = 1 .. number of characters.
    std::vector<qsizetype> ends;
    for (qsizetype i = 0; i < n; ++i) {
        if (word[i].isHighSurrogate() && i + 1 < n && word[i + 1].isLowSurrogate()) ++i;
        ends.push_back(i + 1);
    }
    CharColumns.assign(static_cast<size_t>(n), {});
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype units = i < static_cast<qsizetype>(ends.size()) ? ends[i] : n;
        CharColumns[i].XRight = left + canvas.TextExtent(word.left(units)).cx;
    }
}

int32_t CharCountGet(int32_t x) {
    const size_t n = CharColumns.size();
    if (n <= 1) return -1;
    for (size_t i = 0; i + 1 < n; ++i)
        if (x < CharColumns[i].XRight) return CharColumns[i].StrokeCount++;
    return CharColumns.back().StrokeCount++;
}

void CharCountClear() {
    for (TCharColumn& column : CharColumns) column.StrokeCount = 0;
}
