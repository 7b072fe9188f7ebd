#pragma once
// The commands of the main window: the actions of ActionList1 with their execute and
// update handlers, the menus that show them (the File and Help menus of MainMenu1 and the
// drop-down menus of the tool bar) and the tool buttons of ToolBar1.
//
// The pen, colour, width, kind, preset, eraser, undo, redo, lasso and stroke-order pen
// commands act on the tool state (CrPen, CrPenNo, EraseDefault) and the drawing surface
// alone. Everything else goes to the window through TCommandHost.

#include <QList>
#include <QPointer>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

class QMenu;
class QToolBar;
class QWidget;
class TPenImage;

namespace plat {
class TAction;
class TActionList;
class TImageList;
class TToolButton;
} // namespace plat

// What the commands need from the window. An empty hook leaves its command doing nothing
// (and, for the About box, the web help and the settings dialog, disabled).
struct TCommandHost {
    // Page state read by the update handlers.
    std::function<bool()> IsWhite;      // the whiteboard page is shown
    std::function<int32_t()> WordCount; // words in the word list

    // The word pages.
    std::function<void()> NextWord;         // ActImgF
    std::function<void()> PreviousWord;     // ActImgB
    std::function<void()> WhiteBoardToggle; // ActWBrd
    std::function<void()> WordFileOpen;     // ActFileOpen
    std::function<void()> WordFileClose;    // ActFileClose
    std::function<void()> PageErase;        // the eraser button at size 0

    // Dialogs and the rest of the window.
    std::function<void()> PictureSave; // ActFileSave: save dialog, then the picture
    std::function<bool()> SetupRun;    // ActFileSetup: the settings dialog; true if confirmed
    std::function<void()> AboutShow;   // ActHelpAbout
    std::function<void()> WebHelpOpen; // ActiHelp
    std::function<void()> Exit;        // ActFileExit; empty: the owner window is closed
};

// Slots of ImageList1 that the commands compute.
inline constexpr int32_t kImageEraseAll = 9;     // + eraser size 1..3: the eraser pictures
inline constexpr int32_t kImageHighlighter = 18; // + 1: the pen
inline constexpr int32_t kImageWidthButton = 44;
inline constexpr int32_t kImageWhiteBoard = 38; // + 1: back to the word page
inline constexpr int32_t kImageListCount = 45;
inline constexpr int32_t kImageBaseCount = 13;
inline constexpr int32_t kImageSize = 18;

class TCommands {
public:
    // owner: the main window (parent of the action list and the menus, and the window of
    // the shortcuts). images1: ImageList1, the pictures of the actions; images2: the base
    // pictures the colour pictures are painted from.
    TCommands(QWidget& owner, TPenImage& surface, plat::TImageList& images1,
              plat::TImageList& images2, TCommandHost host);
    ~TCommands();
    TCommands(const TCommands&) = delete;
    TCommands& operator=(const TCommands&) = delete;

    // Creates the buttons of ToolBar1, left to right.
    void ToolBarCreate(QToolBar* bar);

    // The File and Help menus, in this order, for the menu tool bar.
    QList<QMenu*> MainMenu1() const { return {MIFile, MIHelp}; }

    // Captions, tags and pictures of the nine colour commands from PenColors.
    void ColorActionsPaint();
    // Repaints the pictures that show the current colour (and sets the width commands'
    // captions and tags).
    void ColorIconsSet(int32_t color);
    // Repaints the ten preset pictures.
    void PresetIconsSet();
    // Shows or hides the optional tool buttons as ButtonArray says.
    void ToolBarDisp();

    // Runs every update handler once, so that the presentation is right before the first
    // idle moment.
    void UpdateAll();

    // --- execute handlers ---
    void ActPenExecute(plat::TAction& sender);
    void ActPenXXExecute(plat::TAction& sender);
    void ActPenColorXExecute(plat::TAction& sender);
    void ActPenWidthXXExecute(plat::TAction& sender);
    void ActPenAlphaXExecute(plat::TAction& sender);
    void ActFudeExecute(plat::TAction& sender);
    void ActEraseExecute(plat::TAction& sender);
    void ActEraseXExecute(plat::TAction& sender);
    void ActUndoExecute(plat::TAction& sender);
    void ActRedoExecute(plat::TAction& sender);
    void ActLassoExecute(plat::TAction& sender);
    void ActImgBExecute(plat::TAction& sender);
    void ActImgFExecute(plat::TAction& sender);
    void ActWBrdExecute(plat::TAction& sender);
    void ActFileOpenExecute(plat::TAction& sender);
    void ActFileCloseExecute(plat::TAction& sender);
    void ActFileSaveExecute(plat::TAction& sender);
    void ActFileSetupExecute(plat::TAction& sender);
    void ActFileExitExecute(plat::TAction& sender);
    void ActHelpAboutExecute(plat::TAction& sender);
    void ActiHelpExecute(plat::TAction& sender);
    // The group buttons of colour, width and kind only open their menus.
    void ActGroupExecute(plat::TAction& sender);

    // --- update handlers ---
    void ActPenColorUpdate(plat::TAction& sender);
    void ActPenWidthUpdate(plat::TAction& sender);
    void ActPenAlphaUpdate(plat::TAction& sender);
    void ActPenUpdate(plat::TAction& sender);
    void ActPenColorXUpdate(plat::TAction& sender);
    void ActPenWidthXXUpdate(plat::TAction& sender);
    void ActPenAlphaXUpdate(plat::TAction& sender);
    void ActPenXXUpdate(plat::TAction& sender);
    void ActEraseUpdate(plat::TAction& sender);
    void ActEraseXUpdate(plat::TAction& sender);
    void ActFudeUpdate(plat::TAction& sender);
    void ActUndoUpdate(plat::TAction& sender);
    void ActRedoUpdate(plat::TAction& sender);
    void ActLassoUpdate(plat::TAction& sender);
    void ActImgUpdate(plat::TAction& sender);
    void ActWBrdUpdate(plat::TAction& sender);
    void ActFileUpdate(plat::TAction& sender);

    // The action of that name, or nullptr.
    plat::TAction* Action(const QString& name) const;

    plat::TActionList* ActionList1 = nullptr;

    plat::TAction* ActFude = nullptr;
    plat::TAction* ActPen = nullptr;
    std::array<plat::TAction*, 10> ActPenXX{}; // ActPen00 ... ActPen09
    plat::TAction* ActPenColor = nullptr;
    std::array<plat::TAction*, 9> ActPenColorX{}; // ActPenColor0 ... ActPenColor8
    plat::TAction* ActPenWidth = nullptr;
    std::array<plat::TAction*, 5> ActPenWidthXX{}; // ActPenWidth01 ... ActPenWidth16
    plat::TAction* ActPenAlpha = nullptr;
    plat::TAction* ActPenAlpha0 = nullptr;
    plat::TAction* ActPenAlpha1 = nullptr;
    plat::TAction* ActErase = nullptr;
    plat::TAction* ActEraseAll = nullptr;
    plat::TAction* ActErase1 = nullptr;
    plat::TAction* ActErase2 = nullptr;
    plat::TAction* ActErase3 = nullptr;
    plat::TAction* ActUndo = nullptr;
    plat::TAction* ActRedo = nullptr;
    plat::TAction* ActLasso = nullptr;
    plat::TAction* ActImgB = nullptr;
    plat::TAction* ActImgF = nullptr;
    plat::TAction* ActWBrd = nullptr;
    plat::TAction* ActFileOpen = nullptr;
    plat::TAction* ActFileSave = nullptr;
    plat::TAction* ActFileClose = nullptr;
    plat::TAction* ActFileSetup = nullptr;
    plat::TAction* ActFileExit = nullptr;
    plat::TAction* ActHelpAbout = nullptr;
    plat::TAction* ActiHelp = nullptr;

    // Menus.
    QMenu* MIFile = nullptr; // "ファイル(&F)"
    QMenu* MIHelp = nullptr; // "ヘルプ(&H)"
    QMenu* PMPen = nullptr;
    QMenu* PMPenColor = nullptr;
    QMenu* PMPenWidth = nullptr;
    QMenu* PMPenAlpha = nullptr;
    QMenu* PMErase = nullptr;

    // Buttons of ToolBar1, left to right (created by ToolBarCreate).
    plat::TToolButton* TBOrderZero = nullptr;
    plat::TToolButton* TBPen = nullptr;
    plat::TToolButton* TBPenColor = nullptr;
    plat::TToolButton* TBPenWidth = nullptr;
    plat::TToolButton* TBPenAlpha = nullptr;
    plat::TToolButton* TBErase = nullptr;
    plat::TToolButton* TBUndo = nullptr;
    plat::TToolButton* TBRedo = nullptr;
    plat::TToolButton* TBLasso = nullptr;
    plat::TToolButton* ToolButton1 = nullptr;
    plat::TToolButton* ToolButton2 = nullptr;
    plat::TToolButton* TBWBrd = nullptr;

private:
    void ActionsCreate();
    void MenusCreate();
    bool IsWhite() const;

    QWidget& owner_;
    QPointer<TPenImage> surface_; // gone while the window is being destroyed
    plat::TImageList& images1_;
    plat::TImageList& images2_;
    TCommandHost host_;
};
