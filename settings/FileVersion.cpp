// The version text of program files.
//
// A Windows build would read the "FileVersion" value of the file's version resource
// (GetFileVersionInfoSize, GetFileVersionInfo, VerQueryValue of "\VarFileInfo\Translation"
// and then of "\StringFileInfo\<language><code page>\FileVersion") in FileVersionGet.
// Elsewhere a program file has no such resource, so the program carries its own record: a
// marker, the version text of the build and a NUL byte, kept in the program's data, and
// FileVersionGet searches the file for the marker.

#include "settings/FileVersion.h"

#include "settings/PlatformHelpers.h"

#include <QByteArrayMatcher>
#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <array>

#ifndef INKWARDE_VERSION_TEXT
#error "INKWARDE_VERSION_TEXT must name the version of the build"
#endif

namespace {

// The marker as a string literal; it appears in the program only inside versionRecord. It is
// written in two pieces so that not even the macro's text (kept in the most detailed debug
// information) holds it in one piece.
#define INKWARDE_VERSION_MARKER                                                                    \
    "@(#)inkwarde "                                                                                \
    "FileVersion "

// The record of this program. [[gnu::used]] keeps it although nothing reads it in memory.
// It is deliberately not const: the compiler then describes it to the debugger by its
// address only, instead of writing a second copy of its bytes into the debug information.
[[gnu::used]] char versionRecord[] = INKWARDE_VERSION_MARKER INKWARDE_VERSION_TEXT;

// The marker once more, each byte XOR kMarkerMask, so that the search key is not a second
// copy of the marker in the program file.
constexpr unsigned char kMarkerMask = 0x5A;
constexpr std::size_t kMarkerLength = sizeof(INKWARDE_VERSION_MARKER) - 1;

constexpr std::array<unsigned char, kMarkerLength> EncodeMarker() {
    std::array<unsigned char, kMarkerLength> encoded{};
    for (std::size_t i = 0; i < kMarkerLength; ++i)
        encoded[i] = static_cast<unsigned char>(INKWARDE_VERSION_MARKER[i] ^ kMarkerMask);
    return encoded;
}
constexpr std::array<unsigned char, kMarkerLength> kEncodedMarker = EncodeMarker();

#undef INKWARDE_VERSION_MARKER

// The mask is read through a volatile object: the compiler cannot fold the decoding and lay
// the plain marker down as a constant.
volatile unsigned char markerMask = kMarkerMask;

constexpr qint64 kChunkSize = 64 * 1024;
// Bytes of version text read after the marker: 256 characters of up to 4 UTF-8 bytes.
constexpr qint64 kMaxTextBytes = 4 * kFileVersionMaxChars;

// The version text from the bytes that follow a marker: up to the first NUL byte or the end
// of the bytes, decoded as UTF-8 and cut at kFileVersionMaxChars characters.
QString RecordText(const QByteArray& bytes) {
    const qsizetype end = bytes.indexOf('\0');
    const QString text = QString::fromUtf8(end < 0 ? bytes : bytes.left(end));
    return text.left(kFileVersionMaxChars);
}

} // namespace

QByteArray FileVersionMarker() {
    const unsigned char mask = markerMask;
    QByteArray marker(static_cast<qsizetype>(kMarkerLength), Qt::Uninitialized);
    for (std::size_t i = 0; i < kMarkerLength; ++i)
        marker[static_cast<qsizetype>(i)] = static_cast<char>(kEncodedMarker[i] ^ mask);
    return marker;
}

QString FileVersionGet(const QString& path) {
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) return {};
    if (file.size() > kFileVersionMaxFileSize) return {};

    const QByteArray marker = FileVersionMarker();
    const QByteArrayMatcher matcher(marker);
    // window: the end of the previous chunk, where a marker crossing the border may begin,
    // followed by the chunk just read.
    QByteArray window;
    qint64 total = 0;
    while (total < kFileVersionMaxFileSize) {
        const QByteArray chunk = file.read(std::min(kChunkSize, kFileVersionMaxFileSize - total));
        if (chunk.isEmpty()) break; // end of file or a read error
        total += chunk.size();
        window += chunk;
        const qsizetype at = matcher.indexIn(window);
        if (at >= 0) {
            QByteArray text = window.mid(at + marker.size(), kMaxTextBytes);
            if (!text.contains('\0') && text.size() < kMaxTextBytes)
                text += file.read(kMaxTextBytes - text.size());
            return RecordText(text);
        }
        // Keep the last marker length − 1 bytes: a marker may begin there.
        window = window.right(marker.size() - 1);
    }
    return {};
}

QString ExeVersionGet() {
    // Refer to the record so that no linker step sees it as unused and drops it.
    [[maybe_unused]] const char* volatile record = versionRecord;
    return FileVersionGet(QCoreApplication::applicationFilePath());
}
