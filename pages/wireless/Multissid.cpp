#include "pages/wireless/Multissid.h"

#include <algorithm>
#include <string>

#include "module/KeyRules.h"
#include "module/Misc.h"
#include "module/SendFlags.h"
#include "pages/wireless/MultissidLayout.h"

using namespace MultissidRules;

QPointer<TFM_MultiSSIDForm> FM_MultiSSIDForm;

namespace {

// The VLAN state's read and write wait up to 100 s an attempt; a silent device holds the page that
// long, twice.
constexpr int32_t kVlanTimeout = 10000;

std::string guestControl(const char* stem, int g) {
    return guestName(stem, g + 1).toStdString();
}

}  // namespace

TFM_MultiSSIDForm::TFM_MultiSSIDForm(TMainForm& mainForm, QWidget* owner) : HvPage(mainForm, owner) {
    buildLayout(kMultiSSIDLayout);
    findControls();
    wireHandlers();
    setResultControl(StatusBar1);
    FormCreate();
}

void TFM_MultiSSIDForm::findControls() {
    PC_MultiSSID = control<forms::PageControl>("PC_MultiSSID");
    TabSheetG = control<forms::TabSheet>("TabSheetG");
    CheckBox1 = control<forms::CheckBox>("CheckBox1");
    MasterSSIDEdit = control<forms::Edit>("MasterSSIDEdit");
    SecurityBox = control<forms::ComboBox>("SecurityBox");
    DefaultKey = control<forms::ComboBox>("DefaultKey");
    GroupIDBox = control<forms::Edit>("GroupIDBox");
    Bt_Refresh = control<forms::Button>("Bt_Refresh");
    Bt_Apply = control<forms::Button>("Bt_Apply");
    Bt_Close = control<forms::Button>("Bt_Close");
    StatusBar1 = control<forms::StatusBar>("StatusBar");
    VLan_State = control<forms::ComboBox>("VLan_State");
    Encryption_ComboBox = control<forms::ComboBox>("Encryption_ComboBox");
    AP_ModeComboBox = control<forms::ComboBox>("AP_ModeComboBox");
    Supermode_ComboBox = control<forms::ComboBox>("Supermode_ComboBox");
    for (int g = 0; g < kGuests; ++g) {
        GuestCheckBox[g] = control<forms::CheckBox>(("Guest" + std::to_string(g + 1) + "CheckBox").c_str());
        GuestSSIDEdit[g] = control<forms::Edit>(guestControl("GuestSSIDEdit", g).c_str());
        TempComboBox[g] = control<forms::ComboBox>(guestControl("TempComboBox", g).c_str());
        GuestKeyType[g] = control<forms::ComboBox>(guestControl("GuestKeyType", g).c_str());
        GuestKeySize[g] = control<forms::ComboBox>(guestControl("GuestKeySize", g).c_str());
        GuestKey[g] = control<forms::ComboBox>(guestControl("GuestKey", g).c_str());
        GuestKeyvalueEdit[g] = control<forms::Edit>(guestControl("GuestKeyvalueEdit", g).c_str());
        GuestGroupID[g] = control<forms::Edit>(guestControl("GuestGroupID", g).c_str());
        GuestSSID[g] = control<forms::ComboBox>(guestControl("GuestSSID", g).c_str());
        GuestSecurity[g] = control<forms::ComboBox>(guestControl("GuestSecurity", g).c_str());
        EnableEncryption[g] = control<forms::ComboBox>(guestControl("EnableEncryption", g).c_str());
    }
}

void TFM_MultiSSIDForm::wireHandlers() {
    // As the form binds them. The leave handlers are set before the bindings, whose input rules run
    // first and call them.
    Bt_Refresh->OnClick = [this](QObject* s) { Bt_RefreshClick(s); };
    Bt_Apply->OnClick = [this](QObject* s) { Bt_ApplyClick(s); };
    Bt_Close->OnClick = [this](QObject* s) { Bt_CloseClick(s); };
    CheckBox1->OnClick = [this](QObject* s) { CheckBox1Click(s); };
    for (int g = 0; g < kGuests; ++g) {
        GuestCheckBox[g]->OnClick = [this, g](QObject*) { GuestCheckBoxClick(g); };
        TempComboBox[g]->OnChange = [this, g](QObject*) { GuestSecurityChange(g); };
        GuestKeySize[g]->OnChange = [this, g](QObject*) { GuestKeyMaxLengthChange(g); };
        GuestKeyType[g]->OnChange = [this, g](QObject*) { GuestKeyMaxLengthChange(g); };
        GuestKey[g]->OnChange = [this, g](QObject*) { GuestKeyChange(g); };
        GuestSSIDEdit[g]->OnExit = [this, g](QObject*) { GuestSSIDEditExit(g); };
        // The form sends the second and third group IDs' exits to the second guest's check.
        GuestGroupID[g]->OnExit = [this, g](QObject*) { GuestSSIDEditExit(g == 0 ? 0 : 1); };
    }
}

void TFM_MultiSSIDForm::FormCreate() {
    create([this] { buildRequests(); }, {Bt_Apply, Bt_Refresh});
}

void TFM_MultiSSIDForm::buildRequests() {
    // No answer chooses a read: the synchronous ones go out together, and readAll takes each answer
    // in the page's order.
    readTogether({[this] { return makeVlan(); },
                  [this] { return makeMaster(); },
                  [this] { return makeGuest(0); },
                  [this] { return makeGuest(1); },
                  [this] { return makeGuest(2); },
                  [this] { return makeAPMode(); }});
    readAll();
    FillKeyCombos();
    afterRead();
}

HvSNMPRequest2Edits* TFM_MultiSSIDForm::makeVlan() {
    reqVlan = makeRequest(kMibT082, SVT_SV, 0, true, kVlanTimeout);
    reqVlan->addComboBox(0, VLan_State);
    reqVlan->setStatusBar(StatusBar1);
    return reqVlan;
}

// Read and written synchronously, as the guests are: the guests' controls follow the master's
// security at once, and a refused write of the master stops Apply.
HvSNMPRequest2Edits* TFM_MultiSSIDForm::makeMaster() {
    reqMaster = makeRequest(kMibT083, MVT_SV, 0);
    reqMaster->addEdit(kMasterSsid, "%s", {MasterSSIDEdit});
    reqMaster->addComboBox(kMasterAuth, SecurityBox);
    reqMaster->addComboBox(kMasterEncryption, Encryption_ComboBox);
    reqMaster->addComboBox(kMasterKeyIndex, DefaultKey);
    reqMaster->addEdit(kMasterVlanTag, "%u{n1x4095}", {GroupIDBox});
    reqMaster->setStatusBar(StatusBar1);
    return reqMaster;
}

HvSNMPRequest2Edits* TFM_MultiSSIDForm::makeGuest(int g) {
    static const MibObjectDef* const kGuestTables[kGuests] = {kMibT084, kMibT085, kMibT086};
    HvSNMPRequest2Edits* r = makeRequest(kGuestTables[g], MVT_SV, 0);
    r->addComboBox(kGuestState, GuestSSID[g]);
    r->addEdit(kGuestSsid, "%s", {GuestSSIDEdit[g]});
    r->addComboBox(kGuestAuth, GuestSecurity[g]);
    r->addComboBox(kGuestEncryption, EnableEncryption[g]);
    r->addComboBox(kGuestKeyIndex, GuestKey[g]);
    r->addEdit(kGuestKey, "%s", {GuestKeyvalueEdit[g]});
    r->addEdit(kGuestVlanTag, "%u{n1x4095}", {GuestGroupID[g]});
    return reqGuest[g] = r;
}

HvSNMPRequest2Edits* TFM_MultiSSIDForm::makeAPMode() {
    reqAPMode = makeRequest(kMibT088, MVT_SV, 0, false);
    reqAPMode->addComboBox(0, AP_ModeComboBox);
    reqAPMode->addComboBox(1, Supermode_ComboBox);
    reqAPMode->setStatusBar(StatusBar1);
    return reqAPMode;
}

void TFM_MultiSSIDForm::readAll() {
    reqVlan->get();
    m_masterRead = reqMaster->get();
    for (auto* r : reqGuest) r->get();
    reqAPMode->get();
}

void TFM_MultiSSIDForm::afterRead() {
    SyncVlanControls();
    SyncGuestControls();
    FillSecurityCombos();
    SetGuestEditLimits();
    SetGuestKeyMaxLength();
}

// ---- Control states -------------------------------------------------------------------------------

void TFM_MultiSSIDForm::FillKeyCombos() {
    for (int g = 0; g < kGuests; ++g) {
        GuestKeySize[g]->setItems(KeyRules::kKeySizes);
        GuestKeySize[g]->setItemIndex(0);
        GuestKeyType[g]->setItems(KeyRules::kKeyTypes);
        GuestKeyType[g]->setItemIndex(0);
    }
    KeySizesFromKeys();
}

void TFM_MultiSSIDForm::KeySizesFromKeys() {
    for (int g = 0; g < kGuests; ++g)
        GuestKeySize[g]->setItemIndex(
            keySizeFromKey(GuestKeyvalueEdit[g]->text(), GuestKeySize[g]->itemIndex()));
}

void TFM_MultiSSIDForm::SyncVlanControls() {
    // Only a state read as enabled ticks the box: an unread one must not switch VLAN on.
    CheckBox1->setChecked(VLan_State->itemIndex() == 1);
    ApplyVlanState();
}

void TFM_MultiSSIDForm::ApplyVlanState() {
    const bool on = CheckBox1->checked();
    GroupIDBox->setEnabled(on);
    for (auto* id : GuestGroupID) id->setEnabled(on);
    VLan_State->setItemIndex(on ? 1 : 0);
}

void TFM_MultiSSIDForm::SyncGuestControls() {
    for (int g = 0; g < kGuests; ++g) GuestCheckBox[g]->setChecked(GuestSSID[g]->itemIndex() == 1);
    UpdateGuestControls();
}

void TFM_MultiSSIDForm::UpdateGuestControls() {
    for (int g = 0; g < kGuests; ++g) {
        const GuestControls c =
            guestControls(GuestCheckBox[g]->checked(), SecurityBox->itemIndex(),
                          Encryption_ComboBox->itemIndex(), EnableEncryption[g]->itemIndex());
        GuestSSIDEdit[g]->setEnabled(c.ssid);
        TempComboBox[g]->setEnabled(c.security);
        GuestKey[g]->setEnabled(c.keys);
        GuestKeyType[g]->setEnabled(c.keys);
        GuestKeySize[g]->setEnabled(c.keys);
        GuestKeyvalueEdit[g]->setEnabled(c.keys);
    }
}

void TFM_MultiSSIDForm::FillSecurityCombos() {
    for (int g = 0; g < kGuests; ++g) {
        TempComboBox[g]->setItems(kSecurityItems);
        TempComboBox[g]->setItemIndex(
            securityItemFor(EnableEncryption[g]->itemIndex(), GuestSecurity[g]->itemIndex()));
    }
}

void TFM_MultiSSIDForm::SetGuestEditLimits() {
    for (int g = 0; g < kGuests; ++g) {
        GuestSSIDEdit[g]->setMaxLength(32);
        GuestGroupID[g]->setMaxLength(4);
    }
    GroupIDBox->setMaxLength(4);
}

void TFM_MultiSSIDForm::SetGuestKeyMaxLength() {
    for (int g = 0; g < kGuests; ++g)
        GuestKeyvalueEdit[g]->setMaxLength(
            keyMaxLength(GuestKeyType[g]->itemIndex(), GuestKeySize[g]->itemIndex()));
}

// ---- Handlers -------------------------------------------------------------------------------------

void TFM_MultiSSIDForm::CheckBox1Click(QObject*) {
    ApplyVlanState();
}

void TFM_MultiSSIDForm::GuestCheckBoxClick(int g) {
    GuestSSID[g]->setItemIndex(GuestCheckBox[g]->checked() ? 1 : 0);
    UpdateGuestControls();
}

void TFM_MultiSSIDForm::GuestSecurityChange(int g) {
    if (TempComboBox[g]->itemIndex() > 0) {
        const int entry = GuestSecurity[g]->indexOf(TempComboBox[g]->text());
        if (entry >= 0) GuestSecurity[g]->setItemIndex(entry);
    }
    // Every guest's encryption follows its own choice; a guest without one keeps the device's.
    for (int o = 0; o < kGuests; ++o)
        if (auto choice = securityChoice(TempComboBox[o]->itemIndex(), TempComboBox[o]->text()))
            EnableEncryption[o]->setItemIndex(choice->encryptionIndex);
    UpdateGuestControls();
}

void TFM_MultiSSIDForm::GuestKeyMaxLengthChange(int) {
    SetGuestKeyMaxLength();
}

void TFM_MultiSSIDForm::GuestKeyChange(int g) {
    CheckKeyIndexes(g);
}

void TFM_MultiSSIDForm::GuestSSIDEditExit(int g) {
    CheckSsidDuplicates(g);
}

void TFM_MultiSSIDForm::Bt_CloseClick(QObject*) {
    close();
}

void TFM_MultiSSIDForm::Bt_RefreshClick(QObject*) {
    guarded([this] {
        readAll();
        afterRead();
        KeySizesFromKeys();
    });
}

// ---- Checks and Apply -----------------------------------------------------------------------------

PageValues TFM_MultiSSIDForm::values() const {
    PageValues v;
    v.masterSsid = MasterSSIDEdit->text();
    v.masterRead = m_masterRead;
    v.masterKeyIndex = DefaultKey->itemIndex();
    v.masterGroupId = GroupIDBox->text();
    v.vlan = VLan_State->itemIndex();
    for (int g = 0; g < kGuests; ++g) {
        GuestValues& guest = v.guests[size_t(g)];
        guest.state = GuestSSID[g]->itemIndex();
        guest.encryption = EnableEncryption[g]->itemIndex();
        guest.ssid = GuestSSIDEdit[g]->text();
        guest.ssidEnabled = GuestSSIDEdit[g]->enabled();
        guest.keyIndex = GuestKey[g]->itemIndex();
        guest.keyIndexEnabled = GuestKey[g]->enabled();
        guest.key = GuestKeyvalueEdit[g]->text();
        guest.keyEnabled = GuestKeyvalueEdit[g]->enabled();
        guest.keyType = GuestKeyType[g]->itemIndex();
        guest.keySize = GuestKeySize[g]->itemIndex();
        guest.groupId = GuestGroupID[g]->text();
    }
    return v;
}

bool TFM_MultiSSIDForm::CheckKeyIndexes(int g) {
    if (auto f = checkKeyIndexes(values(), g)) {
        refuseInput(*f);
        return false;
    }
    return true;
}

bool TFM_MultiSSIDForm::CheckSsidDuplicates(int g) {
    if (auto f = checkSsidDuplicates(values(), g)) {
        refuseInput(*f);
        return false;
    }
    return true;
}

bool TFM_MultiSSIDForm::setGuest(int g, const SendPlan& plan) {
    HvSNMPRequest2Edits* r = reqGuest[g];
    HvSendOnly only(r->request.varList, plan.guests[size_t(g)]);
    if (!plan.guests[size_t(g)][kGuestKey]) return r->set(true, true);
    // A text key goes out as its hex form, converted here and never in the edit: a refused Apply
    // leaves the key and its type as the user left them.
    r->controlsToValues();
    r->request.varList.item(kGuestKey).value = plan.keys[size_t(g)].toStdString();
    return r->set(true, false);
}

bool TFM_MultiSSIDForm::SetAll(const SendPlan& plan) {
    if (plan.forceApMode) {
        AP_ModeComboBox->setItemIndex(0);
        Supermode_ComboBox->setItemIndex(3);
        // Its outcome is not awaited: the rows below are what Apply reports.
        reqAPMode->set(true, true);
    }
    if (!reqVlan->set(true, true)) return false;
    {
        HvSendOnly only(reqMaster->request.varList, plan.master);
        const bool any = std::find(plan.master.begin(), plan.master.end(), true) != plan.master.end();
        if (any && !reqMaster->set(true, true)) return false;
    }
    for (int g = 0; g < kGuests; ++g)
        if (!setGuest(g, plan)) return false;
    return true;
}

void TFM_MultiSSIDForm::Bt_ApplyClick(QObject*) {
    if (!created() || closing()) return;
    const auto checked = checkApply(values());
    if (const auto* f = std::get_if<CheckFailure>(&checked)) {
        refuseInput(*f);
        return;
    }
    const SendPlan& plan = std::get<SendPlan>(checked);
    bool written = false;
    if (!guarded([&] { written = SetAll(plan); })) return;
    if (!written) {
        StatusBar1->setSimpleText(kSetError);
        return;
    }
    showWaiting();
    StatusBar1->setSimpleText(kSetSuccess);
    // The device now holds the hex form of a text key: the edit shows it, as the key type will.
    for (int g = 0; g < kGuests; ++g)
        if (plan.guests[size_t(g)][kGuestKey]) GuestKeyvalueEdit[g]->setText(plan.keys[size_t(g)]);
    FillKeyCombos();
}
