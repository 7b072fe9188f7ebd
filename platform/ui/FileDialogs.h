#pragma once
// The system's file dialogs.

#include <QString>
#include <optional>

class QWidget;

namespace plat {

// An open-file dialog; the chosen file, or nothing when cancelled. filter is in Qt's form,
// e.g. "テキストファイル (*.txt)".
std::optional<QString> OpenFileDialogRun(QWidget* owner, const QString& title,
                                         const QString& folder, const QString& filter);

} // namespace plat
