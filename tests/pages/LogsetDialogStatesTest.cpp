// The log settings dialog, opened from the log page, in every device state that changes what it
// shows: remote logging off, on with a server, each activity on or off, an AP domain member. It fits,
// shows what the device holds, and Apply without edits changes nothing but what its own rule makes.

#include <gtest/gtest.h>

#include "pages/admin/Logset.h"
#include "pages/admin/Systemlog.h"
#include "tests/support/DialogStates.h"

namespace {

using namespace states;

const std::string kRemoteState = E + "2.11.8.0";
const std::string kServer = E + "2.11.9.0";

// The server field shows the device's server while remote logging is on; while it is off the log
// page empties it before it shows the dialog.
std::vector<std::string> logSettingsShown(TLogForm& p, TLogSetForm& d, SimProcess& sim,
                                          const std::set<std::string>& unreadable) {
    auto out = shownMismatches({p.logSetRequest, d.clusterRequest}, sim, unreadable, {"LogServerEdit"});
    const bool remote = heldValue(sim, kRemoteState) == "1";
    const QString want = remote ? QString::fromStdString(heldValue(sim, kServer)) : QString();
    if (d.LogServerEdit->text() != want)
        out.push_back("LogServerEdit shows \"" + d.LogServerEdit->text().toStdString() + "\", want \"" +
                      want.toStdString() + "\" with remote logging " + (remote ? "on" : "off"));
    return out;
}

const DialogSpec<TLogForm, TLogSetForm> kSpec{
    &LogsetLayout,
    [](TLogForm& p) {
        for (HvSNMPRequest2Edits* r : {p.getLogRequest, p.logSetRequest, p.clearRequest})
            if (r && r->busy) return false;
        return true;
    },
    // The settings button, as the user presses it once a log is shown.
    [](TLogForm& p, int) { p.SetBtnClick(p.SetBtn); },
    [](TLogSetForm& d) {
        return !(d.logSetRequest && d.logSetRequest->busy) && !(d.clusterRequest && d.clusterRequest->busy);
    },
    logSettingsShown,
    [](TLogSetForm& d) { return d.Button2; },
};

class LogsetDialogStates : public DialogStates<TLogForm, TLogSetForm> {
protected:
    void SetUp() override {
        DialogStates::SetUp();
        // The log page's TFTP server on a free port of its own.
        qputenv("HV_TFTP_PORT", "0");
    }
    void TearDown() override {
        DialogStates::TearDown();
        qunsetenv("HV_TFTP_PORT");
    }
};

TEST_P(LogsetDialogStates, HoldsInTheState) {
    runDialog(kSpec);
}

DeviceState remote(const std::string& name, int state, const std::string& server) {
    return holding(name, {{kRemoteState, "i " + std::to_string(state)}, {kServer, "a " + server}});
}
const DeviceState kMixedLevels =
    holding("MixedLevels", {{E + "2.11.1", "i 1"}, {E + "2.11.2", "i 0"}, {E + "2.11.3", "i 1"}});
const DeviceState kNoLevels =
    holding("NoLevels", {{E + "2.11.1", "i 0"}, {E + "2.11.2", "i 0"}, {E + "2.11.3", "i 0"}});

// With remote logging off the dialog shows no server, and Apply writes 0.0.0.0 for none.
const AllowedChange kServerDropped{kServer, "a 0.0.0.0",
                                   "remote logging off: the server field is emptied, and an empty one is "
                                   "written as 0.0.0.0"};

INSTANTIATE_TEST_SUITE_P(
    States, LogsetDialogStates,
    ::testing::Values(
        dialogRow(standard().named("RemoteOff")),
        dialogRow((standard() + remote("On", 1, "127.0.0.7")).named("RemoteOn")),
        dialogRow((standard() + remote("OffWithServer", 0, "127.0.0.7")).named("RemoteOffWithServer"), 0,
                  {kServerDropped}),
        dialogRow((standard() + kMixedLevels + remote("On", 1, "127.0.0.7")).named("MixedLevels")),
        dialogRow((standard() + kNoLevels).named("NoLevels")),
        dialogRow((standard() + joined() + remote("On", 1, "127.0.0.7")).named("Joined"))),
    dialogRowName);

}  // namespace
