#include "platform/forms/Application.h"

#include <cxxabi.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include <QAbstractButton>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QTimer>

#include "platform/HvExceptionHook.h"
#include "platform/forms/Form.h"
#include "platform/forms/Menu.h"

namespace forms {

namespace {

QString& titleText() {
    static QString title;
    return title;
}

MessageBoxHook& messageBoxHook() {
    static MessageBoxHook hook;
    return hook;
}
FileDialogHook& fileDialogHook() {
    static FileDialogHook hook;
    return hook;
}
BeepHook& beepHook() {
    static BeepHook hook;
    return hook;
}
ClockHook& clockHook() {
    static ClockHook hook;
    return hook;
}

double& scaleValue() {
    static double scale = Application::timeScaleFrom(qgetenv("HV_TIME_SCALE"));
    return scale;
}

int defaultMessageBox(const MessageBoxCall& call) {
    QMessageBox box(call.parent);
    box.setWindowTitle(call.caption);
    box.setTextFormat(Qt::PlainText);  // messages may carry device texts; never markup
    box.setText(call.text);
    QMessageBox::StandardButtons buttons;
    switch (call.buttons) {
        case MB_OKCANCEL:
            buttons = QMessageBox::Ok | QMessageBox::Cancel;
            break;
        case MB_YESNOCANCEL:
            buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
            break;
        case MB_YESNO:
            buttons = QMessageBox::Yes | QMessageBox::No;
            break;
        case MB_RETRYCANCEL:
            buttons = QMessageBox::Retry | QMessageBox::Cancel;
            break;
        default:
            buttons = QMessageBox::Ok;
            break;
    }
    box.setStandardButtons(buttons);
    switch (box.exec()) {
        case QMessageBox::Ok:
            return IDOK;
        case QMessageBox::Yes:
            return IDYES;
        case QMessageBox::No:
            return IDNO;
        case QMessageBox::Retry:
            return IDRETRY;
        default:
            return call.buttons == MB_OK ? IDOK : IDCANCEL;
    }
}

// "Text files|*.txt;*.log|All|*.*" becomes "Text files (*.txt *.log);;All (*.*)".
QString qtFilter(const QString& filter, int index, QString* selected) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        out << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    if (index >= 1 && index <= out.size()) *selected = out[index - 1];
    return out.join(QStringLiteral(";;"));
}

bool defaultFileDialog(FileDialogCall& call) {
    QString selected;
    const QString filter = qtFilter(call.filter, call.filterIndex, &selected);
    QString start = call.initialDir;
    if (!call.fileName.isEmpty())
        start = start.isEmpty() ? call.fileName : start + QLatin1Char('/') + call.fileName;
    const QString name =
        call.kind == FileDialogCall::Open
            ? QFileDialog::getOpenFileName(call.parent, call.title, start, filter, &selected)
            : QFileDialog::getSaveFileName(call.parent, call.title, start, filter, &selected);
    if (name.isEmpty()) return false;
    call.fileName = name;
    return true;
}

// The window's C++ class, as the layouts name it.
QString className(const QObject* object) {
    const char* mangled = typeid(*object).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                std::free);
    return QString::fromLatin1(status == 0 && name ? name.get() : mangled);
}

// Saves the first window of that name or class to be painted, then closes it.
class ScreenshotHook : public QObject {
public:
    ScreenshotHook(QString path, QString form, int delay, QObject* parent)
        : QObject(parent), m_path(std::move(path)), m_form(std::move(form)), m_delay(delay) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!m_done && event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto* form = dynamic_cast<Form*>(static_cast<QWidget*>(watched));
            if (form && (form->objectName() == m_form || className(form) == m_form)) {
                m_done = true;
                QPointer<Form> shown(form);
                QTimer::singleShot(m_delay, this, [this, shown] {
                    if (!shown) return;
                    const bool saved = shown->grab().save(m_path);
                    qInfo("screenshot %s: %s", saved ? "saved" : "not saved", qPrintable(m_path));
                    shown->close();
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QString m_path;
    QString m_form;
    int m_delay;
    bool m_done = false;
};

// The menu item at path ("Advanced/Performance", captions without their '&'), opening each submenu
// on the way as the user would; null while the path is not there or its item cannot be chosen.
MenuItem* menuItemAt(const MainMenu* menu, const QStringList& path) {
    auto caption = [](const MenuItem* item) { return item->caption().remove(QLatin1Char('&')); };
    MenuItem* found = nullptr;
    for (int i = 0; i < menu->count() && !found; ++i)
        if (caption(menu->item(i)) == path.value(0)) found = menu->item(i);
    for (qsizetype depth = 1; found && depth < path.size(); ++depth) {
        found->userPopup();
        MenuItem* next = nullptr;
        for (int i = 0; i < found->count() && !next; ++i)
            if (caption(found->item(i)) == path[depth]) next = found->item(i);
        found = next;
    }
    return found && found->visible() && found->enabled() ? found : nullptr;
}

}  // namespace

bool Application::s_focusTakenBack = false;

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    m_previousHandler = HvSetExceptionHandler(&Application::showException);
    setFont(kitFont());
    const QString shot = qEnvironmentVariable("HV_SCREENSHOT");
    const QString form = qEnvironmentVariable("HV_SCREENSHOT_FORM");
    if (!shot.isEmpty() && !form.isEmpty())
        screenshotWhenShown(shot, form, qEnvironmentVariableIntValue("HV_SCREENSHOT_DELAY"));
    const QString menu = qEnvironmentVariable("HV_SCREENSHOT_MENU");
    if (!menu.isEmpty()) chooseMenuWhenShown(menu);
}

void Application::chooseMenuWhenShown(const QString& path, int timeoutMs) {
    auto* poll = new QTimer(qApp);
    const QStringList parts = path.split(QLatin1Char('/'));
    const QDateTime deadline = QDateTime::currentDateTime().addMSecs(timeoutMs);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, parts, deadline] {
        Form* main = Form::mainForm();
        const MainMenu* menu = main && main->isVisible() ? main->findChild<MainMenu*>() : nullptr;
        MenuItem* item = menu ? menuItemAt(menu, parts) : nullptr;
        if (!item && QDateTime::currentDateTime() < deadline) return;
        poll->deleteLater();
        if (item)
            item->userClick();
        else
            qWarning("no menu item %s to choose", qPrintable(parts.join(QLatin1Char('/'))));
    });
    poll->start(100);
}

void Application::screenshotWhenShown(const QString& path, const QString& form, int delayMs) {
    if (auto* app = qApp) app->installEventFilter(new ScreenshotHook(path, form, std::max(delayMs, 0), app));
}

QFont Application::kitFont() {
    static const QString family = [] {
        // The file first, so that every machine draws with the same face, whatever else it has.
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(kitFontFile));
        const QStringList loaded = QFontDatabase::applicationFontFamilies(id);
        return loaded.isEmpty() ? QStringLiteral("MS Sans Serif") : loaded.first();
    }();
    QFont font(family);
    // 8 points at 96 dpi, rounded as the old library rounded it: an em of 11 px.
    font.setPixelSize(11);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

Application::~Application() {
    HvSetExceptionHandler(std::move(m_previousHandler));
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        const QEvent::Type type = event->type();
        if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) &&
            event->spontaneous()) {
            // The press gives the focus to the control first; when an exit check takes it back (a
            // refused entry), the control must not act on this press as if it had been clicked.
            s_focusTakenBack = false;
            QPointer<QObject> target(receiver);  // a handler may delete it
            const bool done = QApplication::notify(receiver, event);
            if (s_focusTakenBack && target) {
                if (auto* button = qobject_cast<QAbstractButton*>(target.data())) button->setDown(false);
            }
            s_focusTakenBack = false;
            return done;
        }
        return QApplication::notify(receiver, event);
    } catch (...) {
        handleException();
        return true;
    }
}

void Application::noteFocusTakenBack() {
    s_focusTakenBack = true;
}

QString Application::title() {
    return titleText();
}

void Application::setTitle(const QString& title) {
    titleText() = title;
}

QString Application::exeName() {
    QString path = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    if (path.isEmpty()) path = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return QFileInfo(path).fileName();
}

void Application::processMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void Application::handleException() {
    HvHandleException(std::current_exception());
}

void Application::handleException(std::exception_ptr error) {
    HvHandleException(error);
}

void Application::showException(std::exception_ptr error) {
    if (!error) return;
    QString text;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        text = QString::fromUtf8(e.what());
    } catch (...) {
        text = QStringLiteral("Unknown exception");
    }
    try {
        messageBox(QApplication::activeWindow(), text, title(), MB_OK);
    } catch (...) {
        // A hook that fails while reporting must not take the program down with it.
    }
}

void Application::guard(const std::function<void()>& fn) {
    try {
        if (fn) fn();
    } catch (...) {
        handleException();
    }
}

int Application::messageBox(QWidget* parent, const QString& text, const QString& caption, int buttons) {
    MessageBoxCall call{parent, text, caption, buttons};
    if (messageBoxHook()) return messageBoxHook()(call);
    return defaultMessageBox(call);
}

bool Application::fileDialog(FileDialogCall& call) {
    if (fileDialogHook()) return fileDialogHook()(call);
    return defaultFileDialog(call);
}

void Application::beep() {
    if (beepHook()) {
        beepHook()();
        return;
    }
    QApplication::beep();
}

QDateTime Application::now() {
    return clockHook() ? clockHook()() : QDateTime::currentDateTime();
}

MessageBoxHook Application::setMessageBoxHook(MessageBoxHook hook) {
    return std::exchange(messageBoxHook(), std::move(hook));
}
FileDialogHook Application::setFileDialogHook(FileDialogHook hook) {
    return std::exchange(fileDialogHook(), std::move(hook));
}
BeepHook Application::setBeepHook(BeepHook hook) {
    return std::exchange(beepHook(), std::move(hook));
}
ClockHook Application::setClockHook(ClockHook hook) {
    return std::exchange(clockHook(), std::move(hook));
}

double Application::timeScaleFrom(const QByteArray& text) {
    if (text.isEmpty()) return 1.0;
    bool ok = false;
    const double scale = text.trimmed().toDouble(&ok);  // C locale whatever the user's
    return ok && std::isfinite(scale) && scale > 0 ? scale : 1.0;
}

double Application::timeScale() {
    return scaleValue();
}

void Application::setTimeScale(double scale) {
    if (std::isfinite(scale) && scale > 0) scaleValue() = scale;
}

int Application::scaledInterval(int ms) {
    if (ms <= 0) return 0;
    const double scaled = std::round(ms * scaleValue());
    if (scaled < 1) return 1;
    if (scaled > 0x7fffffff) return 0x7fffffff;
    return static_cast<int>(scaled);
}

}  // namespace forms
