#pragma once

// The end-to-end tests' one SNMP session: net-snmp's state is global, so it is started once per
// program, in a directory of its own so that the boot counter goes there, with its pump running as
// in the module.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QCoreApplication>
#include <QTemporaryDir>

#include "library/HvSNMPSession.h"
#include "tests/sim/SimProcess.h"

inline QCoreApplication& e2eApplication() {
    static int argc = 1;
    static char name[] = "test_e2e";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    return *app;
}

inline void startE2ESession() {
    static bool started = [] {
        e2eApplication();
        static QTemporaryDir dir;
        HvSNMPSession::initialize(dir.path().toStdString());
        return true;
    }();
    (void)started;
}

// A suite on one simulator, started once for the suite with the arguments a derived suite's
// SetUpTestSuite gives startSim, and reset before each test.
class E2ESimTest : public ::testing::Test {
protected:
    static void startSim(std::vector<std::string> args) {
        startE2ESession();
        sim = new SimProcess(std::move(args));
        startError.clear();
        if (!sim->start()) startError = sim->error();
    }
    static void TearDownTestSuite() {
        delete sim;
        sim = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(startError.empty()) << startError;
        ASSERT_TRUE(sim->ok("reset"));
    }

    static inline SimProcess* sim = nullptr;
    static inline std::string startError;
};
