#include "platform/RegistryStore.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

const char* const kRegistryText =
    "\xEF\xBB\xBF; keys the management system writes\r\n"              // 1
    "[SOFTWARE\\Halvern\\Modules\\HelpPath]\r\n"                       // 2
    "1.3.6.1.4.1.47011.11.37.9 = /opt/halvern/help/qmx7240nt.hlp\r\n"  // 3
    "\r\n"                                                             // 4
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Halvern\\Vistrel5.1\\ExePath]\n"   // 5
    "Path=\"/opt/vistrel/bin/ \"\n"                                    // 6
    "PATH=/second/wins/not\n"                                          // 7
    "[SOFTWARE\\Halvern\\Vistrel5.1\\MibFile]\n"                       // 8
    "# nothing here yet\n"                                             // 9
    "[broken\n"                                                        // 10
    "Path=/lost\n"                                                     // 11
    "[Empty\\Key]\n"                                                   // 12
    "a line without a value\n";                                        // 13

struct LookupCase {
    const char* name;
    const char* key;
    const char* value;
    std::optional<std::string> expected;
};

void PrintTo(const LookupCase& c, std::ostream* os) {
    *os << c.name;
}

class RegistryFileLookup : public ::testing::TestWithParam<LookupCase> {
protected:
    static void SetUpTestSuite() {
        s_dir = new QTemporaryDir;
        const std::string path = s_dir->path().toStdString() + "/registry.ini";
        std::ofstream(path, std::ios::binary) << kRegistryText;
        s_store = new RegistryFile(path);
    }
    static void TearDownTestSuite() {
        delete s_store;
        delete s_dir;
    }

    static QTemporaryDir* s_dir;
    static RegistryFile* s_store;
};

QTemporaryDir* RegistryFileLookup::s_dir = nullptr;
RegistryFile* RegistryFileLookup::s_store = nullptr;

TEST_P(RegistryFileLookup, ReadsValuesIgnoringCase) {
    const auto& c = GetParam();
    ASSERT_TRUE(s_store->loaded());
    EXPECT_EQ(s_store->readString(c.key, c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegistryFileLookup,
    ::testing::Values(
        LookupCase{"HelpPath", "\\SOFTWARE\\Halvern\\Modules\\HelpPath", "1.3.6.1.4.1.47011.11.37.9",
                   "/opt/halvern/help/qmx7240nt.hlp"},
        LookupCase{"KeyOtherCaseAndTrailingBackslash", "\\software\\HALVERN\\modules\\helppath\\",
                   "1.3.6.1.4.1.47011.11.37.9", "/opt/halvern/help/qmx7240nt.hlp"},
        LookupCase{"RootPrefixInFileQuotesDropped", "\\SOFTWARE\\Halvern\\Vistrel5.1\\ExePath", "path",
                   "/opt/vistrel/bin/ "},
        LookupCase{"RootPrefixInQuery", "HKLM\\SOFTWARE\\Halvern\\Vistrel5.1\\ExePath", "Path",
                   "/opt/vistrel/bin/ "},
        LookupCase{"KeyWithoutTheValue", "\\SOFTWARE\\Halvern\\Vistrel5.1\\MibFile", "Path", std::nullopt},
        LookupCase{"MissingKey", "\\SOFTWARE\\Halvern\\Vistrel6\\ExePath", "Path", std::nullopt},
        LookupCase{"MissingValue", "\\SOFTWARE\\Halvern\\Modules\\HelpPath", "1.3.6.1.4.1.47011.11.37",
                   std::nullopt},
        LookupCase{"PartOfAKeyIsNoKey", "\\SOFTWARE\\Halvern\\Modules", "HelpPath", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RegistryFileLookup, KeysOpenWhenTheirSectionExists) {
    EXPECT_TRUE(s_store->keyExists("\\SOFTWARE\\Halvern\\Vistrel5.1\\MibFile"));
    EXPECT_TRUE(s_store->keyExists("\\empty\\key"));
    EXPECT_FALSE(s_store->keyExists("\\SOFTWARE\\Halvern"));
    EXPECT_FALSE(s_store->keyExists("broken"));
    // A broken section line must not let its values fall into the key above it.
    EXPECT_EQ(s_store->readString("\\SOFTWARE\\Halvern\\Vistrel5.1\\MibFile", "Path"), std::nullopt);
    EXPECT_EQ(s_store->badLines(), (std::vector<int>{10, 11, 13}));
}

TEST(RegistryFile, MissingFileHasNoKeys) {
    QTemporaryDir dir;
    const RegistryFile store(dir.path().toStdString() + "/none.ini");
    EXPECT_FALSE(store.loaded());
    EXPECT_FALSE(store.keyExists("\\SOFTWARE\\Halvern\\Modules\\HelpPath"));
    EXPECT_EQ(store.readString("\\SOFTWARE\\Halvern\\Modules\\HelpPath", "x"), std::nullopt);
}

TEST(RegistryFile, DefaultPathFollowsTheEnvironment) {
    const char* old = std::getenv("HV_REGISTRY_FILE");
    const std::string saved = old ? old : "";
    setenv("HV_REGISTRY_FILE", "/srv/test/registry.ini", 1);
    EXPECT_EQ(RegistryFile::defaultPath(), "/srv/test/registry.ini");
    setenv("HV_REGISTRY_FILE", "", 1);
    EXPECT_EQ(RegistryFile::defaultPath(), "/etc/halvern/registry.ini");
    unsetenv("HV_REGISTRY_FILE");
    EXPECT_EQ(RegistryFile::defaultPath(), "/etc/halvern/registry.ini");
    if (old) setenv("HV_REGISTRY_FILE", saved.c_str(), 1);
}

TEST(MemoryRegistryStore, FirstValueOfANameWins) {
    MemoryRegistryStore store;
    store.addValue("\\SOFTWARE\\Halvern\\Vistrel5.1\\MibFile", "Path", "/first");
    store.addValue("SOFTWARE/halvern/vistrel5.1/mibfile", "PATH", "/second");
    EXPECT_EQ(store.readString("\\SOFTWARE\\Halvern\\Vistrel5.1\\MibFile", "path"), "/first");
    EXPECT_EQ(RegistryStore::normalizedKey("\\\\SOFTWARE\\\\Halvern\\"), "SOFTWARE\\Halvern");
}

}  // namespace
