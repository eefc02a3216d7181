// The security servers dialog's check: the DNS and RADIUS server addresses, their boxes and fields.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages/wireless/SssRules.h"
#include "tests/NamedRows.h"

namespace {

using namespace SssRules;
using hvtest::PrintTo;
using PageRules::failure;

struct ServersCase {
    const char* name;
    const char* dnsIp;
    const char* radius;
    std::optional<CheckFailure> want;
};

const CheckFailure kBadDns = failure(kBadDnsIp, kWaring, {}, "Ed_DNSIP");
const CheckFailure kBadRadiusServer = failure(kBadRadius, "Error", "Ed_RadiusSrv", {});

const ServersCase kCases[] = {
    {"BothValid", "192.168.0.1", "10.0.0.2", std::nullopt},
    {"NoDnsServer", "0.0.0.0", "10.0.0.2", std::nullopt},
    {"RadiusZeroRefused", "0.0.0.0", "0.0.0.0", kBadRadiusServer},
    {"DnsBroadcastRefused", "192.168.0.255", "10.0.0.2", kBadDns},
    {"DnsEmptyRefused", "", "10.0.0.2", kBadDns},
    {"DnsCheckedFirst", "1.2.3", "", kBadDns},
    {"RadiusEmptyRefused", "192.168.0.1", "", kBadRadiusServer},
    {"RadiusNameRefused", "192.168.0.1", "radius.lan", kBadRadiusServer},
};

class SssServers : public ::testing::TestWithParam<ServersCase> {};

TEST_P(SssServers, RefuseWithTheirBox) {
    EXPECT_EQ(checkServers(GetParam().dnsIp, GetParam().radius), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(Table, SssServers, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct SecretCase {
    const char* name;
    const char* secret;
    bool written;
};

const SecretCase kSecrets[] = {
    {"Typed", "secret", true},
    // Cleared on purpose: the device is told so.
    {"Empty", "", true},
    {"StarsInsideATypedSecret", "se**et", true},
    // The device's mask: written back it would replace the secret.
    {"Masked", "********", false},
    {"MaskedShort", "*", false},
};

class SssSecrets : public ::testing::TestWithParam<SecretCase> {};

TEST_P(SssSecrets, WriteEveryServerAndOnlyATypedSecret) {
    EXPECT_EQ(writtenItems(GetParam().secret),
              (std::vector<bool>{true, true, true, true, GetParam().written}));
}

INSTANTIATE_TEST_SUITE_P(Table, SssSecrets, ::testing::ValuesIn(kSecrets),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
