#include "platform/ui/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

namespace plat {

namespace {

FileDialogRunner& Runner() {
    static FileDialogRunner runner;
    return runner;
}

QString DefaultFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

// Selects the 1-based entry index of the dialog's filters when there is one.
void FilterSelect(QFileDialog& dialog, const QStringList& filters, int32_t index) {
    if (index >= 1 && index <= filters.size()) dialog.selectNameFilter(filters[index - 1]);
}

} // namespace

QStringList NameFiltersFromParts(const QStringList& parts) {
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) pattern = pattern.trimmed();
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(QLatin1Char(' ')));
    }
    return filters;
}

void SetFileDialogRunner(FileDialogRunner runner) {
    Runner() = std::move(runner);
}

std::optional<QString> FileDialogRun(const FileDialogRequest& request) {
    if (Runner()) return Runner()(request);

    QFileDialog dialog(request.owner, request.title,
                       request.initialDir.isEmpty() ? DefaultFolder() : request.initialDir);
    dialog.setAcceptMode(request.isOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.isOpen && request.fileMustExist ? QFileDialog::ExistingFile
                                                               : QFileDialog::AnyFile);
    QFileDialog::Options options;
    if (!request.overwritePrompt) options |= QFileDialog::DontConfirmOverwrite;
    if (request.noDereferenceLinks) options |= QFileDialog::DontResolveSymlinks;
    dialog.setOptions(options);
    if (!request.nameFilters.isEmpty()) {
        dialog.setNameFilters(request.nameFilters);
        FilterSelect(dialog, request.nameFilters, request.filterIndex);
    }
    if (!request.defaultExt.isEmpty()) dialog.setDefaultSuffix(request.defaultExt);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);

    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(files.first());
}

// --- TFileDialog ---

TFileDialog::TFileDialog(QWidget* owner, bool isOpen) : owner_(owner), isOpen_(isOpen) {}

TFileDialog::~TFileDialog() = default;

void TFileDialog::Prepare() {
    // The widget dialog, so that its file-name box can be read and set while it runs.
    dialog_ = std::make_unique<QFileDialog>(owner_, Title,
                                            InitialDir.isEmpty() ? DefaultFolder() : InitialDir);
    QFileDialog& dialog = *dialog_;
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setAcceptMode(isOpen_ ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = NameFiltersFromParts(Filter.split(QLatin1Char('|')));
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        FilterSelect(dialog, filters, FilterIndex);
    }
    if (!DefaultExt.isEmpty()) dialog.setDefaultSuffix(DefaultExt);
    if (!FileName.isEmpty()) dialog.selectFile(FileName);
    connect(&dialog, &QFileDialog::filterSelected, this, [this] {
        if (OnTypeChange) OnTypeChange();
    });
}

bool TFileDialog::Execute() {
    Prepare();
    if (OnShow) QTimer::singleShot(0, dialog_.get(), [this] { OnShow(); });
    const bool confirmed = dialog_->exec() == QDialog::Accepted;
    FilterIndex = CurrentFilterIndex();
    const QStringList files = dialog_->selectedFiles();
    if (confirmed && !files.isEmpty()) FileName = QDir::toNativeSeparators(files.first());
    else if (!CurrentFileNameText().isEmpty()) FileName = CurrentFileNameText();
    dialog_.reset();
    return confirmed && !files.isEmpty();
}

int32_t TFileDialog::CurrentFilterIndex() const {
    if (!dialog_) return 0;
    return static_cast<int32_t>(dialog_->nameFilters().indexOf(dialog_->selectedNameFilter())) + 1;
}

void TFileDialog::CurrentFilterSelect(int32_t index) {
    if (!dialog_) return;
    FilterSelect(*dialog_, dialog_->nameFilters(), index);
    if (OnTypeChange) OnTypeChange();
}

QString TFileDialog::CurrentFileNameText() const {
    if (!dialog_) return {};
    const QStringList files = dialog_->selectedFiles();
    // With an empty name box the dialog reports its folder, which is no file name.
    if (files.isEmpty() || QFileInfo(files.first()).isDir()) return {};
    return QFileInfo(files.first()).fileName();
}

void TFileDialog::CurrentFileNameTextSet(const QString& text) {
    if (dialog_) dialog_->selectFile(text);
}

} // namespace plat
