#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <vector>

#include "platform/forms/Control.h"

namespace forms {

// A menu item; one with items of its own opens a submenu. Visible and enabled are its own flags.
class MenuItem : public QAction {
public:
    explicit MenuItem(const QString& caption, QObject* parent = nullptr);

    QString caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }
    bool visible() const { return isVisible(); }
    bool enabled() const { return isEnabled(); }
    bool checked() const { return isChecked(); }

    MenuItem* add(const QString& caption);
    int count() const { return static_cast<int>(m_items.size()); }
    MenuItem* item(int index) const;

    NotifyEvent OnClick;
    // A submenu is about to open: its items can still be shown or hidden.
    NotifyEvent OnPopup;

    // Test API: the user chooses the item; nothing happens when it is hidden or disabled.
    bool userClick();
    // The user opens the item's submenu.
    void userPopup();

private:
    QMenu* m_menu = nullptr;
    std::vector<MenuItem*> m_items;
};

// The menu bar of a form.
class MainMenu : public ControlT<QMenuBar> {
public:
    explicit MainMenu(QWidget* form);

    MenuItem* add(const QString& caption);
    int count() const { return static_cast<int>(m_items.size()); }
    MenuItem* item(int index) const;

private:
    std::vector<MenuItem*> m_items;
};

// A pop-up menu shown at a point.
class PopupMenu : public QMenu {
public:
    explicit PopupMenu(QWidget* parent = nullptr) : QMenu(parent) {}
    MenuItem* add(const QString& caption);
    void popup(int x, int y) { QMenu::popup(QPoint(x, y)); }
};

}  // namespace forms
