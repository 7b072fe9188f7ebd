#pragma once
// The strip across the top of the main window (Panel1): at its left end the menu tool bar
// (MenuBar1), which shows the top-level menus of the main menu as flat caption buttons,
// and at its right end the tool bar (ToolBar1) that the commands fill.

#include <QList>
#include <QWidget>
#include <vector>

class QMenu;
class QToolBar;
class QToolButton;

// A row of flat caption buttons, one per menu; a button opens its menu below itself.
// Buttons are kButtonWidth wide, or wider when their caption needs it.
class TMenuToolBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kButtonWidth = 67;
    static constexpr int kButtonHeight = 24;

    explicit TMenuToolBar(QWidget* parent = nullptr);
    // Replaces the buttons by one for each menu, captioned with the menu's title.
    void SetMenus(const QList<QMenu*>& menus);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    // The button of menu index; nullptr when there is none.
    QToolButton* Button(int index) const;

private:
    std::vector<QToolButton*> buttons_;
};

class TTopStrip : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 24;
    // Tool buttons of the commands: 25 wide, 24 high, 18 x 18 pictures.
    static constexpr int kToolButtonWidth = 25;
    static constexpr int kToolImageSize = 18;

    explicit TTopStrip(QWidget* parent = nullptr);

    TMenuToolBar* MenuBar1 = nullptr;
    QToolBar* ToolBar1 = nullptr;
};
