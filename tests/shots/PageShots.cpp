// Pictures of every page of the main menu in each of the five AP modes, taken offscreen, and the
// layout check of each page as it stands in the picture: every control inside the window, no cut
// caption, no hidden control drawn, list columns wide enough. Not part of the suite:
// scripts/screenshot.sh runs it with HV_SHOT_DIR, the folder the pictures go to.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QPixmap>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "library/HvSNMPSession.h"
#include "module/Main.h"
#include "pages/Pages.h"
#include "pages/admin/Admin2Layout.h"
#include "pages/admin/AdminLayout.h"
#include "pages/admin/Cfghis.h"
#include "pages/admin/ClientinfoLayout.h"
#include "pages/admin/ClusterLayout.h"
#include "pages/admin/DevinfoLayout.h"
#include "pages/admin/DhcpLayout.h"
#include "pages/admin/Firmware.h"
#include "pages/admin/InformationLayout.h"
#include "pages/admin/LanLayout.h"
#include "pages/admin/StaticLayout.h"
#include "pages/admin/SystemLayout.h"
#include "pages/admin/Systemlog.h"
#include "pages/wireless/EncryptLayout.h"
#include "pages/wireless/FilerLayout.h"
#include "pages/wireless/GroupLayout.h"
#include "pages/wireless/ModecfgLayout.h"
#include "pages/wireless/Multissid2Layout.h"
#include "pages/wireless/MultissidLayout.h"
#include "pages/wireless/Performace.h"
#include "pages/wireless/WirlessLayout.h"
#include "tests/support/DeviceState.h"
#include "tests/support/PageFixture.h"
#include "tests/support/RegistryPages.h"
#include "tests/support/StateChecks.h"
#include "tests/support/WhenShown.h"

namespace {

// In the order of states::Mode.
const char* const kModeNames[] = {"AccessPoint", "WdsWithAp", "WdsWithoutAp", "ApClient",
                                  "UniversalRepeater"};

// Every page's layout table, by the window's name.
const forms::FormLayout* layoutOf(const QString& name) {
    static const std::map<QString, const forms::FormLayout*> tables = [] {
        std::map<QString, const forms::FormLayout*> out;
        for (const forms::FormLayout* t :
             {&PerformaceLayout, &FirmwareLayout,  &CfghisLayout,      &SystemlogLayout,  &kWirlessLayout,
              &kLanLayout,       &kDhcpLayout,     &kModecfgLayout,    &kGroupLayout,     &kSytemLayout,
              &kDevInfoLayout,   &kSysInfoLayout,  &kStaticLayout,     &kMultiSSIDLayout, &kMultissid2Layout,
              &kAdminLayout,     &kAdminNewLayout, &kClientinfoLayout, &kClusterLayout,   &kFilterLayout,
              &kEncryptLayout})
            out[QString::fromUtf8(t->name)] = t;
        return out;
    }();
    const auto found = tables.find(name);
    return found == tables.end() ? nullptr : found->second;
}

struct Shot {
    RegistryPage page;
    int mode;
};

void PrintTo(const Shot& s, std::ostream* os) {
    *os << s.page.name << " in " << kModeNames[s.mode];
}

class PageShots : public PageTest, public ::testing::WithParamInterface<Shot> {
protected:
    void SetUp() override {
        PageTest::SetUp();
        forms::Application::setTimeScale(0.02);
        // The TFTP servers of the file pages on free ports of their own.
        qputenv("HV_TFTP_PORT", "0");
    }
    void TearDown() override {
        qunsetenv("HV_TFTP_PORT");
        PageTest::TearDown();
    }

    // The device has answered everything asked: nothing new in its log for quietMs, within boundMs.
    bool deviceQuiet(int quietMs, int boundMs) {
        size_t seen = sim->logSize();
        QElapsedTimer since;
        since.start();
        return waitFor(
            [&] {
                if (sim->logSize() != seen) {
                    seen = sim->logSize();
                    since.restart();
                }
                return since.elapsed() >= quietMs;
            },
            boundMs);
    }
};

TEST_P(PageShots, FitsInThePicture) {
    const Shot& shot = GetParam();
    // The main window first, as the page tests make it: its start sets up the session that the
    // simulator's address then goes into.
    TMainForm& window = start({}, HvPages());
    window.Ed_DataRateNew->setText(QStringLiteral("0"));
    window.lastStatusCode = 0;
    ASSERT_TRUE(startSim()) << sim->error();
    // A second for each answer: on a loaded machine a late one must not make a read give up.
    HvSNMPSession::defaults.timeout = 100;
    std::string why;
    ASSERT_TRUE(applyState(*sim, states::standard() + states::apMode(static_cast<states::Mode>(shot.mode)), &why)) << why;
    takeCapabilities(window, *sim);
    for (const auto& [field, value] : shot.page.fields)
        window.findChild<forms::Edit*>(QLatin1String(field))->setText(QLatin1String(value));

    const QString dir = qEnvironmentVariable("HV_SHOT_DIR");
    bool shown = false;
    std::function<void(forms::Form&)> inspect;
    window.pageOpener = [&](forms::Form& f) {
        // From an event of its own: the answers of a walk do not arrive in a loop nested inside a
        // timer's handler.
        whenShown(&f, [&] {
            QMetaObject::invokeMethod(
                &f, [&] { inspect(f); }, Qt::QueuedConnection);
        });
        return f.showModal();
    };
    inspect = [&](forms::Form& f) {
        shown = true;
        // Pages that poll keep the device busy: their picture is taken after a while all the same.
        deviceQuiet(400, 3000);
        const QString file =
            dir + QStringLiteral("/%1-%2.png")
                      .arg(QString::fromUtf8(kModeNames[shot.mode]), QString::fromStdString(shot.page.name));
        if (!dir.isEmpty()) {
            EXPECT_TRUE(f.grab().save(file)) << file.toStdString();
        }
        const forms::FormLayout* table = layoutOf(f.objectName());
        if (!table) {
            ADD_FAILURE() << "no layout table named " << f.objectName().toStdString();
        } else {
            const auto faults = stateLayoutFaults(f, *table);
            EXPECT_TRUE(faults.empty())
                << shot.page.name << " in " << kModeNames[shot.mode] << " does not fit:" << faultText(faults);
        }
        f.close();
    };
    forms::MenuItem* item = window.pageItem(shot.page.item);
    ASSERT_NE(item, nullptr);
    if (!item->userClick()) GTEST_SKIP() << "the menu does not offer " << shot.page.name << " in this mode";
    EXPECT_TRUE(shown);
}

std::vector<Shot> shots() {
    std::vector<Shot> out;
    for (int mode = 0; mode < 5; ++mode)
        for (const RegistryPage& p : registryPages()) out.push_back({p, mode});
    return out;
}

INSTANTIATE_TEST_SUITE_P(Pages, PageShots, ::testing::ValuesIn(shots()), [](const auto& info) {
    return std::string(kModeNames[info.param.mode]) + "_" + info.param.page.name;
});

}  // namespace
