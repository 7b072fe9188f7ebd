#pragma once
// Actions: named commands with a caption, hint, tag, picture and shortcut, an execute
// handler and an update handler. Menu items and tool buttons are bound to actions and show
// their state; an action list runs the update handlers while the application is idle, for
// the actions that some shown tool button or menu item presents.

#include <QKeySequence>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QToolButton>
#include <cstdint>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class QToolBar;
class QWidget;

namespace plat {

class TActionList;
class TImageList;
class TToolButton;

class TAction : public QObject {
    Q_OBJECT
public:
    using THandler = std::function<void(TAction& sender)>;

    // Creates the action in list, which owns it.
    TAction(TActionList& list, QString name);
    ~TAction() override;

    const QString& Name() const { return name_; }
    TActionList& ActionList() const { return list_; }

    // The caption marks its access key with "&", as menus show it.
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    // Shown as the tool tip of bound tool buttons.
    const QString& Hint() const { return hint_; }
    void SetHint(const QString& hint);
    int32_t Tag() const { return tag_; }
    void SetTag(int32_t tag) { tag_ = tag; }
    // Slot of the list's image list; -1 for none.
    int32_t ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int32_t index);
    const QKeySequence& ShortCut() const { return shortCut_; }
    void SetShortCut(const QKeySequence& shortCut);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // The pressed state of the tool buttons bound to the action.
    bool Down() const { return down_; }
    void SetDown(bool down);

    THandler OnExecute;
    THandler OnUpdate;

    // What a click, a menu choice or a shortcut does: the update handler runs first, then
    // the execute handler when the action is enabled. Returns whether it ran.
    bool Execute();
    // Runs the update handler; returns whether there is one.
    bool Update();

    // The menu-item form of the action: one QAction shared by every menu that shows the
    // action. It also carries the shortcut on the list's owner window.
    QAction* MenuAction();
    // The tool buttons bound to the action.
    const std::vector<TToolButton*>& ToolButtons() const { return buttons_; }
    // Whether some bound client is shown: a tool button that is not hidden on its own, or
    // a visible menu item.
    bool HasShownClient() const;

    // The action of a menu item made by MenuAction(); nullptr for any other QAction.
    static TAction* FromMenuAction(const QAction* item);

signals:
    // Some presented property changed; bound clients refresh themselves.
    void Changed();
    // The picture of the action's image slot changed.
    void ImageChanged();

private:
    friend class TToolButton;
    void MenuActionSync();
    void ButtonAttach(TToolButton* button);
    void ButtonDetach(TToolButton* button);

    TActionList& list_;
    QString name_;
    QString caption_;
    QString hint_;
    int32_t tag_ = 0;
    int32_t imageIndex_ = -1;
    QKeySequence shortCut_;
    bool enabled_ = true;
    bool checked_ = false;
    bool visible_ = true;
    bool down_ = false;
    QAction* menuAction_ = nullptr;
    std::vector<TToolButton*> buttons_;
};

class TActionList : public QObject {
    Q_OBJECT
public:
    // owner: the window whose shortcuts the actions are (may be null in tests).
    explicit TActionList(QWidget* owner = nullptr);
    ~TActionList() override;

    QWidget* Owner() const { return owner_; }
    const std::vector<TAction*>& Actions() const { return actions_; }
    // The action of that name, or nullptr.
    TAction* Find(const QString& name) const;

    // The pictures of the actions; bound clients follow changes of their slot.
    void SetImages(TImageList* images);
    TImageList* Images() const;

    // Runs the update handler of every action with a shown client (see HasShownClient).
    // Runs by itself whenever the application's event loop is about to wait.
    void UpdateActions();
    // Runs the update handlers of the actions of every item of menu, hidden items
    // included, each time it is about to open.
    void UpdateOnPopup(QMenu* menu);
    // Whether UpdateActions runs by itself at idle time (on by default).
    void SetIdleUpdates(bool on);

private:
    friend class TAction;
    void ActionAdd(TAction* action);
    void ActionRemove(TAction* action);

    QWidget* owner_;
    QPointer<TImageList> images_;
    QMetaObject::Connection imagesConnection_;
    QMetaObject::Connection idleConnection_;
    std::vector<TAction*> actions_;
};

// A tool button bound to an action: icon from the action's image slot, tool tip from its
// hint, enabled and pressed state from the action; a click executes the action.
class TToolButton : public QToolButton {
    Q_OBJECT
public:
    explicit TToolButton(QWidget* parent = nullptr);
    ~TToolButton() override;

    void SetAction(TAction* action);
    TAction* Action() const { return action_; }

    // The button's own visibility; the button shows when this is set and its action is
    // visible.
    void SetShown(bool shown);
    bool Shown() const { return shown_; }
    bool Showing() const;

    // Puts the button at the end of bar; from then on its visibility goes through the
    // bar's item for it.
    void PlaceOn(QToolBar* bar);

protected:
    // The pressed state belongs to the action, not to clicks.
    void nextCheckState() override;

private:
    void Sync();
    void IconSync();
    void VisibilitySync();

    QPointer<TAction> action_;
    QAction* placement_ = nullptr;
    bool shown_ = true;
    QMetaObject::Connection changed_;
    QMetaObject::Connection imageChanged_;
};

// Adds action as the next item of menu.
QAction* AddMenuItem(QMenu* menu, TAction& action);
// The items of menu react to the left mouse button only; other buttons do nothing.
void MenuLeftButtonOnly(QMenu* menu);

} // namespace plat
