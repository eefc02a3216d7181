#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
    // Value texts must not depend on the user's locale; run the tests under one that uses a decimal comma.
    std::setlocale(LC_ALL, "");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
