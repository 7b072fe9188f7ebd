#include "app/CommandLine.h"

#include <QFileInfo>

bool IsWordFileArgument(const QString& path) {
    if (path.isEmpty()) return false;
    const QFileInfo info(path);
    // The extension is everything from the last dot of the file name on.
    return info.isFile() && ("." + info.suffix()).toUpper() == ".TXT";
}

QString WordFileFromArguments(const QStringList& arguments) {
    if (arguments.isEmpty()) return {};
    const QString& first = arguments.front();
    return IsWordFileArgument(first) ? first : QString();
}
