#pragma once
// The system's file dialogs: a one-call dialog for the current system generation, and
// dialog components with properties and events for the older one.

#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QFileDialog;
class QWidget;

namespace plat {

// One run of the system's file dialog, as the caller describes it.
struct FileDialogRequest {
    QWidget* owner = nullptr;
    bool isOpen = true;         // open or save
    QStringList nameFilters;    // Qt form, e.g. "JPEG Format (*.jpg)"
    int32_t filterIndex = 1;    // 1-based entry of nameFilters selected at first
    QString defaultExt;         // added to a typed name without extension (no dot)
    QString initialDir;         // empty: the user's documents folder
    QString title;              // empty: the dialog's own title
    QString fileName;           // proposed name or path
    bool fileMustExist = false; // open: only existing files can be chosen
    bool overwritePrompt = false;
    bool noDereferenceLinks = false; // a link is returned as itself
};

// Runs the dialog modally; the chosen full path, or nothing when cancelled.
std::optional<QString> FileDialogRun(const FileDialogRequest& request);

// Replaces the dialog for tests (they cannot answer a modal dialog); an empty function
// restores the real one.
using FileDialogRunner = std::function<std::optional<QString>(const FileDialogRequest&)>;
void SetFileDialogRunner(FileDialogRunner runner);

// Qt name filters from a filter text of description and pattern parts separated by "|":
// "JPEG Format|*.jpg|All|*.jpg;*.png" -> "JPEG Format (*.jpg)", "All (*.jpg *.png)".
// A last description without a pattern is dropped.
QStringList NameFiltersFromParts(const QStringList& parts);

// A file dialog component: properties that stay between runs, and events while it is
// shown. TOpenDialog and TSaveDialog pick the kind.
class TFileDialog : public QObject {
    Q_OBJECT
public:
    ~TFileDialog() override;

    QString Title;
    QString InitialDir;
    QString DefaultExt;    // without the dot
    QString Filter;        // description and pattern parts separated by "|"
    int32_t FilterIndex = 1; // 1-based
    QString FileName;      // proposed name in, chosen full path out

    // Runs the dialog modally. Afterwards FileName and FilterIndex hold what the dialog
    // showed last (also when cancelled); the result is whether it was confirmed.
    bool Execute();

    // Events while the dialog runs: when it is shown, and when another file type is chosen.
    std::function<void()> OnShow;
    std::function<void()> OnTypeChange;

    // The dialog itself: its current state while it runs (tests also set it up without
    // running it, after Prepare).
    void Prepare();
    int32_t CurrentFilterIndex() const;  // 1-based, 0 when none
    // Selects file type index (1-based) as the user does, raising OnTypeChange.
    void CurrentFilterSelect(int32_t index);
    QString CurrentFileNameText() const; // the text of the file-name box, name part only
    void CurrentFileNameTextSet(const QString& text);

protected:
    TFileDialog(QWidget* owner, bool isOpen);

private:
    QWidget* owner_;
    bool isOpen_;
    std::unique_ptr<QFileDialog> dialog_;
};

class TOpenDialog : public TFileDialog {
    Q_OBJECT
public:
    explicit TOpenDialog(QWidget* owner) : TFileDialog(owner, true) {}
};

class TSaveDialog : public TFileDialog {
    Q_OBJECT
public:
    explicit TSaveDialog(QWidget* owner) : TFileDialog(owner, false) {}
};

} // namespace plat
