#include "app/WordPages.h"

#include "app/CharColumns.h"
#include "app/MainFrm.h"
#include "app/WordFile.h"
#include "platform/Rnd.h"
#include "platform/raster/Canvas.h"
#include "platform/text/FontResolve.h"
#include "platform/ui/Application.h"
#include "settings/PenModel.h"
#include "settings/Settings.h"
#include "strokes/PenList.h"
#include "strokes/Undo.h"
#include "surface/PenImage.h"

#include <QFileInfo>
#include <algorithm>
#include <exception>

namespace {

constexpr int32_t kTemplateCellHeight = 100;
constexpr double kTemplateFill = 0.9;
constexpr plat::Color kTemplateInk = 0xC0C0C0;

} // namespace

void UndoSeed(const TPenList& list) {
    UdoReset();
    UdoSaveBlank(list);
    UdoSave(list);
}

void TWordPages::SurfaceListSet(TPenList* list) {
    frm_.PenImage->PenList = list;
}

void TWordPages::WordListLoad(const QString& fileName) {
    // Loading never fails loudly: whatever goes wrong leaves the page as it was.
    try {
        const QFileInfo info(fileName);
        if (!info.exists() || !info.isFile() || info.size() > kMaxWordFileBytes) return;
        const std::optional<QStringList> words = WordFileRead(fileName);
        if (!words) return;
        frm_.WordList = *words;
        frm_.CrSt = 0;
        if (frm_.WordList.isEmpty()) return;
        WordDisp(frm_.WordList[0]);
        frm_.PenImage->BitmapDisp();
        PenListsSet(static_cast<int32_t>(frm_.WordList.size()));
        SurfaceListSet(PenLists[0].get());
        UndoSeed(*PenLists[0]);
    } catch (const std::exception&) {
        // e.g. no memory for the lists of a huge file: keep what was done so far
    }
}

void TWordPages::WordDisp(const std::optional<QString>& word) {
    TPenImage& surface = *frm_.PenImage;
    const int32_t w = std::max(surface.width(), 0);
    const int32_t h = std::max(surface.height(), 0);
    plat::Bitmap& pict = frm_.PICT;
    pict.SetSize(w, h);
    plat::Canvas& canvas = pict.GetCanvas();
    canvas.pen = {0xFFFFFF, 1, plat::PenStyle::Solid, plat::PenMode::Copy};
    canvas.brush = {0xFFFFFF, plat::BrushStyle::Solid};
    canvas.Rectangle(0, 0, w, h);

    if (word && !word->isEmpty()) {
        canvas.font.family = plat::ResolveFontFamily(TextFont);
        canvas.font.height = kTemplateCellHeight;
        plat::Size extent = canvas.TextExtent(*word);
        // A word without any width (only zero-width characters) leaves the page blank.
        if (extent.cx > 0 && extent.cy > 0) {
            const double fx = w * kTemplateFill / extent.cx;
            const double fy = h * kTemplateFill / extent.cy;
            canvas.font.height = std::max(1, plat::Rnd((fx >= fy ? fy : fx) * kTemplateCellHeight));
            canvas.font.color = kTemplateInk;
            extent = canvas.TextExtent(*word);
            const int32_t x = (w - extent.cx) / 2;
            const int32_t y = (h - extent.cy) / 2;
            canvas.TextOut(x, y, *word);
            CharColumnSet(canvas, *word, x);
        }
    }
    surface.sw = pict.Width();
    surface.sh = pict.Height();
    surface.BitmapLoad(pict, true);
    if (surface.PenList) UndoSeed(*surface.PenList);
}

void TWordPages::ToPICT() {
    if (frm_.WordList.isEmpty())
        WordDisp(std::nullopt);
    else
        WordDisp(frm_.WordList[frm_.CrSt]);
    const size_t index =
        std::min<size_t>(static_cast<size_t>(std::max(frm_.CrSt, 0)), PenLists.size() - 1);
    SurfaceListSet(PenLists[index].get());
    frm_.PenImage->PenListPlay(true);
    UndoSeed(*PenLists[index]);
    frm_.isWhite = false;
}

void TWordPages::ToWhiteBoard() {
    TPenImage& surface = *frm_.PenImage;
    surface.WBrdLoad(frm_.width(), frm_.height());
    SurfaceListSet(WBPenList.get());
    surface.PenListPlay(true);
    if (surface.PenColor == FUDE_COLOR) {
        // The stroke-order pen does not go onto the whiteboard.
        CrPen = PenPresets[0];
        if (StrokeOrderPenLeave) StrokeOrderPenLeave();
    }
    UndoSeed(*WBPenList);
    frm_.isWhite = true;
}

void TWordPages::PageErase() {
    TPenImage& surface = *frm_.PenImage;
    surface.BitmapErase(false);
    surface.BitmapDispAll();
    if (surface.PenList) surface.PenList->Clear();
    CharCountClear();
}

void TWordPages::MSDown(plat::MouseButton, plat::ShiftState, int32_t x, int32_t) {
    if (frm_.PenImage->PenColor == FUDE_COLOR) frm_.PenImage->PenOrderAdd(CharCountGet(x));
}

void TWordPages::CurrentWordShow() {
    WordDisp(frm_.WordList[frm_.CrSt]);
    TPenList* list =
        PenLists[std::min<size_t>(static_cast<size_t>(frm_.CrSt), PenLists.size() - 1)].get();
    SurfaceListSet(list);
    frm_.PenImage->PenListPlay(true);
    UndoSeed(*list);
}

void TWordPages::ActImgFExecute() {
    const int32_t count = static_cast<int32_t>(frm_.WordList.size());
    if (count == 0) return;
    if (++frm_.CrSt >= count) frm_.CrSt = 0;
    CurrentWordShow();
}

void TWordPages::ActImgBExecute() {
    const int32_t count = static_cast<int32_t>(frm_.WordList.size());
    if (count == 0) return;
    if (--frm_.CrSt < 0) frm_.CrSt = count - 1;
    CurrentWordShow();
}

void TWordPages::ActWBrdExecute() {
    // Input that arrives while the page is rebuilt must not reach the old page.
    frm_.setEnabled(false);
    plat::ProcessMessages();
    if (frm_.isWhite)
        ToPICT();
    else
        ToWhiteBoard();
    frm_.setEnabled(true);
}

void TWordPages::ActFileOpenExecute() {
    if (!WordFileChoose) return;
    if (const std::optional<QString> file = WordFileChoose()) WordListLoad(*file);
}

void TWordPages::ActFileCloseExecute() {
    WordDisp(std::nullopt);
    frm_.PenImage->BitmapDisp();
}
