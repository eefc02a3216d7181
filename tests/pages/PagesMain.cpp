// The pages' tests: one application object and the global option lists for the whole run.

#include <gtest/gtest.h>

#include <clocale>

#include "library/HvSNMPSession.h"
#include "module/Misc.h"
#include "platform/forms/Application.h"
#include "tests/WindowLeakCheck.h"

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    ::testing::InitGoogleTest(&argc, argv);
    forms::Application app(argc, argv);
    forms::Application::setTitle(QStringLiteral("QMX-7240NT"));
    InitMibOptionLists();
    ::testing::AddGlobalTestEnvironment(new WindowLeakCheck);
    const int rc = RUN_ALL_TESTS();
    HvSNMPSession::shutdown();
    FreeMibOptionLists();
    return rc;
}
