#include "BindFixture.h"

#include <QDeadlineTimer>

#include "tests/WindowLeakCheck.h"

namespace {

[[maybe_unused]] ::testing::Environment* const g_windowLeakCheck =
    ::testing::AddGlobalTestEnvironment(new WindowLeakCheck);

}  // namespace

forms::Application& BindTest::app() {
    static int argc = 1;
    static char name[] = "test_bind";
    static char* argv[] = {name, nullptr};
    static auto* application = new forms::Application(argc, argv);
    return *application;
}

void BindTest::SetUp() {
    HvSNMPSession::defaults = HvSNMPDefaults::standard();
    fake.setResponder([this](const HvSnmpCall& c) { return agent.answer(c); });
    m_oldBox = forms::Application::setMessageBoxHook([this](const forms::MessageBoxCall& c) {
        boxes.push_back(c);
        return forms::IDOK;
    });
    m_oldBeep = forms::Application::setBeepHook([this] { ++beeps; });
}

void BindTest::TearDown() {
    form.reset();
    forms::Application::setMessageBoxHook(m_oldBox);
    forms::Application::setBeepHook(m_oldBeep);
    QCoreApplication::processEvents();
}

std::unique_ptr<HvSNMPRequest2Edits> BindTest::makeRequest(const MibObjectDef* table, uint8_t kind,
                                                           int32_t keys, uint8_t mode) {
    auto r = std::make_unique<HvSNMPRequest2Edits>(form.get());
    r->request.setTransport(&fake);
    r->request.varList = HvSNMPVarList(table, kind, keys);
    r->request.messageCallback = [this](HvSNMPError* e) { messages.push_back(*e); };
    r->mode = mode;
    return r;
}

bool BindTest::pumpUntil(const std::function<bool()>& done, int ms) {
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired()) {
        fake.processPending();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return done();
}
