#pragma once
// Small services the rest of the program asks of the system: the system generation, the
// file dialog, version texts, the picture extension of a save type, the display depth, the
// documents and data folders, and the whiteboard's empty page.

#include "platform/raster/Bitmap.h"

#include <QString>
#include <cstdint>

class QWidget;

// System generation: major * 10 + minor of the running system where that is meaningful;
// 60 and above selects the current behaviours (dialogs, cursors). Set once at start-up by
// OSVersionInit; tests may set it to reach the older paths.
extern int32_t OSVersion;

// The system generation as above. Systems other than Windows report 60 or more.
int32_t OSVersionGet();
// Fills OSVersion; called once before any window exists.
void OSVersionInit();

// Every occurrence of search in text replaced by replacement, scanning left to right; text
// inserted by a replacement is not searched again, and an empty search changes nothing.
QString ReplaceAll(QString text, const QString& search, const QString& replacement);

// Runs the system's file dialog. filterIndex is 1-based; filter holds descriptions and
// patterns separated by "|". On confirm fileName becomes the chosen full path and the
// result is true; on cancel or failure fileName is left as it was.
bool FileDialogExecute(QWidget* owner, int32_t filterIndex, const QString& defaultExt,
                       const QString& filter, const QString& initialDir, const QString& title,
                       QString& fileName, bool fileMustExist, bool overwritePrompt,
                       bool noChangeDir, bool noDereferenceLinks, bool isOpen);

// The version text recorded in a program file ("FileVersion"); empty when it has none or
// cannot be read.
QString FileVersionGet(const QString& path);
// The version text of the running program.
QString ExeVersionGet();

// Picture extension of a save type: 0 "jpg", 1 "bmp", 2 "png", anything else empty.
QString SaveExtGet(int32_t saveFileType);

// True when the display shows 8 bits per pixel or fewer.
bool IsPaletteDisplay();

// The user's documents folder, ending in a separator.
QString PersonalFolderGet();
// The program's data folder inside the documents folder (no trailing separator), created
// with any missing parents when absent. Returned whether or not the creation succeeded.
QString DataFolderGet();

// Paints the whiteboard's empty page into bitmap: the board colour over (0, 0)-(width,
// height), then the optional grid lines, the first one spacing away from the edge.
// A spacing below 1 draws no lines in that direction.
void BoardPaint(plat::Bitmap& bitmap, int32_t width, int32_t height);
