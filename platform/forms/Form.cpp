#include "platform/forms/Form.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QMenuBar>
#include <QScreen>

#include "platform/forms/Application.h"

namespace forms {

Form::Form(QWidget* owner) : QWidget(owner, Qt::Window) {
    // The focus is tracked here, per form: a move to another window (a message box, another form) or
    // the loss of activation leaves the active control as it is and fires no exit handler.
    m_focusConnection = connect(qApp, &QApplication::focusChanged, this,
                                [this](QWidget*, QWidget* now) { focusArrived(now); });
}

Form::~Form() {
    // The controls go with QWidget's destructor, moving the focus on the way; this form is no Form then.
    disconnect(m_focusConnection);
    qApp->removeEventFilter(this);
    releaseOtherWindows();
    if (m_loop) m_loop->exit(0);
    m_loop = nullptr;
}

namespace {
QPointer<Form>& mainFormPointer() {
    static QPointer<Form> form;
    return form;
}
}  // namespace

Form* Form::mainForm() {
    return mainFormPointer();
}

void Form::setMainForm(Form* form) {
    mainFormPointer() = form;
}

void Form::setBorderStyle(BorderStyle style) {
    m_borderStyle = style;
    if (style == BorderStyle::Sizeable) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else if (isVisible()) {
        setFixedSize(size());
    }
}

void Form::setBorderIcons(bool minimize, bool maximize) {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (minimize) flags |= Qt::WindowMinimizeButtonHint;
    if (maximize) flags |= Qt::WindowMaximizeButtonHint;
    const bool shown = isVisible();
    setWindowFlags(flags);
    if (shown) show();
}

void Form::setMenuBar(QWidget* menuBar) {
    const int oldHeight = menuHeight();
    m_menuBar = menuBar;
    m_menuHeight = 0;
    if (menuBar) {
        // The bar's height must not change with its items, or the client area would move under them.
        QMenuBar probe;
        probe.addAction(QStringLiteral("M"));
        m_menuHeight = probe.sizeHint().height();
        menuBar->setFixedHeight(m_menuHeight);
        menuBar->setGeometry(0, 0, width(), m_menuHeight);
    }
    const int shift = menuHeight() - oldHeight;
    if (shift == 0) return;
    for (QObject* child : children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && !isWindowOrMenu(w)) w->move(w->x(), w->y() + shift);
    }
    resize(width(), height() + shift);
}

int Form::menuHeight() const {
    return m_menuBar ? m_menuHeight : 0;
}

void Form::centerOnOwner() {
    centerOn(parentWidget() ? parentWidget()->window() : nullptr);
}

void Form::centerOn(QWidget* owner) {
    if (!owner || owner == this) {
        centerOnScreen();
        return;
    }
    const QRect area = owner->frameGeometry();
    QScreen* s = owner->screen();
    moveOnScreen(
        {area.center().x() - frameGeometry().width() / 2, area.center().y() - frameGeometry().height() / 2},
        s);
}

void Form::centerOnScreen() {
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    const QRect area = s->availableGeometry();
    moveOnScreen(
        {area.center().x() - frameGeometry().width() / 2, area.center().y() - frameGeometry().height() / 2},
        s);
}

void Form::moveOnScreen(QPoint topLeft, QScreen* s) {
    if (!s) s = QGuiApplication::screenAt(topLeft);
    if (!s) s = QGuiApplication::primaryScreen();
    if (s) {
        // A window larger than the screen keeps its title bar and left edge reachable.
        const QRect area = s->availableGeometry();
        const QSize size = frameGeometry().size();
        topLeft.setX(std::max(area.left(), std::min(topLeft.x(), area.right() + 1 - size.width())));
        topLeft.setY(std::max(area.top(), std::min(topLeft.y(), area.bottom() + 1 - size.height())));
    }
    move(topLeft);
}

int Form::showModal() {
    if (m_loop) return mrNone;  // already modal: the outer loop owns the result
    if (isVisible()) hide();
    m_modalResult = mrNone;
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    m_loop = &loop;
    show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) raise();
    activateWindow();
    QPointer<Form> self(this);
    loop.exec(QEventLoop::DialogExec);
    if (!self) return mrCancel;  // deleted while modal
    m_loop = nullptr;
    if (isVisible()) hide();
    releaseOtherWindows();
    setWindowModality(Qt::NonModal);
    return m_modalResult;
}

void Form::holdOtherWindows() {
    auto ownDialog = [this](const QWidget* window) {
        for (const QWidget* w = window; w; w = w->parentWidget())
            if (w == this) return true;
        return false;
    };
    for (QWidget* window : QApplication::topLevelWidgets()) {
        // Its own dialogs stay as they are; a window disabled already is not ours to give back.
        if (ownDialog(window) || !window->isEnabled()) continue;
        window->setEnabled(false);
        m_heldWindows.emplace_back(window);
    }
}

void Form::releaseOtherWindows() {
    for (const QPointer<QWidget>& window : m_heldWindows)
        if (window) window->setEnabled(true);
    m_heldWindows.clear();
}

void Form::setModalResult(int result) {
    m_modalResult = result;
    // The loop, not the caller, closes the form: a handler that sets the result or calls close goes
    // on with a live form, and the close query runs once its event is done.
    if (m_loop && result != mrNone)
        QMetaObject::invokeMethod(
            this, [this] { endModalIfAsked(); }, Qt::QueuedConnection);
}

void Form::endModalIfAsked() {
    if (!m_loop || m_modalResult == mrNone) return;
    if (!closeQuery()) {
        m_modalResult = mrNone;
        return;
    }
    CloseAction action = CloseAction::Hide;
    fire(OnClose, this, action);
    if (action == CloseAction::None) {
        m_modalResult = mrNone;
        return;
    }
    m_closing = true;
    QWidget::close();
    m_closing = false;
    if (m_loop) m_loop->exit(0);
    if (action == CloseAction::Free) deleteLater();
}

void Form::endModal() {
    if (!m_loop) return;
    m_modalResult = mrCancel;
    m_closing = true;
    QWidget::hide();
    m_closing = false;
    releaseOtherWindows();
    m_loop->exit(0);
}

void Form::close() {
    if (m_loop)
        setModalResult(mrCancel);
    else
        closeNow();
}

bool Form::closeNow() {
    if (!closeQuery()) return false;
    CloseAction action = CloseAction::Hide;
    fire(OnClose, this, action);
    if (action == CloseAction::None) return false;
    m_closing = true;
    QWidget::close();
    m_closing = false;
    if (action == CloseAction::Free) deleteLater();
    return true;
}

bool Form::closeQuery() {
    bool canClose = true;
    if (!OnCloseQuery) return true;
    try {
        OnCloseQuery(this, canClose);
    } catch (...) {
        reportHandlerException();
        return false;  // a query that failed has not allowed the close
    }
    return canClose;
}

bool Form::focusControl(QWidget* widget) {
    if (!widget || widget->window() != this) return false;
    Control* control = controlOf(widget);
    QWidget* target = control ? control->asWidget() : widget;
    if (target != m_activeControl) {
        QPointer<QWidget> old = m_activeControl;
        m_activeControl = target;
        if (auto* c = old ? dynamic_cast<Control*>(old.data()) : nullptr) fire(c->OnExit, old.data());
        if (m_activeControl != target) return false;
        if (control) fire(control->OnEnter, target);
        if (m_activeControl != target) return false;
    }
    target->QWidget::setFocus(Qt::OtherFocusReason);
    return true;
}

void Form::controlGone(QWidget* widget) {
    if (m_activeControl == widget) m_activeControl = nullptr;
}

void Form::focusArrived(QWidget* now) {
    if (!now || now->window() != this) return;
    Control* control = controlOf(now);
    QWidget* target = control ? control->asWidget() : now;
    if (target == m_activeControl) return;
    QPointer<QWidget> old = m_activeControl;
    m_activeControl = target;
    if (auto* c = old ? dynamic_cast<Control*>(old.data()) : nullptr) fire(c->OnExit, old.data());
    if (m_activeControl != target) {
        Application::noteFocusTakenBack();
        return;
    }
    if (control) fire(control->OnEnter, target);
}

bool Form::selectNext(QWidget* from, bool forward) {
    QWidget* start = from ? from : (m_activeControl ? m_activeControl.data() : static_cast<QWidget*>(this));
    QWidget* w = start;
    for (int guard = 0; guard < 10000; ++guard) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == start) return false;
        if (w == this || w->window() != this || !(w->focusPolicy() & Qt::TabFocus)) continue;
        Control* control = controlOf(w);
        if (!control || control->asWidget() != w || !control->canFocus()) continue;
        return focusControl(w);
    }
    return false;
}

void Form::postMessage(std::function<void()> fn) {
    QMetaObject::invokeMethod(
        this, [fn = std::move(fn)] { fire(fn); }, Qt::QueuedConnection);
}

void Form::userCloseBox() {
    // What the window system sends for the close box.
    QCloseEvent event;
    QCoreApplication::sendEvent(this, &event);
}

void Form::userEscape() {
    QWidget* target = m_activeControl ? m_activeControl.data() : static_cast<QWidget*>(this);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
}

void Form::closeEvent(QCloseEvent* event) {
    if (m_closing) {
        event->accept();
        return;
    }
    // The close box, or anyone calling QWidget::close: the same way as close(), with its close query.
    event->ignore();
    close();
}

void Form::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && m_loop) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool Form::eventFilter(QObject* watched, QEvent* event) {
    // Key events travel up to the parents when a widget ignores them; preview each one once, at the
    // widget that holds the focus.
    if (m_keyPreview && OnKeyDown && event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this &&
        (watched == focusWidget() || (!focusWidget() && watched == this))) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        int key = keyEvent->key();
        fire(OnKeyDown, this, key, keyEvent->modifiers());
        if (key == 0) return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Form::setKeyPreview(bool preview) {
    if (preview == m_keyPreview) return;
    m_keyPreview = preview;
    // Keys go to the focused widget; seeing them first takes a filter on the whole application.
    if (preview)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

void Form::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    releaseOtherWindows();
    if (m_borderStyle != BorderStyle::Sizeable) setFixedSize(size());
    if (m_position == Position::OwnerFormCenter)
        centerOnOwner();
    else if (m_position == Position::MainFormCenter)
        centerOn(mainForm());
    else if (m_position == Position::ScreenCenter)
        centerOnScreen();
    fire(OnShow, this);
}

void Form::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Hidden but alive, the modal form still owns the program's input.
    if (m_loop && !m_closing && m_heldWindows.empty()) holdOtherWindows();
    if (!event->spontaneous()) fire(OnHide, this);
}

void Form::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_menuBar) m_menuBar->resize(width(), m_menuBar->height());
    fire(OnResize, this);
}

}  // namespace forms
