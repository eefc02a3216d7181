// The INI readers: single keys as the Windows profile functions read them, and the registry file
// read whole into keys and values.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/RegistryStore.h"
#include "library/HvIni.h"
#include "tests/fuzz/FuzzFile.h"
#include "tests/fuzz/FuzzInput.h"

// A default no trimmed value can equal.
const std::string kMissing = "\x01missing";

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::string section = in.text();
    const std::string key = in.text();
    const std::string path = writeFuzzFile("device.ini", in.rest());

    const HvIni ini(path);
    const std::string value = ini.ReadString(section, key, kMissing);
    if (value != kMissing) {
        FUZZ_CHECK(!value.empty());
        // Trimmed of blanks and control characters at both ends.
        FUZZ_CHECK(static_cast<unsigned char>(value.front()) > 0x20 &&
                   static_cast<unsigned char>(value.back()) > 0x20);
    }
    // Section and key names ignore case.
    std::string upperSection = section, upperKey = key;
    std::transform(upperSection.begin(), upperSection.end(), upperSection.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    std::transform(upperKey.begin(), upperKey.end(), upperKey.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    FUZZ_CHECK(ini.ReadString(upperSection, upperKey, kMissing) == value);

    const RegistryFile registry(path);
    FUZZ_CHECK(registry.loaded());
    if (registry.keyExists(section)) registry.readString(section, key);
    RegistryStore::normalizedKey(section);
    return 0;
}
