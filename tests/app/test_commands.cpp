// The command set: the action table, the update handlers' presentation rules, what the
// execute handlers do to the tool state and the surface, the menus and the tool bar.

#include "AppFixture.h"
#include "app/CommandTable.h"
#include "app/Commands.h"
#include "app/Cursors.h"
#include "app/MainFrm.h"
#include "app/TopStrip.h"
#include "platform/ui/Action.h"
#include "platform/ui/CursorSlots.h"
#include "settings/PenModel.h"
#include "settings/Settings.h"
#include "strokes/PenList.h"
#include "strokes/Undo.h"
#include "surface/PenImage.h"

#include <QLayout>
#include <QMenu>
#include <QToolBar>
#include <gtest/gtest.h>
#include <set>

namespace {

class CommandsTest : public AppStateTest {
protected:
    void SetUp() override {
        AppStateTest::SetUp();
        frm = std::make_unique<TMainFrm>();
        frm->Timer1Timer(); // blank page, pen mode
        cmds = frm->Commands.get();
        surface = frm->PenImage;
    }
    void TearDown() override {
        frm.reset();
        AppStateTest::TearDown();
    }

    plat::TAction& Act(const char* name) {
        plat::TAction* action = cmds->Action(QString::fromLatin1(name));
        EXPECT_NE(action, nullptr) << name;
        return *action;
    }
    // One stroke with the surface's pen, in control pixels.
    void Stroke(int32_t x, int32_t y) {
        surface->MouseDown(plat::MouseButton::Left, plat::ssLeft, x, y);
        surface->MouseMove(plat::ssLeft, x + 20, y + 5);
        surface->MouseUp(plat::MouseButton::Left, 0, x + 20, y + 5);
    }
    // Names of the actions of a menu's items, "-" for a separator.
    static QStringList ItemNames(const QMenu* menu) {
        QStringList names;
        for (const QAction* item : menu->actions()) {
            if (item->isSeparator()) {
                names << QStringLiteral("-");
                continue;
            }
            const plat::TAction* action = plat::TAction::FromMenuAction(item);
            names << (action != nullptr ? action->Name() : QStringLiteral("?"));
        }
        return names;
    }
    std::vector<plat::TToolButton*> ToolButtons() const {
        std::vector<plat::TToolButton*> buttons;
        QToolBar* bar = frm->Panel1->ToolBar1;
        for (QAction* item : bar->actions())
            if (auto* button = qobject_cast<plat::TToolButton*>(bar->widgetForAction(item)))
                buttons.push_back(button);
        return buttons;
    }

    std::unique_ptr<TMainFrm> frm;
    TCommands* cmds = nullptr;
    TPenImage* surface = nullptr;
};

TEST_F(CommandsTest, ActionTableIsConsistentAndBuiltAsWritten) {
    const std::span<const TCommandRow> table = CommandTable();
    std::set<QString> names;
    for (const TCommandRow& row : table) {
        const QString name = QString::fromUtf8(row.name);
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(name.startsWith(QStringLiteral("Act")));
        EXPECT_TRUE(names.insert(name).second) << "duplicate";
        EXPECT_NE(row.execute, nullptr);
        EXPECT_GE(row.image, -1);
        EXPECT_LT(row.image, kImageListCount);
        plat::TAction* action = cmds->Action(name);
        ASSERT_NE(action, nullptr);
        EXPECT_TRUE(static_cast<bool>(action->OnExecute));
        EXPECT_EQ(static_cast<bool>(action->OnUpdate), row.update != nullptr);
    }
    EXPECT_EQ(cmds->ActionList1->Actions().size(), table.size());

    // Only the file, help and setup commands have no update handler.
    const std::set<QString> withoutUpdate = {"ActFileSave", "ActFileSetup", "ActFileExit",
                                             "ActHelpAbout", "ActiHelp"};
    for (const TCommandRow& row : table)
        EXPECT_EQ(row.update == nullptr, withoutUpdate.count(QString::fromUtf8(row.name)) == 1)
            << row.name;

    struct Row {
        const char* name;
        const char* caption;
        const char* hint;
        int32_t tag;
        int32_t image;
        const char* shortCut;
    };
    // As the actions stand after start-up: the colour and width captions and tags come
    // from the pen tables, the others as designed.
    const Row rows[] = {
        {"ActFude", "", "筆順ペン", 0, 40, ""},
        {"ActPenColor", "", "ペンの色", 0, 25, ""},
        {"ActPenColor1", "Cyan(&1)", "", 0xFFFF00, 1, ""},
        {"ActPenColor0", "Rainbow(&0)", "", 0x08000000, 0, ""},
        {"ActPenWidth08", "Width 8(&4)", "", 8, 23, ""},
        {"ActPenWidth", "", "ペンの太さ", 0, 44, ""},
        {"ActPenAlpha0", "蛍光ペン(&M)", "", 0, 18, ""},
        {"ActPenAlpha1", "ペン(&P)", "", 1, 19, ""},
        {"ActErase2", "消しゴム 中(&2)", "", 2, 11, ""},
        {"ActEraseAll", "全部消す(&A)", "", 0, 9, ""},
        {"ActPen07", "Highlighter Thick(&7)", "", 7, 33, ""},
        {"ActImgF", "", "", 0, 37, ""},
        {"ActFileOpen", "開く...(&O)", "", 0, -1, ""},
        {"ActFileSave", "保存...(&F)", "", 0, -1, "Ctrl+S"},
        {"ActFileExit", "終了(&X)", "", 0, -1, "Ctrl+X"},
        {"ActHelpAbout", "このアプリケーションについて...(&A)", "", 0, -1, ""},
        {"ActiHelp", "Web ヘルプ...(&H)", "", 0, -1, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const plat::TAction& action = Act(row.name);
        EXPECT_EQ(action.Caption(), QString::fromUtf8(row.caption));
        EXPECT_EQ(action.Hint(), QString::fromUtf8(row.hint));
        EXPECT_EQ(action.Tag(), row.tag);
        EXPECT_EQ(action.ImageIndex(), row.image);
        EXPECT_EQ(action.ShortCut(), QKeySequence(QString::fromLatin1(row.shortCut)));
    }
    // The design-time texts of the colour and width commands are in the table.
    const auto rowOf = [&](const char* name) {
        for (const TCommandRow& row : table)
            if (QString::fromUtf8(row.name) == QLatin1String(name)) return row;
        return TCommandRow{};
    };
    EXPECT_EQ(QString::fromUtf8(rowOf("ActPenColor0").caption), QStringLiteral("レインボー(&0)"));
    EXPECT_EQ(rowOf("ActPenColor6").tag, 0x0000FF);
    EXPECT_EQ(QString::fromUtf8(rowOf("ActPenWidth16").caption), QStringLiteral("太さ 16(&5)"));
    EXPECT_EQ(rowOf("ActPenWidth16").image, 24);

    // The shortcuts live on the window, so they work while no menu is open.
    EXPECT_TRUE(frm->actions().contains(cmds->ActFileSave->MenuAction()));
    EXPECT_EQ(cmds->ActFileSave->MenuAction()->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));

    // Menus in order, every item bound to an action of the list.
    using L = QStringList;
    EXPECT_EQ(ItemNames(frm->MainMenu1.value(0)), (L{"ActFileOpen", "ActFileSave", "ActFileClose",
                                                     "-", "ActFileSetup", "-", "ActFileExit"}));
    EXPECT_EQ(frm->MainMenu1.value(0)->title(), QStringLiteral("ファイル(&F)"));
    EXPECT_EQ(ItemNames(frm->MainMenu1.value(1)), (L{"ActHelpAbout", "ActiHelp"}));
    EXPECT_EQ(frm->MainMenu1.value(1)->title(), QStringLiteral("ヘルプ(&H)"));
    EXPECT_EQ(ItemNames(cmds->PMPen),
              (L{"ActPen00", "ActPen01", "ActPen02", "ActPen03", "ActPen04", "ActPen05", "ActPen06",
                 "ActPen07", "ActPen08", "ActPen09", "-", "ActFileSetup"}));
    EXPECT_EQ(ItemNames(cmds->PMPenColor),
              (L{"ActPenColor0", "ActPenColor1", "ActPenColor2", "ActPenColor3", "ActPenColor4",
                 "ActPenColor5", "ActPenColor6", "ActPenColor7", "ActPenColor8"}));
    EXPECT_EQ(ItemNames(cmds->PMPenWidth), (L{"ActPenWidth01", "ActPenWidth02", "ActPenWidth04",
                                              "ActPenWidth08", "ActPenWidth16"}));
    EXPECT_EQ(ItemNames(cmds->PMPenAlpha), (L{"ActPenAlpha1", "ActPenAlpha0"}));
    EXPECT_EQ(ItemNames(cmds->PMErase),
              (L{"ActErase1", "ActErase2", "ActErase3", "-", "ActEraseAll"}));

    // The tool bar, left to right, every button bound to an action of the list.
    QStringList buttons;
    for (plat::TToolButton* button : ToolButtons()) {
        ASSERT_NE(button->Action(), nullptr);
        EXPECT_EQ(cmds->Action(button->Action()->Name()), button->Action());
        buttons << button->objectName() + QLatin1Char('=') + button->Action()->Name();
    }
    EXPECT_EQ(buttons, (L{"TBOrderZero=ActFude", "TBPen=ActPen", "TBPenColor=ActPenColor",
                          "TBPenWidth=ActPenWidth", "TBPenAlpha=ActPenAlpha", "TBErase=ActErase",
                          "TBUndo=ActUndo", "TBRedo=ActRedo", "TBLasso=ActLasso",
                          "ToolButton1=ActImgB", "ToolButton2=ActImgF", "TBWBrd=ActWBrd"}));
    EXPECT_EQ(cmds->TBPen->menu(), cmds->PMPen);
    EXPECT_EQ(cmds->TBPen->popupMode(), QToolButton::MenuButtonPopup);
    EXPECT_EQ(cmds->TBErase->menu(), cmds->PMErase);
    EXPECT_EQ(cmds->TBErase->popupMode(), QToolButton::MenuButtonPopup);
    for (plat::TToolButton* button : {cmds->TBPenColor, cmds->TBPenWidth, cmds->TBPenAlpha})
        EXPECT_EQ(button->popupMode(), QToolButton::InstantPopup)
            << button->objectName().toStdString();
    EXPECT_EQ(cmds->TBPenColor->menu(), cmds->PMPenColor);
    EXPECT_EQ(cmds->TBPenWidth->menu(), cmds->PMPenWidth);
    EXPECT_EQ(cmds->TBPenAlpha->menu(), cmds->PMPenAlpha);
    EXPECT_EQ(cmds->TBOrderZero->menu(), nullptr);
    EXPECT_EQ(cmds->TBOrderZero->toolTip(), QStringLiteral("筆順ペン"));
    EXPECT_FALSE(cmds->TBOrderZero->icon().isNull());
}

TEST_F(CommandsTest, FamiliesAreCheckedByTheirTag) {
    struct Case {
        const char* what;
        std::function<void()> set;
        std::vector<const char*> family;
        std::set<std::string> checked;
    };
    const std::vector<const char*> colours = {"ActPenColor0", "ActPenColor1", "ActPenColor2",
                                              "ActPenColor3", "ActPenColor4", "ActPenColor5",
                                              "ActPenColor6", "ActPenColor7", "ActPenColor8"};
    const std::vector<const char*> widths = {"ActPenWidth01", "ActPenWidth02", "ActPenWidth04",
                                             "ActPenWidth08", "ActPenWidth16"};
    const std::vector<const char*> kinds = {"ActPenAlpha0", "ActPenAlpha1"};
    const std::vector<const char*> erasers = {"ActEraseAll", "ActErase1", "ActErase2", "ActErase3"};
    const Case cases[] = {
        {"blue", [] { CrPen.PenColor = 0xFF0000; }, colours, {"ActPenColor2"}},
        {"rainbow", [] { CrPen.PenColor = RAINBOW; }, colours, {"ActPenColor0"}},
        {"black", [] { CrPen.PenColor = 0; }, colours, {"ActPenColor3"}},
        {"no menu colour", [] { CrPen.PenColor = 0x123456; }, colours, {}},
        {"width 8", [] { CrPen.PenWidth = 8; }, widths, {"ActPenWidth08"}},
        {"width 1", [] { CrPen.PenWidth = 1; }, widths, {"ActPenWidth01"}},
        {"width 12", [] { CrPen.PenWidth = 12; }, widths, {}},
        {"highlighter", [] { CrPen.PenAlpha = 0; }, kinds, {"ActPenAlpha0"}},
        {"pen", [] { CrPen.PenAlpha = 1; }, kinds, {"ActPenAlpha1"}},
        {"erase all", [] { EraseDefault = 0; }, erasers, {"ActEraseAll"}},
        {"medium eraser", [] { EraseDefault = 2; }, erasers, {"ActErase2"}},
        {"large eraser", [] { EraseDefault = 3; }, erasers, {"ActErase3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.set();
        cmds->UpdateAll();
        for (const char* name : c.family) {
            EXPECT_EQ(Act(name).Checked(), c.checked.count(name) == 1) << name;
            EXPECT_TRUE(Act(name).Enabled()) << name;
        }
    }
    // A checked menu item shows its check mark.
    CrPen.PenColor = 0xFF0000;
    cmds->UpdateAll();
    EXPECT_TRUE(Act("ActPenColor2").MenuAction()->isChecked());
    EXPECT_FALSE(Act("ActPenColor1").MenuAction()->isChecked());
}

TEST_F(CommandsTest, PresetsShowUpToPenCountAndEveryEqualPresetIsChecked) {
    PenCount = 3;
    CrPen = {0x00FF00, 6, 1};
    PenPresets[1] = CrPen;
    PenPresets[2] = CrPen;
    PenPresets[0] = {0x00FF00, 6, 0}; // differs in the kind only
    PenPresets[5] = CrPen;            // beyond PenCount
    cmds->UpdateAll();
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        plat::TAction& action = *cmds->ActPenXX[static_cast<size_t>(i)];
        EXPECT_EQ(action.Visible(), i < 3);
        EXPECT_EQ(action.MenuAction()->isVisible(), i < 3);
        EXPECT_EQ(action.Checked(), i == 1 || i == 2 || i == 5);
        EXPECT_EQ(action.Caption(),
                  PenNameGet(PenPresets[static_cast<size_t>(i)]) + QStringLiteral("(&%1)").arg(i));
    }
    EXPECT_EQ(cmds->ActPenXX[1]->Caption(), QStringLiteral("Pen Middle(&1)"));

    // Hidden items are updated when their menu opens, so they come back.
    PenCount = 10;
    emit cmds->PMPen->aboutToShow();
    EXPECT_TRUE(cmds->ActPenXX[9]->Visible());
}

TEST_F(CommandsTest, PresentationRulesOfTheToolButtons) {
    struct Case {
        const char* what;
        std::function<void()> set;
        std::function<void()> check;
    };
    const Case cases[] = {
        {"eraser size 0", [] { EraseDefault = 0; },
         [&] {
             EXPECT_EQ(cmds->ActErase->ImageIndex(), 9);
             EXPECT_EQ(cmds->ActErase->Hint(), QStringLiteral("全部消す(&E)"));
             EXPECT_EQ(cmds->TBErase->toolTip(), QStringLiteral("全部消す(&E)"));
         }},
        {"eraser size 2", [] { EraseDefault = 2; },
         [&] {
             EXPECT_EQ(cmds->ActErase->ImageIndex(), 11);
             EXPECT_EQ(cmds->ActErase->Hint(), QStringLiteral("消しゴム(&E)"));
         }},
        {"eraser size 3", [] { EraseDefault = 3; },
         [&] { EXPECT_EQ(cmds->ActErase->ImageIndex(), 12); }},
        {"stored eraser size out of range", [] { EraseDefault = 7; },
         [&] {
             EXPECT_EQ(cmds->ActErase->ImageIndex(), 12); // erases as the large eraser
             EXPECT_EQ(cmds->ActErase->Hint(), QStringLiteral("消しゴム(&E)"));
         }},
        {"stroke-order pen on the word page", [&] { surface->DPenSet(FUDE_PEN); },
         [&] {
             EXPECT_TRUE(cmds->ActFude->Enabled());
             EXPECT_TRUE(cmds->ActFude->Down());
             EXPECT_TRUE(cmds->TBOrderZero->isChecked());
         }},
        {"stroke-order pen on the whiteboard",
         [&] {
             surface->DPenSet(FUDE_PEN);
             frm->isWhite = true;
         },
         [&] {
             EXPECT_FALSE(cmds->ActFude->Enabled());
             EXPECT_FALSE(cmds->ActFude->Down());
             EXPECT_FALSE(cmds->TBOrderZero->isEnabled());
             EXPECT_FALSE(cmds->TBOrderZero->isChecked());
         }},
        {"ordinary pen", [&] { surface->DPenSet(CrPen); },
         [&] {
             EXPECT_TRUE(cmds->ActFude->Enabled());
             EXPECT_FALSE(cmds->ActFude->Down());
         }},
        {"undo possible", [] { UdoEnabled = true, RedoEnabled = false; },
         [&] {
             EXPECT_TRUE(cmds->ActUndo->Enabled());
             EXPECT_FALSE(cmds->ActRedo->Enabled());
         }},
        {"redo possible", [] { UdoEnabled = false, RedoEnabled = true; },
         [&] {
             EXPECT_FALSE(cmds->ActUndo->Enabled());
             EXPECT_TRUE(cmds->ActRedo->Enabled());
         }},
        {"pen pressure", [] { PenPressure = true; },
         [&] { EXPECT_FALSE(cmds->ActLasso->Enabled()); }},
        {"no pen pressure", [] { PenPressure = false; },
         [&] { EXPECT_TRUE(cmds->ActLasso->Enabled()); }},
        {"no words", [&] { frm->WordList.clear(); },
         [&] {
             EXPECT_FALSE(cmds->ActImgB->Enabled());
             EXPECT_FALSE(cmds->ActImgF->Enabled());
             EXPECT_FALSE(cmds->ToolButton2->isEnabled());
         }},
        {"one word", [&] { frm->WordList = {QStringLiteral("山")}; },
         [&] {
             EXPECT_TRUE(cmds->ActImgB->Enabled());
             EXPECT_TRUE(cmds->ActImgF->Enabled());
         }},
        {"word page", [&] { frm->isWhite = false; },
         [&] {
             EXPECT_EQ(cmds->ActWBrd->ImageIndex(), 38);
             EXPECT_EQ(cmds->ActWBrd->Hint(), QStringLiteral("ホワイトボード"));
             EXPECT_TRUE(cmds->ActFileOpen->Enabled());
             EXPECT_TRUE(cmds->ActFileClose->Enabled());
         }},
        {"whiteboard", [&] { frm->isWhite = true; },
         [&] {
             EXPECT_EQ(cmds->ActWBrd->ImageIndex(), 39);
             EXPECT_EQ(cmds->ActWBrd->Hint(), QStringLiteral("筆順"));
             EXPECT_EQ(cmds->TBWBrd->toolTip(), QStringLiteral("筆順"));
             EXPECT_FALSE(cmds->ActFileOpen->Enabled());
             EXPECT_FALSE(cmds->ActFileClose->Enabled());
             EXPECT_FALSE(cmds->ActFileOpen->MenuAction()->isEnabled());
             EXPECT_TRUE(cmds->ActFileSave->Enabled());
         }},
        {"highlighter kind", [] { CrPen.PenAlpha = 0; },
         [&] {
             EXPECT_EQ(cmds->ActPen->ImageIndex(), 18);
             EXPECT_EQ(cmds->ActPenAlpha->ImageIndex(), 18);
         }},
        {"pen kind", [] { CrPen.PenAlpha = 1; },
         [&] {
             EXPECT_EQ(cmds->ActPen->ImageIndex(), 19);
             EXPECT_EQ(cmds->ActPenAlpha->ImageIndex(), 19);
         }},
        {"stored kind other than 0 or 1 draws as a highlighter", [] { CrPen.PenAlpha = 2; },
         [&] { EXPECT_EQ(cmds->ActPen->ImageIndex(), 18); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        frm->isWhite = false;
        c.set();
        cmds->UpdateAll();
        c.check();
    }
    // The group buttons are held pressed; the pen button is never disabled.
    for (plat::TToolButton* button : {cmds->TBPenColor, cmds->TBPenWidth, cmds->TBPenAlpha})
        EXPECT_TRUE(button->isChecked()) << button->objectName().toStdString();
    EXPECT_FALSE(cmds->TBPen->isChecked());
    EXPECT_TRUE(cmds->ActPen->Enabled());
    // A click does not toggle the pressed state: it belongs to the action.
    cmds->TBPen->click();
    EXPECT_FALSE(cmds->TBPen->isChecked());
}

TEST_F(CommandsTest, PenCommandsReturnToPenModeWithTheCurrentPen) {
    struct Case {
        const char* command;
        const char* from; // the mode-setting command run before
        TPenType pen;     // CrPen afterwards
    };
    const TPenType start = PenPresets[0]; // red, 4, pen
    const Case cases[] = {
        {"ActPenColor2", "ActErase1", {0xFF0000, start.PenWidth, start.PenAlpha}},
        {"ActPenColor2", "ActLasso", {0xFF0000, start.PenWidth, start.PenAlpha}},
        {"ActPenWidth16", "ActErase3", {start.PenColor, 16, start.PenAlpha}},
        {"ActPenWidth16", "ActLasso", {start.PenColor, 16, start.PenAlpha}},
        {"ActPenAlpha0", "ActErase2", {start.PenColor, start.PenWidth, 0}},
        {"ActPenAlpha0", "ActLasso", {start.PenColor, start.PenWidth, 0}},
        {"ActPenColor6", "ActFude", {0x0000FF, start.PenWidth, start.PenAlpha}},
        {"ActPen03", "ActErase1", PenPresets[3]},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " then " + c.command);
        CrPen = start;
        CrPenNo = 2;
        ASSERT_TRUE(Act(c.from).Execute());
        // The starting command has left the current pen.
        EXPECT_FALSE(surface->MMode == 2 && surface->PenColor == CrPen.PenColor);
        ASSERT_TRUE(Act(c.command).Execute());
        EXPECT_EQ(CrPen, c.pen);
        EXPECT_EQ(surface->MMode, 2);
        EXPECT_EQ(surface->PenColor, c.pen.PenColor);
        EXPECT_EQ(surface->PenWidth, c.pen.PenWidth);
        EXPECT_EQ(surface->PenAlpha, PenAlphaGet(c.pen.PenAlpha));
        EXPECT_EQ(surface->PL_UP, PE_UP);
        // Presets leave the cycling cursor alone; everything else marks a hand-set pen.
        EXPECT_EQ(CrPenNo, QString::fromLatin1(c.command).startsWith("ActPen0") ? 2 : -1);
    }
}

TEST_F(CommandsTest, StrokeOrderPenStartsANewCount) {
    PenCounter = 17;
    const TPenType pen = CrPen;
    const int32_t before = surface->PenList->Count();
    cmds->ActFudeExecute(*cmds->ActFude);
    EXPECT_EQ(surface->PenColor, FUDE_COLOR);
    EXPECT_EQ(surface->PenWidth, 32);
    EXPECT_EQ(surface->MMode, 2);
    EXPECT_EQ(surface->PL_UP, PE_UP_ORDER);
    EXPECT_EQ(PenCounter, 0);
    ASSERT_EQ(surface->PenList->Count(), before + 1);
    const TPenE last = surface->PenList->PenE(before);
    EXPECT_EQ(last.x, PE_RCOUNT);
    EXPECT_EQ(last.y, 0);
    EXPECT_EQ(CrPen, pen); // the pen command goes back to it
    cmds->ActPenExecute(*cmds->ActPen);
    EXPECT_EQ(surface->PenColor, pen.PenColor);
    EXPECT_EQ(surface->PL_UP, PE_UP);
}

TEST_F(CommandsTest, EraserSizes) {
    struct Case {
        const char* command;
        int32_t width;
    };
    for (const Case& c : {Case{"ActErase1", 12}, Case{"ActErase2", 24}, Case{"ActErase3", 36}}) {
        SCOPED_TRACE(c.command);
        cmds->ActFudeExecute(*cmds->ActFude);
        ASSERT_TRUE(Act(c.command).Execute());
        EXPECT_EQ(EraseDefault, Act(c.command).Tag());
        EXPECT_EQ(cmds->ActErase->ImageIndex(), Act(c.command).Tag() + 9);
        EXPECT_EQ(surface->MMode, 3);
        EXPECT_EQ(surface->PenWidth, c.width);
        EXPECT_EQ(surface->PenColor, 0);
        EXPECT_EQ(surface->PenAlpha, 0);
        EXPECT_EQ(surface->Pentype, 0);
        EXPECT_EQ(surface->PL_UP, PE_UP);
    }
}

TEST_F(CommandsTest, EraseAllErasesThePageAndNeverEntersEraserMode) {
    Stroke(20, 20);
    ASSERT_GT(surface->PenList->Count(), 0);
    ASSERT_TRUE(cmds->ActEraseAll->Execute());
    EXPECT_EQ(EraseDefault, 0);
    EXPECT_EQ(surface->PenList->Count(), 0);
    EXPECT_EQ(surface->MMode, 2);
    cmds->UpdateAll();
    EXPECT_EQ(cmds->ActErase->ImageIndex(), 9);
    EXPECT_EQ(cmds->ActErase->Hint(), QStringLiteral("全部消す(&E)"));
    // The button keeps erasing everything on every click.
    Stroke(40, 40);
    ASSERT_GT(surface->PenList->Count(), 0);
    cmds->TBErase->click();
    EXPECT_EQ(surface->PenList->Count(), 0);
    EXPECT_EQ(surface->MMode, 2);
}

TEST_F(CommandsTest, UndoAndRedoStepThePageAndFollowTheFlags) {
    cmds->UpdateAll();
    EXPECT_FALSE(cmds->ActUndo->Enabled());
    EXPECT_FALSE(cmds->ActUndo->Execute()); // disabled: nothing runs
    Stroke(20, 20);
    const int32_t count = surface->PenList->Count();
    ASSERT_GT(count, 0);
    ASSERT_TRUE(cmds->ActUndo->Execute()); // the update before it enables it
    EXPECT_EQ(surface->PenList->Count(), 0);
    for (int y = 0; y < surface->Bitmap.Height(); ++y)
        for (int x = 0; x < surface->Bitmap.Width(); ++x)
            ASSERT_EQ(surface->Bitmap.Row32(y)[x] & 0xFFFFFFu, 0xFFFFFFu) << x << "," << y;
    cmds->UpdateAll();
    EXPECT_FALSE(cmds->ActUndo->Enabled());
    EXPECT_TRUE(cmds->ActRedo->Enabled());
    ASSERT_TRUE(cmds->ActRedo->Execute());
    EXPECT_EQ(surface->PenList->Count(), count);
    cmds->UpdateAll();
    EXPECT_TRUE(cmds->ActUndo->Enabled());
    EXPECT_FALSE(cmds->ActRedo->Enabled());
    EXPECT_FALSE(cmds->ActRedo->Execute());
    EXPECT_EQ(surface->PenList->Count(), count);
}

TEST_F(CommandsTest, ToolBarDispFollowsButtonArray) {
    struct Case {
        const char* buttonArray;
        bool undo;
        bool lasso;
    };
    const Case cases[] = {
        {"", false, false},        {"元戻", true, false},
        {"選択", false, true},     {"元戻,選択", true, true},
        {"選択,元戻", true, true}, {"元戻 ,選択x", false, false}, // items are compared whole
    };
    frm->resize(1000, 300); // room for every button
    frm->show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.buttonArray);
        ButtonArray = QString::fromUtf8(c.buttonArray);
        cmds->ToolBarDisp();
        frm->Panel1->ToolBar1->layout()->activate();
        EXPECT_EQ(cmds->TBUndo->Showing(), c.undo);
        EXPECT_EQ(cmds->TBRedo->Showing(), c.undo);
        EXPECT_EQ(cmds->TBLasso->Showing(), c.lasso);
        EXPECT_EQ(cmds->TBUndo->isVisibleTo(frm->Panel1->ToolBar1), c.undo);
        EXPECT_EQ(cmds->TBLasso->isVisibleTo(frm->Panel1->ToolBar1), c.lasso);
        for (plat::TToolButton* button : ToolButtons()) {
            if (button != cmds->TBUndo && button != cmds->TBRedo && button != cmds->TBLasso) {
                EXPECT_TRUE(button->Showing()) << button->objectName().toStdString();
            }
        }
    }
    // The idle update runs only for actions with a shown client: a hidden undo button
    // leaves ActUndo as it was.
    ButtonArray.clear();
    cmds->ToolBarDisp();
    UdoEnabled = false;
    cmds->UpdateAll();
    UdoEnabled = true;
    cmds->ActionList1->UpdateActions();
    EXPECT_FALSE(cmds->ActUndo->Enabled());
    ButtonArray = QStringLiteral("元戻");
    cmds->ToolBarDisp();
    cmds->ActionList1->UpdateActions();
    EXPECT_TRUE(cmds->ActUndo->Enabled());
}

TEST_F(CommandsTest, WordPageCommandsReachTheWordPages) {
    frm->WordList = {QStringLiteral("山"), QStringLiteral("川")};
    PenListsSet(2);
    surface->PenList = PenLists[0].get();
    frm->CrSt = 0;
    ASSERT_TRUE(cmds->ActImgF->Execute());
    EXPECT_EQ(frm->CrSt, 1);
    EXPECT_EQ(surface->PenList, PenLists[1].get());
    ASSERT_TRUE(cmds->ActImgB->Execute());
    EXPECT_EQ(frm->CrSt, 0);

    // The whiteboard takes the stroke-order pen away: the current pen comes back.
    cmds->ActFudeExecute(*cmds->ActFude);
    ASSERT_TRUE(cmds->ActWBrd->Execute());
    EXPECT_TRUE(frm->isWhite);
    EXPECT_EQ(surface->PenList, WBPenList.get());
    EXPECT_EQ(surface->PenColor, PenPresets[0].PenColor);
    EXPECT_EQ(surface->MMode, 2);
    // Open, close and the stroke-order pen are not available there.
    EXPECT_FALSE(cmds->ActFileClose->Execute());
    EXPECT_FALSE(cmds->ActFude->Execute());
    ASSERT_TRUE(cmds->ActWBrd->Execute());
    EXPECT_FALSE(frm->isWhite);
}

} // namespace
