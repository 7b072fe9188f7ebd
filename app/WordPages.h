#pragma once
// The word pages of the main window: the word list of the open file, the grey template of
// the current word, stepping through the words, the whiteboard page, and which stroke
// list the surface draws into. Each page keeps its own strokes; every page switch replays
// that page's list and restarts the undo history from it.

#include "platform/ui/Input.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class TMainFrm;
class TPenList;

class TWordPages {
public:
    explicit TWordPages(TMainFrm& frm) : frm_(frm) {}

    // Loads a word file and shows its first word; a missing, unreadable or empty file
    // leaves the page as it is.
    void WordListLoad(const QString& fileName);
    // Renders the template page of word (blank for none or an empty word) and makes it the
    // surface's background.
    void WordDisp(const std::optional<QString>& word);
    void ToPICT();
    void ToWhiteBoard();
    void PageErase();
    // The surface's pen-down handler: numbers a stroke of the stroke-order pen within the
    // character under the pen.
    void MSDown(plat::MouseButton button, plat::ShiftState shift, int32_t x, int32_t y);

    // Commands.
    void ActImgFExecute();
    void ActImgBExecute();
    void ActWBrdExecute();
    void ActFileOpenExecute();
    void ActFileCloseExecute();

    // Leaving the stroke-order pen for the whiteboard: the main window selects the current
    // pen and repaints its colour pictures.
    std::function<void()> StrokeOrderPenLeave;
    // The open dialog: the chosen file, or nothing when cancelled.
    std::function<std::optional<QString>()> WordFileChoose;

    // Word files larger than this are not word lists; they are refused like unreadable
    // files instead of being split into millions of pages.
    static constexpr int64_t kMaxWordFileBytes = 32 * 1024 * 1024;

private:
    // Shows word CrSt's page with its strokes (the rest of next and previous).
    void CurrentWordShow();
    void SurfaceListSet(TPenList* list);

    TMainFrm& frm_;
};

// The undo history of a page that has just been shown: an empty state before its strokes
// (when it has any) and the page itself.
void UndoSeed(const TPenList& list);
