// The System page against the device simulator over real UDP on loopback: what it shows, what each
// command writes, its question, a refused command and the menu item.

#include <gtest/gtest.h>

#include <QTimer>

#include <ostream>
#include <string>
#include <vector>

#include "library/HvSNMPSession.h"
#include "module/Main.h"
#include "module/Wait.h"
#include "pages/Pages.h"
#include "pages/admin/System.h"
#include "platform/forms/Forms.h"
#include "tests/support/PageUnderTest.h"

namespace {

const std::string E = "1.3.6.1.4.1.47011.11.37.4.";
const std::string kRestart = E + "3.2.1.0";
const std::string kFactory = E + "3.2.2.0";
const std::string kClusterAction = E + "2.12.1.1.1.2.1";
const QString kQuestion =
    QStringLiteral("Device will reboot and Vistrel module will be disconnected! Continue?");

// What the waiting dialog showed while it ran.
struct Seen {
    bool shown = false;
    QString caption;
    QString label3;
};

class SystemTest : public PageUnderTest<TFM_Sytem> {
protected:
    void SetUp() override {
        PageUnderTest::SetUp();
        setFilter = [](const SimLogLine& l) { return l.asked.rfind(E + "3.2.", 0) == 0; };
    }

    // Clicks button and records the waiting dialog, if one opens, while its loop runs.
    Seen click(forms::Button* button) {
        Seen seen;
        QTimer watch;
        watch.setInterval(1);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (TFM_Waiting* w = page->waiting(); w && !seen.shown) {
                seen.shown = true;
                seen.caption = w->caption();
                seen.label3 = w->Label3->caption();
            }
        });
        watch.start();
        button->userClick();
        return seen;
    }

    std::vector<std::string> setLines(size_t from) const {
        std::vector<std::string> out;
        for (const auto& l : sets(from)) out.push_back(l.asked + "=" + l.value + " " + l.status);
        return out;
    }
};

TEST_F(SystemTest, OpensWithTheDeviceValues) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_Sytem& p = makePage();
    EXPECT_EQ(p.caption(), u"Tools \\ System");
    EXPECT_EQ(p.CB_Restart->text(), u"False");
    EXPECT_EQ(p.CB_Restore->text(), u"False");
    EXPECT_EQ(p.CB_Clus->text(), u"Escape");
    EXPECT_TRUE(p.Button1->enabled());
    EXPECT_TRUE(p.Button2->enabled());
    EXPECT_TRUE(sets().empty());
}

// A member of an AP domain cannot be reset; it can always be restarted.
TEST_F(SystemTest, JoinedDeviceOffersNoFactoryReset) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kClusterAction + " i 1"));
    TFM_Sytem& p = makePage();
    EXPECT_EQ(p.CB_Clus->text(), u"Join");
    EXPECT_FALSE(p.Button2->enabled());
    EXPECT_TRUE(p.Button1->enabled());
}

// A restart never writes the factory-default object, even when the device reads it as True.
TEST_F(SystemTest, RestartSendsOnlyTheRestart) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kFactory + " i 1"));
    TFM_Sytem& p = makePage();
    ASSERT_EQ(p.CB_Restore->text(), u"True");
    const size_t mark = sim->logSize();
    const Seen seen = click(p.Button1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kQuestion);
    EXPECT_EQ(boxes[0].caption, u"Warning");
    EXPECT_EQ(boxes[0].buttons, forms::MB_OKCANCEL);
    EXPECT_EQ(setLines(mark), (std::vector<std::string>{kRestart + "=1 ok"}));
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.caption, u"System is rebooting, please waiting.....");
    EXPECT_FALSE(p.waiting());

    // The flags are back: the next factory reset writes both objects.
    ASSERT_TRUE(waitFor([&] { return sim->command("ping") == "ok" && p.commandRequest->get(); }));
    const size_t second = sim->logSize();
    click(p.Button2);
    EXPECT_EQ(setLines(second), (std::vector<std::string>{kRestart + "=1 ok", kFactory + "=1 ok"}));
}

TEST_F(SystemTest, FactoryResetAsksAndCancelSendsNothing) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_Sytem& p = makePage();
    answers = {forms::IDCANCEL};
    const size_t mark = sim->logSize();
    const Seen cancelled = click(p.Button2);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kQuestion);
    EXPECT_TRUE(sets(mark).empty());
    EXPECT_FALSE(cancelled.shown);

    const Seen seen = click(p.Button2);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(setLines(mark), (std::vector<std::string>{kRestart + "=1 ok", kFactory + "=1 ok"}));
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.caption, u"System is rebooting, please waiting.....!");
    EXPECT_EQ(seen.label3, u"The system IP will be 192.168.0.50 !");
}

struct Refused {
    const char* name;
    bool factory;
};

void PrintTo(const Refused& r, std::ostream* os) {
    *os << r.name;
}

class SystemRefused : public SystemTest, public ::testing::WithParamInterface<Refused> {};

// A refused command restarts nothing: its message shows and nothing is awaited.
TEST_P(SystemRefused, EndsInItsMessageWithoutWaiting) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_Sytem& p = makePage();
    ASSERT_TRUE(sim->ok("error " + kRestart + " genErr set"));
    const size_t mark = sim->logSize();
    const Seen seen = click(GetParam().factory ? p.Button2 : p.Button1);
    EXPECT_FALSE(seen.shown);
    EXPECT_EQ(boxes.size(), 1u);
    const auto written = sets(mark);
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written[0].status, "genErr");
    EXPECT_FALSE(hasSet(mark, kFactory, "1"));
    EXPECT_TRUE(p.StatusBar->simpleText().startsWith(u"Set: (SNMP) Cannot perform operation, General Error!"))
        << p.StatusBar->simpleText().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Command, SystemRefused,
                         ::testing::Values(Refused{"Restart", false}, Refused{"FactoryDefault", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// The main window's Tools menu opens the page modally and deletes it afterwards.
TEST_F(SystemTest, MenuOpensThePage) {
    ASSERT_TRUE(startSim()) << sim->error();
    TMainForm& window = start({}, HvPages());
    // A window started without a command line takes the session's defaults from its own settings.
    HvSNMPSession::defaults.port = static_cast<uint16_t>(sim->port());
    forms::MenuItem* item = window.pageItem("tSystem2");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->caption(), u"System");
    QString shownCaption;
    QString restore;
    window.pageOpener = [&](forms::Form& f) {
        shownCaption = f.caption();
        EXPECT_EQ(FM_Sytem.data(), &f);
        restore = static_cast<TFM_Sytem&>(f).CB_Restore->text();
        return int(forms::mrCancel);
    };
    EXPECT_TRUE(item->userClick());
    EXPECT_EQ(shownCaption, u"Tools \\ System");
    EXPECT_EQ(restore, u"False");
    EXPECT_TRUE(FM_Sytem.isNull());
}

}  // namespace
