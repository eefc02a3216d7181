#pragma once

#include <QApplication>
#include <QDateTime>
#include <QFont>
#include <QString>
#include <QStringList>

#include <exception>
#include <functional>

namespace forms {

// Buttons of a message box, and what the user answered (the numbers the Windows boxes use).
enum MsgButtons { MB_OK = 0, MB_OKCANCEL = 1, MB_YESNOCANCEL = 3, MB_YESNO = 4, MB_RETRYCANCEL = 5 };
enum MsgResult { IDOK = 1, IDCANCEL = 2, IDRETRY = 4, IDYES = 6, IDNO = 7 };

struct MessageBoxCall {
    QWidget* parent = nullptr;
    QString text;
    QString caption;
    int buttons = MB_OK;
};

struct FileDialogCall {
    enum Kind { Open, Save };
    Kind kind = Open;
    QWidget* parent = nullptr;
    QString title;
    QString filter;  // "description|pattern|description|pattern", patterns separated by ';'
    int filterIndex = 1;
    QString initialDir;
    QString fileName;  // in: the proposed name; out: the chosen one
};

using MessageBoxHook = std::function<int(const MessageBoxCall&)>;
using FileDialogHook = std::function<bool(FileDialogCall&)>;
using BeepHook = std::function<void()>;
using ClockHook = std::function<QDateTime()>;

// The program's application object. It is the one place where an exception that leaves an event
// handler is caught: it is shown in a message box and the program carries on. The services the pages
// need of the desktop (message boxes, file dialogs, the beep, the clock) go through hooks that tests
// replace; each setter returns the hook it replaces, so a test can give it back.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    ~Application() override;

    bool notify(QObject* receiver, QEvent* event) override;

    // The font every form and message box uses: the metrics of the old form library's default font
    // (8 points at 96 dots per inch: 13 px lines, captions about 6 px a character), so the layouts'
    // widths hold their captions. Sized in pixels, it is the same whatever the screen's resolution
    // and on every platform plugin.
    static QFont kitFont();
    // Where kitFont's face comes from (Debian's fonts-wine); without it, a face of that name.
    static constexpr const char* kitFontFile = "/usr/share/wine/fonts/ms_sans_serif.ttf";

    // The first window named form (its object name, which a layout table gives it, or its C++ class)
    // to be shown is saved as a picture at path once it has painted and delayMs more have passed (for
    // its first answers), then closed. The application calls it at start when HV_SCREENSHOT=<path>
    // and HV_SCREENSHOT_FORM=<form> are set (HV_SCREENSHOT_DELAY=<ms>): see scripts/screenshot.sh.
    static void screenshotWhenShown(const QString& path, const QString& form, int delayMs = 0);
    // Chooses the main window's menu item at path ("Advanced/Performance") as the user would, as soon
    // as the main window is shown and the item can be chosen (items may wait for the device's first
    // answers), giving up after timeoutMs. Armed at start by HV_SCREENSHOT_MENU=<path>.
    static void chooseMenuWhenShown(const QString& path, int timeoutMs = 30000);

    static QString title();
    static void setTitle(const QString& title);
    // The program's file name without its folder, the caption of the edit checks' boxes.
    static QString exeName();

    static void processMessages();

    // Hands the exception being handled (call it inside a catch block) to the program's one exception
    // handler (HvHandleException), as the delivery of SNMP completions does. The application
    // installs showException as that handler while it lives.
    static void handleException();
    static void handleException(std::exception_ptr error);
    // Shows the exception's message in a box titled with the application's title.
    static void showException(std::exception_ptr error);
    // Runs fn, showing any exception it raises instead of letting it go on.
    static void guard(const std::function<void()>& fn);

    static int messageBox(QWidget* parent, const QString& text, const QString& caption, int buttons = MB_OK);
    static bool fileDialog(FileDialogCall& call);
    static void beep();
    static QDateTime now();

    static MessageBoxHook setMessageBoxHook(MessageBoxHook hook);
    static FileDialogHook setFileDialogHook(FileDialogHook hook);
    static BeepHook setBeepHook(BeepHook hook);
    static ClockHook setClockHook(ClockHook hook);

    // All timers run this many times their interval: 1 in the program; tests shrink it, and the
    // HV_TIME_SCALE environment variable sets it at start. Timers started earlier keep their pace.
    static double timeScale();
    static void setTimeScale(double scale);
    static int scaledInterval(int ms);
    // The scale a HV_TIME_SCALE text gives: a positive C-locale number, else 1.
    static double timeScaleFrom(const QByteArray& text);

    // The kit's focus tracking reports here that an exit handler moved the focus away from the
    // control that was taking it, so the click that caused the move is dropped.
    static void noteFocusTakenBack();

private:
    static bool s_focusTakenBack;
    std::function<void(std::exception_ptr)> m_previousHandler;
};

}  // namespace forms
