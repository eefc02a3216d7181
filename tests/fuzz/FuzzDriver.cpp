// Stands in for libFuzzer where the compiler has none: runs the target once over every file named
// on the command line, or every file of a named folder, and ends non-zero when a folder is missing.
// A fault aborts under the sanitizers as it would under the fuzzer.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

void runFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // An exact-size heap copy, so that reading past the input shows as it does under the fuzzer.
    auto* copy = new uint8_t[bytes.size() ? bytes.size() : 1];
    std::copy(bytes.begin(), bytes.end(), copy);
    LLVMFuzzerTestOneInput(copy, bytes.size());
    delete[] copy;
}

}  // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    std::size_t runs = 0;
    for (int a = 1; a < argc; ++a) {
        const std::filesystem::path arg(argv[a]);
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(arg)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(arg))
                if (entry.is_regular_file()) files.push_back(entry.path());
            std::sort(files.begin(), files.end());
        } else if (std::filesystem::is_regular_file(arg)) {
            files.push_back(arg);
        } else {
            std::fprintf(stderr, "no such input: %s\n", argv[a]);
            return 2;
        }
        for (const auto& file : files) {
            runFile(file);
            ++runs;
        }
    }
    std::printf("%zu inputs run\n", runs);
    return 0;
}
