// The tests' one main. HV_TEST_MIB_LISTS builds the global option lists for the run, as the program
// does at start; HV_TEST_GUI makes the kit's application object as well, ends the SNMP session and
// keeps the pages' address probe on loopback.

#include <gtest/gtest.h>

#include <clocale>

#include <QCoreApplication>

#if defined(HV_TEST_GUI)
#include "library/HvSNMPSession.h"
#include "platform/forms/Application.h"
#include "tests/WindowLeakCheck.h"
#include "tests/support/ScriptedProber.h"
#endif
#if defined(HV_TEST_MIB_LISTS)
#include "module/Misc.h"
#endif

int main(int argc, char** argv) {
    // Value texts must not depend on the user's locale; run the tests under one that uses a decimal comma.
    std::setlocale(LC_ALL, "");
    ::testing::InitGoogleTest(&argc, argv);
#if defined(HV_TEST_GUI)
    forms::Application app(argc, argv);
    forms::Application::setTitle(QStringLiteral("QMX-7240NT"));
    ::testing::AddGlobalTestEnvironment(new WindowLeakCheck);
    LoopbackOnlyProber loopbackOnly;
    const HostProberScope probes(&loopbackOnly);
#endif
#if defined(HV_TEST_MIB_LISTS)
    InitMibOptionLists();
#endif
    int rc = RUN_ALL_TESTS();
    // A run where every test skipped ends as CTest's skip code (tests/CMakeLists.txt runs a group of
    // tests in one process).
    const auto& run = *::testing::UnitTest::GetInstance();
    if (rc == 0 && run.test_to_run_count() > 0 && run.skipped_test_count() == run.test_to_run_count()) rc = 77;
#if defined(HV_TEST_GUI)
    HvSNMPSession::shutdown();
#endif
#if defined(HV_TEST_MIB_LISTS)
    FreeMibOptionLists();
#endif
#if !defined(HV_TEST_GUI)
    // Tests make the application on first use. Deleting it before exit frees what only it still points
    // at (the event dispatcher's timers and socket notifiers), so that a leak among them shows.
    delete QCoreApplication::instance();
#endif
    return rc;
}
