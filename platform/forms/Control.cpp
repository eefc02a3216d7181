#include "platform/forms/Control.h"

#include <QApplication>

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"

namespace forms {

void reportHandlerException() {
    Application::handleException();
}

Control::~Control() {
    // The widget part still lives, and Qt will move the focus away from it; the form must no longer
    // take it for a control by then.
    if (Form* f = form()) f->controlGone(m_widget);
}

Form* Control::form() const {
    for (QWidget* w = m_widget->parentWidget(); w; w = w->parentWidget()) {
        if (auto* form = dynamic_cast<Form*>(w)) return form;
        if (w->isWindow()) break;
    }
    return nullptr;
}

int Control::clientTop() const {
    auto* form = dynamic_cast<Form*>(m_widget->parentWidget());
    return form && !form->isWindowOrMenu(m_widget) ? form->menuHeight() : 0;
}

bool Control::canFocus() const {
    if (!m_widget->isEnabled()) return false;
    for (QWidget* w = m_widget; w && !w->isWindow(); w = w->parentWidget()) {
        if (auto* control = dynamic_cast<Control*>(w); control && !control->visible()) return false;
        if (w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide)) return false;
    }
    return true;
}

bool Control::setFocus() {
    // The form library refuses to focus a disabled or invisible control; so does the kit, quietly.
    if (!canFocus()) return false;
    if (Form* f = form()) return f->focusControl(m_widget);
    m_widget->QWidget::setFocus(Qt::OtherFocusReason);
    return true;
}

bool Control::focused() const {
    if (Form* f = form()) return f->activeControl() == m_widget;
    return QApplication::focusWidget() == m_widget;
}

void Control::userKey(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QWidget* target = m_widget->focusProxy() ? m_widget->focusProxy() : m_widget;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(target, &release);
}

bool Control::keyDown(QKeyEvent* event) {
    if (!OnKeyDown) return false;
    int key = event->key();
    fire(OnKeyDown, m_widget, key, event->modifiers());
    return key == 0;
}

Control* controlOf(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto* control = dynamic_cast<Control*>(w)) return control;
        if (w->isWindow()) break;
    }
    return nullptr;
}

}  // namespace forms
