#pragma once

// The wireless page's end-to-end fixture: the page over the idle main window with the capability
// texts a test gives, the simulator's objects by their place under the device's arc, and the page's
// reads and writes as the simulator logged them.

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "module/Main.h"
#include "pages/wireless/Wirless.h"
#include "tests/sim/SimProcess.h"
#include "tests/support/PageUnderTest.h"

namespace wirlesstest {

inline const std::string E = "1.3.6.1.4.1.47011.11.37.4.";
inline const std::string kRestart = E + "3.3.5.0";

inline bool pageObject(const std::string& oid) {
    for (const char* p : {"1.1.1.", "2.", "3.3.5"})
        if (oid.rfind(E + p, 0) == 0) return true;
    return false;
}

struct Caps {
    const char* newMulti = "1";
    const char* multiSsid = "1";
    const char* firmware = "v2.20.01";
    const char* apModes = "127";
    const char* other = "1";  // key type selection, the new mode names, multiple SSIDs with WDS
};

class WirlessTest : public PageUnderTest<TFM_Wirless> {
protected:
    void SetUp() override {
        PageUnderTest::SetUp();
        setFilter = [](const SimLogLine& l) { return pageObject(l.asked); };
    }

    void setCaps(const Caps& c) {
        main->NewMultiSupport->setText(QString::fromLatin1(c.newMulti));
        main->ifMultiSSID_Edit->setText(QString::fromLatin1(c.multiSsid));
        main->Ed_FwVer->setText(QString::fromLatin1(c.firmware));
        main->APModeSupport->setText(QString::fromLatin1(c.apModes));
        main->Ed_KeyTypeSup->setText(QString::fromLatin1(c.other));
        main->ApmodeStringChangeSupport->setText(QString::fromLatin1(c.other));
        main->mssidAndWdssupport->setText(QString::fromLatin1(c.other));
    }

    void device(const std::string& rel, const std::string& typeValue) {
        ASSERT_TRUE(sim->ok("set " + E + rel + " " + typeValue)) << rel;
    }

    TFM_Wirless& open(const Caps& c = {}) {
        setCaps(c);
        TFM_Wirless& p = makePage();
        EXPECT_TRUE(waitFor([&] { return p.idle(); }));
        return p;
    }

    // The page's reads and writes from log line `from` on, as "OP OID[=VALUE]" relative to E.
    std::vector<std::string> pageLog(size_t from, const std::string& op) const {
        std::vector<std::string> out;
        for (const auto& l : sim->requests(from))
            if (pageObject(l.asked) && l.op == op)
                out.push_back(l.asked.substr(E.size()) + (op == "SET" ? "=" + l.value : ""));
        return out;
    }
    // The first position of each OID in the GETs, to compare the order of the reads.
    std::vector<std::string> firstReads(const std::vector<std::string>& oids) const {
        const auto gets = pageLog(0, "GET");
        std::vector<std::pair<size_t, std::string>> at;
        for (const auto& o : oids)
            for (size_t i = 0; i < gets.size(); ++i)
                if (gets[i] == o) {
                    at.emplace_back(i, o);
                    break;
                }
        std::sort(at.begin(), at.end());
        std::vector<std::string> out;
        for (const auto& a : at) out.push_back(a.second);
        return out;
    }
};

}  // namespace wirlesstest
