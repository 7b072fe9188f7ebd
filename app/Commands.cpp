#include "app/Commands.h"

#include "app/CommandTable.h"
#include "platform/ui/Action.h"
#include "platform/ui/ImageList.h"
#include "settings/PenModel.h"
#include "settings/Settings.h"
#include "settings/ToolIcons.h"
#include "strokes/PenList.h"
#include "strokes/Undo.h"
#include "surface/PenImage.h"

#include <QMenu>
#include <QStringList>
#include <QWidget>

namespace {

// Surface modes the commands set.

constexpr int32_t kImageWordPage = kImageWhiteBoard + 1;

// Items of ButtonArray that show the optional tool buttons.
const QString kButtonUndo = QStringLiteral("元戻");
const QString kButtonLasso = QStringLiteral("選択");

} // namespace

TCommands::TCommands(QWidget& owner, TPenImage& surface, plat::TImageList& images1,
                     plat::TImageList& images2, TCommandHost host)
    : owner_(owner), surface_(&surface), images1_(images1), images2_(images2),
      host_(std::move(host)) {
    ActionsCreate();
    MenusCreate();
}

TCommands::~TCommands() = default;

void TCommands::ActionsCreate() {
    ActionList1 = new plat::TActionList(&owner_);
    ActionList1->setObjectName(QStringLiteral("ActionList1"));
    ActionList1->SetImages(&images1_);
    for (const TCommandRow& row : CommandTable()) {
        auto* action = new plat::TAction(*ActionList1, QString::fromUtf8(row.name));
        action->SetCaption(QString::fromUtf8(row.caption));
        action->SetHint(QString::fromUtf8(row.hint));
        action->SetTag(row.tag);
        action->SetImageIndex(row.image);
        action->SetShortCut(QKeySequence(QString::fromLatin1(row.shortCut)));
        const TCommandHandler execute = row.execute;
        action->OnExecute = [this, execute](plat::TAction& sender) { (this->*execute)(sender); };
        if (const TCommandHandler update = row.update)
            action->OnUpdate = [this, update](plat::TAction& sender) { (this->*update)(sender); };
    }

    const auto find = [this](const QString& name) {
        plat::TAction* action = Action(name);
        Q_ASSERT(action != nullptr);
        return action;
    };
    ActFude = find(QStringLiteral("ActFude"));
    ActPen = find(QStringLiteral("ActPen"));
    for (size_t i = 0; i < ActPenXX.size(); ++i)
        ActPenXX[i] = find(QStringLiteral("ActPen%1").arg(i, 2, 10, QLatin1Char('0')));
    ActPenColor = find(QStringLiteral("ActPenColor"));
    for (size_t i = 0; i < ActPenColorX.size(); ++i)
        ActPenColorX[i] = find(QStringLiteral("ActPenColor%1").arg(i));
    ActPenWidth = find(QStringLiteral("ActPenWidth"));
    const std::array<const char*, 5> widthNames = {
        "ActPenWidth01", "ActPenWidth02", "ActPenWidth04", "ActPenWidth08", "ActPenWidth16"};
    for (size_t i = 0; i < ActPenWidthXX.size(); ++i)
        ActPenWidthXX[i] = find(QString::fromLatin1(widthNames[i]));
    ActPenAlpha = find(QStringLiteral("ActPenAlpha"));
    ActPenAlpha0 = find(QStringLiteral("ActPenAlpha0"));
    ActPenAlpha1 = find(QStringLiteral("ActPenAlpha1"));
    ActErase = find(QStringLiteral("ActErase"));
    ActEraseAll = find(QStringLiteral("ActEraseAll"));
    ActErase1 = find(QStringLiteral("ActErase1"));
    ActErase2 = find(QStringLiteral("ActErase2"));
    ActErase3 = find(QStringLiteral("ActErase3"));
    ActUndo = find(QStringLiteral("ActUndo"));
    ActRedo = find(QStringLiteral("ActRedo"));
    ActLasso = find(QStringLiteral("ActLasso"));
    ActImgB = find(QStringLiteral("ActImgB"));
    ActImgF = find(QStringLiteral("ActImgF"));
    ActWBrd = find(QStringLiteral("ActWBrd"));
    ActFileOpen = find(QStringLiteral("ActFileOpen"));
    ActFileSave = find(QStringLiteral("ActFileSave"));
    ActFileClose = find(QStringLiteral("ActFileClose"));
    ActFileSetup = find(QStringLiteral("ActFileSetup"));
    ActFileExit = find(QStringLiteral("ActFileExit"));
    ActHelpAbout = find(QStringLiteral("ActHelpAbout"));
    ActiHelp = find(QStringLiteral("ActiHelp"));

    // Dialogs that do not exist yet are offered disabled; no update handler enables them.
    ActFileSetup->SetEnabled(static_cast<bool>(host_.SetupRun));
    ActHelpAbout->SetEnabled(static_cast<bool>(host_.AboutShow));
    ActiHelp->SetEnabled(static_cast<bool>(host_.WebHelpOpen));
}

plat::TAction* TCommands::Action(const QString& name) const {
    return ActionList1->Find(name);
}

void TCommands::UpdateAll() {
    for (plat::TAction* action : ActionList1->Actions()) action->Update();
}

bool TCommands::IsWhite() const {
    return host_.IsWhite && host_.IsWhite();
}

// --- pictures ---

void TCommands::ColorActionsPaint() {
    for (size_t i = 0; i < ActPenColorX.size(); ++i) {
        const auto index = static_cast<int32_t>(i);
        plat::TAction& action = *ActPenColorX[i];
        const TActionText text = ::ColorActionPaint(index, action.ImageIndex(), images1_, images2_);
        action.SetCaption(text.Caption);
        action.SetTag(text.Tag);
    }
}

void TCommands::ColorIconsSet(int32_t color) {
    ::ColorIconsSet(color, images1_, images2_, [this](int32_t i, const TActionText& text) {
        if (i < 0 || i >= static_cast<int32_t>(ActPenWidthXX.size())) return;
        plat::TAction& action = *ActPenWidthXX[static_cast<size_t>(i)];
        action.SetCaption(text.Caption);
        action.SetTag(text.Tag);
    });
}

void TCommands::PresetIconsSet() {
    ::PresetIconsSet(images1_, images2_);
}

void TCommands::ToolBarDisp() {
    const QStringList items = ButtonArray.split(QLatin1Char(','));
    if (TBUndo != nullptr) TBUndo->SetShown(items.contains(kButtonUndo));
    if (TBRedo != nullptr) TBRedo->SetShown(TBUndo != nullptr && TBUndo->Shown());
    if (TBLasso != nullptr) TBLasso->SetShown(items.contains(kButtonLasso));
}

// --- execute handlers ---

void TCommands::ActPenExecute(plat::TAction&) {
    TPenImage* const surface = surface_.data();
    if (surface == nullptr) return;
    surface->DPenSet(CrPen);
    surface->SetMMode(kModePen, true);
}

void TCommands::ActPenXXExecute(plat::TAction& sender) {
    CrPenPresetSet(sender.Tag());
    ActPenExecute(*ActPen);
    ColorIconsSet(CrPen.PenColor);
}

void TCommands::ActPenColorXExecute(plat::TAction& sender) {
    CrPenColorSet(sender.Tag());
    ActPenExecute(*ActPen);
    ColorIconsSet(CrPen.PenColor);
}

void TCommands::ActPenWidthXXExecute(plat::TAction& sender) {
    CrPenWidthSet(sender.Tag());
    WidthIconPaint(CrPen.PenColor, CrPen.PenWidth, kImageWidthButton, images1_);
    ActPenExecute(*ActPen);
}

void TCommands::ActPenAlphaXExecute(plat::TAction& sender) {
    CrPenKindSet(static_cast<uint8_t>(sender.Tag()));
    ActPenExecute(*ActPen);
}

void TCommands::ActFudeExecute(plat::TAction&) {
    TPenImage* const surface = surface_.data();
    if (surface == nullptr) return;
    // The stroke-order pen is built on the spot; CrPen stays for the pen command.
    surface->DPenSet(FUDE_PEN);
    surface->SetMMode(kModePen, true);
    surface->PL_UP = PE_UP_ORDER;
    PenCounter = 0;
    if (surface->PenList != nullptr) surface->PenList->AddRCount(0);
}

void TCommands::ActEraseExecute(plat::TAction&) {
    TPenImage* const surface = surface_.data();
    if (surface == nullptr) return;
    if (EraseDefault == 0) {
        if (host_.PageErase) host_.PageErase();
        return;
    }
    surface->PenColor = 0;
    surface->Pentype = 0;
    surface->PenAlpha = 0;
    surface->PenWidth = EraserWidthFor(EraseDefault);
    surface->SetMMode(kModeEraser, true);
    surface->PL_UP = PE_UP;
}

void TCommands::ActEraseXExecute(plat::TAction& sender) {
    EraseDefault = sender.Tag();
    ActErase->SetImageIndex(sender.Tag() + kImageEraseAll);
    ActEraseExecute(*ActErase);
}

void TCommands::ActUndoExecute(plat::TAction&) {
    TPenImage* const surface = surface_.data();
    if (surface == nullptr || surface->PenList == nullptr) return;
    surface->BitmapErase(true);
    UdoUndo(*surface->PenList);
    surface->PenListPlay(false);
}

void TCommands::ActRedoExecute(plat::TAction&) {
    TPenImage* const surface = surface_.data();
    if (surface == nullptr || surface->PenList == nullptr) return;
    surface->BitmapErase(true);
    UdoRedo(*surface->PenList);
    surface->PenListPlay(false);
}

void TCommands::ActLassoExecute(plat::TAction&) {
    TPenImage* const surface = surface_.data();
    if (surface != nullptr) surface->SetMMode(kModeLasso, true);
}

void TCommands::ActImgBExecute(plat::TAction&) {
    if (host_.PreviousWord) host_.PreviousWord();
}

void TCommands::ActImgFExecute(plat::TAction&) {
    if (host_.NextWord) host_.NextWord();
}

void TCommands::ActWBrdExecute(plat::TAction&) {
    if (host_.WhiteBoardToggle) host_.WhiteBoardToggle();
}

void TCommands::ActFileOpenExecute(plat::TAction&) {
    if (host_.WordFileOpen) host_.WordFileOpen();
}

void TCommands::ActFileCloseExecute(plat::TAction&) {
    if (host_.WordFileClose) host_.WordFileClose();
}

void TCommands::ActFileSaveExecute(plat::TAction&) {
    if (host_.PictureSave) host_.PictureSave();
}

void TCommands::ActFileSetupExecute(plat::TAction&) {
    TPenImage* const surface = surface_.data();
    if (!host_.SetupRun || !host_.SetupRun()) return;
    // Confirmed: the pen may read changed settings; the presets may have changed.
    if (surface != nullptr) surface->DPenSet(CrPen);
    PresetIconsSet();
}

void TCommands::ActFileExitExecute(plat::TAction&) {
    if (host_.Exit)
        host_.Exit();
    else
        owner_.window()->close();
}

void TCommands::ActHelpAboutExecute(plat::TAction&) {
    if (host_.AboutShow) host_.AboutShow();
}

void TCommands::ActiHelpExecute(plat::TAction&) {
    if (host_.WebHelpOpen) host_.WebHelpOpen();
}

void TCommands::ActGroupExecute(plat::TAction&) {}

// --- update handlers ---

void TCommands::ActPenColorUpdate(plat::TAction& sender) {
    sender.SetDown(true);
}

void TCommands::ActPenWidthUpdate(plat::TAction& sender) {
    sender.SetDown(true);
}

// The kind pictures: 18 highlighter, 19 pen. A stored kind other than 0 or 1 draws as a
// highlighter, so it shows the highlighter picture.
static int32_t KindImage(uint8_t kind) {
    return kImageHighlighter + (kind == PEN_KIND_PEN ? 1 : 0);
}

void TCommands::ActPenAlphaUpdate(plat::TAction& sender) {
    sender.SetImageIndex(KindImage(CrPen.PenAlpha));
    sender.SetDown(true);
}

void TCommands::ActPenUpdate(plat::TAction& sender) {
    sender.SetImageIndex(KindImage(CrPen.PenAlpha));
}

void TCommands::ActPenColorXUpdate(plat::TAction& sender) {
    sender.SetChecked(sender.Tag() == CrPen.PenColor);
}

void TCommands::ActPenWidthXXUpdate(plat::TAction& sender) {
    sender.SetChecked(sender.Tag() == CrPen.PenWidth);
}

void TCommands::ActPenAlphaXUpdate(plat::TAction& sender) {
    sender.SetChecked(sender.Tag() == CrPen.PenAlpha);
}

void TCommands::ActPenXXUpdate(plat::TAction& sender) {
    const int32_t index = sender.Tag();
    sender.SetVisible(index < PenCount);
    if (index < 0 || index >= kPenPresetCount) return;
    const TPenType& preset = PenPresets[static_cast<size_t>(index)];
    sender.SetCaption(PenNameGet(preset) + QStringLiteral("(&%1)").arg(index));
    sender.SetChecked(preset == CrPen);
}

void TCommands::ActEraseUpdate(plat::TAction& sender) {
    // Sizes other than 0..3 erase like the large eraser and show its picture.
    const int32_t size = EraseDefault >= 0 && EraseDefault <= 3 ? EraseDefault : 3;
    sender.SetImageIndex(size + kImageEraseAll);
    sender.SetHint(EraseDefault != 0 ? QStringLiteral("消しゴム(&E)")
                                     : QStringLiteral("全部消す(&E)"));
}

void TCommands::ActEraseXUpdate(plat::TAction& sender) {
    sender.SetChecked(sender.Tag() == EraseDefault);
}

void TCommands::ActFudeUpdate(plat::TAction& sender) {
    TPenImage* const surface = surface_.data();
    const bool white = IsWhite();
    sender.SetEnabled(!white);
    sender.SetDown(!white && surface != nullptr && surface->PenColor == FUDE_COLOR);
}

void TCommands::ActUndoUpdate(plat::TAction& sender) {
    sender.SetEnabled(UdoEnabled);
}

void TCommands::ActRedoUpdate(plat::TAction& sender) {
    sender.SetEnabled(RedoEnabled);
}

void TCommands::ActLassoUpdate(plat::TAction& sender) {
    sender.SetEnabled(!PenPressure);
}

void TCommands::ActImgUpdate(plat::TAction& sender) {
    sender.SetEnabled(host_.WordCount && host_.WordCount() > 0);
}

void TCommands::ActWBrdUpdate(plat::TAction& sender) {
    if (IsWhite()) {
        sender.SetImageIndex(kImageWordPage);
        sender.SetHint(QStringLiteral("筆順"));
    } else {
        sender.SetImageIndex(kImageWhiteBoard);
        sender.SetHint(QStringLiteral("ホワイトボード"));
    }
}

void TCommands::ActFileUpdate(plat::TAction& sender) {
    sender.SetEnabled(!IsWhite());
}
