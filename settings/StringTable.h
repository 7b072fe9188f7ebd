#pragma once
// The program's own texts that are shown in menus, captions and dialogs and are meant to
// be localised (the colour names, pen kinds and sizes).

#include <QString>

enum class TStringId {
    Rainbow,
    Cyan,
    Blue,
    Black,
    Magenta,
    Green,
    Red,
    Yellow,
    White,
    Pen,
    Highlighter,
    Width,
    SuperThin,
    Thin,
    Middle,
    Thick,
    SuperThick,
    SaveFailed, // picture export failed
};

QString StringGet(TStringId id);
