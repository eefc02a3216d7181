#pragma once

// The end-to-end tests' one SNMP session: net-snmp's state is global, so it is started once per
// program, in a directory of its own so that the boot counter goes there, with its pump running as
// in the module.

#include <QCoreApplication>
#include <QTemporaryDir>

#include "library/HvSNMPSession.h"

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
