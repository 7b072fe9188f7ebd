#include "platform/ui/Action.h"

#include "platform/ui/ImageList.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QToolBar>
#include <QWidget>
#include <algorithm>

namespace plat {

namespace {

QIcon SlotIcon(const TImageList* images, int32_t index) {
    if (images == nullptr || index < 0 || index >= images->Count()) return {};
    return images->Icon(index);
}

// Swallows the releases of every mouse button but the left one, so that they choose
// nothing; the menu stays open.
class TLeftButtonOnly : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease ||
            event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonDblClick) {
            if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

// --- TAction ---

TAction::TAction(TActionList& list, QString name)
    : QObject(&list), list_(list), name_(std::move(name)) {
    setObjectName(name_);
    list_.ActionAdd(this);
}

TAction::~TAction() {
    // Bound buttons hold the action through a guarded pointer.
    list_.ActionRemove(this);
}

void TAction::SetCaption(const QString& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    emit Changed();
}

void TAction::SetHint(const QString& hint) {
    if (hint_ == hint) return;
    hint_ = hint;
    emit Changed();
}

void TAction::SetImageIndex(int32_t index) {
    if (imageIndex_ == index) return;
    imageIndex_ = index;
    emit ImageChanged();
}

void TAction::SetShortCut(const QKeySequence& shortCut) {
    if (shortCut_ == shortCut) return;
    shortCut_ = shortCut;
    emit Changed();
}

void TAction::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    emit Changed();
}

void TAction::SetChecked(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    emit Changed();
}

void TAction::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    emit Changed();
}

void TAction::SetDown(bool down) {
    if (down_ == down) return;
    down_ = down;
    emit Changed();
}

bool TAction::Execute() {
    Update();
    if (!enabled_ || !OnExecute) return false;
    OnExecute(*this);
    return true;
}

bool TAction::Update() {
    if (!OnUpdate) return false;
    OnUpdate(*this);
    return true;
}

QAction* TAction::MenuAction() {
    if (menuAction_ != nullptr) return menuAction_;
    menuAction_ = new QAction(this);
    menuAction_->setShortcutContext(Qt::WindowShortcut);
    connect(menuAction_, &QAction::triggered, this, [this] {
        Execute();
        // A checkable item toggles itself when chosen; the check mark belongs to the
        // action.
        MenuActionSync();
    });
    connect(this, &TAction::Changed, this, &TAction::MenuActionSync);
    connect(this, &TAction::ImageChanged, this,
            [this] { menuAction_->setIcon(SlotIcon(list_.Images(), imageIndex_)); });
    menuAction_->setIcon(SlotIcon(list_.Images(), imageIndex_));
    MenuActionSync();
    // The shortcut works on the owner window while no menu is open.
    if (list_.Owner() != nullptr) list_.Owner()->addAction(menuAction_);
    return menuAction_;
}

void TAction::MenuActionSync() {
    if (menuAction_ == nullptr) return;
    menuAction_->setText(caption_);
    menuAction_->setToolTip(hint_);
    menuAction_->setShortcut(shortCut_);
    menuAction_->setEnabled(enabled_);
    menuAction_->setVisible(visible_);
    // Only checked items reserve room for a check mark, as in a plain menu.
    if (checked_) {
        menuAction_->setCheckable(true);
        menuAction_->setChecked(true);
    } else {
        menuAction_->setChecked(false);
        menuAction_->setCheckable(false);
    }
}

bool TAction::HasShownClient() const {
    for (const TToolButton* button : buttons_)
        if (button->Shown()) return true;
    if (menuAction_ != nullptr && visible_) {
        for (const QObject* object : menuAction_->associatedObjects())
            if (qobject_cast<const QMenu*>(object) != nullptr) return true;
    }
    return false;
}

TAction* TAction::FromMenuAction(const QAction* item) {
    if (item == nullptr) return nullptr;
    auto* action = qobject_cast<TAction*>(item->parent());
    return action != nullptr && action->menuAction_ == item ? action : nullptr;
}

void TAction::ButtonAttach(TToolButton* button) {
    if (std::find(buttons_.begin(), buttons_.end(), button) == buttons_.end())
        buttons_.push_back(button);
}

void TAction::ButtonDetach(TToolButton* button) {
    buttons_.erase(std::remove(buttons_.begin(), buttons_.end(), button), buttons_.end());
}

// --- TActionList ---

TActionList::TActionList(QWidget* owner) : QObject(owner), owner_(owner) {
    SetIdleUpdates(true);
}

TActionList::~TActionList() {
    // The actions unregister themselves; free them while the list is still whole.
    const std::vector<TAction*> actions = actions_;
    for (TAction* action : actions) delete action;
}

TAction* TActionList::Find(const QString& name) const {
    for (TAction* action : actions_)
        if (action->Name() == name) return action;
    return nullptr;
}

void TActionList::SetImages(TImageList* images) {
    disconnect(imagesConnection_);
    images_ = images;
    if (images != nullptr) {
        imagesConnection_ = connect(images, &TImageList::Changed, this, [this](int32_t index) {
            for (TAction* action : actions_)
                if (action->ImageIndex() == index) emit action->ImageChanged();
        });
    }
    for (TAction* action : actions_) emit action->ImageChanged();
}

TImageList* TActionList::Images() const {
    return images_.data();
}

void TActionList::UpdateActions() {
    // A handler never adds or removes actions, but stay safe if one does.
    const std::vector<TAction*> actions = actions_;
    for (TAction* action : actions)
        if (action->HasShownClient()) action->Update();
}

void TActionList::UpdateOnPopup(QMenu* menu) {
    connect(menu, &QMenu::aboutToShow, this, [menu] {
        for (QAction* item : menu->actions())
            if (TAction* action = TAction::FromMenuAction(item)) action->Update();
    });
}

void TActionList::SetIdleUpdates(bool on) {
    disconnect(idleConnection_);
    idleConnection_ = {};
    if (!on) return;
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(thread()))
        idleConnection_ = connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                                  &TActionList::UpdateActions);
}

void TActionList::ActionAdd(TAction* action) {
    actions_.push_back(action);
}

void TActionList::ActionRemove(TAction* action) {
    actions_.erase(std::remove(actions_.begin(), actions_.end(), action), actions_.end());
}

// --- TToolButton ---

TToolButton::TToolButton(QWidget* parent) : QToolButton(parent) {
    setCheckable(true);
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    connect(this, &QToolButton::clicked, this, [this] {
        if (TAction* action = action_.data()) action->Execute();
        Sync();
    });
}

TToolButton::~TToolButton() {
    if (TAction* action = action_.data()) action->ButtonDetach(this);
}

void TToolButton::SetAction(TAction* action) {
    if (action_.data() == action) return;
    if (TAction* old = action_.data()) old->ButtonDetach(this);
    disconnect(changed_);
    disconnect(imageChanged_);
    action_ = action;
    if (action != nullptr) {
        action->ButtonAttach(this);
        changed_ = connect(action, &TAction::Changed, this, &TToolButton::Sync);
        imageChanged_ = connect(action, &TAction::ImageChanged, this, &TToolButton::IconSync);
    }
    Sync();
    IconSync();
}

void TToolButton::SetShown(bool shown) {
    if (shown_ == shown) return;
    shown_ = shown;
    VisibilitySync();
}

bool TToolButton::Showing() const {
    const TAction* action = action_.data();
    return shown_ && (action == nullptr || action->Visible());
}

void TToolButton::PlaceOn(QToolBar* bar) {
    placement_ = bar->addWidget(this);
    VisibilitySync();
}

void TToolButton::nextCheckState() {
    const TAction* action = action_.data();
    setChecked(action != nullptr && action->Down());
}

void TToolButton::Sync() {
    if (const TAction* action = action_.data()) {
        setToolTip(action->Hint());
        setEnabled(action->Enabled());
        setChecked(action->Down());
    }
    VisibilitySync();
}

void TToolButton::IconSync() {
    const TAction* action = action_.data();
    setIcon(action != nullptr ? SlotIcon(action->ActionList().Images(), action->ImageIndex())
                              : QIcon());
}

void TToolButton::VisibilitySync() {
    const bool visible = Showing();
    if (placement_ != nullptr)
        placement_->setVisible(visible);
    else if (parentWidget() != nullptr)
        setVisible(visible);
}

// --- menus ---

QAction* AddMenuItem(QMenu* menu, TAction& action) {
    QAction* item = action.MenuAction();
    menu->addAction(item);
    return item;
}

void MenuLeftButtonOnly(QMenu* menu) {
    menu->installEventFilter(new TLeftButtonOnly(menu));
}

} // namespace plat
