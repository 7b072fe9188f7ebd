#pragma once
// Writing a whole file at once.

#include <QByteArray>
#include <QString>

namespace plat {

// Writes bytes as the whole content of fileName: to a temporary file that then replaces the
// old one, so that a failure (no space, no permission, invalid path) leaves an existing file
// as it was. Returns whether the file was written.
bool FileWriteWhole(const QString& fileName, const QByteArray& bytes);

} // namespace plat
