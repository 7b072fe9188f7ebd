#include "platform/ui/FileDialogs.h"

#include <QFileDialog>

namespace plat {

std::optional<QString> OpenFileDialogRun(QWidget* owner, const QString& title,
                                         const QString& folder, const QString& filter) {
    const QString file = QFileDialog::getOpenFileName(owner, title, folder, filter);
    if (file.isEmpty()) return std::nullopt;
    return file;
}

} // namespace plat
