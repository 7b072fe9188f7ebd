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
#include <functional>
#include <memory>

namespace plat {
class TImageList;
}

class QMenu;
class QTimer;
class TAboutDlg;
class TCintiqButton;
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
    // The express keys of a pen display (and F1-F5).
    TCintiqButton* CintiqButton1 = nullptr;
    // The About box; created after the window by the program entry (a child of it). When
    // absent the About command shows a box of its own.
    TAboutDlg* AboutDlg = nullptr;

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

    // The save command: the save dialog, then the picture under the chosen name; a failure
    // is shown in a message box and changes nothing else.
    void PictureSave();
    // Shows a message to the user (a modal box; tests replace it).
    std::function<void(const QString&)> MessageShow;
    void MessageReport(const QString& text);

    // The express keys: 1 erases the page, 2 selects the stroke-order pen, 3 steps the
    // presets (in pen mode) and returns to the pen, 4 and 5 step the words or, by
    // DTFButtonSet, toggle the whiteboard and save the picture.
    void CintiqButton1Button1Click(TCintiqButton& sender);
    void CintiqButton1Button2Click(TCintiqButton& sender);
    void CintiqButton1Button3Click(TCintiqButton& sender);
    void CintiqButton1Button4Click(TCintiqButton& sender);
    void CintiqButton1Button5Click(TCintiqButton& sender);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate();
    void FormResize();
    void FormDestroy();

    // Creates the image lists and the commands, and connects the commands to the window.
    void CommandsCreate();
    // Creates the express-key component and assigns its five click events.
    void ExpressKeysCreate();
    // Places the strip and the surface: the strip across the top, the surface below it
    // filling the rest of the client area.
    void ChildrenAlign();
    void StartPlacement();
};
