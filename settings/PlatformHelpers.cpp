#include "settings/PlatformHelpers.h"

#include "platform/raster/Canvas.h"
#include "platform/ui/Display.h"
#include "platform/ui/FileDialogs.h"
#include "settings/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QOperatingSystemVersion>
#include <QStandardPaths>

int32_t OSVersion = 0;

// The generation this program treats every non-Windows system as: the current one.
static constexpr int32_t kCurrentGeneration = 60;

int32_t OSVersionGet() {
#ifdef Q_OS_WIN
    const QOperatingSystemVersion version = QOperatingSystemVersion::current();
    return version.majorVersion() * 10 + version.minorVersion();
#else
    return kCurrentGeneration;
#endif
}

void OSVersionInit() {
    OSVersion = OSVersionGet();
}

QString ReplaceAll(QString text, const QString& search, const QString& replacement) {
    if (search.isEmpty()) return text;
    // Continue after each replacement, so a replacement that contains the search text
    // cannot make the loop endless.
    for (qsizetype at = text.indexOf(search); at >= 0;
         at = text.indexOf(search, at + replacement.size()))
        text.replace(at, search.size(), replacement);
    return text;
}

bool FileDialogExecute(QWidget* owner, int32_t filterIndex, const QString& defaultExt,
                       const QString& filter, const QString& initialDir, const QString& title,
                       QString& fileName, bool fileMustExist, bool overwritePrompt,
                       bool noChangeDir, bool noDereferenceLinks, bool isOpen) {
    // The dialog never changes the working folder here, so noChangeDir needs nothing.
    (void)noChangeDir;
    plat::FileDialogRequest request;
    request.owner = owner;
    request.isOpen = isOpen;
    // Descriptions and patterns alternate between the bars; the packed list the dialog
    // takes is made of those parts.
    const QString packed = ReplaceAll(filter, QStringLiteral("|"), QString(QChar(0)));
    request.nameFilters = plat::NameFiltersFromParts(packed.split(QChar(0)));
    request.filterIndex = filterIndex;
    request.defaultExt = defaultExt;
    request.initialDir = initialDir;
    request.title = title;
    request.fileName = fileName;
    request.fileMustExist = fileMustExist;
    request.overwritePrompt = overwritePrompt;
    request.noDereferenceLinks = noDereferenceLinks;
    const std::optional<QString> chosen = plat::FileDialogRun(request);
    if (!chosen) return false;
    fileName = *chosen;
    return true;
}

QString SaveExtGet(int32_t saveFileType) {
    switch (saveFileType) {
    case 0: return QStringLiteral("jpg");
    case 1: return QStringLiteral("bmp");
    case 2: return QStringLiteral("png");
    default: return {};
    }
}

bool IsPaletteDisplay() {
    return plat::IsPaletteDisplay();
}

QString PersonalFolderGet() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) folder = QDir::homePath();
    return QDir::toNativeSeparators(QDir::cleanPath(folder) + QLatin1Char('/'));
}

QString DataFolderGet() {
    const QString folder = PersonalFolderGet() + QStringLiteral("Inkwarde");
    if (!QFileInfo(folder).isDir()) QDir().mkpath(folder);
    return folder;
}

void BoardPaint(plat::Bitmap& bitmap, int32_t width, int32_t height) {
    plat::Canvas& canvas = bitmap.GetCanvas();
    canvas.pen = {WBBrushColor, 1, plat::PenStyle::Solid, plat::PenMode::Copy};
    canvas.brush = {WBBrushColor, plat::BrushStyle::Solid};
    canvas.Rectangle(0, 0, width, height);

    canvas.pen = {WBPenColor, 1, plat::PenStyle::Solid, plat::PenMode::Copy};
    // A spacing below 1 would never reach the far edge; such a grid is not drawn.
    if (WBHorizontalLine && WBHWidth >= 1) {
        for (int64_t y = 0; y < height;) {
            y += WBHWidth;
            canvas.MoveTo(0, static_cast<int32_t>(y));
            canvas.LineTo(width, static_cast<int32_t>(y));
        }
    }
    if (WBVerticalLine && WBVWidth >= 1) {
        for (int64_t x = 0; x < width;) {
            x += WBVWidth;
            canvas.MoveTo(static_cast<int32_t>(x), 0);
            canvas.LineTo(static_cast<int32_t>(x), height);
        }
    }
}
