#include "pages/wireless/Encrypt.h"

#include <optional>
#include <string>
#include <vector>

#include "module/KeyRules.h"
#include "module/Main.h"
#include "module/Misc.h"
#include "module/SendFlags.h"
#include "pages/wireless/EncryptLayout.h"
#include "pages/wireless/Sss.h"

using namespace EncryptRules;

QPointer<TFM_Encrypt> FM_Encrypt;

namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

std::vector<bool> sent(const std::array<bool, 3>& items) {
    return std::vector<bool>(items.begin(), items.end());
}

}  // namespace

TFM_Encrypt::TFM_Encrypt(TMainForm& mainForm, QWidget* owner) : HvPage(mainForm, owner) {
    buildLayout(kEncryptLayout);
    findControls();
    for (const Tab* tab : {&m_tabA, &m_tabG}) {
        tab->keyType->setItems(KeyRules::kKeyTypes);
        tab->keyType->setItemIndex(0);
        tab->keySize->setItems(KeyRules::kKeySizes);
        tab->keySize->setItemIndex(0);
    }
    wireHandlers();
    setResultControl(StatusBar);
    FormCreate();
}

TFM_Encrypt::~TFM_Encrypt() {
    delete m_sss.data();
}

TFM_SSS* TFM_Encrypt::serversDialog() const {
    return m_sss.data();
}

void TFM_Encrypt::findControls() {
    auto edit = [this](const std::string& name) { return control<forms::Edit>(name.c_str()); };
    PC_Encryption = control<forms::PageControl>("PC_Encryption");
    TS_80211a = control<forms::TabSheet>("TS_80211a");
    TS_80211g = control<forms::TabSheet>("TS_80211g");
    CB_SecAutha = control<forms::ComboBox>("CB_SecAutha");
    CB_SecEncypa = control<forms::ComboBox>("CB_SecEncypa");
    CB_KeyTypeA = control<forms::ComboBox>("CB_KeyTypeA");
    CB_KeySizeA = control<forms::ComboBox>("CB_KeySizeA");
    CB_SecValKeya = control<forms::ComboBox>("CB_SecValKeya");
    Ed_PassPha = control<forms::Edit>("Ed_PassPha");
    CB_CipherTypea = control<forms::ComboBox>("CB_CipherTypea");
    Ed_GKUIa = control<forms::Edit>("Ed_GKUIa");
    GB_KeyTaba = control<forms::GroupBox>("GB_KeyTaba");
    CB_11a_APM = control<forms::ComboBox>("CB_11a_APM");
    CB_SecAuthg = control<forms::ComboBox>("CB_SecAuthg");
    CB_SecEncypg = control<forms::ComboBox>("CB_SecEncypg");
    CB_KeyTypeG = control<forms::ComboBox>("CB_KeyTypeG");
    CB_KeySizeG = control<forms::ComboBox>("CB_KeySizeG");
    CB_SecValKeyg = control<forms::ComboBox>("CB_SecValKeyg");
    Ed_PassPhg = control<forms::Edit>("Ed_PassPhg");
    CB_CipherTypeg = control<forms::ComboBox>("CB_CipherTypeg");
    Ed_GKUIg = control<forms::Edit>("Ed_GKUIg");
    for (size_t i = 0; i < 4; ++i) {
        const std::string n = std::to_string(i + 1);
        Ed_Keya[i] = edit("Ed_Key" + n + "a");
        Ed_Keyt[i] = edit("Ed_Key" + n + "t");
        Ed_Keyg[i] = edit("Ed_Key" + n + "g");
        Ed_Keytg[i] = edit("Ed_Key" + n + "tg");
    }
    Bt_Adv = control<forms::Button>("Bt_Adv");
    Bt_Ref = control<forms::Button>("Bt_Ref");
    Bt_Apply = control<forms::Button>("Bt_Apply");
    Bt_Cancel = control<forms::Button>("Bt_Cancel");
    StatusBar = control<forms::StatusBar>("StatusBar");

    m_tabA = Tab{TS_80211a,
                 CB_SecAutha,
                 CB_SecEncypa,
                 CB_KeyTypeA,
                 CB_KeySizeA,
                 CB_SecValKeya,
                 CB_CipherTypea,
                 Ed_PassPha,
                 Ed_GKUIa,
                 Ed_Keya,
                 Ed_Keyt,
                 &reqWPAA,
                 0,
                 6,
                 kBandA};
    m_tabG = Tab{TS_80211g,
                 CB_SecAuthg,
                 CB_SecEncypg,
                 CB_KeyTypeG,
                 CB_KeySizeG,
                 CB_SecValKeyg,
                 CB_CipherTypeg,
                 Ed_PassPhg,
                 Ed_GKUIg,
                 Ed_Keyg,
                 Ed_Keytg,
                 &reqWPAG,
                 3,
                 10,
                 kBandG};
}

void TFM_Encrypt::wireHandlers() {
    Bt_Apply->OnClick = [this](QObject* s) { Bt_ApplyClick(s); };
    Bt_Cancel->OnClick = [this](QObject* s) { Bt_CancelClick(s); };
    Bt_Adv->OnClick = [this](QObject* s) { Bt_AdvClick(s); };
    Bt_Ref->OnClick = [this](QObject* s) { Bt_RefClick(s); };
    PC_Encryption->OnChange = [this](QObject* s) { PC_EncryptionChange(s); };
    for (const Tab* tab : {&m_tabA, &m_tabG}) {
        tab->auth->OnChange = [this](QObject* s) { CB_SecAuthaChange(s); };
        tab->encryption->OnChange = [this](QObject* s) { CB_SecEncypaChange(s); };
        // A change of type, size or valid key masks the tab's four keys again: what was typed under
        // the old choice is not written under the new one.
        for (forms::ComboBox* c : {tab->keyType, tab->keySize, tab->validKey})
            c->OnChange = [this, tab](QObject*) { SetupKeyFields(*tab); };
    }
}

void TFM_Encrypt::FormCreate() {
    create([this] { buildRequests(); }, {Bt_Apply, Bt_Ref, Bt_Adv});
}

void TFM_Encrypt::bindTab(Tab& tab) {
    tab.sheet->setCaption(q(&tab == &m_tabA ? BandNameA : BandNameG));
    HvSNMPVarList& items = reqSecurity->request.varList;
    // The table leaves every item out; a visible tab reads and writes its own.
    for (int i = 0; i < 3; ++i) items.item(tab.firstItem + i).access = HvAccess::ReadWrite;
    for (int k = 0; k < 4; ++k) items.item(tab.firstKeyItem + k).access = HvAccess::ReadWrite;
    reqSecurity->addComboBox(tab.firstItem, tab.auth);
    reqSecurity->addComboBox(tab.firstItem + 1, tab.encryption);
    reqSecurity->addComboBox(tab.firstItem + 2, tab.validKey);
    for (int k = 0; k < 4; ++k) reqSecurity->addEdit(tab.firstKeyItem + k, "%s", {tab.hexKeys[k]});
}

void TFM_Encrypt::buildRequests() {
    // The shown tabs choose the reads, no answer does: they go out together and are taken below in
    // the page's order.
    readTogether({[this] {
                      reqSecurity = makeRequest(kMibT037, MVT_SV, 0, true, 5000);
                      if (m_tabA.visible()) bindTab(m_tabA);
                      if (m_tabG.visible()) bindTab(m_tabG);
                      reqSecurity->setStatusBar(StatusBar);
                      return reqSecurity;
                  },
                  [this]() -> HvSNMPRequest2Edits* {
                      if (!m_tabA.visible()) return nullptr;
                      reqAPMode = makeRequest(kMibT036, SVT_SV, 0);
                      reqAPMode->addComboBox(0, CB_11a_APM);
                      return reqAPMode;
                  },
                  [this] { return makeWpa(m_tabA); },
                  [this] { return makeWpa(m_tabG); }});
    reqSecurity->get();
    if (reqAPMode) reqAPMode->get();
    KeySizeFromLength();
    for (Tab* tab : {&m_tabA, &m_tabG})
        if (*tab->wpa) (*tab->wpa)->get();
    UpdateSecurityFields();
    setupVisibleKeyFields();
    KeySizeFromLength();
}

HvSNMPRequest2Edits* TFM_Encrypt::makeWpa(Tab& tab) {
    if (!tab.visible()) return nullptr;
    HvSNMPRequest2Edits* r = makeRequest(&tab == &m_tabA ? kMibT032 : kMibT033, MVT_SV, 0, true, 5000);
    *tab.wpa = r;
    r->addEdit(0, "%s", {tab.passPhrase});
    // The format carries no length; a passphrase has at most 63 characters.
    tab.passPhrase->setMaxLength(63);
    r->addComboBox(1, tab.cipher);
    r->addEdit(2, "%u", {tab.interval});
    return r;
}

// ---- Field rules -----------------------------------------------------------------------------------

void TFM_Encrypt::UpdateSecurityFields() {
    for (const Tab* tab : {&m_tabA, &m_tabG})
        if (tab->visible()) updateSecurityFields(*tab);
}

void TFM_Encrypt::updateSecurityFields(const Tab& tab) {
    const SecurityFields f = securityFields(tab.auth->itemIndex(), tab.encryption->itemIndex());
    if (f.encryptionIndex) tab.encryption->setItemIndex(*f.encryptionIndex);
    tab.encryption->setEnabled(f.encryptionEnabled);
    tab.validKey->setEnabled(f.validKeyEnabled);
    for (size_t k = 0; k < 4; ++k) {
        setLocked(tab.hexKeys[k], !f.keysEditable);
        setLocked(tab.textKeys[k], !f.keysEditable);
    }
    if (f.keyTypeEnabled) tab.keyType->setEnabled(*f.keyTypeEnabled);
    if (f.keySizeEnabled) tab.keySize->setEnabled(*f.keySizeEnabled);
    if (f.passPhraseEditable) setLocked(tab.passPhrase, !*f.passPhraseEditable);
    if (f.cipherEnabled) tab.cipher->setEnabled(*f.cipherEnabled);
    if (f.intervalEditable) setLocked(tab.interval, !*f.intervalEditable);
    if (f.intervalMaxLength) tab.interval->setMaxLength(*f.intervalMaxLength);
}

void TFM_Encrypt::SetupKeyFields(const Tab& tab) {
    const auto k = keyFields(tab.keyType->itemIndex(), tab.keySize->itemIndex());
    if (!k) return;
    for (size_t i = 0; i < 4; ++i) {
        forms::Edit* shown = k->hexShown ? tab.hexKeys[i] : tab.textKeys[i];
        if (k->textsEmptied) tab.textKeys[i]->setText(QString());
        tab.hexKeys[i]->setVisible(k->hexShown);
        tab.textKeys[i]->setVisible(!k->hexShown);
        if (k->maxLength) shown->setMaxLength(*k->maxLength);
        if (k->mask) shown->setText(*k->mask);
    }
}

void TFM_Encrypt::setupVisibleKeyFields() {
    for (const Tab* tab : {&m_tabA, &m_tabG})
        if (tab->visible()) SetupKeyFields(*tab);
}

void TFM_Encrypt::KeySizeFromLength() {
    for (const Tab* tab : {&m_tabA, &m_tabG})
        if (tab->visible()) keySizeFromLength(*tab);
}

void TFM_Encrypt::keySizeFromLength(const Tab& tab) {
    std::array<QString, 4> keys;
    for (size_t i = 0; i < 4; ++i) keys[i] = tab.hexKeys[i]->text();
    if (const auto size = keySizeFromKeys(tab.validKey->itemIndex(), keys)) tab.keySize->setItemIndex(*size);
}

void TFM_Encrypt::CheckApModeForWpa(const Tab& tab, int previousEncryption) {
    if (!wpaRefused(CB_11a_APM->itemIndex(), tab.auth->itemIndex())) return;
    forms::Application::messageBox(this, kApModeNoWpa, PageRules::kWarning, forms::MB_OK);
    tab.auth->setItemIndex(kOpenSystem);
    // Back to what the user had before the refused choice, with the fields open again: the WPA
    // rules left encryption forced on and locked.
    if (previousEncryption >= 0) tab.encryption->setItemIndex(previousEncryption);
    updateSecurityFields(tab);
}

void TFM_Encrypt::PC_EncryptionChange(QObject*) {
    UpdateSecurityFields();
}

void TFM_Encrypt::CB_SecAuthaChange(QObject* sender) {
    const Tab& tab = sender == CB_SecAuthg ? m_tabG : m_tabA;
    // The encryption before this choice: the field rules may force it on.
    const int previous = tab.encryption->itemIndex();
    UpdateSecurityFields();
    CheckApModeForWpa(tab, previous);
}

void TFM_Encrypt::CB_SecEncypaChange(QObject*) {
    UpdateSecurityFields();
}

// ---- Buttons ----------------------------------------------------------------------------------------

void TFM_Encrypt::refuse(const Tab& tab, const CheckFailure& f) {
    forms::Application::messageBox(
        this, f.message, f.caption.isEmpty() ? forms::Application::title() : f.caption, forms::MB_OK);
    if (f.emptied == kIntervalField) tab.interval->setText(QString());
    for (int k = 0; k < 4; ++k) {
        if (f.emptied == hexKeyField(k + 1)) tab.hexKeys[static_cast<size_t>(k)]->setText(QString());
        if (f.emptied == textKeyField(k + 1)) tab.textKeys[static_cast<size_t>(k)]->setText(QString());
    }
}

bool TFM_Encrypt::checkTabs(std::array<TabPlan, 2>& plans) {
    size_t index = 0;
    for (const Tab* tab : {&m_tabA, &m_tabG}) {
        const size_t at = index++;
        if (!tab->visible()) continue;
        TabInput in;
        in.auth = tab->auth->itemIndex();
        in.encryption = tab->encryption->itemIndex();
        in.keyType = tab->keyType->itemIndex();
        in.keySize = tab->keySize->itemIndex();
        for (size_t k = 0; k < 4; ++k) {
            in.hexKeys[k] = tab->hexKeys[k]->text();
            in.textKeys[k] = tab->textKeys[k]->text();
        }
        in.passPhrase = tab->passPhrase->text();
        in.interval = tab->interval->text();
        in.serverSettingsApplied = serverSettingsApplied;
        in.band = tab->band;
        const TabOutcome outcome = checkTab(in);
        if (const auto* f = std::get_if<CheckFailure>(&outcome)) {
            refuse(*tab, *f);
            return false;
        }
        // WPA2 and WPA-Auto are the device's, not this page's to write.
        if (std::holds_alternative<Unsupported>(outcome)) return false;
        plans[at] = std::get<TabPlan>(outcome);
    }
    return true;
}

bool TFM_Encrypt::writeTabs(const std::array<TabPlan, 2>& plans) {
    // Each write carries only what the checks chose; every flag comes back when the scope ends, so
    // Refresh reads every object again.
    HvSendOnly security(reqSecurity->request.varList, std::vector<bool>{});
    size_t index = 0;
    for (const Tab* tab : {&m_tabA, &m_tabG}) {
        const TabPlan& plan = plans[index++];
        if (!tab->visible()) continue;
        for (int i = 0; i < 3; ++i) security.send(tab->firstItem + i, plan.security[static_cast<size_t>(i)]);
        for (size_t k = 0; k < 4; ++k) {
            if (!plan.keys[k]) continue;
            // A text key goes out in hex: converted here, after every check has passed.
            tab->hexKeys[k]->setText(*plan.keys[k]);
            security.send(tab->firstKeyItem + static_cast<int>(k), true);
        }
    }
    if (!reqSecurity->set(true, true)) return false;
    index = 0;
    for (const Tab* tab : {&m_tabA, &m_tabG}) {
        const TabPlan& plan = plans[index++];
        if (!tab->visible() || !*tab->wpa) continue;
        HvSendOnly wpa((*tab->wpa)->request.varList, sent(plan.wpa));
        if (!(*tab->wpa)->set(true, true)) return false;
    }
    return true;
}

void TFM_Encrypt::Bt_ApplyClick(QObject*) {
    if (!created() || closing() || !reqSecurity) return;
    std::array<TabPlan, 2> plans;
    if (!checkTabs(plans)) return;
    // One servers' Apply counts for one WPA-EAP write.
    for (const TabPlan& plan : plans)
        if (plan.serverSettingsUsed) serverSettingsApplied = false;
    std::optional<bool> written;
    guarded([&] { written = writeTabs(plans); });
    if (written == false) StatusBar->setSimpleText(kSettingError);
    if (written == true) {
        HvWaitingDefaults waiting;
        waiting.ownedByPage = false;
        waiting.waitTicks = 20;
        waiting.rebootDelay = 5;
        showWaiting(waiting);
    }
    if (!closing()) setupVisibleKeyFields();
}

void TFM_Encrypt::Bt_CancelClick(QObject*) {
    close();
}

void TFM_Encrypt::Bt_RefClick(QObject*) {
    guarded([this] {
        reqSecurity->get();
        KeySizeFromLength();
        for (const Tab* tab : {&m_tabA, &m_tabG})
            if (tab->visible() && *tab->wpa) (*tab->wpa)->get();
        UpdateSecurityFields();
        setupVisibleKeyFields();
    });
}

void TFM_Encrypt::Bt_AdvClick(QObject*) {
    if (!created() || closing()) return;
    // Only the device's answer to the dialog's write marks the servers as set.
    QPointer<TFM_Encrypt> self(this);
    m_sss = new TFM_SSS(mainForm(), [self] {
        if (self) self->serverSettingsApplied = true;
    });
    m_sss->showModal();
    if (!self) return;
    delete m_sss.data();
    m_sss = nullptr;
}
