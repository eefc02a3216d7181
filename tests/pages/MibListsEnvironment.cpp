#include <gtest/gtest.h>

#include "module/Misc.h"

namespace {

// The pages copy records that point at the global option lists: build them once for the run, as the
// program does at start, and free them at the end.
class MibListsEnvironment : public ::testing::Environment {
public:
    void SetUp() override { InitMibOptionLists(); }
    void TearDown() override { FreeMibOptionLists(); }
};

[[maybe_unused]] ::testing::Environment* const g_mibLists =
    ::testing::AddGlobalTestEnvironment(new MibListsEnvironment);

}  // namespace
