#pragma once
// Text in the system's ANSI code page. The program's word files without a byte-order mark
// come from Japanese Windows, so that code page is 932 (Shift_JIS with Microsoft's
// extensions) on every system.

#include <QByteArray>
#include <QString>

namespace plat {

// Decodes code page 932 text. Byte sequences that are not valid in it become U+FFFD, one
// per offending byte, and decoding goes on after them.
QString DecodeCodePage932(const QByteArray& bytes);

} // namespace plat
