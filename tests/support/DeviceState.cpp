#include "tests/support/DeviceState.h"

#include <QString>

#include <array>

#include "module/CapabilityPoll.h"
#include "module/Main.h"
#include "platform/forms/Layout.h"
#include "tests/sim/SimProcess.h"

DeviceState DeviceState::operator+(const DeviceState& other) const {
    DeviceState out = *this;
    out.name = name.empty() ? other.name : other.name.empty() ? name : name + "_" + other.name;
    out.lines.insert(out.lines.end(), other.lines.begin(), other.lines.end());
    out.unreadable.insert(other.unreadable.begin(), other.unreadable.end());
    return out;
}

DeviceState DeviceState::named(std::string rowName) const {
    DeviceState out = *this;
    out.name = std::move(rowName);
    return out;
}

namespace states {

namespace {

const std::string kCaps = E + "99.1.1.";
const std::string kApModes = kCaps + "1.0";
const std::string kRateChange = kCaps + "52.0";
const std::string kRateSupport = kCaps + "40.0";
const std::string kRateColumn = E + "2.13.1.2.1.";
const std::string kSecurity = E + "2.5.1.1.";
const std::string kMssid = E + "2.9.2.1.";

// The simulator resolves X.0 to X where the object is stored without it, never the other way: a
// set of X.0 reaches a scalar and an instance alike.
std::string scalar(const std::string& oid) {
    return oid.size() > 2 && oid.compare(oid.size() - 2, 2, ".0") == 0 ? oid : oid + ".0";
}
std::string integer(const std::string& oid, long long v) {
    return "set " + scalar(oid) + " i " + std::to_string(v);
}
std::string text(const std::string& oid, const std::string& v) {
    return "set " + scalar(oid) + " s \"" + v + "\"";
}
std::string row(int column, int n) {
    return kMssid + std::to_string(column) + ".1." + std::to_string(n);
}
// Four WEP keys of 128 bits, each its own digits.
std::vector<std::string> wepKeys(const std::string& keyColumn) {
    std::vector<std::string> out;
    for (int k = 1; k <= 4; ++k)
        out.push_back(text(keyColumn + std::to_string(k), std::string(26, char('0' + k))));
    return out;
}

}  // namespace

DeviceState holding(std::string name, const std::vector<std::pair<std::string, std::string>>& values) {
    DeviceState s{std::move(name), {}, {}};
    for (const auto& [oid, value] : values) s.lines.push_back("set " + scalar(oid) + " " + value);
    return s;
}

int deviceModeOf(Mode mode, bool wdsNames) {
    // Access Point, WDS with AP, WDS without AP, AP Client, Universal Repeater.
    static constexpr std::array<int, 5> kWdsNames = {1, 3, 7, 5, 4};
    static constexpr std::array<int, 5> kBridgeNames = {1, 2, 3, 5, 4};
    const auto& modes = wdsNames ? kWdsNames : kBridgeNames;
    return modes.at(static_cast<size_t>(mode));
}

DeviceState standard() {
    // The simulator offers data-rate changes while its rate table holds Basic for rates the page then
    // lists without Basic; a device with those rates offers all three states.
    return {"", {integer(kRateChange, 0), integer(E + "2.12.1.1.1.2.1", 2)}, {}};
}

DeviceState apMode(Mode mode, bool wdsNames) {
    static const char* kNames[] = {"AccessPoint", "WdsWithAp", "WdsWithoutAp", "Client", "Repeater"};
    DeviceState s = deviceMode(deviceModeOf(mode, wdsNames));
    s.name = std::string(kNames[static_cast<size_t>(mode)]) + (wdsNames ? "" : "Bridge");
    if (!wdsNames) s.lines.insert(s.lines.begin(), integer(kApModes, 31));
    return s;
}

DeviceState deviceMode(int adApMode) {
    return {"DeviceMode" + std::to_string(adApMode), {integer(E + "2.1.1.1.1", adApMode)}, {}};
}

DeviceState newMultiSupport(int value) {
    return {"NewMultiSupport" + std::to_string(value), {integer(kCaps + "13.0", value)}, {}};
}

DeviceState mssidAndWdsSupport(int value) {
    return {"MssidAndWds" + std::to_string(value), {integer(kCaps + "49.0", value)}, {}};
}

DeviceState capabilitiesOff() {
    DeviceState s{"CapabilitiesOff", {}, {}};
    for (int n : {2, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 40, 49, 51, 52})
        s.lines.push_back(integer(kCaps + std::to_string(n) + ".0", 0));
    // The AP modes the firmware offers: the first four only.
    s.lines.push_back(integer(kApModes, 15));
    return s;
}

DeviceState dataRateChange() {
    DeviceState s{"DataRateChange", {integer(kRateChange, 1)}, {}};
    // Rows 6, 8, 10, 11, 12 (9, 18, 36, 48, 54 Mb/s) hold Disable or Enable only.
    for (int r : {6, 8, 10, 11, 12}) s.lines.push_back(integer(kRateColumn + std::to_string(r), r % 2));
    return s;
}

DeviceState dataRateControl(bool enabled) {
    return {enabled ? "RateControlOn" : "RateControlOff",
            {integer(kRateSupport, 1), integer(E + "2.14.1.2.1", enabled ? 1 : 0)},
            {}};
}

DeviceState olderFirmware() {
    DeviceState s = capabilitiesOff();
    s.name = "OlderFirmware";
    s.lines.push_back(text(E + "4.1.1.1", "v1.00.05"));
    for (const char* rel : {"2.3.1.99", "2.3.1.17", "2.3.1.14", "2.7", "2.12", "2.11"})
        s.lines.push_back("del " + E + rel);
    return s;
}

DeviceState superG() {
    return {"SuperG", {integer(E + "2.3.1.11.1", 1)}, {}};
}

DeviceState gOnly() {
    return {"GOnly", {integer(E + "2.3.1.13.1", 1)}, {}};
}

DeviceState featureMissing(const std::string& oid) {
    return {"Without", {"del " + oid}, {}};
}

DeviceState wep(int validKey) {
    DeviceState s{
        "WepKey" + std::to_string(validKey),
        {integer(kSecurity + "1.1", 1), integer(kSecurity + "2.1", 1), integer(kSecurity + "3.1", validKey)},
        {}};
    for (auto& line : wepKeys(E + "2.5.3.1.1.1.")) s.lines.push_back(line);
    return s;
}

DeviceState pskCipher(Cipher cipher) {
    static const char* kNames[] = {"", "PskAuto", "PskAes", "PskTkip"};
    return {kNames[int(cipher)],
            {integer(kSecurity + "1.1", 4), integer(kSecurity + "2.1", 1),
             text(kSecurity + "4.1", "correct horse"), integer(kSecurity + "5.1", int(cipher))},
            {}};
}

DeviceState wpaEap() {
    return {"WpaEap", {integer(kSecurity + "1.1", 5), integer(kSecurity + "2.1", 1)}, {}};
}

DeviceState secondarySsids(Secondary kind) {
    // Multiple SSIDs on, with rows 2 to 4 enabled.
    DeviceState s{
        kind == Secondary::Wpa ? "SecondaryWpa" : "SecondaryWep", {integer(E + "2.9.3.1.1", 1)}, {}};
    for (int n = 2; n <= 4; ++n) {
        s.lines.push_back(integer(row(2, n), 1));
        if (kind == Secondary::Wpa) {
            s.lines.push_back(integer(row(4, n), 4));
            s.lines.push_back(integer(row(5, n), 1));
            s.lines.push_back(text(row(12, n), "secondary-" + std::to_string(n)));
            s.lines.push_back(integer(row(11, n), 2));
        } else {
            s.lines.push_back(integer(row(4, n), 1));
            s.lines.push_back(integer(row(5, n), 1));
            s.lines.push_back(integer(row(6, n), 1));
            s.lines.push_back(text(row(7, n), std::string(26, char('A' + n))));
            s.lines.push_back(integer(row(13, n), 2));
        }
    }
    return s;
}

DeviceState multiSsidRowMissing(int n) {
    DeviceState s{"MssidRow" + std::to_string(n) + "Missing", {}, {}};
    for (int column : {1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13}) s.lines.push_back("del " + row(column, n));
    return s;
}

DeviceState noSuchName(const std::string& oid) {
    return {"NoSuchName", {"error " + oid + " noSuchName get", "error " + oid + " noSuchName next"}, {oid}};
}

DeviceState joined() {
    return {"Joined", {integer(E + "2.12.1.1.1.1.1", 3), integer(E + "2.12.1.1.1.2.1", 1)}, {}};
}

DeviceState macFilterFull() {
    DeviceState s{"MacFilterFull", {}, {}};
    for (int r = 1; r <= 8; ++r)
        s.lines.push_back("set " + E + "2.4.2.1.2.1." + std::to_string(r) + " x 00A0C9" +
                          std::string(5, 'D') + std::to_string(r));
    return s;
}

DeviceState staticPoolFull() {
    return {"StaticPoolFull", {"static-pool 8"}, {}};
}

DeviceState widestValues() {
    DeviceState s{"WidestValues", {"hold-rows on"}, {}};
    const std::string ssid(32, 'W');
    for (int r = 1; r <= 3; ++r) {
        const std::string n = std::to_string(r);
        s.lines.push_back(text(E + "2.12.2.2.1.3." + n, ssid));                         // AP domain SSID
        s.lines.push_back("set " + E + "2.12.3.2.1.1." + n + " a 255.255.255.25" + n);  // member IP
        s.lines.push_back("set " + E + "2.12.3.2.1.2." + n + " x 00DDDDDDDDD" + n);     // member MAC
    }
    for (int r = 1; r <= 8; ++r)
        s.lines.push_back("set " + E + "2.4.2.1.2.1." + std::to_string(r) + " x 0DDDDDDDDDD" +
                          std::to_string(r));
    return s;
}

}  // namespace states

bool applyState(SimProcess& sim, const DeviceState& state, std::string* error) {
    for (const std::string& line : state.lines) {
        const std::string reply = sim.command(line);
        if (reply.rfind("ok", 0) == 0) continue;
        if (error) *error = line + ": " + (reply.empty() ? std::string("no reply") : reply);
        return false;
    }
    return true;
}

void takeCapabilities(TMainForm& main, SimProcess& sim) {
    for (const ProbeDef& probe : probeTable()) {
        if (probe.secondEdit) continue;  // the LAN addresses: the pages here read their own
        auto* field = forms::findControl<forms::Edit>(&main, probe.edit);
        if (!field) continue;
        const std::string reply = sim.command("get " + std::string(probe.table[0].oid) + ".0");
        // "ok TYPE VALUE": a string's quotes go, as the field shows its text.
        if (reply.rfind("ok ", 0) != 0 || reply.size() < 5) {
            field->setText(QString());
            continue;
        }
        const std::string value = reply.substr(5);
        field->setText(QString::fromStdString(SimLogLine::unquote(value).value_or(value)));
    }
}
