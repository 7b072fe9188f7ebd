#pragma once
// Module state for tests of the main window: settings and pens at their defaults, the
// window not maximised, a fresh undo history; cursors released afterwards.

#include "platform/ui/CursorSlots.h"
#include "settings/PenModel.h"
#include "settings/Settings.h"
#include "strokes/Undo.h"

#include <gtest/gtest.h>

class AppStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        SettingsDefaultsSet();
        PenModelDefaultsSet();
        StartMaximize = false;
        UdoInit();
    }
    void TearDown() override { plat::ClearCursorSlots(); }
};
