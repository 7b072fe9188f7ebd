#pragma once
// Writing a 32-bit bitmap to an image file: JPEG, Windows bitmap or PNG, always as 24-bit
// RGB (the fourth byte of each pixel is dropped).

#include "platform/raster/Bitmap.h"

#include <QString>
#include <cstdint>

namespace plat {

enum class ImageFileType : uint8_t { Jpeg, Bmp, Png };

struct ImageWriteOptions {
    int32_t jpegQuality = 75;     // 1..100; values outside are clamped into that range
    bool optimizedHuffman = true; // JPEG: Huffman tables computed for this picture
};

// Encodes an Rgb32 bitmap as the given type and writes it to fileName. The file is encoded
// in memory first and replaced as a whole where the folder allows it, so a failed save
// leaves an existing file as it was. Returns false on any failure (an empty or non-Rgb32
// bitmap, no memory, an encoder error, an invalid path, no permission, a full disk); never
// throws.
bool WriteImageFile(const Bitmap& bitmap, const QString& fileName, ImageFileType type,
                    const ImageWriteOptions& options = {});

} // namespace plat
