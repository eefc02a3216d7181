#include "InstanceLock.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QCryptographicHash>

namespace {

constexpr std::size_t kMaxFileName = 255;
const char* const kSuffix = ".lock";

std::string systemError(const std::string& what, const std::string& path, int err) {
    return what + " " + path + ": " + std::strerror(err);
}

// Makes the lock folder, or checks one already there: a folder of ours that nobody else can write
// into, so no other user can plant or remove our lock files.
bool ensurePrivateFolder(const std::string& folder, std::string& error) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        error = systemError("Cannot create the lock folder", folder, errno);
        return false;
    }
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) {
        error = systemError("Cannot read the lock folder", folder, errno);
        return false;
    }
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() || (st.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        error = "The lock folder " + folder + " is not a private folder of this user";
        return false;
    }
    return true;
}

}  // namespace

InstanceLock::InstanceLock(const std::string& caption) {
    acquire(caption, defaultFolder());
}

InstanceLock::InstanceLock(const std::string& caption, const std::string& folder) {
    acquire(caption, folder);
}

InstanceLock::~InstanceLock() {
    if (m_fd >= 0)
        ::close(m_fd);  // closing the only descriptor drops the lock; the file stays for the next start
}

std::string InstanceLock::defaultFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/') return std::string(runtime) + "/halvern";
    return "/tmp/halvern-" + std::to_string(::geteuid());
}

std::string InstanceLock::fileNameFor(const std::string& caption) {
    static const char* const hex = "0123456789ABCDEF";
    std::string name;
    for (unsigned char c : caption) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
            c == '_' || c == '.') {
            name += static_cast<char>(c);
        } else {
            name += '%';
            name += hex[c >> 4];
            name += hex[c & 0x0F];
        }
    }
    // "." and ".." alone would be folders; a leading '.' also hides the file, so encode it.
    if (!name.empty() && name.front() == '.') name.replace(0, 1, "%2E");
    const std::size_t room = kMaxFileName - std::strlen(kSuffix);
    if (name.size() > room) {
        const QByteArray digest =
            QCryptographicHash::hash(QByteArray::fromStdString(caption), QCryptographicHash::Sha256).toHex();
        const std::string tail = "~" + digest.toStdString();
        name.resize(room - tail.size());
        // Never leave half of a %XX behind.
        const auto pct = name.rfind('%');
        if (pct != std::string::npos && pct + 3 > name.size()) name.resize(pct);
        name += tail;
    }
    return name + kSuffix;
}

void InstanceLock::acquire(const std::string& caption, const std::string& folder) {
    if (!ensurePrivateFolder(folder, m_error)) return;
    m_path = folder + "/" + fileNameFor(caption);
    do {
        m_fd = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    } while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0) {
        m_error = systemError("Cannot open the lock file", m_path, errno);
        return;
    }
    int rc;
    do {
        rc = ::flock(m_fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc == 0) {
        m_status = Status::Acquired;
        return;
    }
    const int err = errno;
    ::close(m_fd);
    m_fd = -1;
    if (err == EWOULDBLOCK) {
        m_status = Status::Held;
    } else {
        m_error = systemError("Cannot lock", m_path, err);
    }
}
