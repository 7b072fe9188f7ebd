#include "app/OpenSaveDlg.h"

#include "settings/PlatformHelpers.h"
#include "settings/Settings.h"

#include <QStringList>

QString OpenDir;
QString OpenFileName;
QString OpenDefExt;
int32_t OpenFilterIndex = -1;
QString OpenFilter = kPictureFilter;
QString OpenTitle = QStringLiteral("Open Image File");
QString SaveDir;
QString SaveFileName;
QString SaveDefExt;
int32_t SaveFilterIndex = 4;
QString SaveFilter = kPictureFilter;
TOpenDlg* OpenDlg = nullptr;
TSaveDlg* SaveDlg = nullptr;

namespace {

// The "All Formats" entry of the picture filter.
constexpr int32_t kAllFormatsIndex = 4;

bool IsCurrentSystem() {
    return OSVersion >= 60;
}

} // namespace

void OpenSaveDlgDefaultsSet() {
    OpenDir.clear();
    OpenFileName.clear();
    OpenDefExt.clear();
    OpenFilterIndex = -1;
    OpenFilter = kPictureFilter;
    OpenTitle = QStringLiteral("Open Image File");
    SaveDir.clear();
    SaveFileName.clear();
    SaveDefExt.clear();
    SaveFilterIndex = kAllFormatsIndex;
    SaveFilter = kPictureFilter;
}

void OpenDlgCreate(QWidget* owner) {
    OpenFilterIndex = kAllFormatsIndex;
    if (!IsCurrentSystem() && OpenDlg == nullptr) OpenDlg = new TOpenDlg(owner);
}

void SaveDlgCreate(QWidget* owner) {
    if (!IsCurrentSystem() && SaveDlg == nullptr) SaveDlg = new TSaveDlg(owner);
}

void OpenDlgFree() {
    delete OpenDlg;
    OpenDlg = nullptr;
}

void SaveDlgFree() {
    delete SaveDlg;
    SaveDlg = nullptr;
}

bool OpenDlgExecute(QWidget* owner) {
    if (IsCurrentSystem() || OpenDlg == nullptr) {
        return FileDialogExecute(owner, OpenFilterIndex, OpenDefExt, OpenFilter, OpenDir, OpenTitle,
                                 OpenFileName, true, false, false, true, true);
    }
    OpenDlg->Title = OpenTitle;
    OpenDlg->InitialDir = OpenDir;
    OpenDlg->DefaultExt = OpenDefExt;
    OpenDlg->FilterIndex = OpenFilterIndex;
    OpenDlg->Filter = OpenFilter;
    OpenDlg->FileName = OpenFileName;
    const bool confirmed = OpenDlg->Execute();
    OpenFilterIndex = OpenDlg->FilterIndex;
    OpenDefExt = OpenDlg->DefaultExt;
    OpenFileName = OpenDlg->FileName;
    return confirmed;
}

QString SaveFileNameDefault(const QDateTime& at, const QString& ext) {
    return at.toString(QStringLiteral("yyyyMMdd_HHmmss")) + QLatin1Char('.') + ext;
}

bool SaveDlgExecute(QWidget* owner) {
    SaveDefExt = SaveExtGet(SaveFileType);
    SaveFilterIndex = kAllFormatsIndex;
    SaveFileName = SaveFileNameDefault(QDateTime::currentDateTime(), SaveDefExt);
    if (IsCurrentSystem() || SaveDlg == nullptr) {
        return FileDialogExecute(owner, SaveFilterIndex, SaveDefExt, SaveFilter, SaveDir, QString(),
                                 SaveFileName, false, true, false, false, false);
    }
    SaveDlg->InitialDir = SaveDir;
    SaveDlg->DefaultExt = SaveDefExt;
    SaveDlg->Filter = SaveFilter;
    SaveDlg->FilterIndex = SaveFilterIndex;
    SaveDlg->FileName = SaveFileName;
    const bool confirmed = SaveDlg->Execute();
    SaveFileName = SaveDlg->FileName;
    return confirmed;
}

QString FileNameWithExt(const QString& fileName, const QString& ext) {
    const qsizetype slash =
        std::max(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
    QString name = fileName.mid(slash + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0) name.truncate(dot);
    return name + ext;
}

TSaveDlg::TSaveDlg(QWidget* owner) : plat::TSaveDialog(owner) {
    OnTypeChange = [this] { DlgTypeChange(); };
}

void TSaveDlg::DlgTypeChange() {
    const int32_t index = CurrentFilterIndex();
    QString ext;
    if (index == kAllFormatsIndex) {
        ext = QLatin1Char('.') + SaveExtGet(SaveFileType);
    } else {
        // The pattern of entry index sits after its description.
        const QStringList items = Filter.split(QLatin1Char('|'));
        const qsizetype at = 2 * static_cast<qsizetype>(index) - 1;
        if (index < 1 || at >= items.size()) return;
        const QString& pattern = items[at];
        const qsizetype dot = pattern.lastIndexOf(QLatin1Char('.'));
        if (dot < 0) return;
        ext = pattern.mid(dot);
    }
    CurrentFileNameTextSet(FileNameWithExt(CurrentFileNameText(), ext));
}
