#include "module/PingHost.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/IcmpEcho.h"
#include "platform/forms/Forms.h"

namespace {

class PingHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_old = forms::Application::setMessageBoxHook([this](const forms::MessageBoxCall& call) {
            boxes.push_back(call.text);
            return forms::IDOK;
        });
    }
    void TearDown() override { forms::Application::setMessageBoxHook(m_old); }

    std::vector<QString> boxes;

private:
    forms::MessageBoxHook m_old;
};

TEST_F(PingHostTest, UnresolvableNameIsSaidAndNotInUse) {
    EXPECT_FALSE(PingHost("abc.invalid"));
    EXPECT_EQ(boxes, std::vector<QString>{QStringLiteral("Unable to resolve ")});
}

TEST_F(PingHostTest, AnsweringHostIsInUse) {
    if (IcmpEcho::probe("127.0.0.1", 1, 200) == IcmpEcho::Outcome::NoSocket) {
        // Without a socket the user is told the address was not checked.
        EXPECT_FALSE(PingHost("127.0.0.1"));
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_TRUE(boxes[0].startsWith(QStringLiteral("The address could not be checked")));
        GTEST_SKIP() << "no raw ICMP socket (root or CAP_NET_RAW) and no ping socket";
    }
    EXPECT_TRUE(PingHost("127.0.0.1"));
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
