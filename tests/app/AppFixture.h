#pragma once
// Module state for tests of the main window: settings and pens at their defaults, the
// window not maximised, a fresh undo history; cursors released afterwards. The express-key
// channel of a window listens in a private runtime folder, never in the user's own.

#include "platform/ui/CursorSlots.h"
#include "settings/PenModel.h"
#include "settings/Settings.h"
#include "strokes/Undo.h"
#include "support/ScopedEnv.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

class AppStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        static QTemporaryDir runtime;
        static ScopedEnv runtimeEnv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        SettingsDefaultsSet();
        PenModelDefaultsSet();
        StartMaximize = false;
        UdoInit();
    }
    void TearDown() override { plat::ClearCursorSlots(); }
};
