#include "library/bind/HvSNMPRequest2Edits.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "BindFixture.h"
#include "library/HvException.h"

namespace {

namespace S = HvSyntax;
namespace A = HvAccess;
using forms::CheckBox;
using forms::ComboBox;
using forms::Edit;
using forms::Label;

const MibObjectDef kItems[] = {
    {"1.3.6.1.4.1.99.1.1", "level", S::Integer, A::ReadWrite},
    {"1.3.6.1.4.1.99.1.2", "name", S::DisplayStr, A::ReadWrite},
    {"1.3.6.1.4.1.99.1.3", "state", S::Integer, A::ReadWrite},
    {"1.3.6.1.4.1.99.1.4", "address", S::IpAddress, A::ReadWrite},
    {"1.3.6.1.4.1.99.1.5", "uptime", S::TimeTicks, A::ReadWrite},
    {"1.3.6.1.4.1.99.1.6", "flags", S::OctetStr, A::ReadWrite},
    {"1.3.6.1.4.1.99.1.7", "mode", S::Integer, A::ReadWrite},
    {"1.3.6.1.4.1.99.1.8", "mac", S::MacAddress, A::ReadWrite},
    {"1.3.6.1.4.1.99.1.9", "command", S::Integer, A::ReadWrite},
    {"1.3.6.1.4.1.99.1.10", "count", S::Gauge, A::ReadWrite},
    {"1.3.6.1.4.1.99.1.11", "object", S::ObjectId, A::ReadWrite},
    {},
};
enum { kLevel, kName, kState, kAddress, kUptime, kFlags, kMode, kMac, kCommand, kCount, kObject };

const HvOptionNumPair kOnOff[] = {{0, "Disable"}, {1, "Enable"}, {0, nullptr}};
const HvOptionNumPair kModes[] = {{0, "Disable"}, {1, "Enable"}, {2, "Basic"}, {0, nullptr}};
const HvOptionNumPair kCommands[] = {{2, "Idle"}, {4, "Reboot"}, {0, nullptr}};
const HvOptionNumPair kOne[] = {{1, "Only"}, {0, nullptr}};
const HvOptionTextPair kPrefixes[] = {{"1.3.6", "internet"}, {nullptr, nullptr}};

int codeOf(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const HvException& e) {
        return e.helpContext() ? e.helpContext() : 1;
    }
    return 0;
}

class BindingsTest : public BindTest {
protected:
    void SetUp() override {
        BindTest::SetUp();
        r = makeRequest(kItems, SVT_SV, 0, 0);
        list().item(kState).optionList = &onOff;
        list().item(kMode).optionList = &modes;
        list().item(kCommand).optionList = &commands;
    }
    void TearDown() override {
        r.reset();
        BindTest::TearDown();
    }
    HvSNMPVarList& list() { return r->request.varList; }
    std::string& value(int i) { return list().item(i).value; }
    template <class T>
    T* make() {
        return new T(form.get());
    }
    std::vector<Edit*> edits(int n) {
        std::vector<Edit*> out;
        for (int i = 0; i < n; ++i) out.push_back(make<Edit>());
        return out;
    }
    static std::vector<std::string> texts(const std::vector<Edit*>& es) {
        std::vector<std::string> out;
        for (Edit* e : es) out.push_back(e->text().toStdString());
        return out;
    }
    // The integer the fake agent last received for an OID (SVT_SV: OID + ".0").
    const HvVarBind* sent(const char* oid) { return agent.find(std::string(oid) + ".0"); }

    HvOptionList onOff{kOnOff};
    HvOptionList modes{kModes};
    HvOptionList commands{kCommands};
    std::unique_ptr<HvSNMPRequest2Edits> r;
};

TEST_F(BindingsTest, AddEditBindsOneEditPerConversion) {
    Edit* e = make<Edit>();
    r->addEdit(kLevel, "%u{n1x4095}", {e});
    ASSERT_EQ(r->bindings.size(), 1u);
    EXPECT_EQ(r->bindings[0]->controlCount(), 1);
    EXPECT_NE(r->constraints->Find(e), nullptr);

    Edit* f = make<Edit>();
    Edit* g = make<Edit>();
    EXPECT_EQ(codeOf([&] { r->addEdit(kLevel, "%u", {f, g}); }), -522) << "more edits than conversions";
    EXPECT_EQ(codeOf([&] { r->addEdit(kLevel, "%u%u", {f}); }), -522) << "fewer edits than conversions";
    EXPECT_EQ(codeOf([&] { r->addEdit(kLevel, "%s%", {f}); }), -2) << "a lone % is a bad piece";
    EXPECT_EQ(codeOf([&] { r->addEdit(kLevel, "%q", {}); }), -2);
    EXPECT_EQ(codeOf([&] { r->addEdit(kLevel, "%s%x", {f}); }), -2) << "two pieces for one edit";
    EXPECT_EQ(r->bindings.size(), 1u);
    EXPECT_EQ(r->constraints->Find(f), nullptr);
}

TEST_F(BindingsTest, OptionControlsNeedAList) {
    ComboBox* combo = make<ComboBox>();
    EXPECT_EQ(codeOf([&] { r->addComboBox(kLevel, combo); }), -520);
    EXPECT_EQ(codeOf([&] { r->addRadioGroup(kLevel, make<forms::RadioGroup>()); }), -520);
    HvOptionList prefixes(kPrefixes, HvOptionList::StringPrefix);
    list().item(kLevel).optionList = &prefixes;
    EXPECT_EQ(codeOf([&] { r->addComboBox(kLevel, combo); }), -522);
    HvOptionList one(kOne);
    list().item(kLevel).optionList = &one;
    EXPECT_EQ(codeOf([&] { r->addCheckBox(kLevel, make<CheckBox>()); }), -522)
        << "a check box shows two options";
    EXPECT_TRUE(r->bindings.empty());

    list().item(kLevel).optionList = nullptr;
    combo->setComboStyle(ComboBox::Style::DropDown);
    r->addComboBox(kState, combo);
    EXPECT_EQ(combo->comboStyle(), ComboBox::Style::DropDownList);
    EXPECT_EQ(combo->items(), (QStringList{"Disable", "Enable"}));
    EXPECT_EQ(combo->itemIndex(), -1);
}

TEST_F(BindingsTest, TwoBindingsOfOneItemAreWrittenInOrderAndRemovedTogether) {
    Label* label = make<Label>();
    Edit* edit = make<Edit>();
    int ownChanges = 0;
    QString labelSeenByEdit;
    edit->OnChange = [&](QObject*) {
        ++ownChanges;
        labelSeenByEdit = label->caption();
    };
    r->addLabel(kLevel, label);
    r->addEdit(kLevel, "%u", {edit});
    value(kLevel) = "5";
    r->writeControls(-1);
    EXPECT_EQ(label->caption(), "5");
    EXPECT_EQ(edit->text(), "5");
    EXPECT_EQ(labelSeenByEdit, "5") << "the label, bound first, is written first";
    EXPECT_EQ(ownChanges, 1) << "the edit's own handler runs behind the constraint";

    edit->setText("5x");
    EXPECT_EQ(edit->text(), "5") << "the constraint refuses the letter";
    r->removeControls(kLevel);
    EXPECT_TRUE(r->bindings.empty());
    edit->setText("5x");
    EXPECT_EQ(edit->text(), "5x") << "the edit's own handler is back, without the constraint";
    value(kLevel) = "9";
    r->writeControls(-1);
    EXPECT_EQ(label->caption(), "5");
}

TEST_F(BindingsTest, WholeValuesIntoSingleControlsAndBack) {
    Edit* level = make<Edit>();
    Edit* name = make<Edit>();
    CheckBox* state = make<CheckBox>();
    Edit* mac = make<Edit>();
    r->addEdit(kLevel, "%i", {level});
    r->addEdit(kName, "%s", {name});
    r->addCheckBox(kState, state);
    r->addEdit(kMac, "%h", {mac});
    value(kLevel) = "5";
    value(kName) = "abcdef";
    value(kState) = "Enable";
    value(kMac) = "0011223344AA";
    r->writeControls(-1);
    EXPECT_EQ(level->text(), "5");
    EXPECT_TRUE(state->checked());
    EXPECT_EQ(mac->text(), "0011223344AA");

    level->setText("7");
    name->setText("xy");
    state->setChecked(false);
    mac->setText("aabbccddeeff");
    r->readControls(-1);
    EXPECT_EQ(value(kLevel), "7");
    EXPECT_EQ(value(kName), "xy") << "a shorter string keeps nothing of the old one";
    EXPECT_EQ(value(kState), "Disable");
    EXPECT_EQ(value(kMac), "AABBCCDDEEFF");
}

TEST_F(BindingsTest, SeveralEditsShareOneValue) {
    std::vector<Edit*> ip = edits(4);
    std::vector<Edit*> ticks = edits(5);
    r->addEdit(kAddress, "%u%u%u%u", ip);
    r->addEdit(kUptime, "%u%u%u%u%u", ticks);
    value(kAddress) = "192.168.0.1";
    value(kUptime) = std::to_string(8640000 + 360000 + 6000 + 100 + 1);
    r->writeControls(-1);
    EXPECT_EQ(texts(ip), (std::vector<std::string>{"192", "168", "0", "1"}));
    EXPECT_EQ(texts(ticks), (std::vector<std::string>{"1", "1", "1", "1", "1"}));

    ip[3]->setText("7");
    ticks[0]->setText("0");
    r->readControls(-1);
    EXPECT_EQ(value(kAddress), "192.168.0.7");
    EXPECT_EQ(value(kUptime), "1:01:01.01");

    ip[3]->setText("300");
    EXPECT_EQ(codeOf([&] { r->readControls(kAddress); }), -518) << "300 is no octet";

    r->removeControls(kAddress);
    r->addEdit(kAddress, "%u%u%u", edits(3));
    EXPECT_EQ(codeOf([&] { r->writeControls(kAddress); }), -522);
}

TEST_F(BindingsTest, MacAndObjectIdentifierInSeveralEdits) {
    std::vector<Edit*> mac = edits(6);
    std::vector<Edit*> oid = edits(4);
    r->addEdit(kMac, "%h%h%h%h%h%h", mac);
    r->addEdit(kObject, "%u%u%u%u", oid);
    value(kMac) = "0011223344AA";
    value(kObject) = "1.3.6";
    r->writeControls(-1);
    EXPECT_EQ(texts(mac), (std::vector<std::string>{"00", "11", "22", "33", "44", "AA"}));
    EXPECT_EQ(texts(oid), (std::vector<std::string>{"1", "3", "6", ""}));
    mac[5]->setText("b");
    oid[3]->setText("9");
    r->readControls(-1);
    EXPECT_EQ(value(kMac), "00112233440B") << "each edit is two digits, padded";
    EXPECT_EQ(value(kObject), "1.3.6.9");
    value(kObject) = "1.3.6.1.2";
    EXPECT_EQ(codeOf([&] { r->writeControls(kObject); }), -522);
}

TEST_F(BindingsTest, DatesInSeveralEdits) {
    const MibObjectDef dates[] = {
        {"1.3.6.1.4.1.99.4.1", "clock", S::DateTime, A::ReadWrite},
        {"1.3.6.1.4.1.99.4.2", "stamp", S::BcDateTime, A::ReadWrite},
        {},
    };
    r = makeRequest(dates, SVT_SV, 0, 0);
    std::vector<Edit*> clock = edits(10);
    std::vector<Edit*> stamp = edits(7);
    r->addEdit(0, "%u%u%u%u%u%u%u%u%u%u", clock);
    r->addEdit(1, "%u%u%u%u%u%u%u", stamp);
    value(0) = "2024-3-9,13:5:7.2,+2:0";
    value(1) = "2001/02/03 04:05:06 pm";
    r->writeControls(-1);
    EXPECT_EQ(texts(clock),
              (std::vector<std::string>{"2024", "3", "9", "13", "5", "7", "2", "43", "2", "0"}));
    EXPECT_EQ(texts(stamp), (std::vector<std::string>{"2001", "2", "3", "16", "5", "6", "0"}));
    clock[3]->setText("14");
    stamp[3]->setText("9");
    r->readControls(-1);
    EXPECT_EQ(value(0), "2024-3-9,14:5:7.2,+2:0");
    EXPECT_EQ(value(1), "2001/02/03 09:05:06 am");
    stamp[1]->setText("13");
    EXPECT_EQ(codeOf([&] { r->readControls(1); }), -518);
}

TEST_F(BindingsTest, PrefixListShowsTheRestInASecondControl) {
    HvOptionList prefixes(kPrefixes, HvOptionList::StringPrefix);
    list().item(kObject).optionList = &prefixes;
    ComboBox* combo = make<ComboBox>();
    Edit* rest = make<Edit>();
    r->bindControl(kObject, 0, S::ObjectId, nullptr, combo, rest);
    value(kObject) = "internet.1.4";
    r->writeControls(-1);
    EXPECT_EQ(combo->text(), "internet");
    EXPECT_EQ(rest->text(), "1.4");
    rest->setText("1.9");
    r->readControls(-1);
    EXPECT_EQ(value(kObject), "internet.1.9");
    EXPECT_EQ(r->request.varList.item(kObject).optionList->TextToValue(value(kObject)), "1.3.6.1.9");
}

TEST_F(BindingsTest, CheckBoxesOnBits) {
    CheckBox* bit0 = make<CheckBox>();
    CheckBox* bit9 = make<CheckBox>();
    CheckBox* bit3 = make<CheckBox>();
    r->addEdits(kFlags, "0,9,3", {bit0, bit9, bit3});
    value(kFlags) = "8040";
    r->writeControls(-1);
    EXPECT_TRUE(bit0->checked());
    EXPECT_TRUE(bit9->checked());
    EXPECT_FALSE(bit3->checked());

    value(kFlags) = "81C1";
    bit0->setChecked(false);
    bit3->setChecked(true);
    r->readControls(-1);
    EXPECT_EQ(value(kFlags), "11C1") << "bits no box shows keep their value";

    value(kFlags) = "80";
    EXPECT_EQ(codeOf([&] { r->writeControls(-1); }), -519);
    EXPECT_EQ(codeOf([&] { r->addEdits(kFlags, "0,1", {bit0}); }), -522);
}

TEST_F(BindingsTest, ComboBoxWithoutAMatchShowsNothingAndWritesNoSilentZero) {
    ComboBox* combo = make<ComboBox>();
    r->addComboBox(kState, combo);
    value(kState) = "7";
    EXPECT_NO_THROW(r->writeControls(-1));
    EXPECT_EQ(combo->itemIndex(), -1);

    // Nobody chose: the value stays what the device said, instead of 0 ("Disable").
    r->controlsToValues();
    EXPECT_EQ(value(kState), "7");

    combo->userSelect(1);
    r->controlsToValues();
    EXPECT_EQ(value(kState), "Enable");

    // With nothing read and nothing chosen there is no value to write.
    combo->setItemIndex(-1);
    value(kState) = "";
    EXPECT_EQ(codeOf([&] { r->controlsToValues(); }), -518);
}

TEST_F(BindingsTest, CheckBoxOverAThirdOptionKeepsItUnlessTheUserChangesIt) {
    CheckBox* mode = make<CheckBox>();
    r->addCheckBox(kMode, mode);
    value(kMode) = "Basic";
    r->writeControls(-1);
    EXPECT_TRUE(mode->checked());
    r->controlsToValues();
    EXPECT_EQ(value(kMode), "Basic") << "shown checked, read back as what it was";

    r->writeControls(-1);
    mode->setChecked(false);
    r->controlsToValues();
    EXPECT_EQ(value(kMode), "Disable");
    mode->setChecked(true);
    r->controlsToValues();
    EXPECT_EQ(value(kMode), "Basic") << "back at the state shown: no change";
    value(kMode) = "Disable";
    r->writeControls(-1);
    mode->setChecked(true);
    r->controlsToValues();
    EXPECT_EQ(value(kMode), "Enable");
}

TEST_F(BindingsTest, TextTypedOverAnOptionListIsSentAsItsValue) {
    Edit* command = make<Edit>();
    r->addEdit(kCommand, "%s", {command});
    for (int i = 0; i < list().count(); ++i)
        if (i != kCommand) list().item(i).access |= A::Invalid;
    agent.put("1.3.6.1.4.1.99.1.9.0", FakeAgent::integer(2));
    command->setText("reboot");
    ASSERT_TRUE(r->set(false, true));
    ASSERT_NE(sent("1.3.6.1.4.1.99.1.9"), nullptr);
    EXPECT_EQ(sent("1.3.6.1.4.1.99.1.9")->integer, 4);
}

TEST_F(BindingsTest, StringFieldsGoOutAsTypedOrAreRefused) {
    Edit* name = make<Edit>();
    Edit* address = make<Edit>();
    r->addEdit(kName, "%s", {name});
    r->addEdit(kAddress, "%s", {address});
    for (int i = 0; i < list().count(); ++i)
        if (i != kName && i != kAddress) list().item(i).access |= A::Invalid;
    agent.put("1.3.6.1.4.1.99.1.2.0", FakeAgent::octets("old"));
    agent.put("1.3.6.1.4.1.99.1.4.0", FakeAgent::octets(std::string("\x0A\x00\x00\x01", 4)));

    name->setText("");
    address->setText("10.0.0.2");
    ASSERT_TRUE(r->set(false, true));
    EXPECT_EQ(value(kName), "") << "an emptied string is an empty string, not a missing value";
    ASSERT_EQ(call(0).varbinds.size(), 2u);
    EXPECT_EQ(call(0).varbinds[0].type, HvVbType::OctetString);
    EXPECT_EQ(call(0).varbinds[0].octets, "");

    fake.clearCalls();
    address->setText("10.0.0.300");
    EXPECT_EQ(codeOf([&] { r->set(false, true); }), -518);
    name->setText(QString::fromUtf8("caf\u00e9 \u20ac"));
    address->setText("10.0.0.3");
    EXPECT_EQ(codeOf([&] { r->set(false, true); }), -518)
        << "a character without an octet is not sent as '?'";
    EXPECT_TRUE(fake.calls().empty());
    EXPECT_FALSE(r->busy);

    name->setText(QString::fromUtf8("caf\u00e9"));
    ASSERT_TRUE(r->set(false, true));
    EXPECT_EQ(call(0).varbinds[0].octets, "caf\xE9");
}

TEST_F(BindingsTest, ControlsOfOtherClassesAndDeletedControls) {
    auto* button = make<forms::Button>();
    r->addCheckBox(kLevel, button);
    EXPECT_EQ(codeOf([&] { r->writeControls(kLevel); }), -521);
    r->removeControls(kLevel);

    Edit* edit = make<Edit>();
    r->addEdit(kLevel, "%u", {edit});
    delete edit;
    value(kLevel) = "3";
    EXPECT_NO_THROW(r->writeControls(-1));
    EXPECT_NO_THROW(r->readControls(-1));
    EXPECT_EQ(value(kLevel), "3");
}

TEST_F(BindingsTest, LabelsAndRadioGroups) {
    Label* label = make<Label>();
    auto* radio = make<forms::RadioGroup>();
    r->addLabel(kCount, label);
    r->addRadioGroup(kMode, radio);
    EXPECT_EQ(radio->items(), (QStringList{"Disable", "Enable", "Basic"}));
    value(kCount) = "12";
    value(kMode) = "2";
    r->writeControls(-1);
    EXPECT_EQ(label->caption(), "12");
    EXPECT_EQ(radio->itemIndex(), 2) << "found by value when no text matches";
    label->setCaption("13");
    radio->setItemIndex(1);
    r->readControls(-1);
    EXPECT_EQ(value(kCount), "13");
    EXPECT_EQ(value(kMode), "Enable");
}

TEST_F(BindingsTest, BoundPartsOfAValue) {
    Edit* high = make<Edit>();
    Edit* low = make<Edit>();
    r->bindControl(kFlags, 0, S::UInt8, nullptr, high);
    r->bindControl(kFlags, 2, S::UInt16, nullptr, low);
    value(kFlags) = "0A00FF01";
    r->writeControls(-1);
    EXPECT_EQ(high->text(), "10");
    EXPECT_EQ(low->text(), "65281");
    high->setText("11");
    low->setText("2");
    r->readControls(-1);
    EXPECT_EQ(value(kFlags), "0B000002");
    low->setText("65536");
    EXPECT_EQ(codeOf([&] { r->readControls(-1); }), -518);
}

TEST_F(BindingsTest, EditRulesRefuseBadInputWithTheirMessages) {
    Edit* vlan = make<Edit>();
    Edit* next = make<Edit>();
    next->move(0, 40);
    r->addEdit(kLevel, "%u{n1x4095}", {vlan});
    value(kLevel) = "100";
    r->writeControls(-1);
    vlan->userType("a");
    EXPECT_EQ(vlan->text(), "100");
    EXPECT_EQ(beeps, 1);
    vlan->userSelectAll();
    vlan->userType("5000");
    EXPECT_EQ(vlan->text(), "5000");
    next->userFocus();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "(HvCommon) Please enter a number between 1 and 4095!");
    EXPECT_EQ(boxes[0].caption, forms::Application::exeName());
    EXPECT_EQ(vlan->text(), "100") << "the value read from the device comes back";
    EXPECT_EQ(form->activeControl(), vlan);
}

}  // namespace
