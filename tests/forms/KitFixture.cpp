#include "KitFixture.h"

#include "tests/WindowLeakCheck.h"

namespace {
[[maybe_unused]] ::testing::Environment* const g_windowLeakCheck =
    ::testing::AddGlobalTestEnvironment(new WindowLeakCheck);
}  // namespace

forms::Application& KitTest::app() {
    static int argc = 1;
    static char name[] = "test_forms";
    static char* argv[] = {name, nullptr};
    static auto* application = new forms::Application(argc, argv);
    return *application;
}

void KitTest::SetUp() {
    app();
    m_oldBox = forms::Application::setMessageBoxHook([this](const forms::MessageBoxCall& call) {
        boxes.push_back(call);
        if (onBox) onBox(call);
        return boxAnswer;
    });
    m_oldBeep = forms::Application::setBeepHook([this] { ++beeps; });
    m_oldScale = forms::Application::timeScale();
}

void KitTest::TearDown() {
    forms::Application::setMessageBoxHook(m_oldBox);
    forms::Application::setBeepHook(m_oldBeep);
    forms::Application::setTimeScale(m_oldScale);
    QCoreApplication::processEvents();
}
