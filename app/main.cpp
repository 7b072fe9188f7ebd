// Program entry: the module defaults are already in place (settings, pens, undo slots);
// the application object gets its title, the main window is created and shown, and the
// event loop runs until the main window closes.

#include "app/AboutDlg.h"
#include "app/MainFrm.h"
#include "platform/ui/Application.h"
#include "platform/ui/CursorSlots.h"
#include "settings/PlatformHelpers.h"
#include "strokes/Undo.h"

#include <QApplication>

int main(int argc, char** argv) {
    OSVersionInit();
    UdoInit();
    plat::InitApplicationAttributes();
    QApplication app(argc, argv);
    plat::SetApplicationTitle(TMainFrm::kCaption);

    int result = 0;
    {
        QStringList arguments = QCoreApplication::arguments();
        if (!arguments.isEmpty()) arguments.removeFirst(); // the program itself
        TMainFrm mainFrm(arguments);
        mainFrm.AboutDlg = new TAboutDlg(&mainFrm);
        mainFrm.ShowCentred();
        result = app.exec();
    }
    // The cursors hold window-system resources: release them while the application exists.
    plat::ClearCursorSlots();
    UdoDone();
    return result;
}
