#pragma once
// TMainFrm: the main window. It owns the drawing surface, the template page bitmap and the
// word list, creates and frees the stroke lists, and keeps the surface's screen picture in
// step with the window size. The commands, the word pages and the express keys build on it.

#include "platform/raster/Bitmap.h"
#include "platform/ui/Input.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>

namespace plat {
class TImageList;
}

class QMenu;
class QTimer;
class TCommands;
class TPenImage;
class TTopStrip;
class TWordPages;

class TMainFrm : public QWidget {
    Q_OBJECT
public:
    static inline const QString kCaption = QStringLiteral("インクワード 筆順");

    // arguments: the command-line arguments after the program name.
    explicit TMainFrm(const QStringList& arguments = {}, QWidget* parent = nullptr);
    ~TMainFrm() override;

    // Shows the window at its design size, centred on the primary monitor's work area.
    void ShowCentred();

    // Fields of the window, in the order the rest of the program knows them.
    plat::Bitmap PICT{plat::PixelFormat::Rgb32}; // the rendered template page
    int32_t CrSt = 0;                            // index of the current word
    QStringList WordList;                        // words of the open word file
    TPenImage* PenImage = nullptr;               // the drawing surface (a child widget)
    bool isWhite = false;                        // the whiteboard page is shown
    bool isLast = false;                         // destruction has run; ignore resizes

    // Components.
    TTopStrip* Panel1 = nullptr;
    QList<QMenu*> MainMenu1;                // shown only through the strip's menu tool bar
    plat::TImageList* ImageList1 = nullptr; // pictures of the commands (45 slots)
    plat::TImageList* ImageList2 = nullptr; // base pictures the colour pictures start from
    // The commands: actions, menus and tool buttons (app/Commands).
    std::unique_ptr<TCommands> Commands;
    QTimer* Timer1 = nullptr;

    // The word file named on the command line, when it passes the word-file rule; the word
    // list loading takes it from here.
    QString CommandLineWordFile;

    // The word pages: word list, template, page switches (app/WordPages).
    std::unique_ptr<TWordPages> WordPages;

    // The surface's pen-down handler: gives a stroke of the stroke-order pen its number
    // within the character under the pen.
    void MSDown(plat::MouseButton button, plat::ShiftState shift, int32_t x, int32_t y);

    // The first-show step; runs once from Timer1.
    void Timer1Timer();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate();
    void FormResize();
    void FormDestroy();

    // Creates the image lists and the commands, and connects the commands to the window.
    void CommandsCreate();
    // Places the strip and the surface: the strip across the top, the surface below it
    // filling the rest of the client area.
    void ChildrenAlign();
    void StartPlacement();
};
