// The top strip: one flat caption button per menu, fixed sizes.

#include "app/TopStrip.h"

#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

TEST(TopStrip, MenuToolBarShowsOneButtonPerMenu) {
    TTopStrip strip;
    QMenu file(QStringLiteral("ファイル(&F)"));
    QMenu help(QStringLiteral("ヘルプ(&H)"));
    strip.MenuBar1->SetMenus({&file, &help});
    ASSERT_EQ(strip.MenuBar1->ButtonCount(), 2);
    EXPECT_EQ(strip.MenuBar1->Button(0)->text(), QStringLiteral("ファイル(&F)"));
    EXPECT_EQ(strip.MenuBar1->Button(0)->menu(), &file);
    EXPECT_EQ(strip.MenuBar1->Button(1)->menu(), &help);
    EXPECT_EQ(strip.MenuBar1->Button(1)->popupMode(), QToolButton::InstantPopup);
    EXPECT_EQ(strip.MenuBar1->Button(1)->height(), 24);
    EXPECT_GE(strip.MenuBar1->Button(1)->width(), 67);
    // The caption fits its button.
    for (int i = 0; i < 2; ++i) {
        const QToolButton* b = strip.MenuBar1->Button(i);
        EXPECT_LT(b->fontMetrics().horizontalAdvance(QString(b->text()).remove('&')), b->width());
    }
    EXPECT_EQ(strip.MenuBar1->Button(2), nullptr);
    EXPECT_EQ(strip.height(), 24);

    // Replacing the menus replaces the buttons.
    strip.MenuBar1->SetMenus({&help});
    ASSERT_EQ(strip.MenuBar1->ButtonCount(), 1);
    EXPECT_EQ(strip.MenuBar1->Button(0)->menu(), &help);
    EXPECT_EQ(strip.MenuBar1->width(), strip.MenuBar1->Button(0)->width());
}

} // namespace
