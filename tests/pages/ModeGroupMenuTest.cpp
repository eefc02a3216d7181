// The Advanced menu's "Mode" and "Grouping" items: each opens its page over the main window with the
// device's values and deletes it afterwards, and each is the item the menu's own rule shows or hides.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "module/Main.h"
#include "pages/Pages.h"
#include "pages/wireless/Group.h"
#include "pages/wireless/Modecfg.h"
#include "platform/forms/Forms.h"
#include "tests/NamedRows.h"
#include "tests/support/PageFixture.h"
#include "tests/support/PageRow.h"

namespace {

using hvtest::PrintTo;

const std::string E = "1.3.6.1.4.1.47011.11.37.4.";

struct MenuCase {
    const char* name;
    const char* item;
    const char* caption;
    const char* title;
    std::string deviceSet;                      // a control command that gives the page a value of its own
    std::function<QString(forms::Form&)> read;  // that value as the page shows it
    const char* expected;
    std::function<bool()> formVarEmpty;
    forms::Edit* TMainForm::*rule;  // the main window's field the item's visibility follows
    const char* hiddenWith;
    const char* shownWith;
};

const MenuCase kMenus[] = {
    {"Mode", "adMode1", "Mode", "Advanced \\ Mode", "set " + E + "2.1.1.1.1 i 3",
     [](forms::Form& f) { return static_cast<TFM_ModeCFG&>(f).CB_11a_APM->text(); }, "PtMP Bridge",
     [] { return FM_ModeCFG.isNull(); }, &TMainForm::Ed_FwVer, "v2.20.01", "v1.00.05"},
    {"Grouping", "adGrouping2", "Grouping", "Advanced \\ Grouping", "set " + E + "2.6.2.0 i 9",
     [](forms::Form& f) { return static_cast<TFM_Group&>(f).Ed_UsrL->text(); }, "9",
     [] { return FM_Group.isNull(); }, &TMainForm::NewMultiSupport, "0", "1"},
};

class ModeGroupMenu : public PageTest, public ::testing::WithParamInterface<MenuCase> {
protected:
    void SetUp() override {
        PageTest::SetUp();
        // The program's first main window sets the session up; the menu's windows come after it.
        idleMain();
    }
};

TEST_P(ModeGroupMenu, OpensThePageWithTheDeviceValues) {
    const MenuCase& c = GetParam();
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok(c.deviceSet));
    QString value;
    bool heldWhileShown = false;
    const QString shown = openFromMenu(pageRow(c.item), [&](forms::Form& f) {
        value = c.read(f);
        heldWhileShown = !c.formVarEmpty();
    });
    EXPECT_EQ(shown, QString::fromUtf8(c.title));
    EXPECT_EQ(value, QString::fromUtf8(c.expected));
    EXPECT_TRUE(heldWhileShown);
    EXPECT_TRUE(c.formVarEmpty());
}

TEST_P(ModeGroupMenu, ItemFollowsTheMenuRule) {
    const MenuCase& c = GetParam();
    TMainForm& window = start({}, HvPages());
    forms::MenuItem* item = window.pageItem(c.item);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->caption(), QString::fromUtf8(c.caption));
    window.ifMultiSSID_Edit->setText(QStringLiteral("0"));
    (window.*c.rule)->setText(QString::fromUtf8(c.hiddenWith));
    window.advanced2Click(window.advanced2);
    EXPECT_FALSE(item->visible());
    (window.*c.rule)->setText(QString::fromUtf8(c.shownWith));
    window.advanced2Click(window.advanced2);
    EXPECT_TRUE(item->visible());
}

INSTANTIATE_TEST_SUITE_P(Items, ModeGroupMenu, ::testing::ValuesIn(kMenus),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
