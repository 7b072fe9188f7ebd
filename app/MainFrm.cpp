#include "app/MainFrm.h"

#include "app/AboutDlg.h"
#include "app/CintiqButton.h"
#include "app/CommandLine.h"
#include "app/Commands.h"
#include "app/Cursors.h"
#include "app/HelpPage.h"
#include "app/OpenSaveDlg.h"
#include "app/ProgramIcon.h"
#include "app/TopStrip.h"
#include "app/WordPages.h"
#include "platform/ui/Action.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Monitors.h"
#include "settings/PenModel.h"
#include "settings/Settings.h"
#include "settings/ToolIcons.h"
#include "settings/ToolPictures.h"
#include "strokes/PenList.h"
#include "strokes/Undo.h"
#include "surface/PenImage.h"

#include <QCoreApplication>
#include <QFont>
#include <QMenu>
#include <QPalette>
#include <QResizeEvent>
#include <QTimer>

namespace {

constexpr int kClientWidth = 320;
constexpr int kClientHeight = 240;
// How long the first-show step waits for the window system to carry out a maximise.
constexpr int kMaximizeWaitMs = 1500;

} // namespace

TMainFrm::TMainFrm(const QStringList& arguments, QWidget* parent) : QWidget(parent) {
    CommandLineWordFile = WordFileFromArguments(arguments);
    FormCreate();
}

TMainFrm::~TMainFrm() {
    FormDestroy();
}

void TMainFrm::FormCreate() {
    setWindowTitle(kCaption);
    setWindowIcon(ProgramIcon());
    setFont(QFont(QStringLiteral("メイリオ"), 9));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    Panel1 = new TTopStrip(this);

    // 1. The word list starts empty.
    WordPages = std::make_unique<TWordPages>(*this);
    WordList.clear();
    isWhite = false;
    isLast = false;

    // 2. The drawing surface, below the strip.
    PenImage = new TPenImage(this);
    PenImage->SetOnPenDown([this](plat::MouseButton button, plat::ShiftState shift, int32_t x,
                                  int32_t y) { MSDown(button, shift, x, y); });
    PenImage->isFixed = true;
    // A right click on the surface opens no menu (it erases).
    PenImage->setContextMenuPolicy(Qt::PreventContextMenu);
    PenImage->BitmapInit();
    ChildrenAlign();
    // The commands: their pictures, the File and Help menus, the tool buttons.
    CommandsCreate();
    ExpressKeysCreate();

    // 3. PICT is a member: 32 bits per pixel, empty until the first page is rendered.
    // 4. The settings store loads the persistent settings here; until then the built-in
    //    defaults of the settings module are in force.
    // 5. The colour commands get their captions, tags and pictures.
    Commands->ColorActionsPaint();

    // 6. The cursor set.
    CursorsLoad();

    // 7, 8. Preset 0 becomes the current pen and is handed to the surface.
    CrPenStart();
    PenImage->DPenSet(CrPen);
    // 9. The colour-dependent pictures and the preset pictures.
    Commands->ColorIconsSet(CrPen.PenColor);
    Commands->PresetIconsSet();

    // 10. Stroke lists: the whiteboard's and one per word (one for now).
    WBPenList = std::make_unique<TPenList>();
    PenListsSet(1);
    PenImage->PenList = PenLists[0].get();

    // 11. Design size of the client area.
    resize(kClientWidth, kClientHeight);
    ChildrenAlign(); // a hidden window gets its resize event only when shown

    // 12. The first-show timer.
    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setInterval(10);
    connect(Timer1, &QTimer::timeout, this, &TMainFrm::Timer1Timer);
    Timer1->start();

    // 13. The optional tool buttons.
    Commands->ToolBarDisp();
    // 14. The open and save dialogs; the open dialog is for word files.
    OpenDlgCreate(this);
    OpenDefExt = QStringLiteral("txt");
    OpenFilter = QStringLiteral("テキストファイル|*.txt");
    OpenFilterIndex = 1;
    SaveDlgCreate(this);
    // 15. The stroke-order pen when StartOrder is on.
    if (StartOrder) Commands->ActFudeExecute(*Commands->ActFude);
    Commands->UpdateAll();
}

void TMainFrm::CommandsCreate() {
    ImageList1 = new plat::TImageList(kImageSize, kImageSize, kImageListCount, this);
    ImageList2 = new plat::TImageList(kImageSize, kImageSize, kImageBaseCount, this);
    {
        // The settings dialog keeps its own swatch list; this one only takes the call.
        plat::TImageList swatches(kSwatchWidth, kIconSize, kDialogListCount);
        ToolPicturesLoad(*ImageList1, *ImageList2, swatches);
    }

    TCommandHost host;
    host.IsWhite = [this] { return isWhite; };
    host.WordCount = [this] { return static_cast<int32_t>(WordList.size()); };
    host.NextWord = [this] { WordPages->ActImgFExecute(); };
    host.PreviousWord = [this] { WordPages->ActImgBExecute(); };
    host.WhiteBoardToggle = [this] { WordPages->ActWBrdExecute(); };
    host.WordFileOpen = [this] { WordPages->ActFileOpenExecute(); };
    host.WordFileClose = [this] { WordPages->ActFileCloseExecute(); };
    host.PageErase = [this] { WordPages->PageErase(); };
    // The settings dialog comes with its module.
    host.PictureSave = [this] { PictureSave(); };
    host.AboutShow = [this] {
        if (AboutDlg != nullptr) {
            AboutDlg->exec();
            return;
        }
        TAboutDlg box(this);
        box.exec();
    };
    host.WebHelpOpen = [this] {
        if (!HelpPageOpen()) MessageReport(QStringLiteral("ヘルプページを開けませんでした。"));
    };
    host.Exit = [this] { close(); };
    Commands =
        std::make_unique<TCommands>(*this, *PenImage, *ImageList1, *ImageList2, std::move(host));

    MainMenu1 = Commands->MainMenu1();
    Panel1->MenuBar1->SetMenus(MainMenu1);
    Commands->ToolBarCreate(Panel1->ToolBar1);

    // Leaving the stroke-order pen for the whiteboard selects the current pen.
    WordPages->StrokeOrderPenLeave = [this] {
        Commands->ActPenExecute(*Commands->ActPen);
        Commands->ColorIconsSet(CrPen.PenColor);
    };
    WordPages->WordFileChoose = [this]() -> std::optional<QString> {
        if (!OpenDlgExecute(this)) return std::nullopt;
        return OpenFileName;
    };
}

void TMainFrm::ShowCentred() {
    const plat::Rect area = plat::MonitorWorkArea(0);
    move(area.left + (area.Width() - width()) / 2, area.top + (area.Height() - height()) / 2);
    show();
}

void TMainFrm::ChildrenAlign() {
    Panel1->setGeometry(0, 0, width(), TTopStrip::kHeight);
    if (PenImage != nullptr)
        PenImage->setGeometry(0, TTopStrip::kHeight, width(),
                              std::max(0, height() - TTopStrip::kHeight));
}

void TMainFrm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ChildrenAlign();
    FormResize();
}

void TMainFrm::FormResize() {
    if (isLast || PenImage == nullptr) return;
    PenImage->SetPictureSize(PenImage->width(), PenImage->height());
    PenImage->BitmapToImage();
}

void TMainFrm::Timer1Timer() {
    // 1. Once only.
    Timer1->stop();
    // 2. Maximised on the chosen monitor.
    if (StartMaximize) StartPlacement();
    // 3. The blank page, sized to the surface as it is now.
    WordPages->WordDisp(std::nullopt);
    // 4. The word file of the command line.
    if (!CommandLineWordFile.isEmpty()) WordPages->WordListLoad(CommandLineWordFile);
    // 5. Pen mode; the pen itself stays as chosen.
    PenImage->SetMMode(2, true);
    // 6.
    PenImage->BitmapDisp();
}

void TMainFrm::StartPlacement() {
    // The page is sized to the surface right after this, so wait for the window system to
    // carry out the maximise (it does so asynchronously), bounded in case it never does.
    plat::MaximizeOnArea(this, plat::MonitorWorkArea(CrMonitor), kMaximizeWaitMs);
}

void TMainFrm::PictureSave() {
    if (!SaveDlgExecute(this)) return;
    const QString message = PenImage->BitmapSave(SaveFileName);
    if (!message.isEmpty()) MessageReport(message);
}

void TMainFrm::MessageReport(const QString& text) {
    if (MessageShow)
        MessageShow(text);
    else
        plat::MessageShow(this, text);
}

void TMainFrm::ExpressKeysCreate() {
    CintiqButton1 = new TCintiqButton(this);
    CintiqButton1->SetOnButton1Click([this](TCintiqButton& s) { CintiqButton1Button1Click(s); });
    CintiqButton1->SetOnButton2Click([this](TCintiqButton& s) { CintiqButton1Button2Click(s); });
    CintiqButton1->SetOnButton3Click([this](TCintiqButton& s) { CintiqButton1Button3Click(s); });
    CintiqButton1->SetOnButton4Click([this](TCintiqButton& s) { CintiqButton1Button4Click(s); });
    CintiqButton1->SetOnButton5Click([this](TCintiqButton& s) { CintiqButton1Button5Click(s); });
}

void TMainFrm::CintiqButton1Button1Click(TCintiqButton&) {
    plat::BringToForeground(this);
    // Erase all, whatever the eraser size.
    if (Commands->ActErase->Enabled()) WordPages->PageErase();
}

void TMainFrm::CintiqButton1Button2Click(TCintiqButton&) {
    plat::BringToForeground(this);
    // Also on the whiteboard, where the tool button is disabled.
    Commands->ActFudeExecute(*Commands->ActFude);
}

void TMainFrm::CintiqButton1Button3Click(TCintiqButton&) {
    plat::BringToForeground(this);
    if (!Commands->ActPen->Enabled()) return;
    if (PenImage->MMode == kModePen) {
        PenNext(CrPen);
        Commands->ColorIconsSet(CrPen.PenColor);
    }
    Commands->ActPenExecute(*Commands->ActPen);
}

void TMainFrm::CintiqButton1Button4Click(TCintiqButton&) {
    plat::BringToForeground(this);
    if (DTFButtonSet == 0) {
        if (Commands->ActImgB->Enabled()) WordPages->ActImgBExecute();
    } else if (DTFButtonSet == 1) {
        WordPages->ActWBrdExecute();
    }
}

void TMainFrm::CintiqButton1Button5Click(TCintiqButton&) {
    plat::BringToForeground(this);
    if (DTFButtonSet == 0) {
        if (Commands->ActImgF->Enabled()) WordPages->ActImgFExecute();
    } else if (DTFButtonSet == 1) {
        PictureSave();
    }
}

void TMainFrm::MSDown(plat::MouseButton button, plat::ShiftState shift, int32_t x, int32_t y) {
    WordPages->MSDown(button, shift, x, y);
}

void TMainFrm::FormDestroy() {
    // 1. PICT.
    PICT.SetSize(0, 0);
    // 2. The surface.
    delete PenImage;
    PenImage = nullptr;
    // 3. The word list.
    WordList.clear();
    // 4. Every stroke list.
    PenListsFree();
    // 5. The eraser setting is written back here (failures swallowed).
    // 6. The open and save dialogs.
    OpenDlgFree();
    SaveDlgFree();
    // 7.
    isLast = true;
}
