// Every page of the registry opened from the main window's menu and closed again, on a device that
// answers every request a second late; and the main window closed while a page waits for its walks.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>

#include <string>
#include <utility>
#include <vector>

#include "library/HvSNMPSession.h"
#include "module/Main.h"
#include "pages/Pages.h"
#include "pages/admin/Dhcp.h"
#include "platform/forms/Forms.h"
#include "tests/support/PageFixture.h"
#include "tests/support/RegistryPages.h"
#include "tests/support/WhenShown.h"

namespace {

class PageRegistryTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        // The waiting dialog and the pages' timers in milliseconds.
        forms::Application::setTimeScale(0.02);
    }

    // The main window over the whole registry, its pages talking to the simulator, which answers a
    // second late, after its time-outs of 0.5 s: late answers come to reads that have given up.
    TMainForm& slowDevice() {
        EXPECT_TRUE(startSim()) << sim->error();
        HvSNMPSession::defaults.timeout = 50;
        const auto defaults = HvSNMPSession::defaults;
        TMainForm& window = start({}, HvPages());
        HvSNMPSession::defaults = defaults;
        EXPECT_TRUE(sim->ok("delay 1000"));
        return window;
    }
};

class PageRegistryOpening : public PageRegistryTest, public ::testing::WithParamInterface<RegistryPage> {};

// Shown, then closed as the user closes it (again while it refuses); the menu's handler deletes it.
TEST_P(PageRegistryOpening, OpensAndClosesOnASlowDevice) {
    TMainForm& window = slowDevice();
    for (const auto& [field, value] : GetParam().fields)
        window.findChild<forms::Edit*>(QLatin1String(field))->setText(QLatin1String(value));
    QString shown;
    QPointer<forms::Form> page;
    window.pageOpener = [&](forms::Form& f) {
        shown = f.caption();
        page = &f;
        auto* closer = new QTimer(&f);
        QObject::connect(closer, &QTimer::timeout, [&f] {
            if (f.isVisible()) f.close();
        });
        whenShown(&f, [closer] { closer->start(50); });
        return f.showModal();
    };
    forms::MenuItem* item = window.pageItem(GetParam().item);
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->userClick());
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_TRUE(page.isNull());
    EXPECT_TRUE(window.isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Table, PageRegistryOpening, ::testing::ValuesIn(registryPages()),
                         [](const auto& info) { return std::string(info.param.name); });

// The DHCP page closed while its walks are out hides and waits; the main window closes meanwhile:
// the page's loop ends, and the page goes without waiting for its walks.
TEST_F(PageRegistryTest, MainWindowClosedWhileAPageWaits) {
    TMainForm& window = slowDevice();
    // The page's requests wait for the late answers: its walks take a second a row, seconds longer
    // than the close may.
    HvSNMPSession::defaults.timeout = 150;
    window.show();
    bool hiddenAndWaiting = false;
    qint64 closedAt = -1;
    QElapsedTimer clock;
    clock.start();
    window.pageOpener = [&](forms::Form& f) {
        auto& dhcp = static_cast<TFM_DHCP&>(f);
        whenShown(&f, [&] {
            dhcp.close();
            QTimer::singleShot(100, [&] {
                hiddenAndWaiting = !dhcp.isVisible() && dhcp.requestsBusy() && !window.isEnabled();
                closedAt = clock.elapsed();
                window.close();
            });
        });
        return f.showModal();
    };
    ASSERT_TRUE(window.pageItem("adDHCPServer2")->userClick());
    EXPECT_TRUE(hiddenAndWaiting);
    ASSERT_GE(closedAt, 0);
    EXPECT_LT(clock.elapsed() - closedAt, 1500);
    EXPECT_TRUE(FM_DHCP.isNull());
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
