#include "platform/ui/Browser.h"

#include <QDesktopServices>
#include <QUrl>

namespace plat {

bool OpenInBrowser(const QUrl& url) {
    if (url.isEmpty() || !url.isValid()) return false;
    return QDesktopServices::openUrl(url);
}

} // namespace plat
