#include "settings/Settings.h"

bool StartMaximize;
bool StartOrder;
QString TextFont;
bool EndNumber;
QString ButtonArray;
int32_t SaveFileType;
int32_t JPEGQuality;
bool useReg;
bool Common;

int32_t CrMonitor;
double Zoom;
int32_t DTFButtonSet;
int32_t PenCount;
int32_t PenRevise;
int32_t PenReviseValue;
int32_t MarkerPenAlpha;
bool PenPressure;
int32_t EraseDefault;

uint32_t WBBrushColor;
uint32_t WBPenColor;
bool WBHorizontalLine;
bool WBVerticalLine;
int32_t WBHWidth;
int32_t WBVWidth;
std::array<uint32_t, 8> WBBoardColors;

void SettingsDefaultsSet() {
    StartMaximize = true;
    StartOrder = false;
    TextFont = QString::fromUtf8(kDefaultTextFont);
    EndNumber = true;
    ButtonArray.clear();
    SaveFileType = 0;
    JPEGQuality = 100;
    useReg = true;
    Common = true;

    CrMonitor = 0;
    Zoom = 1.15;
    DTFButtonSet = 0;
    PenCount = 5;
    PenRevise = 0;
    PenReviseValue = 1;
    MarkerPenAlpha = 100;
    PenPressure = false;
    EraseDefault = 3;

    WBBrushColor = 0xFFFFFF;
    WBPenColor = 0xBBBBBB;
    WBHorizontalLine = true;
    WBVerticalLine = false;
    WBHWidth = 50;
    WBVWidth = 50;
    WBBoardColors = {0x006600, 0xDDDDFF, 0xDDFFDD, 0xDDFFFF,
                     0xFFDDDD, 0xFFDDFF, 0xFFFFDD, 0xFFFFFF};
}

int32_t EraserWidthFor(int32_t eraseDefault) {
    switch (eraseDefault) {
    case 1: return 12;
    case 2: return 24;
    default: return 36;
    }
}

namespace {
// The values hold their defaults before any window exists.
const bool kDefaultsApplied = (SettingsDefaultsSet(), true);
} // namespace
