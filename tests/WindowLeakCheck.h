#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <typeinfo>

#include <cxxabi.h>

#include <QApplication>
#include <QWidget>

// LeakSanitizer does not see a leaked window: Qt keeps stale copies of its address (in the spare room
// of the posted-event list, among others), so it still looks reachable at exit. A program with an
// application therefore checks at its end that every window is gone, after the deferred deletes that
// the end of the event loop would have delivered.
class WindowLeakCheck : public ::testing::Environment {
public:
    void TearDown() override {
        if (!qApp) return;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget* window : QApplication::topLevelWidgets()) {
            ADD_FAILURE() << "window never deleted: " << className(*window) << " \""
                          << window->windowTitle().toStdString() << "\"";
        }
    }

private:
    static std::string className(const QWidget& widget) {
        const char* mangled = typeid(widget).name();
        std::unique_ptr<char, decltype(&std::free)> name(
            abi::__cxa_demangle(mangled, nullptr, nullptr, nullptr), &std::free);
        return name ? name.get() : mangled;
    }
};
