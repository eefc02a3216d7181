#pragma once

// The three checks every page passes in every device state (see DeviceState.h):
// 1. it fits as it stands in that state: forms::checkLayout, no hidden control drawn, list columns
//    wide enough for the values they hold;
// 2. each bound control shows what the device holds, compared with the simulator's store;
// 3. Apply without edits changes nothing on the device: the simulator's settings before and after
//    are equal, but for the changes a page's own rules make, each listed with its rule.
// Each returns one readable line per fault; empty when the page passes.

#include <QString>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "library/bind/HvSNMPRequest2Edits.h"
#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/forms/Layout.h"

class SimProcess;

// 1. The layout faults of the page as it is shown now: forms::checkLayout's, a control drawn that
// its own flag hides, two inputs over each other, a list column narrower than a value it holds.
std::vector<std::string> stateLayoutFaults(const forms::Form& page, const forms::FormLayout& table);

// 2. Bound controls whose text differs from the device's value. Requests that are null, walk tables
// or carry an object in unreadable (the device refuses the read, so the page shows what it had) are
// left alone, and so are the controls named in ownRules: controls the page fills by a rule of its
// own after the read (masked keys, free MACs shown empty), which the page's test checks itself.
std::vector<std::string> shownMismatches(const std::vector<HvSNMPRequest2Edits*>& requests, SimProcess& sim,
                                         const std::set<std::string>& unreadable,
                                         const std::set<QString>& ownRules = {});

// 2, for controls bound to the rows of a walk, as a dialog over one table row shows them: each shows
// the device's value of row rowKey; the key's control shows the key itself.
std::vector<std::string> rowShownMismatches(const HvSNMPRequest2Edits& walk, const std::string& rowKey,
                                            SimProcess& sim, const std::set<QString>& ownRules = {});

// 2, for a list of walked rows: in each row, the cell of each column (0 the caption, n sub-item n - 1)
// shows the device's value of the column's OID at the row's key, key(row).
struct ListColumnOid {
    int column;
    std::string oid;
};
std::vector<std::string> listMismatches(const forms::ListView& list,
                                        const std::vector<ListColumnOid>& columns,
                                        const std::function<std::string(int row)>& key, SimProcess& sim);

// The device's value at oid as text (a string without its quotes); empty when it holds none.
std::string heldValue(SimProcess& sim, const std::string& oid);

// The text of every bound control of the requests, by control name, with the OID it shows.
struct ShownValue {
    std::string oid;
    QString text;
    bool operator==(const ShownValue&) const = default;
};
std::map<QString, ShownValue> shownValues(const std::vector<HvSNMPRequest2Edits*>& requests);

// 3. The device's settings: every writable object of its own arc but the restart and transfer
// commands, and the writable objects of the system group; OID -> "TYPE VALUE".
using DeviceSettings = std::map<std::string, std::string>;
DeviceSettings deviceSettings(SimProcess& sim);

// A change a page's rule makes on an Apply without edits: oid takes value ("TYPE VALUE").
struct AllowedChange {
    std::string oid;
    std::string value;
    const char* rule;  // the page's rule, in plain words
};
// The settings that changed, but for the allowed changes.
std::vector<std::string> changedSettings(const DeviceSettings& before, const DeviceSettings& after,
                                         const std::vector<AllowedChange>& allowed = {});

// Message boxes answered as a user who changes nothing would: Cancel to the restart question, OK to
// everything else; recorded in boxes. The previous hook comes back when the object goes.
class DecliningRestart {
public:
    DecliningRestart();
    ~DecliningRestart();
    DecliningRestart(const DecliningRestart&) = delete;
    DecliningRestart& operator=(const DecliningRestart&) = delete;

    std::vector<forms::MessageBoxCall> boxes;

private:
    forms::MessageBoxHook m_old;
};

// The lines of a check as one failure message.
std::string faultText(const std::vector<std::string>& faults);
