#pragma once
// The open and save dialogs of the main window. The open dialog picks a word file; the save
// dialog proposes a time-stamped picture name. On current systems both call the system
// dialog directly; on older ones they run the dialog components TOpenDlg and TSaveDlg,
// which keep the user's last choices between runs.

#include "platform/ui/FileDialogs.h"

#include <QDateTime>
#include <QString>
#include <cstdint>

class QWidget;

// The older system's open dialog.
class TOpenDlg : public plat::TOpenDialog {
    Q_OBJECT
public:
    explicit TOpenDlg(QWidget* owner) : plat::TOpenDialog(owner) {}
    // The older system's dialog needed its focus moved and a space key synthesised when it
    // was shown; this dialog starts ready for typing, so it has no show handler.
};

// The older system's save dialog: choosing another file type changes the extension of the
// typed name.
class TSaveDlg : public plat::TSaveDialog {
    Q_OBJECT
public:
    explicit TSaveDlg(QWidget* owner);
    void DlgTypeChange();
};

// Module state (one set per run).
extern QString OpenDir;
extern QString OpenFileName;
extern QString OpenDefExt;
extern int32_t OpenFilterIndex;
extern QString OpenFilter;
extern QString OpenTitle;
extern QString SaveDir;
extern QString SaveFileName;
extern QString SaveDefExt;
extern int32_t SaveFilterIndex;
extern QString SaveFilter;
extern TOpenDlg* OpenDlg; // only on older systems
extern TSaveDlg* SaveDlg;

// The picture filter both dialogs start with.
inline const QString kPictureFilter =
    QStringLiteral("JPEG Format|*.jpg|BMP Format|*.bmp|PNG Format|*.png|"
                   "All Formats|*.jpg;*.jpeg;*.bmp;*.png");

// Puts the module state back to its start values (start-up and tests).
void OpenSaveDlgDefaultsSet();

// Create the dialog components (owned by owner) on older systems; nothing on current ones.
void OpenDlgCreate(QWidget* owner);
void SaveDlgCreate(QWidget* owner);
void OpenDlgFree();
void SaveDlgFree();

// Run the dialogs; true when confirmed, the chosen path then in OpenFileName / SaveFileName.
bool OpenDlgExecute(QWidget* owner);
bool SaveDlgExecute(QWidget* owner);

// The proposed picture name at a moment: "yyyymmdd_hhnnss." followed by ext.
QString SaveFileNameDefault(const QDateTime& at, const QString& ext);

// Replaces the extension of a name (from the last "." of its last component; appended when
// it has none) and keeps only the name part.
QString FileNameWithExt(const QString& fileName, const QString& ext);
