#include "app/CommandTable.h"

#include "app/Commands.h"

#include <array>

namespace {

using C = TCommands;

// Captions and hints exactly as the program shows them; the preset captions and the
// eraser button's hint are set by the update handlers, the colour and width captions and
// tags again from the pen tables at start-up.
constexpr std::array kCommands = std::to_array<TCommandRow>({
    {"ActFude", "", "筆順ペン", 0, 40, "", &C::ActFudeExecute, &C::ActFudeUpdate},
    {"ActPen", "", "ペン", 0, 18, "", &C::ActPenExecute, &C::ActPenUpdate},
    {"ActPen00", "", "", 0, 26, "", &C::ActPenXXExecute, &C::ActPenXXUpdate},
    {"ActPen01", "", "", 1, 27, "", &C::ActPenXXExecute, &C::ActPenXXUpdate},
    {"ActPen02", "", "", 2, 28, "", &C::ActPenXXExecute, &C::ActPenXXUpdate},
    {"ActPen03", "", "", 3, 29, "", &C::ActPenXXExecute, &C::ActPenXXUpdate},
    {"ActPen04", "", "", 4, 30, "", &C::ActPenXXExecute, &C::ActPenXXUpdate},
    {"ActPen05", "", "", 5, 31, "", &C::ActPenXXExecute, &C::ActPenXXUpdate},
    {"ActPen06", "", "", 6, 32, "", &C::ActPenXXExecute, &C::ActPenXXUpdate},
    {"ActPen07", "", "", 7, 33, "", &C::ActPenXXExecute, &C::ActPenXXUpdate},
    {"ActPen08", "", "", 8, 34, "", &C::ActPenXXExecute, &C::ActPenXXUpdate},
    {"ActPen09", "", "", 9, 35, "", &C::ActPenXXExecute, &C::ActPenXXUpdate},
    {"ActPenColor", "", "ペンの色", 0, 25, "", &C::ActGroupExecute, &C::ActPenColorUpdate},
    {"ActPenColor0", "レインボー(&0)", "", 0x08000000, 0, "", &C::ActPenColorXExecute,
     &C::ActPenColorXUpdate},
    {"ActPenColor1", "水色(&1)", "", 0xFFFF00, 1, "", &C::ActPenColorXExecute,
     &C::ActPenColorXUpdate},
    {"ActPenColor2", "青(&2)", "", 0xFF0000, 2, "", &C::ActPenColorXExecute,
     &C::ActPenColorXUpdate},
    {"ActPenColor3", "黒(&3)", "", 0x000000, 3, "", &C::ActPenColorXExecute,
     &C::ActPenColorXUpdate},
    {"ActPenColor4", "紫(&4)", "", 0xFF00FF, 4, "", &C::ActPenColorXExecute,
     &C::ActPenColorXUpdate},
    {"ActPenColor5", "緑(&5)", "", 0x00FF00, 5, "", &C::ActPenColorXExecute,
     &C::ActPenColorXUpdate},
    {"ActPenColor6", "赤(&6)", "", 0x0000FF, 6, "", &C::ActPenColorXExecute,
     &C::ActPenColorXUpdate},
    {"ActPenColor7", "黄色(&7)", "", 0x00FFFF, 7, "", &C::ActPenColorXExecute,
     &C::ActPenColorXUpdate},
    {"ActPenColor8", "白(&8)", "", 0xFFFFFF, 8, "", &C::ActPenColorXExecute,
     &C::ActPenColorXUpdate},
    {"ActPenWidth", "", "ペンの太さ", 0, 44, "", &C::ActGroupExecute, &C::ActPenWidthUpdate},
    {"ActPenWidth01", "太さ 1(&1)", "", 1, 20, "", &C::ActPenWidthXXExecute,
     &C::ActPenWidthXXUpdate},
    {"ActPenWidth02", "太さ 2(&2)", "", 2, 21, "", &C::ActPenWidthXXExecute,
     &C::ActPenWidthXXUpdate},
    {"ActPenWidth04", "太さ 4(&3)", "", 4, 22, "", &C::ActPenWidthXXExecute,
     &C::ActPenWidthXXUpdate},
    {"ActPenWidth08", "太さ 8(&4)", "", 8, 23, "", &C::ActPenWidthXXExecute,
     &C::ActPenWidthXXUpdate},
    {"ActPenWidth16", "太さ 16(&5)", "", 16, 24, "", &C::ActPenWidthXXExecute,
     &C::ActPenWidthXXUpdate},
    {"ActPenAlpha", "", "ペンの種類", 0, 18, "", &C::ActGroupExecute, &C::ActPenAlphaUpdate},
    {"ActPenAlpha0", "蛍光ペン(&M)", "", 0, 18, "", &C::ActPenAlphaXExecute,
     &C::ActPenAlphaXUpdate},
    {"ActPenAlpha1", "ペン(&P)", "", 1, 19, "", &C::ActPenAlphaXExecute, &C::ActPenAlphaXUpdate},
    {"ActErase", "", "", 0, 12, "", &C::ActEraseExecute, &C::ActEraseUpdate},
    {"ActEraseAll", "全部消す(&A)", "", 0, 9, "", &C::ActEraseXExecute, &C::ActEraseXUpdate},
    {"ActErase1", "消しゴム 小(&1)", "", 1, 10, "", &C::ActEraseXExecute, &C::ActEraseXUpdate},
    {"ActErase2", "消しゴム 中(&2)", "", 2, 11, "", &C::ActEraseXExecute, &C::ActEraseXUpdate},
    {"ActErase3", "消しゴム 大(&3)", "", 3, 12, "", &C::ActEraseXExecute, &C::ActEraseXUpdate},
    {"ActUndo", "", "", 0, 41, "", &C::ActUndoExecute, &C::ActUndoUpdate},
    {"ActRedo", "", "", 0, 42, "", &C::ActRedoExecute, &C::ActRedoUpdate},
    {"ActLasso", "", "", 0, 43, "", &C::ActLassoExecute, &C::ActLassoUpdate},
    {"ActImgB", "", "", 0, 36, "", &C::ActImgBExecute, &C::ActImgUpdate},
    {"ActImgF", "", "", 0, 37, "", &C::ActImgFExecute, &C::ActImgUpdate},
    {"ActWBrd", "", "ホワイトボード", 0, 38, "", &C::ActWBrdExecute, &C::ActWBrdUpdate},
    {"ActFileOpen", "開く...(&O)", "", 0, -1, "", &C::ActFileOpenExecute, &C::ActFileUpdate},
    {"ActFileSave", "保存...(&F)", "", 0, -1, "Ctrl+S", &C::ActFileSaveExecute, nullptr},
    {"ActFileClose", "閉じる(&C)", "", 0, -1, "", &C::ActFileCloseExecute, &C::ActFileUpdate},
    {"ActFileSetup", "設定...(&E)", "", 0, -1, "", &C::ActFileSetupExecute, nullptr},
    {"ActFileExit", "終了(&X)", "", 0, -1, "Ctrl+X", &C::ActFileExitExecute, nullptr},
    {"ActHelpAbout", "このアプリケーションについて...(&A)", "", 0, -1, "", &C::ActHelpAboutExecute,
     nullptr},
    {"ActiHelp", "Web ヘルプ...(&H)", "", 0, -1, "", &C::ActiHelpExecute, nullptr},
});

} // namespace

std::span<const TCommandRow> CommandTable() {
    return kCommands;
}
