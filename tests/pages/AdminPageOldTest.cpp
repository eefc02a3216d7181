// The older administration page against the device simulator over real UDP on loopback, and the
// Admin menu item, which opens the older or the newer page by the device's capability.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/Forms.h"
#include "library/HvSNMPSession.h"
#include "module/Main.h"
#include "pages/Pages.h"
#include "pages/admin/Admin.h"
#include "pages/admin/Admin2.h"
#include "tests/NamedRows.h"
#include "tests/pages/AdminPageSupport.h"
#include "tests/support/PageUnderTest.h"

namespace {

using hvtest::PrintTo;

const std::string E = "1.3.6.1.4.1.47011.11.37.4.";
const std::string kUser = E + "3.1.1.0";
const std::string kPassword = E + "3.1.2.0";
const std::string kClusterAction = E + "2.12.1.1.1.2.1";
const QString kRestartQuestion = QStringLiteral(
    "Do you want reboot now?\nIf you choose 'Cancel',please reboot AP when you complete settings!");

class AdminPageOld : public PageUnderTest<TFM_Admin> {
protected:
    void SetUp() override {
        PageUnderTest::SetUp();
        setFilter = [](const SimLogLine& l) { return l.asked.rfind(E + "3.1.", 0) == 0; };
    }

    TFM_Admin& open() {
        TFM_Admin& p = makePage();
        waitFor([&] { return !p.clusterRequest->busy; });
        return p;
    }

    // Clicks OK; true when the waiting dialog ran.
    bool ok() { return clickSeesWaiting(*page, page->OK); }

    void typeNewPassword(TFM_Admin& p, const QString& text) {
        p.Ed_OPwd->userType("password");
        p.Ed_NPwd->userType(text);
        p.Ed_CNP->userType(text);
    }

    std::vector<std::string> written(size_t from) const { return setTexts(sets(from)); }
};

TEST_F(AdminPageOld, OpensWithTheDeviceValues) {
    ASSERT_TRUE(startSim()) << sim->error();
    makePage();
    // Until the AP-domain state is known a joined device would restart without its question.
    EXPECT_FALSE(page->OK->enabled());
    TFM_Admin& p = open();
    EXPECT_EQ(p.caption(), u"Tools \\ Admin");
    EXPECT_EQ(p.Ed_Usr->text(), u"admin");
    EXPECT_EQ(p.Ed_Pwd->text(), u"password");
    EXPECT_FALSE(p.Ed_Pwd->visible());
    // The old password is typed, not given.
    EXPECT_EQ(p.Ed_OPwd->text(), u"");
    EXPECT_EQ(p.Ed_NPwd->passwordChar(), u'*');
    EXPECT_EQ(p.CB_Clus->text(), u"Escape");
    EXPECT_TRUE(p.OK->enabled());
    EXPECT_TRUE(sets().empty());
}

TEST_F(AdminPageOld, NewPasswordWrittenThenTheDeviceRestarts) {
    ASSERT_TRUE(startSim({"--restart-time", "50"})) << sim->error();
    TFM_Admin& p = open();
    typeNewPassword(p, "fresh");
    const size_t mark = sim->logSize();
    EXPECT_TRUE(ok());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(written(mark), (std::vector<std::string>{kUser + "=admin", kPassword + "=fresh"}));
    EXPECT_EQ(p.StatusBar->simpleText(), u"Setting Success!");
    // Read again: the device's new password is the one the next change must give.
    EXPECT_TRUE(waitFor([&] { return !p.clusterRequest->busy; }));
    EXPECT_EQ(p.Ed_Pwd->text(), u"fresh");
}

// A device that has joined an AP domain asks before it restarts; Cancel leaves the restart to the
// user, the setting is made all the same.
TEST_F(AdminPageOld, JoinedDeviceAsksBeforeTheRestart) {
    ASSERT_TRUE(startSim({"--restart-time", "50"})) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kClusterAction + " i 1"));
    TFM_Admin& p = open();
    ASSERT_EQ(p.CB_Clus->text(), u"Join");
    typeNewPassword(p, "fresh");
    answers = {forms::IDCANCEL};
    EXPECT_FALSE(ok());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kRestartQuestion);
    EXPECT_EQ(boxes[0].caption, u"Warning");
    EXPECT_EQ(boxes[0].buttons, forms::MB_OKCANCEL);
    EXPECT_EQ(p.StatusBar->simpleText(), u"Setting Success!");
    EXPECT_EQ(sim->command("get " + kPassword), "ok s \"fresh\"");

    // The AP-domain state is read again before the next change is offered.
    ASSERT_TRUE(waitFor([&] { return p.OK->enabled(); }));
    p.Ed_OPwd->setText("fresh");
    EXPECT_TRUE(ok());
    EXPECT_EQ(boxes.size(), 2u);
}

// The edits take 12 characters; the check allows a 40-character user name, which only a device
// can give.
TEST_F(AdminPageOld, UserNameLimits) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kUser + " s " + std::string(41, 'u')));
    TFM_Admin& p = open();
    EXPECT_EQ(p.Ed_Usr->text().size(), 41);
    p.Ed_OPwd->userType("password");
    const size_t mark = sim->logSize();
    EXPECT_FALSE(ok());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"Please limit user name to 40 characters!");
    EXPECT_EQ(boxes[0].caption, u"Warning");
    EXPECT_EQ(p.Ed_Usr->text(), u"");
    EXPECT_TRUE(sets(mark).empty());

    p.Ed_Usr->userType(QString(20, 'v'));
    EXPECT_EQ(p.Ed_Usr->text(), QString(12, 'v'));
}

TEST_F(AdminPageOld, WrongOldPasswordWritesNothing) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_Admin& p = open();
    p.Ed_OPwd->userType("Password");
    const size_t mark = sim->logSize();
    EXPECT_FALSE(ok());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"Please input the current password correctly!");
    EXPECT_TRUE(sets(mark).empty());
}

TEST_F(AdminPageOld, RefusedWriteKeepsTheDevicesPassword) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_Admin& p = open();
    typeNewPassword(p, "fresh");
    ASSERT_TRUE(sim->ok("error " + kPassword + " genErr set"));
    EXPECT_FALSE(ok());
    EXPECT_EQ(p.StatusBar->simpleText(), u"Setting Error!");
    EXPECT_EQ(p.Ed_Pwd->text(), u"password");
}

// Without the password as the device holds it the old-password check would pass an empty text.
TEST_F(AdminPageOld, UnreadAccountWritesNothing) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("error " + kPassword + " genErr get"));
    TFM_Admin& p = open();
    EXPECT_FALSE(p.OK->enabled());
    const size_t mark = sim->logSize();
    p.OKClick(nullptr);
    EXPECT_TRUE(sets(mark).empty());
}

struct Choice {
    const char* name;
    const char* green;
    bool newer;
};

class AdminMenu : public AdminPageOld, public ::testing::WithParamInterface<Choice> {};

// The Tools menu's Admin item opens the page of the device's generation, modally, and deletes it.
TEST_P(AdminMenu, OpensThePageOfTheDevice) {
    ASSERT_TRUE(startSim()) << sim->error();
    TMainForm& window = start({}, HvPages());
    HvSNMPSession::defaults.port = static_cast<uint16_t>(sim->port());
    window.Ed_Green->setText(QString::fromUtf8(GetParam().green));
    forms::MenuItem* item = window.pageItem("tAdmin2");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->caption(), u"Admin");
    bool newer = false;
    QString user;
    window.pageOpener = [&](forms::Form& f) {
        newer = dynamic_cast<TFM_AdminNew*>(&f) != nullptr;
        EXPECT_EQ(f.caption(), u"Tools \\ Admin");
        if (auto* n = dynamic_cast<TFM_AdminNew*>(&f)) user = n->Ed_Usr->text();
        if (auto* o = dynamic_cast<TFM_Admin*>(&f)) user = o->Ed_Usr->text();
        return int(forms::mrCancel);
    };
    EXPECT_TRUE(item->userClick());
    EXPECT_EQ(newer, GetParam().newer);
    EXPECT_EQ(user, u"admin");
    EXPECT_TRUE(FM_Admin.isNull());
    EXPECT_TRUE(FM_AdminNew.isNull());
}

INSTANTIATE_TEST_SUITE_P(Green, AdminMenu,
                         ::testing::Values(Choice{"Zero", "0", false}, Choice{"NotANumber", "x", false},
                                           Choice{"One", "1", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
