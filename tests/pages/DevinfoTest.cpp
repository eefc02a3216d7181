// The device and system information pages against the device simulator over real UDP on loopback:
// what they show, how they follow the device on Refresh, and what Save writes and reports.

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

#include "library/HvSNMPSession.h"
#include "module/Main.h"
#include "pages/admin/Devinfo.h"
#include "pages/admin/DevinfoLayout.h"
#include "pages/admin/Information.h"
#include "pages/admin/InformationLayout.h"
#include "platform/forms/Forms.h"
#include "platform/forms/LayoutCheck.h"
#include "tests/support/PageUnderTest.h"
#include "tests/support/PageRow.h"

namespace {

const std::string E = "1.3.6.1.4.1.47011.11.37.4.";
const std::string kRadio = E + "4.2.1.";  // column n of slot s: kRadio + "n.s"

class DevinfoTest : public PageUnderTest<TFM_DevInfo> {
protected:
    // Opens the page and waits for its asynchronous device read.
    TFM_DevInfo& open() {
        TFM_DevInfo& p = makePage();
        waitFor([&] { return !p.reqDevice || !p.reqDevice->busy; });
        return p;
    }
};

TEST_F(DevinfoTest, OpensWithTheDeviceValues) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_DevInfo& p = open();
    EXPECT_EQ(p.Ed_SSIDa->text(), u"qmx-ap");
    EXPECT_EQ(p.Ed_Channela->text(), u"6");
    EXPECT_EQ(p.Ed_SupModa->text(), u"Disabled");
    EXPECT_EQ(p.Ed_DatRata->text(), u"54Mbps");
    EXPECT_EQ(p.Ed_SecLevAutha->text(), u"Open System");
    EXPECT_EQ(p.Ed_SecLevPria->text(), u"None");
    EXPECT_EQ(p.Ed_Firmware->text(), u"v2.20.01");
    EXPECT_EQ(p.Ed_IPaddr->text(), u"127.0.0.1");
    EXPECT_EQ(p.Ed_SubMask->text(), u"255.0.0.0");
    EXPECT_EQ(p.Ed_Gate->text(), u"127.0.0.254");
    EXPECT_FALSE(p.Ed_Mac->text().isEmpty());
    EXPECT_FALSE(p.Ed_GetIP->text().isEmpty());
    // The hidden slot is never asked.
    EXPECT_EQ(p.reqRadioG, nullptr);
    for (const auto& l : sim->requests())
        EXPECT_NE(l.asked.rfind(kRadio, 0) == 0 && l.asked.back() == '2', true) << l.asked;
}

// With the device's values shown the page fits: the refresh button stands clear of the last edit.
TEST_F(DevinfoTest, FitsWithTheDeviceValues) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_DevInfo& p = open();
    p.show();
    const std::vector<std::string> problems = forms::checkLayout(p, kDevInfoLayout);
    EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(problems);
    EXPECT_FALSE(p.Bt_Refa->geometry().intersects(p.Ed_SecLevPria->geometry()));
}

TEST_F(DevinfoTest, RefreshFollowsTheDeviceAndKeepsTheSuperGText) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kRadio + "2.1 i 36"));
    ASSERT_TRUE(sim->ok("set " + kRadio + "3.1 i 1"));
    main->ED_Turbomode->setText(QStringLiteral("1"));
    TFM_DevInfo& p = open();
    EXPECT_EQ(p.Ed_SupModusa->text(), u"Super G without Turbo");
    ASSERT_TRUE(sim->ok("set " + kRadio + "1.1 s other-ap"));
    ASSERT_TRUE(sim->ok("set " + kRadio + "2.1 i 6"));
    ASSERT_TRUE(sim->ok("set " + kRadio + "3.1 i 4"));
    p.Bt_Refa->userClick();
    EXPECT_EQ(p.Ed_SSIDa->text(), u"other-ap");
    EXPECT_EQ(p.Ed_Channela->text(), u"6");
    EXPECT_EQ(p.Ed_SupModa->text(), u"Disabled");
    EXPECT_EQ(p.Ed_SupModusa->text(), u"Super G without Turbo");
}

struct SuperG {
    const char* name;
    const char* turbo;  // the main window's turbo capability text
    int channel;
    int mode;
    const char* shown;
};

void PrintTo(const SuperG& c, std::ostream* os) {
    *os << c.name;
}

class DevinfoSuperG : public DevinfoTest, public ::testing::WithParamInterface<SuperG> {};

TEST_P(DevinfoSuperG, ShownTextFollowsTheTurboCapability) {
    const SuperG& c = GetParam();
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kRadio + "2.1 i " + std::to_string(c.channel)));
    ASSERT_TRUE(sim->ok("set " + kRadio + "3.1 i " + std::to_string(c.mode)));
    main->ED_Turbomode->setText(QString::fromUtf8(c.turbo));
    TFM_DevInfo& p = open();
    EXPECT_EQ(p.Ed_SupModusa->text(), QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(Device, DevinfoSuperG,
                         ::testing::Values(SuperG{"NoTurboEnabled", "0", 6, 2, "Enabled"},
                                           SuperG{"NoTurboDisabled", "0", 36, 4, "Disabled"},
                                           SuperG{"TurboOffChannel6", "1", 36, 1, "Super G without Turbo"},
                                           SuperG{"Channel6Unchanged", "1", 6, 3,
                                                  "Super G with Dynamic Turbo"},
                                           SuperG{"DisabledUnchanged", "1", 36, 4, "Disabled"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A slot that did not answer makes up no Super G mode from the empty texts it left.
TEST_F(DevinfoTest, UnansweredSlotShowsNoSuperGText) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("error " + kRadio + "1.1 genErr get"));
    main->ED_Turbomode->setText(QStringLiteral("0"));
    TFM_DevInfo& p = open();
    EXPECT_TRUE(p.Ed_SupModusa->text().isEmpty());
    EXPECT_FALSE(p.StatusBar->simpleText().isEmpty());
}

// The Status menu's item, as the page registry makes it, opens the page modally and deletes it afterwards.
TEST_F(DevinfoTest, MenuOpensThePage) {
    ASSERT_TRUE(startSim()) << sim->error();
    EXPECT_STREQ(pageRow("stDeviceInfo2").caption, "Device Info");
    QString ssid;
    const QString shown = openFromMenu(pageRow("stDeviceInfo2"), [&](forms::Form& f) {
        EXPECT_EQ(FM_DevInfo.data(), &f);
        ssid = static_cast<TFM_DevInfo&>(f).Ed_SSIDa->text();
    });
    EXPECT_EQ(shown, u"Status \\ Device Info");
    EXPECT_TRUE(FM_DevInfo.isNull());
    EXPECT_EQ(ssid, u"qmx-ap");
}

const std::string kSys = "1.3.6.1.2.1.1.";  // object n: kSys + "n.0"

class SysInfoTest : public PageUnderTest<TFM_SysInfo> {
protected:
    void SetUp() override {
        PageUnderTest::SetUp();
        setFilter = [](const SimLogLine& l) { return l.asked.rfind(kSys, 0) == 0; };
    }

    bool idle() { return !page->reqSystem || !page->reqSystem->busy; }
    TFM_SysInfo& open() {
        makePage();
        waitFor([&] { return idle(); });
        return *page;
    }
    std::string stored(int n) { return sim->command("get " + kSys + std::to_string(n) + ".0"); }
};

TEST_F(SysInfoTest, OpensWithTheSystemGroup) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kSys + "4.0 s ops@lab"));
    TFM_SysInfo& p = open();
    EXPECT_EQ(p.Ed_SD->text(), u"QMX-7240NT Wireless Access Point");
    EXPECT_FALSE(p.Ed_SO->text().isEmpty());
    EXPECT_FALSE(p.Ed_SU->text().isEmpty());
    EXPECT_EQ(p.Ed_SC->text(), u"ops@lab");
    EXPECT_EQ(p.Ed_SN->text(), u"qmx-lab");
    EXPECT_EQ(p.Ed_SC->maxLength(), 255);
    EXPECT_EQ(p.Ed_SN->maxLength(), 39);
    EXPECT_EQ(p.Ed_SL->maxLength(), 255);
    EXPECT_TRUE(p.Btn_Sa->enabled());
}

// Refresh reports "Get OK!" only once the answer has come, and shows what it brought.
// What the device reports of itself takes no typing; contact, name and location do.
TEST_F(SysInfoTest, ReportedValuesAreReadOnly) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_SysInfo& p = open();
    p.show();
    for (forms::Edit* e : {p.Ed_SD, p.Ed_SO, p.Ed_SU}) {
        SCOPED_TRACE(e->objectName().toStdString());
        const QString shown = e->text();
        EXPECT_FALSE(e->enabled());
        EXPECT_TRUE(e->isReadOnly());
        e->userType(QStringLiteral("x"));
        EXPECT_EQ(e->text(), shown);
    }
    p.Ed_SC->userType(QStringLiteral("x"));
    EXPECT_TRUE(p.Ed_SC->text().endsWith(u'x'));
    const std::vector<std::string> problems = forms::checkLayout(p, kSysInfoLayout);
    EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(problems);
}

TEST_F(SysInfoTest, RefreshReportsFromTheCompletion) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_SysInfo& p = open();
    ASSERT_TRUE(sim->ok("set " + kSys + "5.0 s renamed"));
    ASSERT_TRUE(sim->ok("delay 200 1"));
    p.StatusBar->setSimpleText(QString());
    p.Btn_Re->userClick();
    EXPECT_NE(p.StatusBar->simpleText(), u"Get OK!");
    EXPECT_EQ(p.Ed_SN->text(), u"qmx-lab");
    EXPECT_FALSE(p.Btn_Sa->enabled());
    ASSERT_TRUE(waitFor([&] { return idle(); }));
    EXPECT_EQ(p.Ed_SN->text(), u"renamed");
    EXPECT_EQ(p.StatusBar->simpleText(), u"Get OK!");
    EXPECT_TRUE(p.Btn_Sa->enabled());
}

// Save writes the three writable objects only, and reports "Save OK!" from the completion.
TEST_F(SysInfoTest, SaveWritesTheWritableObjects) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_SysInfo& p = open();
    const QString name(39, u'n');
    p.Ed_SC->setText(QStringLiteral("ops@lab"));
    p.Ed_SN->setText(name);
    p.Ed_SL->setText(QStringLiteral("rack 4"));
    ASSERT_TRUE(sim->ok("delay 200 1"));
    const size_t mark = sim->logSize();
    p.Btn_Sa->userClick();
    EXPECT_NE(p.StatusBar->simpleText(), u"Save OK!");
    EXPECT_FALSE(p.Btn_Sa->enabled());
    ASSERT_TRUE(waitFor([&] { return idle(); }));
    EXPECT_EQ(p.StatusBar->simpleText(), u"Save OK!");
    EXPECT_TRUE(boxes.empty());
    std::vector<std::string> asked;
    for (const auto& l : sets(mark)) asked.push_back(l.asked);
    std::sort(asked.begin(), asked.end());
    EXPECT_EQ(asked, (std::vector<std::string>{kSys + "4.0", kSys + "5.0", kSys + "6.0"}));
    EXPECT_EQ(stored(4), "ok s \"ops@lab\"");
    EXPECT_EQ(stored(5), "ok s \"" + name.toStdString() + "\"");
    EXPECT_EQ(stored(6), "ok s \"rack 4\"");
}

TEST_F(SysInfoTest, RefusedSaveIsNotReportedAsSaved) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_SysInfo& p = open();
    ASSERT_TRUE(sim->ok("error " + kSys + "5.0 notWritable set"));
    p.Ed_SN->setText(QStringLiteral("other"));
    p.Btn_Sa->userClick();
    ASSERT_TRUE(waitFor([&] { return idle(); }));
    EXPECT_NE(p.StatusBar->simpleText(), u"Save OK!");
    EXPECT_FALSE(p.StatusBar->simpleText().isEmpty());
    EXPECT_EQ(stored(5), "ok s \"qmx-lab\"");
}

// A read that fails leaves the fields empty: Save is not offered, so nothing blanks what the device
// holds; a Refresh that reads offers it again.
TEST_F(SysInfoTest, UnreadSystemGroupIsNotSaved) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("error " + kSys + "6.0 noSuchName get"));
    TFM_SysInfo& p = open();
    EXPECT_TRUE(p.Ed_SN->text().isEmpty());
    EXPECT_NE(p.StatusBar->simpleText(), u"Get OK!");
    EXPECT_FALSE(p.StatusBar->simpleText().isEmpty());
    EXPECT_FALSE(p.Btn_Sa->enabled());
    const size_t mark = sim->logSize();
    p.Btn_SaClick(p.Btn_Sa);
    EXPECT_TRUE(idle());
    EXPECT_TRUE(sets(mark).empty());
    EXPECT_EQ(stored(5), "ok s \"qmx-lab\"");

    ASSERT_TRUE(sim->ok("error " + kSys + "6.0 off"));
    p.Btn_Re->userClick();
    ASSERT_TRUE(waitFor([&] { return idle(); }));
    EXPECT_EQ(p.StatusBar->simpleText(), u"Get OK!");
    EXPECT_EQ(p.Ed_SN->text(), u"qmx-lab");
    EXPECT_TRUE(p.Btn_Sa->enabled());
}

struct TooLong {
    const char* name;
    int object;  // 4 contact, 5 name, 6 location
    int length;
    const char* message;
};

void PrintTo(const TooLong& c, std::ostream* os) {
    *os << c.name;
}

class SysInfoTooLong : public SysInfoTest, public ::testing::WithParamInterface<TooLong> {};

// A text longer than its edit accepts can only come from the device; Save refuses it and writes nothing.
TEST_P(SysInfoTooLong, SaveRefusesAndWritesNothing) {
    const TooLong& c = GetParam();
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(
        sim->ok("set " + kSys + std::to_string(c.object) + ".0 s " + std::string(size_t(c.length), 'x')));
    TFM_SysInfo& p = open();
    const size_t mark = sim->logSize();
    p.Btn_Sa->userClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QString::fromUtf8(c.message));
    EXPECT_EQ(boxes[0].caption, u"Error");
    EXPECT_TRUE(idle());
    EXPECT_TRUE(sets(mark).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Device, SysInfoTooLong,
    ::testing::Values(TooLong{"Contact256", 4, 256, "The Max Lengh of the SystemContact is 255."},
                      TooLong{"Name40", 5, 40, "The Max Lengh of the SystemName is 39."},
                      TooLong{"Location256", 6, 256, "The Max Lengh of the SystemLocation is 255."}),
    [](const auto& info) { return std::string(info.param.name); });

// The Home menu's item, as the page registry makes it, opens the page modally and deletes it afterwards.
TEST_F(SysInfoTest, MenuOpensThePage) {
    ASSERT_TRUE(startSim()) << sim->error();
    EXPECT_STREQ(pageRow("Information1").caption, "Information");
    const QString shown =
        openFromMenu(pageRow("Information1"), [&](forms::Form& f) { EXPECT_EQ(FM_SysInfo.data(), &f); });
    EXPECT_EQ(shown, u"Home \\ Information");
    EXPECT_TRUE(FM_SysInfo.isNull());
}

}  // namespace
