// The menus and the tool bar of the command set.

#include "app/Commands.h"
#include "platform/ui/Action.h"

#include <QMenu>
#include <QToolBar>
#include <QWidget>
#include <initializer_list>

namespace {

// Items in order; nullptr is a separator.
QMenu* MenuCreate(QWidget& owner, plat::TActionList& list, const QString& title,
                  std::initializer_list<plat::TAction*> items) {
    auto* menu = new QMenu(title, &owner);
    for (plat::TAction* item : items) {
        if (item == nullptr)
            menu->addSeparator();
        else
            plat::AddMenuItem(menu, *item);
    }
    list.UpdateOnPopup(menu);
    return menu;
}

// A drop-down button is wider by its arrow.
constexpr int kDropDownButtonWidth = 38;

} // namespace

void TCommands::MenusCreate() {
    plat::TActionList& list = *ActionList1;
    MIFile = MenuCreate(
        owner_, list, QStringLiteral("ファイル(&F)"),
        {ActFileOpen, ActFileSave, ActFileClose, nullptr, ActFileSetup, nullptr, ActFileExit});
    MIFile->setObjectName(QStringLiteral("MIFile"));
    MIHelp = MenuCreate(owner_, list, QStringLiteral("ヘルプ(&H)"), {ActHelpAbout, ActiHelp});
    MIHelp->setObjectName(QStringLiteral("MIHelp"));

    PMPen =
        MenuCreate(owner_, list, QString(),
                   {ActPenXX[0], ActPenXX[1], ActPenXX[2], ActPenXX[3], ActPenXX[4], ActPenXX[5],
                    ActPenXX[6], ActPenXX[7], ActPenXX[8], ActPenXX[9], nullptr, ActFileSetup});
    PMPen->setObjectName(QStringLiteral("PMPen"));
    PMPenColor = MenuCreate(owner_, list, QString(),
                            {ActPenColorX[0], ActPenColorX[1], ActPenColorX[2], ActPenColorX[3],
                             ActPenColorX[4], ActPenColorX[5], ActPenColorX[6], ActPenColorX[7],
                             ActPenColorX[8]});
    PMPenColor->setObjectName(QStringLiteral("PMPenColor"));
    PMPenWidth = MenuCreate(
        owner_, list, QString(),
        {ActPenWidthXX[0], ActPenWidthXX[1], ActPenWidthXX[2], ActPenWidthXX[3], ActPenWidthXX[4]});
    PMPenWidth->setObjectName(QStringLiteral("PMPenWidth"));
    PMPenAlpha = MenuCreate(owner_, list, QString(), {ActPenAlpha1, ActPenAlpha0});
    PMPenAlpha->setObjectName(QStringLiteral("PMPenAlpha"));
    PMErase = MenuCreate(owner_, list, QString(),
                         {ActErase1, ActErase2, ActErase3, nullptr, ActEraseAll});
    PMErase->setObjectName(QStringLiteral("PMErase"));

    for (QMenu* menu : {PMPenColor, PMPenWidth, PMPenAlpha}) plat::MenuLeftButtonOnly(menu);
}

void TCommands::ToolBarCreate(QToolBar* bar) {
    const auto add = [bar](const char* name, plat::TAction* action, QMenu* menu,
                           QToolButton::ToolButtonPopupMode mode) {
        auto* button = new plat::TToolButton(bar);
        button->setObjectName(QString::fromLatin1(name));
        button->SetAction(action);
        if (menu != nullptr) {
            button->setMenu(menu);
            button->setPopupMode(mode);
            if (mode == QToolButton::MenuButtonPopup) {
                button->setStyleSheet(QStringLiteral("QToolButton { min-width: %1px;"
                                                     " max-width: %1px; }")
                                          .arg(kDropDownButtonWidth));
            } else {
                // The menu opens on a click; no arrow.
                button->setStyleSheet(
                    QStringLiteral("QToolButton::menu-indicator { image: none; }"));
            }
        }
        button->PlaceOn(bar);
        return button;
    };
    constexpr auto plain = QToolButton::DelayedPopup;
    constexpr auto dropDown = QToolButton::MenuButtonPopup;
    constexpr auto onClick = QToolButton::InstantPopup;
    TBOrderZero = add("TBOrderZero", ActFude, nullptr, plain);
    TBPen = add("TBPen", ActPen, PMPen, dropDown);
    TBPenColor = add("TBPenColor", ActPenColor, PMPenColor, onClick);
    TBPenWidth = add("TBPenWidth", ActPenWidth, PMPenWidth, onClick);
    TBPenAlpha = add("TBPenAlpha", ActPenAlpha, PMPenAlpha, onClick);
    TBErase = add("TBErase", ActErase, PMErase, dropDown);
    TBUndo = add("TBUndo", ActUndo, nullptr, plain);
    TBRedo = add("TBRedo", ActRedo, nullptr, plain);
    TBLasso = add("TBLasso", ActLasso, nullptr, plain);
    ToolButton1 = add("ToolButton1", ActImgB, nullptr, plain);
    ToolButton2 = add("ToolButton2", ActImgF, nullptr, plain);
    TBWBrd = add("TBWBrd", ActWBrd, nullptr, plain);
}
