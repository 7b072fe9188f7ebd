#include "app/HelpPage.h"

#include "platform/io/WholeFile.h"
#include "platform/ui/Browser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

// The resources live in a static library: nothing refers to them, so they are registered
// by hand before the first use. The registration must not sit inside a namespace.
static void HelpResourcesInit() {
    static const bool done = [] {
        Q_INIT_RESOURCE(help);
        return true;
    }();
    (void)done;
}

namespace {

const QString kResourcePath = QStringLiteral(":/help/index.html");

} // namespace

QByteArray HelpPageContent() {
    HelpResourcesInit();
    QFile resource(kResourcePath);
    if (!resource.open(QIODevice::ReadOnly)) return {};
    return resource.readAll();
}

QString HelpPageFile() {
    const QByteArray content = HelpPageContent();
    if (content.isEmpty()) return {};
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (cache.isEmpty()) return {};
    const QString folder = cache + QStringLiteral("/help");
    const QString path = folder + QStringLiteral("/index.html");

    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly)) {
        // Compare no more than the page's size plus one byte: a longer file differs anyway.
        if (existing.read(content.size() + 1) == content) return path;
        existing.close();
    }
    if (!QDir().mkpath(folder)) return {};
    // A failure half-way leaves no half-written page behind.
    if (!plat::FileWriteWhole(path, content)) return {};
    return path;
}

bool HelpPageOpen() {
    const QString path = HelpPageFile();
    if (path.isEmpty()) return false;
    return plat::OpenInBrowser(QUrl::fromLocalFile(path));
}
