#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

// A folder of this process's own for the files a target writes, removed at exit. Parallel fuzzing
// jobs are separate processes, so each gets its own.
inline const std::string& fuzzFolder() {
    static const std::string folder = [] {
        const char* shm = "/dev/shm";
        std::string pattern =
            std::string(std::filesystem::is_directory(shm) ? shm : "/tmp") + "/hv-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        static const std::string removeAtExit = pattern;
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(removeAtExit, ignored);
        });
        return pattern;
    }();
    return folder;
}

// Writes the bytes to name inside the folder and returns the file's path.
inline std::string writeFuzzFile(const std::string& name, const std::string& bytes) {
    const std::string path = fuzzFolder() + "/" + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}
