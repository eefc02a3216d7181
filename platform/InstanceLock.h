#pragma once

#include <string>

// One running module per managed device: an exclusive flock on a lock file named after the main
// window's caption. The kernel drops the lock when the holding process ends, however it ends, so a
// crashed instance never blocks the next start. Locks are per user, as the Windows named mutex was
// per session.
class InstanceLock {
public:
    enum class Status {
        Acquired,  // this process now holds the lock
        Held,      // another holder has it: the module is already running for this caption
        Failed,    // the lock file could not be made or locked (see errorText)
    };

    // Tries once, without waiting, in defaultFolder().
    explicit InstanceLock(const std::string& caption);
    // Tries once in the given folder, which is created (mode 0700) when missing.
    InstanceLock(const std::string& caption, const std::string& folder);
    // Releases the lock. It is otherwise held until the process ends.
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    Status status() const { return m_status; }
    bool acquired() const { return m_status == Status::Acquired; }
    const std::string& errorText() const { return m_error; }
    const std::string& filePath() const { return m_path; }

    // $XDG_RUNTIME_DIR/halvern when XDG_RUNTIME_DIR is set and absolute, else /tmp/halvern-<uid>.
    static std::string defaultFolder();
    // The lock file's name for a caption: every byte but letters, digits, '-', '_' and '.' written
    // as %XX, so that the address in the caption cannot name another folder; a name too long for
    // the file system is cut and ended with a hash of the whole caption.
    static std::string fileNameFor(const std::string& caption);

private:
    void acquire(const std::string& caption, const std::string& folder);

    Status m_status = Status::Failed;
    std::string m_error;
    std::string m_path;
    int m_fd = -1;
};
