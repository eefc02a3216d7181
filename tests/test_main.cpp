#include <gtest/gtest.h>

#include <clocale>

#include <QCoreApplication>

int main(int argc, char** argv) {
    // Value texts must not depend on the user's locale; run the tests under one that uses a decimal comma.
    std::setlocale(LC_ALL, "");
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    // Tests make the application on first use. Deleting it before exit frees what only it still points
    // at (the event dispatcher's timers and socket notifiers), so that a leak among them shows.
    delete QCoreApplication::instance();
    return rc;
}
