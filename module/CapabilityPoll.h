#pragma once

// The capability probes of the main window: which device objects fill which hidden fields, and when
// they are read again.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "library/bind/HvSNMPRequest2Edits.h"
#include "library/MibObjectDef.h"
#include "platform/forms/Controls.h"

inline constexpr int kProbeCount = 16;
// Probes 1..14 (index 0..13) are read on every re-poll tick; 15 and 16 keep their first answer.
inline constexpr int kRepolledProbes = 14;

struct ProbeDef {
    const MibObjectDef* table;
    const char* edit;        // the field for item 0
    const char* secondEdit;  // the field for item 2, or null (probe 7: item 1 and item 2)
    const char* format;
};

// The probe table in its order; index 6 reads the five LAN objects and binds items 1 and 2.
const std::array<ProbeDef, kProbeCount>& probeTable();

// The fields a clearing tick empties: every re-polled field but the two read once and the Status
// menu's.
const std::vector<std::string>& clearedFields();

// One read of a small object table into hidden fields, asynchronous unless switched. SNMP failures
// leave the fields as they were.
class CapabilityProbe : public HvSNMPRequest2Edits {
public:
    CapabilityProbe(forms::Form* owner, const MibObjectDef* table);

    // The probe has had a successful asynchronous answer.
    bool answered() const { return m_answered; }

private:
    bool m_answered = false;
};

// When the probes are read: every tick reads probes 1..14 and, on the 8th tick and then every 7th,
// first clears their fields. Probes 15 and 16 are read at start and again on each tick until each
// has had its first successful answer, so a device that was silent at start still gets them.
// A probe whose read is still out is not sent again: on a slow device a second read would overlap
// the first, and its late answer could overwrite a field read once with a later value.
class CapabilityPoll {
public:
    struct Plan {
        bool clear = false;
        std::vector<int> probes;  // indexes into the probe table
    };
    // The start-up round: every probe.
    static Plan startup();
    // One Timer1 tick; pollTicks is the main window's counter.
    static Plan tick(int32_t& pollTicks, const std::array<bool, kProbeCount>& answered,
                     const std::array<bool, kProbeCount>& busy = {});
};
