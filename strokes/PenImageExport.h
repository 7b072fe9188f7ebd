#pragma once
// The file-name rule of picture export: which type a name is saved as, and under which
// name. Kept apart from the surface so that the rule can be tested on its own.

#include "platform/raster/ImageFile.h"

#include <QString>
#include <QStringView>

// Characters that end a folder name in a path: "/" everywhere, "\" as well on Windows.
#ifdef _WIN32
inline constexpr QStringView kPathSeparators = u"/\\";
#else
inline constexpr QStringView kPathSeparators = u"/";
#endif

struct TSaveTarget {
    plat::ImageFileType type = plat::ImageFileType::Jpeg;
    QString fileName; // the name the file is written under
};

// The extension is the text from the last "." of the last path component (the dot
// included), upper-cased in the letters a-z only. ".JPG", ".BMP" and ".PNG" keep the name
// and select JPEG, BMP and PNG; anything else (".jpeg", ".gif", none) selects JPEG and the
// extension is replaced by, or the name extended with, ".jpg".
TSaveTarget SaveTargetFor(const QString& fileName, QStringView separators = kPathSeparators);
