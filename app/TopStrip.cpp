#include "app/TopStrip.h"

#include <QFont>
#include <QHBoxLayout>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

namespace {

QFont MenuFont() {
    // A cell height of 16 pixels: about 13 pixels from baseline to ascent.
    QFont font(QStringLiteral("メイリオ"));
    font.setPixelSize(13);
    return font;
}

} // namespace

TMenuToolBar::TMenuToolBar(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setFixedHeight(kButtonHeight);
}

void TMenuToolBar::SetMenus(const QList<QMenu*>& menus) {
    for (QToolButton* button : buttons_) delete button;
    buttons_.clear();
    for (QMenu* menu : menus) {
        auto* button = new QToolButton(this);
        button->setText(menu->title());
        button->setMenu(menu);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setAutoRaise(true); // flat until the pointer is over it
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setFont(MenuFont());
        // 67 wide, wider when a caption in the font at hand needs more room.
        const int textWidth = button->fontMetrics().horizontalAdvance(
            QString(menu->title()).remove(QLatin1Char('&')));
        button->setFixedSize(std::max(kButtonWidth, textWidth + 12), kButtonHeight);
        button->setFocusPolicy(Qt::NoFocus);
        // No drop-down arrow: the caption alone is the menu's button.
        button->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
        layout()->addWidget(button);
        buttons_.push_back(button);
    }
    int width = 0;
    for (const QToolButton* button : buttons_) width += button->width();
    setFixedWidth(width);
}

QToolButton* TMenuToolBar::Button(int index) const {
    if (index < 0 || index >= ButtonCount()) return nullptr;
    return buttons_[static_cast<size_t>(index)];
}

TTopStrip::TTopStrip(QWidget* parent) : QWidget(parent) {
    setFixedHeight(kHeight);
    setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    MenuBar1 = new TMenuToolBar(this);
    layout->addWidget(MenuBar1, 0, Qt::AlignLeft | Qt::AlignVCenter);
    layout->addStretch(1);

    // The command buttons are added by the commands' set-up; the bar sizes itself to them.
    ToolBar1 = new QToolBar(this);
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(kToolImageSize, kToolImageSize));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ToolBar1->setFixedHeight(kHeight);
    ToolBar1->setContentsMargins(0, 0, 0, 0);
    ToolBar1->setStyleSheet(QStringLiteral("QToolBar { border: none; spacing: 0px; padding: 0px; }"
                                           "QToolButton { min-width: %1px; max-width: %1px;"
                                           " min-height: %2px; max-height: %2px; }")
                                .arg(kToolButtonWidth)
                                .arg(kHeight));
    layout->addWidget(ToolBar1, 0, Qt::AlignRight | Qt::AlignVCenter);
}
