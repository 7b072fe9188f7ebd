// TPenImage: saving the composite picture to an image file. The type follows the file
// name's extension; the encoder and the file writing are the platform's.

#include "strokes/PenImageExport.h"

#include "platform/raster/ImageFile.h"
#include "settings/Settings.h"
#include "settings/StringTable.h"
#include "surface/PenImage.h"

namespace {

// Upper case of the letters a-z only; every other character stays as it is.
QString AsciiUpper(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text)
        out.append(c >= u'a' && c <= u'z' ? QChar(c.unicode() - u'a' + u'A') : c);
    return out;
}

// Start of the last path component: just past the last separator.
qsizetype LastComponentStart(const QString& fileName, QStringView separators) {
    qsizetype start = 0;
    for (qsizetype i = 0; i < fileName.size(); ++i)
        if (separators.contains(fileName[i])) start = i + 1;
    return start;
}

} // namespace

TSaveTarget SaveTargetFor(const QString& fileName, QStringView separators) {
    const qsizetype start = LastComponentStart(fileName, separators);
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const bool hasExt = dot >= start;
    const QString ext = hasExt ? AsciiUpper(QStringView(fileName).mid(dot)) : QString();

    if (ext == u".JPG") return {plat::ImageFileType::Jpeg, fileName};
    if (ext == u".BMP") return {plat::ImageFileType::Bmp, fileName};
    if (ext == u".PNG") return {plat::ImageFileType::Png, fileName};
    const QString stem = hasExt ? fileName.left(dot) : fileName;
    return {plat::ImageFileType::Jpeg, stem + QStringLiteral(".jpg")};
}

QString TPenImage::BitmapSave(const QString& FileName) {
    const QString failed = StringGet(TStringId::SaveFailed);
    // A name without a file part (empty, or ending in a folder separator) would otherwise
    // become a bare ".jpg" in some folder.
    if (LastComponentStart(FileName, kPathSeparators) >= FileName.size()) return failed;

    const TSaveTarget target = SaveTargetFor(FileName);
    plat::ImageWriteOptions options;
    options.jpegQuality = JPEGQuality; // read at every save: the dialog may have changed it
    options.optimizedHuffman = true;
    if (!plat::WriteImageFile(Bitmap, target.fileName, target.type, options)) return failed;
    return QString();
}
