#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

#include "platform/forms/Control.h"

class QEventLoop;
class QScreen;

namespace forms {

// Modal results, numbered as the form library numbers them.
enum ModalResult {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7
};

enum class CloseAction { None, Hide, Free };
using CloseQueryEvent = std::function<void(QObject* sender, bool& canClose)>;
using CloseEvent = std::function<void(QObject* sender, CloseAction& action)>;

// A top-level window. Its owner (the Qt parent) deletes it. showModal runs a loop of its own that
// ends only when a modal result is set and the close query allows it; hiding the form does not end
// it, so a form may hide itself while it waits for its requests and close later from a timer.
class Form : public QWidget {
public:
    enum class Position { Designed, ScreenCenter, OwnerFormCenter, MainFormCenter };
    // Sizeable lets the user resize the window; Single and Dialog fix its size when shown.
    enum class BorderStyle { Sizeable, Single, Dialog };

    explicit Form(QWidget* owner = nullptr);
    ~Form() override;

    QWidget* owner() const { return parentWidget(); }

    QString caption() const { return windowTitle(); }
    void setCaption(const QString& caption) { setWindowTitle(caption); }
    bool visible() const { return isVisible(); }
    bool enabled() const { return isEnabled(); }

    // Geometry of the window: left and top of its frame, width and height of its client area plus
    // nothing (the window system adds the frame outside).
    int left() const { return pos().x(); }
    int top() const { return pos().y(); }
    void setLeft(int left) { move(left, top()); }
    void setTop(int top) { move(left(), top); }
    void setWidth(int width) { resize(width, height()); }
    void setHeight(int height) { resize(width(), height); }
    // The client area lies below the menu bar, if the form has one.
    int clientWidth() const { return width(); }
    int clientHeight() const { return height() - menuHeight(); }
    void setClientWidth(int width) { resize(width, height()); }
    void setClientHeight(int height) { resize(width(), height + menuHeight()); }
    void setClientSize(int width, int height) { resize(width, height + menuHeight()); }

    // The menu bar along the top; the controls already on the form move down below it.
    void setMenuBar(QWidget* menuBar);
    int menuHeight() const;
    bool isWindowOrMenu(const QWidget* child) const { return child == m_menuBar || child->isWindow(); }

    Position position() const { return m_position; }
    // Applied each time the form is shown.
    void setPosition(Position position) { m_position = position; }
    void centerOnOwner();
    void centerOnScreen();
    // Centred on window, or on the screen without one; kept within the screen's available area
    // either way, however small or low the owner lies.
    void centerOn(QWidget* window);

    BorderStyle borderStyle() const { return m_borderStyle; }
    void setBorderStyle(BorderStyle style);
    // The title bar's minimise and maximise boxes; the system menu and the close box always stay.
    void setBorderIcons(bool minimize, bool maximize);

    // The program's main window, the one "centred on the main window" refers to.
    static Form* mainForm();
    static void setMainForm(Form* form);

    // Shows the form modally and returns its modal result when it has closed.
    int showModal();
    bool modal() const { return m_loop != nullptr; }
    int modalResult() const { return m_modalResult; }
    // While modal: a result other than mrNone asks the loop to close the form (close query first).
    void setModalResult(int result);

    // Closing as the form library does it: on a modal form it sets mrCancel and the modal loop closes
    // the form once its current event is done; otherwise it asks the close query and hides the form.
    void close();
    // Runs the close query; true when the form may close.
    bool closeQuery();
    // Ends the modal loop now with mrCancel, without asking the close query: for the program's end,
    // when the window the form was opened from goes.
    void endModal();

    // The control holding the focus in this form, tracked by the kit (not taken from the window
    // system, whose activation is unreliable offscreen).
    QWidget* activeControl() const { return m_activeControl; }
    // Moves the focus to widget: the control losing it gets its exit handler first; when that handler
    // moves the focus elsewhere (a refused entry), the move stops there and this returns false.
    bool focusControl(QWidget* widget);
    // The next control in the tab order that can take the focus, skipping disabled, hidden and
    // non-tab-stop controls, and moves the focus there. False when there is none.
    bool selectNext(QWidget* from, bool forward = true);
    // A control of this form is being destroyed: it is no longer the active one.
    void controlGone(QWidget* widget);

    NotifyEvent OnShow;
    NotifyEvent OnHide;
    NotifyEvent OnResize;
    CloseQueryEvent OnCloseQuery;
    CloseEvent OnClose;
    KeyEvent OnKeyDown;  // with keyPreview, before the focused control sees the key
    bool keyPreview() const { return m_keyPreview; }
    void setKeyPreview(bool preview);

    // Runs fn from the event loop once the current event is done (a message the form posts to
    // itself); dropped when the form is deleted first.
    void postMessage(std::function<void()> fn);

    // Test API, acting as the user.
    void userCloseBox();
    void userEscape();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void moveOnScreen(QPoint topLeft, QScreen* screen);
    void focusArrived(QWidget* now);
    void endModalIfAsked();
    bool closeNow();
    // A modal form that hides while its loop runs blocks nothing in Qt's eyes: the other windows are
    // disabled here instead until it shows again or its loop ends.
    void holdOtherWindows();
    void releaseOtherWindows();

    QEventLoop* m_loop = nullptr;
    int m_modalResult = mrNone;
    Position m_position = Position::Designed;
    BorderStyle m_borderStyle = BorderStyle::Sizeable;
    QPointer<QWidget> m_activeControl;
    QPointer<QWidget> m_menuBar;
    int m_menuHeight = 0;
    bool m_closing = false;
    bool m_keyPreview = false;
    QMetaObject::Connection m_focusConnection;
    std::vector<QPointer<QWidget>> m_heldWindows;
};

}  // namespace forms
