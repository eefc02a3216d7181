// The device information page in every device state that changes what it shows: the Super G text by
// the turbo capability and the channel, older firmware, an unreadable object. It fits and shows what
// the device holds; it writes nothing.

#include <gtest/gtest.h>

#include "module/Main.h"
#include "pages/admin/Devinfo.h"
#include "pages/admin/DevinfoLayout.h"
#include "tests/support/PageStates.h"

namespace {

using namespace states;

const std::string kStatus = E + "4.2.1.";

// The Super G field: only Enabled or Disabled without turbo modes; a Super G name off channel 6;
// the device's own text otherwise.
void superGShown(TFM_DevInfo& p, SimProcess& sim) {
    if (sim.command("get " + kStatus + "1.1").rfind("ok", 0) != 0) return;
    const std::string own = heldValue(sim, kStatus + "3.1");
    static const char* kNames[] = {"", "Super G without Turbo", "Super G with Static Turbo",
                                   "Super G with Dynamic Turbo", "Disabled"};
    const QString text = QString::fromUtf8(kNames[std::stoi(own)]);
    QString want = text;
    if (p.mainForm().ED_Turbomode->text() == u"0")
        want = text == u"Disabled" ? text : QStringLiteral("Enabled");
    else if (heldValue(sim, kStatus + "2.1") != "6" && text != u"Disabled")
        want = QStringLiteral("Super G without Turbo");
    EXPECT_EQ(p.Ed_SupModusa->text().toStdString(), want.toStdString());
}

const PageSpec<TFM_DevInfo> kSpec{
    &kDevInfoLayout,
    [](TFM_DevInfo& p) {
        return std::vector<HvSNMPRequest2Edits*>{p.reqRadioA, p.reqRadioG, p.reqDevice};
    },
    {},
    [](TFM_DevInfo& p) { return p.Bt_Refa; },
    {},
    {},
    superGShown,
};

class DevinfoStates : public PageStates<TFM_DevInfo> {};

TEST_P(DevinfoStates, HoldsInTheState) {
    runMatrix(kSpec);
}

const DeviceState kSuperG = holding("SuperG", {{kStatus + "3.1", "i 2"}});
const DeviceState kChannel11 = holding("Channel11", {{kStatus + "2.1", "i 11"}});

INSTANTIATE_TEST_SUITE_P(
    States, DevinfoStates,
    ::testing::Values(stateRow(standard().named("Standard")),
                      stateRow((standard() + kSuperG).named("SuperGChannel6")),
                      stateRow((standard() + kSuperG + kChannel11).named("SuperGChannel11")),
                      stateRow((standard() + kSuperG + capabilitiesOff()).named("NoTurboModes")),
                      stateRow((standard() + olderFirmware()).named("OlderFirmware")),
                      stateRow((standard() + noSuchName(E + "4.1.1.5.0")).named("MaskUnreadable"))),
    stateRowName);

}  // namespace
