#pragma once

#include <QKeyEvent>
#include <QWidget>

#include <functional>
#include <utility>

namespace forms {

class Form;

// Event handlers are single assignable slots, as in the form library the pages were written for: a
// caller reads one, replaces it, calls the one it replaced and gives it back later.
using NotifyEvent = std::function<void(QObject* sender)>;
// key may be changed by the handler; 0 swallows the key.
using KeyEvent = std::function<void(QObject* sender, int& key, Qt::KeyboardModifiers shift)>;

// Calls a handler if one is set. An exception out of the handler stops here and is shown in a message
// box (Application::handleException); Qt never sees it.
void reportHandlerException();
template <class Fn, class... Args>
void fire(const Fn& handler, Args&&... args) {
    if (!handler) return;
    try {
        handler(std::forward<Args>(args)...);
    } catch (...) {
        reportHandlerException();
    }
}

// What every control adds to its Qt widget: its own enabled and visible flags (not inherited from
// its parents and readable before the window is shown), absolute geometry, focus through its form,
// and the enter, exit and key handlers.
class Control {
public:
    explicit Control(QWidget* widget) : m_widget(widget) {}
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    QWidget* asWidget() const { return m_widget; }
    // The form the control lies on, or null.
    Form* form() const;

    // Own flags: a control inside a disabled group box is still Enabled; one on a hidden page or in a
    // window not shown yet is still Visible.
    bool enabled() const { return !m_widget->testAttribute(Qt::WA_ForceDisabled); }
    bool visible() const { return m_visible; }

    // Client coordinates: on a form with a menu bar, top 0 is just below the bar.
    int left() const { return m_widget->x(); }
    int top() const { return m_widget->y() - clientTop(); }
    void setLeft(int left) { m_widget->move(left, m_widget->y()); }
    void setTop(int top) { m_widget->move(m_widget->x(), top + clientTop()); }
    void setWidth(int width) { m_widget->resize(width, m_widget->height()); }
    void setHeight(int height) { m_widget->resize(m_widget->width(), height); }
    void setBounds(int left, int top, int width, int height) {
        m_widget->setGeometry(left, top + clientTop(), width, height);
    }

    // Whether the user could put the focus here: enabled and shown up to its window, by the own flags.
    bool canFocus() const;
    // Moves the focus here through the form, which fires the exit handler of the control that had it.
    // False when that handler kept the focus elsewhere, or when the control cannot take the focus.
    bool setFocus();
    bool focused() const;

    NotifyEvent OnEnter;
    NotifyEvent OnExit;
    KeyEvent OnKeyDown;

    // Test API, acting as the user: moves the focus here as a click or a Tab would.
    bool userFocus() { return setFocus(); }
    // A key press (and release) as the keyboard sends it to this control.
    void userKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = QString());

protected:
    // The key handler; true when the handler swallowed the key.
    bool keyDown(QKeyEvent* event);

private:
    template <class Base>
    friend class ControlT;
    int clientTop() const;
    QWidget* m_widget;
    bool m_visible = true;
};

// A Qt widget class made a control.
template <class Base>
class ControlT : public Base, public Control {
public:
    template <class... A>
    explicit ControlT(A&&... args) : Base(std::forward<A>(args)...), Control(this) {}

    void setVisible(bool visible) override {
        m_visible = visible;
        Base::setVisible(visible);
    }
    // Qt's own names would do, but these are the ones the pages read.
    int width() const { return Base::width(); }
    int height() const { return Base::height(); }
    bool setFocus() { return Control::setFocus(); }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (keyDown(event)) return;
        Base::keyPressEvent(event);
    }
};

// The control that widget belongs to: itself or its nearest ancestor that is a control.
Control* controlOf(QWidget* widget);

}  // namespace forms
