#pragma once
// The version record that a program file carries: the marker returned here, then the version
// text, then a NUL byte. FileVersionGet (settings/PlatformHelpers.h) looks for it.

#include <QByteArray>

// The marker that opens a version record. It is assembled at run time, so that the program
// file holds these bytes only once: in its own record.
QByteArray FileVersionMarker();

// Longest version text returned, in characters.
inline constexpr int kFileVersionMaxChars = 256;
// Largest file searched for a record, in bytes; a larger file has no version text.
inline constexpr qint64 kFileVersionMaxFileSize = 256LL * 1024 * 1024;
