// Actions and their bound menu items and tool buttons.

#include "platform/ui/Action.h"
#include "platform/ui/ImageList.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QToolBar>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using plat::TAction;
using plat::TActionList;
using plat::TToolButton;

TEST(Action, ExecuteRunsTheUpdateFirstAndOnlyWhenEnabled) {
    TActionList list;
    TAction action(list, QStringLiteral("ActTest"));
    bool allow = false;
    int runs = 0;
    action.OnUpdate = [&](TAction& sender) { sender.SetEnabled(allow); };
    action.OnExecute = [&](TAction&) { ++runs; };
    EXPECT_FALSE(action.Execute());
    allow = true;
    EXPECT_TRUE(action.Execute());
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(list.Find(QStringLiteral("ActTest")), &action);
}

TEST(Action, IdleUpdatesRunOnlyForActionsWithAShownClient) {
    QWidget owner;
    auto* list = new TActionList(&owner);
    auto* onButton = new TAction(*list, QStringLiteral("ActButton"));
    auto* onMenu = new TAction(*list, QStringLiteral("ActMenu"));
    auto* unbound = new TAction(*list, QStringLiteral("ActNone"));
    int buttonUpdates = 0, menuUpdates = 0, unboundUpdates = 0;
    onButton->OnUpdate = [&](TAction&) { ++buttonUpdates; };
    onMenu->OnUpdate = [&](TAction& sender) {
        ++menuUpdates;
        sender.SetVisible(false); // a hidden item is still updated when its menu opens
    };
    unbound->OnUpdate = [&](TAction&) { ++unboundUpdates; };
    auto* bar = new QToolBar(&owner);
    auto* button = new TToolButton(bar);
    button->SetAction(onButton);
    button->PlaceOn(bar);
    auto* menu = new QMenu(&owner);
    plat::AddMenuItem(menu, *onMenu);
    list->UpdateOnPopup(menu);

    // The list runs when the event loop is about to wait.
    emit QAbstractEventDispatcher::instance()->aboutToBlock();
    EXPECT_EQ(buttonUpdates, 1);
    EXPECT_EQ(menuUpdates, 1);
    EXPECT_EQ(unboundUpdates, 0);
    button->SetShown(false);
    list->UpdateActions();
    EXPECT_EQ(buttonUpdates, 1);
    EXPECT_EQ(menuUpdates, 1); // hidden by its own update
    emit menu->aboutToShow();
    EXPECT_EQ(menuUpdates, 2);
}

TEST(Action, BoundClientsShowTheActionAndClicksDoNotToggleIt) {
    QWidget owner;
    auto* list = new TActionList(&owner);
    plat::TImageList images(18, 18, 3);
    list->SetImages(&images);
    auto* action = new TAction(*list, QStringLiteral("ActTest"));
    action->SetCaption(QStringLiteral("開く(&O)"));
    action->SetHint(QStringLiteral("ヒント"));
    action->SetShortCut(QKeySequence(QStringLiteral("Ctrl+S")));
    int runs = 0;
    action->OnExecute = [&](TAction&) { ++runs; };
    auto* bar = new QToolBar(&owner);
    auto* button = new TToolButton(bar);
    button->SetAction(action);
    button->PlaceOn(bar);
    QAction* item = action->MenuAction();

    EXPECT_EQ(item->text(), QStringLiteral("開く(&O)"));
    EXPECT_EQ(item->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_TRUE(owner.actions().contains(item));
    EXPECT_EQ(TAction::FromMenuAction(item), action);
    EXPECT_EQ(button->toolTip(), QStringLiteral("ヒント"));
    EXPECT_TRUE(button->icon().isNull()); // no slot yet
    action->SetImageIndex(1);
    EXPECT_FALSE(button->icon().isNull());
    EXPECT_FALSE(item->icon().isNull());

    action->SetChecked(true);
    EXPECT_TRUE(item->isChecked());
    item->trigger(); // would toggle a plain checkable item
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(item->isChecked());
    action->SetChecked(false);
    EXPECT_FALSE(item->isChecked());

    action->SetDown(true);
    EXPECT_TRUE(button->isChecked());
    button->click();
    EXPECT_EQ(runs, 2);
    EXPECT_TRUE(button->isChecked());
    action->SetDown(false);
    button->click();
    EXPECT_FALSE(button->isChecked());

    action->SetEnabled(false);
    EXPECT_FALSE(item->isEnabled());
    EXPECT_FALSE(button->isEnabled());
    item->trigger();
    EXPECT_EQ(runs, 3); // disabled: nothing ran
    action->SetEnabled(true);
    action->SetVisible(false);
    EXPECT_FALSE(item->isVisible());
    EXPECT_FALSE(button->Showing());
}

TEST(Action, LeftButtonOnlyMenusIgnoreOtherButtons) {
    QWidget owner;
    auto* list = new TActionList(&owner);
    auto* action = new TAction(*list, QStringLiteral("ActTest"));
    action->SetCaption(QStringLiteral("Item"));
    int runs = 0;
    action->OnExecute = [&](TAction&) { ++runs; };
    auto* menu = new QMenu(&owner);
    QAction* item = plat::AddMenuItem(menu, *action);
    plat::MenuLeftButtonOnly(menu);
    menu->popup(QPoint(0, 0));
    menu->setActiveAction(item);
    const QPointF at = menu->actionGeometry(item).center();
    const auto click = [&](Qt::MouseButton b) {
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, menu->mapToGlobal(at), b,
                              type == QEvent::MouseButtonPress ? b : Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(menu, &event);
        }
    };
    click(Qt::RightButton);
    EXPECT_EQ(runs, 0);
    menu->popup(QPoint(0, 0));
    menu->setActiveAction(item);
    click(Qt::LeftButton);
    EXPECT_EQ(runs, 1);
}

} // namespace
