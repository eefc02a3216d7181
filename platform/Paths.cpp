#include "Paths.h"

#include <algorithm>
#include <vector>

#include <dirent.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QString>

namespace {

bool isAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::vector<std::string> splitNames(const std::string& path) {
    std::vector<std::string> names;
    std::size_t from = 0;
    while (from <= path.size()) {
        std::size_t to = path.find('/', from);
        if (to == std::string::npos) to = path.size();
        if (to > from) names.push_back(path.substr(from, to - from));
        from = to + 1;
    }
    return names;
}

bool isDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The entry of folder that matches name ignoring case, or empty when none does.
std::string matchInFolder(const std::string& folder, const std::string& name, bool wantFolder) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return {};
    std::vector<std::string> matches;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view entryName(entry->d_name);
        if (entryName != "." && entryName != ".." && sameIgnoringCase(entryName, name))
            matches.emplace_back(entryName);
    }
    ::closedir(dir);
    std::sort(matches.begin(), matches.end());
    if (wantFolder) {
        for (const auto& m : matches)
            if (isDirectory(folder + m)) return m;
    }
    return matches.empty() ? std::string() : matches.front();
}

}  // namespace

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (isAscii(a) && isAscii(b)) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return asciiLower(x) == asciiLower(y);
               });
    }
    const QString qa = QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size()));
    const QString qb = QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size()));
    return qa.compare(qb, Qt::CaseInsensitive) == 0;
}

std::string toForwardSlashes(std::string_view path) {
    std::string out(path);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

std::string resolvePathIgnoringCase(std::string_view input) {
    const std::string path = toForwardSlashes(input);
    if (path.empty()) return path;
    const std::vector<std::string> names = splitNames(path);
    // `folder` always ends in '/' (or is empty for the current folder), so a name appends directly.
    std::string folder = path.front() == '/' ? "/" : "";
    bool lost = false;
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::string name = names[i];
        const bool last = i + 1 == names.size();
        if (!lost && name != "." && name != "..") {
            // A folder on the way must be a folder; the last name may be anything.
            struct stat st {};
            const bool exact = last ? ::lstat((folder + name).c_str(), &st) == 0 : isDirectory(folder + name);
            if (!exact) {
                std::string match = matchInFolder(folder, name, !last);
                if (match.empty())
                    lost = true;
                else
                    name = std::move(match);
            }
        }
        folder += name;
        if (!last) folder += '/';
    }
    if (path.back() == '/' && !names.empty()) folder += '/';
    return folder;
}

std::string programFolder() {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    std::string exe(buffer, static_cast<std::size_t>(n));
    // A program file replaced while it runs (a rebuild) reads back with this suffix.
    static const std::string kDeleted = " (deleted)";
    if (exe.size() > kDeleted.size() &&
        exe.compare(exe.size() - kDeleted.size(), kDeleted.size(), kDeleted) == 0)
        exe.resize(exe.size() - kDeleted.size());
    const auto slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}
