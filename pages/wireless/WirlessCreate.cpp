// The wireless page's requests and its creation reads.

#include "pages/wireless/Wirless.h"

#include "module/Main.h"
#include "module/Misc.h"

using namespace WirlessRules;

namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

// Time-outs in the session's 10 ms units.
constexpr int kShort = 1000;
constexpr int kLong = 5000;

void setAccess(HvSNMPRequest2Edits* r, std::initializer_list<int> items, uint32_t access) {
    for (int item : items) r->request.varList.item(item).access = access;
}

}  // namespace

HvPage::RequestMaker TFM_Wirless::maker(HvSNMPRequest2Edits* (TFM_Wirless::*make)(), bool wanted) {
    return [this, make, wanted]() -> HvSNMPRequest2Edits* { return wanted ? (this->*make)() : nullptr; };
}

void TFM_Wirless::buildRequests() {
    applyVariant();
    const bool full = m_variant == Variant::Full;
    // Every request in the page's order. The capabilities taken at the page's start choose them, no
    // answer does: the reads among them (of the secondary SSIDs' table its first row) go out together,
    // then each read below takes its answer in that order.
    readTogether({maker(&TFM_Wirless::makeAutoChannelScan, full),
                  maker(&TFM_Wirless::makeApMode, full),
                  maker(&TFM_Wirless::makeRootAp, full),
                  maker(&TFM_Wirless::makeSecurity, full),
                  maker(&TFM_Wirless::makeKeyType, full && m_caps.keyTypeSupported),
                  maker(&TFM_Wirless::makeMultiSsidState, full && m_caps.newMultiSupport == 1),
                  walkTogether(maker(&TFM_Wirless::makeMultiSsidList, full && m_caps.newMultiSupport == 1)),
                  maker(&TFM_Wirless::makeGuest, full && m_caps.newMultiSupport == 0),
                  maker(&TFM_Wirless::makeGuestKeyIndex, full && m_caps.newMultiSupport == 0),
                  maker(&TFM_Wirless::makeCipherRadius, full),
                  maker(&TFM_Wirless::makeCipherPsk, full),
                  maker(&TFM_Wirless::makeSurvey, full),
                  maker(&TFM_Wirless::makeMultiSsidSecurity, full && m_caps.newMultiSupport == 1),
                  maker(&TFM_Wirless::makeCluster, full),
                  maker(&TFM_Wirless::makeBasic, true),
                  maker(&TFM_Wirless::makeSuperMode, true),
                  maker(&TFM_Wirless::makeDynChannels, true),
                  maker(&TFM_Wirless::makeStatChannels, true),
                  maker(&TFM_Wirless::makeRadioWave, true),
                  maker(&TFM_Wirless::makeMultiOverWds, true)});
    if (full) readFullAtCreation();

    readBasic();
    savedChannelText = Ed_Chana->text();
    if (reqSuperMode) reqSuperMode->get();
    readChannelLists();
    reqRadioWave->get();
    reqMultiOverWds->get();

    AD_SuperModeChange(nullptr);
    FillChannelCombo(CB_Chang, Ed_ChanListg, Ed_Chang);
    if (full) afterReads();
}

void TFM_Wirless::readFullAtCreation() {
    if (!reqAutoChannelScan->get()) {
        m_autoScanLearned = true;
        CB_AuSc->setVisible(false);
    }
    reqApMode->get();
    readRootAp();
    reqSecurity->get();
    savedValidKey = Ed_SecValKeya->text();
    if (reqKeyType) hasKeyType = reqKeyType->get();
    if (reqMultiSsidList) {
        reqMultiSsidState->get();
        reqMultiSsidList->get();
        UpdateKeyIndexChoices();
    } else if (reqGuest) {
        reqGuest->get();
        reqGuestKeyIndex->get();
    }
    readCipherRadius();
    reqCipherPsk->get();
    if (surveysAtOnce(deviceMode())) startSurveyWalk(kSurveyRefresh);
    if (reqMultiSsidEncryption) reqMultiSsidEncryption->get();
    reqCluster->get();
}

void TFM_Wirless::readBasic() {
    reqBasic->get();
    Ed_ChanLista->setText(channelListOrDefault(Ed_ChanLista->text()));
}

void TFM_Wirless::readChannelLists() {
    if (!reqDynChannels->get()) Ed_DynChLista->setText(kChannelListFallback);
    if (!reqStatChannels->get()) Ed_StatChLista->setText(kChannelListFallback);
}

void TFM_Wirless::readRootAp() {
    reqRootAp->get();
    savedRootMac = Ed_RoMAddra0->text();
    savedRepeaterSsid = Ed_SSID->text();
}

void TFM_Wirless::readCipherRadius() {
    reqCipherRadius->get();
    takeSavedTexts();
}

void TFM_Wirless::takeSavedTexts() {
    savedGroupKey = GroupKeyEdit->text();
    savedRadiusServer = RadiusServerEdit->text();
    savedRadiusPort = RadiusportEdit->text();
    savedRadiusSecret = RadiusSecretEdit->text();
    savedCipher = CiphertypeComboBox->text();
}

// ---- The requests, each as the page first reads it --------------------------------------------------

HvSNMPRequest2Edits* TFM_Wirless::makeAutoChannelScan() {
    reqAutoChannelScan = makeRequest(kMibT019, SVT_SV, 0, false, 200);
    reqAutoChannelScan->addCheckBox(0, CB_AuSc);
    // Only an answer tells that the firmware has the object, and only the first read asks: a later
    // one that goes unanswered (the device restarting) must not hide the box and drop the object.
    reqAutoChannelScan->onAsyncGetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* e) {
        if (m_autoScanLearned) return;
        m_autoScanLearned = true;
        hasAutoChannelScan = !e || e->code == 0;
        CB_AuSc->setVisible(hasAutoChannelScan);
    };
    return reqAutoChannelScan;
}

HvSNMPRequest2Edits* TFM_Wirless::makeApMode() {
    reqApMode = makeRequest(kMibT007, MVT_SV, 0, true, kShort);
    reqApMode->addComboBox(0, ED_APModeComboBox);
    for (int i = 0; i < 8; ++i) reqApMode->addEdit(i + 1, "%h", {Ed_ReMAddra[i]});
    reqApMode->afterGetCallback = [this] { ClearEmptyMacs(); };
    return reqApMode;
}

HvSNMPRequest2Edits* TFM_Wirless::makeRootAp() {
    reqRootAp = makeRequest(kMibT008, SVT_SV, 0, true, kShort);
    reqRootAp->addEdit(0, "%h", {Ed_RoMAddra0});
    reqRootAp->addEdit(1, "%s", {Ed_SSID});
    return reqRootAp;
}

HvSNMPRequest2Edits* TFM_Wirless::makeSecurity() {
    reqSecurity = makeRequest(kMibT037, SVT_SV, 0, true, kLong);
    // The first slot's security: its authentication, encryption, valid key and four keys.
    setAccess(reqSecurity, {0, 1, 2, 6, 7, 8, 9}, HvAccess::ReadWrite);
    reqSecurity->addComboBox(0, Ed_SecAutha);
    reqSecurity->addComboBox(1, Ed_SecEncypa);
    reqSecurity->addComboBox(2, Ed_SecValKeya);
    for (int i = 0; i < 4; ++i) reqSecurity->addEdit(6 + i, "%s", {Ed_Keya[i]});
    return reqSecurity;
}

HvSNMPRequest2Edits* TFM_Wirless::makeKeyType() {
    reqKeyType = makeRequest(kMibT101, SVT_SV, 0, true, kShort);
    reqKeyType->addComboBox(0, Ed_KeyType);
    return reqKeyType;
}

HvSNMPRequest2Edits* TFM_Wirless::makeMultiSsidState() {
    reqMultiSsidState = makeRequest(kMibT092, SVT_SV, 0, false, kShort);
    reqMultiSsidState->addComboBox(0, CB_MultEnable);
    return reqMultiSsidState;
}

HvSNMPRequest2Edits* TFM_Wirless::makeMultiSsidList() {
    reqMultiSsidList = makeRequest(kMibT091, MVT_UMV, 2, true, kShort);
    reqMultiSsidList->setListView(LV_Multi2, false);
    return reqMultiSsidList;
}

HvSNMPRequest2Edits* TFM_Wirless::makeGuest() {
    reqGuest = makeRequest(kMibT087, MVT_SV, 0, true, kShort);
    reqGuest->addComboBox(0, Master_ComboBox);
    for (int i = 0; i < 3; ++i) reqGuest->addComboBox(1 + i, Guest_ComboBox[i]);
    for (int i = 0; i < 3; ++i) reqGuest->addComboBox(4 + i, GuestEncry_ComboBox[i]);
    return reqGuest;
}

HvSNMPRequest2Edits* TFM_Wirless::makeGuestKeyIndex() {
    reqGuestKeyIndex = makeRequest(kMibT089, SVT_SV, 0, false, kShort);
    for (int i = 0; i < 3; ++i) reqGuestKeyIndex->addComboBox(i, GuestKeyIndex_ComboBox[i]);
    return reqGuestKeyIndex;
}

HvSNMPRequest2Edits* TFM_Wirless::makeCipherRadius() {
    reqCipherRadius = makeRequest(kMibT030, SVT_SV, 0, true, kLong);
    reqCipherRadius->addComboBox(0, CiphertypeComboBox);
    reqCipherRadius->addEdit(1, "%u{n1x65535}", {RadiusportEdit});
    reqCipherRadius->addEdit(2, "%u{n300x9999999}", {GroupKeyEdit});
    reqCipherRadius->addEdit(3, "%s", {RadiusServerEdit});
    reqCipherRadius->addEdit(4, "%s", {RadiusSecretEdit});
    return reqCipherRadius;
}

HvSNMPRequest2Edits* TFM_Wirless::makeCipherPsk() {
    reqCipherPsk = makeRequest(kMibT031, SVT_SV, 0, false, kLong);
    reqCipherPsk->addComboBox(0, CipherforPSKBox);
    reqCipherPsk->addEdit(1, "%u{n300x9999999}", {GroupKeyPSKEdit});
    reqCipherPsk->addEdit(2, "%s", {PassPhrasePSKEdit});
    reqCipherPsk->afterGetCallback = [this] { FillPskCiphers(); };
    return reqCipherPsk;
}

// The survey's trigger and its walk: neither is read at creation but by the mode's rule.
HvSNMPRequest2Edits* TFM_Wirless::makeSurvey() {
    reqRefresh = makeRequest(kMibT080, SVT_SV, 0, false, kShort);
    reqRefresh->addComboBox(0, SiteScanComboBox);

    reqSiteSurvey = makeRequest(kMibT081, MVT_UMV, 1, false, kShort);
    reqSiteSurvey->setListView(SiteServeyListView, true);
    reqSiteSurvey->buildListColumns();
    if (SiteServeyListView->columnCount() > 0) SiteServeyListView->setColumnWidth(0, 0);
    sizeSurveyColumns();
    reqSiteSurvey->onAsyncGetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* e) { surveyDone(e); };
    return reqSiteSurvey;
}

// The secondary SSIDs' encryptions (read) and authentications (only written).
HvSNMPRequest2Edits* TFM_Wirless::makeMultiSsidSecurity() {
    reqMultiSsidEncryption = makeRequest(kMibT095, MVT_SV, 0, false, kLong);
    for (int i = 0; i < 7; ++i) reqMultiSsidEncryption->addComboBox(i, CB_MultEncyt[i]);
    setAccess(reqMultiSsidEncryption, {7, 8, 9, 10, 11, 12, 13}, HvAccess::Invalid);
    reqMultiSsidAuth = makeRequest(kMibT095, MVT_SV, 0, false, kLong);
    for (int i = 0; i < 7; ++i) reqMultiSsidAuth->addComboBox(7 + i, CB_MultiAuth[i]);
    return reqMultiSsidEncryption;
}

HvSNMPRequest2Edits* TFM_Wirless::makeCluster() {
    return reqCluster = makeClusterState(CB_Clus, false, [this] {
               ED_APModeTempComboBox->setEnabled(CB_Clus->itemIndex() != 0);
           });
}

// Each slot only while its tab is shown.
HvSNMPRequest2Edits* TFM_Wirless::makeBasic() {
    reqBasic = makeRequest(kMibT002, SVT_SV, 0, true, kShort);
    auto bindSlot = [this](int base, forms::Edit* ssid, forms::ComboBox* bcast, forms::Edit* chan,
                           forms::Edit* list, forms::Edit* freq) {
        for (int i = 0; i < 5; ++i)
            reqBasic->request.varList.item(base + i).access =
                i < 3 ? HvAccess::ReadWrite : HvAccess::ReadOnly;
        reqBasic->addEdit(base, "%s", {ssid});
        reqBasic->addComboBox(base + 1, bcast);
        reqBasic->addEdit(base + 2, "%s", {chan});
        reqBasic->addEdit(base + 3, "%s", {list});
        reqBasic->addEdit(base + 4, "%s", {freq});
    };
    if (TS_11a->tabVisible()) {
        TS_11a->setCaption(q(BandNameA));
        bindSlot(0, Ed_SSIDa, CB_SSIDBcasta, Ed_Chana, Ed_ChanLista, Ed_RaFreqa);
    }
    if (TS_11g->tabVisible()) {
        TS_11g->setCaption(q(BandNameG));
        bindSlot(5, Ed_SSIDg, CB_SSIDBcastg, Ed_Chang, Ed_ChanListg, Ed_RaFreqg);
    }
    reqBasic->setStatusBar(StatusBar);
    return reqBasic;
}

HvSNMPRequest2Edits* TFM_Wirless::makeSuperMode() {
    const MibObjectDef* superTable = m_caps.newMultiSupport == 0   ? kMibT015
                                     : m_caps.newMultiSupport == 1 ? kMibT016
                                                                   : nullptr;
    if (!superTable) return nullptr;
    reqSuperMode = makeRequest(superTable, SVT_SV, 0, true, kShort);
    reqSuperMode->addComboBox(0, AD_SuperMode);
    return reqSuperMode;
}

HvSNMPRequest2Edits* TFM_Wirless::makeDynChannels() {
    reqDynChannels = makeRequest(kMibT099, SVT_SV, 0, true, kShort);
    // As text: a list of channels is no number, and a number filter would run them together.
    reqDynChannels->addEdit(0, "%s", {Ed_DynChLista});
    return reqDynChannels;
}

HvSNMPRequest2Edits* TFM_Wirless::makeStatChannels() {
    reqStatChannels = makeRequest(kMibT100, SVT_SV, 0, true, kShort);
    reqStatChannels->addEdit(0, "%s", {Ed_StatChLista});
    return reqStatChannels;
}

HvSNMPRequest2Edits* TFM_Wirless::makeRadioWave() {
    reqRadioWave = makeRequest(kMibT014, SVT_SV, 0, false, kShort);
    reqRadioWave->addComboBox(0, CbxRadio);
    return reqRadioWave;
}

HvSNMPRequest2Edits* TFM_Wirless::makeMultiOverWds() {
    reqMultiOverWds = makeRequest(kMibT118, SVT_SV, 0, true, 10000);
    reqMultiOverWds->addComboBox(0, CB_gmultioverwds);
    return reqMultiOverWds;
}
