#pragma once
// Word files: plain text, one word per line.
//
// Encoding: a byte-order mark selects UTF-8, UTF-16 LE or UTF-16 BE; without one the text
// is UTF-8 when it is valid UTF-8 and code page 932 (Shift_JIS) otherwise. Lines end at
// CR LF, LF or CR; each line is one word, unchanged (an empty line is an empty word). A
// line break at the very end does not start another word.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

QString WordFileDecode(const QByteArray& bytes);
QStringList WordFileLines(const QString& text);

// The words of the file, or nothing when it cannot be read.
std::optional<QStringList> WordFileRead(const QString& path);
