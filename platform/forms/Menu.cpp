#include "platform/forms/Menu.h"

#include "platform/forms/Form.h"

namespace forms {

MenuItem::MenuItem(const QString& caption, QObject* parent) : QAction(caption, parent) {
    connect(this, &QAction::triggered, this, [this](bool) { fire(OnClick, this); });
}

MenuItem* MenuItem::add(const QString& caption) {
    if (!m_menu) {
        m_menu = new QMenu;
        m_menu->setTitle(text());
        setMenu(m_menu);
        // QAction does not own the menu it opens.
        connect(this, &QObject::destroyed, m_menu, [menu = m_menu] { delete menu; });
        // Before the items are drawn, so the handler can still show and hide them.
        connect(m_menu, &QMenu::aboutToShow, this, [this] { fire(OnPopup, this); });
    }
    auto* item = new MenuItem(caption, this);
    m_menu->addAction(item);
    m_items.push_back(item);
    return item;
}

MenuItem* MenuItem::item(int index) const {
    return index >= 0 && index < count() ? m_items[static_cast<size_t>(index)] : nullptr;
}

void MenuItem::userPopup() {
    if (m_menu) emit m_menu->aboutToShow();
}

bool MenuItem::userClick() {
    if (!isVisible() || !isEnabled()) return false;
    trigger();
    return true;
}

MainMenu::MainMenu(QWidget* form) : ControlT<QMenuBar>(form) {
    setGeometry(0, 0, form ? form->width() : 100, sizeHint().height());
    if (auto* f = dynamic_cast<Form*>(form)) f->setMenuBar(this);
}

MenuItem* MainMenu::add(const QString& caption) {
    auto* item = new MenuItem(caption, this);
    addAction(item);
    m_items.push_back(item);
    return item;
}

MenuItem* MainMenu::item(int index) const {
    return index >= 0 && index < count() ? m_items[static_cast<size_t>(index)] : nullptr;
}

MenuItem* PopupMenu::add(const QString& caption) {
    auto* item = new MenuItem(caption, this);
    addAction(item);
    return item;
}

}  // namespace forms
