#include "platform/raster/ImageFile.h"

#include "platform/io/WholeFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>
#include <algorithm>

namespace plat {

namespace {

// The bitmap as a 24-bit RGB image (a copy); a null image when memory runs out.
QImage ToRgb24(const Bitmap& bitmap) {
    const int32_t w = bitmap.Width();
    const int32_t h = bitmap.Height();
    QImage image(w, h, QImage::Format_RGB888);
    if (image.isNull()) return image;
    for (int32_t y = 0; y < h; ++y) {
        const uint32_t* src = bitmap.Row32(y);
        uchar* dst = image.scanLine(y);
        for (int32_t x = 0; x < w; ++x) {
            const uint32_t p = src[x];
            dst[0] = static_cast<uchar>(p >> 16); // red
            dst[1] = static_cast<uchar>(p >> 8);  // green
            dst[2] = static_cast<uchar>(p);       // blue
            dst += 3;
        }
    }
    return image;
}

const char* FormatName(ImageFileType type) {
    switch (type) {
    case ImageFileType::Jpeg:
        return "jpeg";
    case ImageFileType::Bmp:
        return "bmp";
    case ImageFileType::Png:
        return "png";
    }
    return "jpeg";
}

bool Encode(const QImage& image, ImageFileType type, const ImageWriteOptions& options,
            QByteArray& out) {
    QBuffer buffer(&out);
    if (!buffer.open(QIODevice::WriteOnly)) return false;
    QImageWriter writer(&buffer, FormatName(type));
    if (type == ImageFileType::Jpeg) {
        writer.setQuality(std::clamp(options.jpegQuality, 1, 100));
        writer.setOptimizedWrite(options.optimizedHuffman);
    }
    const bool ok = writer.write(image);
    buffer.close();
    return ok && !out.isEmpty();
}

} // namespace

bool WriteImageFile(const Bitmap& bitmap, const QString& fileName, ImageFileType type,
                    const ImageWriteOptions& options) {
    if (bitmap.Format() != PixelFormat::Rgb32 || bitmap.Width() <= 0 || bitmap.Height() <= 0)
        return false;
    try {
        const QImage image = ToRgb24(bitmap);
        if (image.isNull()) return false;
        QByteArray bytes;
        if (!Encode(image, type, options, bytes)) return false;
        return FileWriteWhole(fileName, bytes);
    } catch (...) {
        return false;
    }
}

} // namespace plat
