#include "platform/InstanceLock.h"

#include <csignal>
#include <cstdlib>
#include <ostream>
#include <string>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

const std::string kCaption = "QMX-7240NT : 10.0.0.5";

class InstanceLockTest : public ::testing::Test {
protected:
    std::string folder() const { return m_dir.path().toStdString() + "/halvern"; }

    QTemporaryDir m_dir;
};

// A child process that takes the lock, reports its status through a pipe and then holds the lock
// until it is killed.
class LockHolder {
public:
    LockHolder(const std::string& caption, const std::string& folder) {
        int fds[2];
        if (pipe(fds) != 0) return;
        m_pid = fork();
        if (m_pid == 0) {
            ::close(fds[0]);
            InstanceLock lock(caption, folder);
            const char status = lock.acquired() ? 'A' : 'X';
            (void)!::write(fds[1], &status, 1);
            for (;;) ::pause();
        }
        ::close(fds[1]);
        char status = 0;
        if (m_pid > 0 && ::read(fds[0], &status, 1) == 1) m_acquired = status == 'A';
        ::close(fds[0]);
    }
    ~LockHolder() { kill(); }

    bool acquired() const { return m_acquired; }
    // Ends the holder the hard way: no destructor runs, only the kernel can release the lock.
    void kill() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
    }

private:
    pid_t m_pid = -1;
    bool m_acquired = false;
};

TEST_F(InstanceLockTest, SecondHolderInTheSameProcessIsRefusedUntilRelease) {
    auto first = std::make_unique<InstanceLock>(kCaption, folder());
    ASSERT_EQ(first->status(), InstanceLock::Status::Acquired) << first->errorText();
    InstanceLock second(kCaption, folder());
    EXPECT_EQ(second.status(), InstanceLock::Status::Held);
    InstanceLock otherDevice("QMX-7240NT : 10.0.0.6", folder());
    EXPECT_TRUE(otherDevice.acquired());
    first.reset();
    InstanceLock third(kCaption, folder());
    EXPECT_TRUE(third.acquired());
}

TEST_F(InstanceLockTest, HolderInAnotherProcessRefusesUntilItDies) {
    LockHolder holder(kCaption, folder());
    ASSERT_TRUE(holder.acquired());
    {
        InstanceLock mine(kCaption, folder());
        EXPECT_EQ(mine.status(), InstanceLock::Status::Held);
    }
    holder.kill();
    InstanceLock mine(kCaption, folder());
    EXPECT_TRUE(mine.acquired()) << mine.errorText();
}

TEST_F(InstanceLockTest, FolderOthersCanWriteIsRefused) {
    ASSERT_EQ(mkdir(folder().c_str(), 0777), 0);
    ASSERT_EQ(chmod(folder().c_str(), 0777), 0);
    InstanceLock lock(kCaption, folder());
    EXPECT_EQ(lock.status(), InstanceLock::Status::Failed);
    EXPECT_NE(lock.errorText().find(folder()), std::string::npos) << lock.errorText();
}

TEST_F(InstanceLockTest, SymlinkedFolderIsRefused) {
    const std::string target = m_dir.path().toStdString() + "/elsewhere";
    ASSERT_EQ(mkdir(target.c_str(), 0700), 0);
    ASSERT_EQ(symlink(target.c_str(), folder().c_str()), 0);
    InstanceLock lock(kCaption, folder());
    EXPECT_EQ(lock.status(), InstanceLock::Status::Failed);
}

struct NameCase {
    const char* name;
    std::string caption;
    std::string expected;
};

void PrintTo(const NameCase& c, std::ostream* os) {
    *os << c.name;
}

class LockFileName : public ::testing::TestWithParam<NameCase> {};

TEST_P(LockFileName, EncodesTheCaption) {
    EXPECT_EQ(InstanceLock::fileNameFor(GetParam().caption), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LockFileName,
    ::testing::Values(NameCase{"Caption", kCaption, "QMX-7240NT%20%3A%2010.0.0.5.lock"},
                      NameCase{"SlashesCannotLeaveTheFolder", "a/../../b", "a%2F..%2F..%2Fb.lock"},
                      NameCase{"DotsAlone", "..", "%2E..lock"}, NameCase{"Empty", "", ".lock"},
                      NameCase{"NonAsciiBytes", "\xC3\xA9", "%C3%A9.lock"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LockFileNameLength, LongCaptionsStayDistinctAndFit) {
    const std::string a = "QMX-7240NT : " + std::string(300, 'h') + "a";
    const std::string b = "QMX-7240NT : " + std::string(300, 'h') + "b";
    const std::string na = InstanceLock::fileNameFor(a);
    EXPECT_LE(na.size(), 255u);
    EXPECT_EQ(na.substr(na.size() - 5), ".lock");
    EXPECT_NE(na, InstanceLock::fileNameFor(b));
    const std::string encoded = InstanceLock::fileNameFor(std::string(200, ' '));  // every byte is %20
    EXPECT_LE(encoded.size(), 255u);
    EXPECT_EQ(encoded.find('~') % 3, 0u) << "a %XX was cut in half: " << encoded;
}

TEST(LockFolder, FollowsXdgRuntimeDir) {
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    const std::string saved = old ? old : "";
    setenv("XDG_RUNTIME_DIR", "/run/user/4242", 1);
    EXPECT_EQ(InstanceLock::defaultFolder(), "/run/user/4242/halvern");
    const std::string fallback = "/tmp/halvern-" + std::to_string(geteuid());
    setenv("XDG_RUNTIME_DIR", "relative", 1);
    EXPECT_EQ(InstanceLock::defaultFolder(), fallback);
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(InstanceLock::defaultFolder(), fallback);
    if (old) setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
}

}  // namespace
