#pragma once

// Unit Wirless: the page "Home \ Wireless". It reads and writes the radio's basic settings, the AP
// mode with its WDS and repeater peers, the primary SSID's security and, where the firmware has
// them, the guest or secondary SSIDs that security affects, and runs the site survey. The rules
// without windows are WirlessRules; this class applies them to its controls and requests.
// Apply and the survey are in WirlessApply.cpp.

#include <QPointer>

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "module/HvPage.h"
#include "pages/wireless/WirlessLayout.h"
#include "pages/wireless/WirlessRules.h"

class HvSendOnly;

class TFM_Wirless : public HvPage {
public:
    explicit TFM_Wirless(TMainForm& mainForm, QWidget* owner = nullptr);
    ~TFM_Wirless() override;

    // Published components (layout in WirlessLayout.cpp).
    forms::PageControl* PC_Wirless = nullptr;
    forms::TabSheet* TS_11a = nullptr;
    forms::TabSheet* TS_11g = nullptr;
    forms::Button* Bt_Apply = nullptr;
    forms::Button* Bt_Refresh = nullptr;
    forms::Button* Bt_Close = nullptr;
    forms::StatusBar* StatusBar = nullptr;
    forms::Timer* Timer1 = nullptr;

    forms::Label* Label1 = nullptr;
    forms::Edit* Ed_SSIDa = nullptr;
    forms::ComboBox* CbxRadio = nullptr;
    forms::ComboBox* CB_Chana = nullptr;
    forms::Edit* Ed_RaFreqa = nullptr;
    forms::CheckBox* CB_AuSc = nullptr;
    forms::Label* ED_ApMode = nullptr;
    forms::ComboBox* ED_APModeComboBox = nullptr;
    forms::ComboBox* ED_APModeTempComboBox = nullptr;
    forms::Label* Lab_SSIDBcasta = nullptr;
    forms::ComboBox* CB_SSIDBcasta = nullptr;
    forms::Label* Label24 = nullptr;
    forms::ComboBox* AD_SuperMode = nullptr;
    forms::GroupBox* GroupBox1 = nullptr;
    std::array<forms::Edit*, 8> Ed_ReMAddra{};  // Ed_ReMAddra0..7
    forms::GroupBox* GroupBox2 = nullptr;
    forms::Edit* Ed_RoMAddra0 = nullptr;
    forms::Edit* Ed_CRoMAddra0 = nullptr;
    forms::Edit* Ed_SSID = nullptr;
    forms::GroupBox* GroupBox3 = nullptr;
    forms::Button* SiteScan = nullptr;
    forms::ListView* SiteServeyListView = nullptr;
    forms::Label* Authentication = nullptr;
    forms::ComboBox* Ed_SecAutha = nullptr;
    forms::ComboBox* Ed_SecAuthaTemp = nullptr;
    forms::GroupBox* GroupBox4 = nullptr;
    forms::ComboBox* Ed_SecEncypa = nullptr;
    forms::ComboBox* Ed_KeyType = nullptr;
    forms::ComboBox* Ed_KeySize = nullptr;
    forms::ComboBox* Ed_SecValKeya = nullptr;
    std::array<forms::Edit*, 4> Ed_Keya{};  // Ed_Key1a..Ed_Key4a
    forms::GroupBox* GroupBox5 = nullptr;
    forms::ComboBox* CiphertypeComboBox = nullptr;
    forms::Edit* RadiusportEdit = nullptr;
    forms::Edit* GroupKeyEdit = nullptr;
    forms::Edit* RadiusServerEdit = nullptr;
    forms::Edit* RadiusSecretEdit = nullptr;
    forms::GroupBox* GroupBox6 = nullptr;
    forms::ComboBox* CipherforPSKBox = nullptr;
    forms::Edit* GroupKeyPSKEdit = nullptr;
    forms::Edit* PassPhrasePSKEdit = nullptr;
    // Value carriers.
    forms::Edit* Ed_Chana = nullptr;
    forms::Edit* Ed_ChanLista = nullptr;
    forms::Edit* Ed_DynChLista = nullptr;
    forms::Edit* Ed_StatChLista = nullptr;
    forms::ComboBox* CB_gmultioverwds = nullptr;
    forms::ComboBox* CB_Clus = nullptr;
    forms::ComboBox* SiteScanComboBox = nullptr;
    forms::ListView* LV_Multi2 = nullptr;
    forms::ComboBox* CB_MultEnable = nullptr;
    std::array<forms::ComboBox*, 7> CB_MultEncyt{};  // CB_MultEncyt1..7
    std::array<forms::ComboBox*, 7> CB_MultiAuth{};  // CB_MultiAuth1..7
    forms::ComboBox* Master_ComboBox = nullptr;
    std::array<forms::ComboBox*, 3> Guest_ComboBox{};
    std::array<forms::ComboBox*, 3> GuestKeyIndex_ComboBox{};
    std::array<forms::ComboBox*, 3> GuestEncry_ComboBox{};
    // Slot 2.
    forms::Edit* Ed_SSIDg = nullptr;
    forms::ComboBox* CB_SSIDBcastg = nullptr;
    forms::ComboBox* CB_Chang = nullptr;
    forms::Edit* Ed_RaFreqg = nullptr;
    forms::Edit* Ed_ChanListg = nullptr;
    forms::Edit* Ed_Chang = nullptr;

    // The requests, the page's own; null when the capabilities or a failed creation left them out.
    HvSNMPRequest2Edits* reqBasic = nullptr;
    HvSNMPRequest2Edits* reqSuperMode = nullptr;
    HvSNMPRequest2Edits* reqApMode = nullptr;
    HvSNMPRequest2Edits* reqSecurity = nullptr;
    HvSNMPRequest2Edits* reqCipherRadius = nullptr;
    HvSNMPRequest2Edits* reqCipherPsk = nullptr;
    HvSNMPRequest2Edits* reqRefresh = nullptr;
    HvSNMPRequest2Edits* reqSiteSurvey = nullptr;
    HvSNMPRequest2Edits* reqGuest = nullptr;
    HvSNMPRequest2Edits* reqGuestKeyIndex = nullptr;
    HvSNMPRequest2Edits* reqRadioWave = nullptr;
    HvSNMPRequest2Edits* reqDynChannels = nullptr;
    HvSNMPRequest2Edits* reqStatChannels = nullptr;
    HvSNMPRequest2Edits* reqMultiSsidList = nullptr;
    HvSNMPRequest2Edits* reqMultiSsidState = nullptr;
    HvSNMPRequest2Edits* reqKeyType = nullptr;
    HvSNMPRequest2Edits* reqMultiSsidEncryption = nullptr;
    HvSNMPRequest2Edits* reqMultiSsidAuth = nullptr;
    HvSNMPRequest2Edits* reqCluster = nullptr;
    HvSNMPRequest2Edits* reqRootAp = nullptr;
    HvSNMPRequest2Edits* reqMultiOverWds = nullptr;
    HvSNMPRequest2Edits* reqAutoChannelScan = nullptr;

    bool hasAutoChannelScan = false;  // set when the creation's read answers
    bool hasKeyType = false;
    QString savedGroupKey, savedRadiusServer, savedRadiusPort, savedRadiusSecret;
    QString savedRootMac, savedRepeaterSsid, savedCipher, savedValidKey;
    bool surveyIdle = true;
    int surveyCountdown = -1;

    const WirlessRules::Capabilities& capabilities() const { return m_caps; }
    WirlessRules::Variant variant() const { return m_variant; }

    // Handlers.
    void FormCreate();
    void Bt_ApplyClick(QObject* sender);
    void Bt_RefreshClick(QObject* sender);
    void Bt_CloseClick(QObject* sender);
    bool FormCloseQuery();
    void Timer1Timer(QObject* sender);
    void SiteScanClick(QObject* sender);
    void SiteServeyListViewClick(QObject* sender);
    void CB_ChanaChange(QObject* sender);
    void CB_AuScChange(QObject* sender);
    void AD_SuperModeChange(QObject* sender);
    void Ed_SSIDaChange(QObject* sender);
    void Ed_SSIDChange(QObject* sender);
    void ED_APModeTempComboBoxtestChange(QObject* sender);
    void Ed_SecAuthaTempChange(QObject* sender);
    void Ed_SecEncypaChange(QObject* sender);
    void Ed_KeyTypeChange(QObject* sender);
    void Ed_SecValKeyaChange(QObject* sender);

    // Page operations (the mode and security controls).
    void ShowApMode();
    void UpdateModeLayout();
    void UpdateSecurityControls();
    void UpdateKeyFields();
    void SetKeyMaxLengths();
    void FillKeySizeChoices();
    void UpdateKeyIndexChoices();
    void FillPskCiphers();
    void UpdateScanControls();
    void UpdateChannelControls();
    void ResetMacEdits();
    void ClearEmptyMacs();
    void ShowKeysAsText();
    bool FillChannelCombo(forms::ComboBox* combo, forms::Edit* listEdit, forms::Edit* channelEdit);
    void SetMaxLengths();

    // The page's mode: its choice, else the device's.
    std::optional<WirlessRules::PageMode> pageMode() const;
    std::optional<WirlessRules::ApMode> deviceMode() const;
    std::optional<WirlessRules::Auth> chosenAuth() const;
    std::optional<WirlessRules::Auth> deviceAuth() const;
    std::vector<WirlessRules::MultiSsidRow> secondaryRows() const;

private:
    void findControls();
    void wireHandlers();
    void applyVariant();
    void buildRequests();
    // A maker of readTogether for one of the page's requests; one the variant or the capabilities
    // leave out makes nothing.
    RequestMaker maker(HvSNMPRequest2Edits* (TFM_Wirless::*make)(), bool wanted);
    HvSNMPRequest2Edits* makeAutoChannelScan();
    HvSNMPRequest2Edits* makeApMode();
    HvSNMPRequest2Edits* makeRootAp();
    HvSNMPRequest2Edits* makeSecurity();
    HvSNMPRequest2Edits* makeKeyType();
    HvSNMPRequest2Edits* makeMultiSsidState();
    HvSNMPRequest2Edits* makeMultiSsidList();
    HvSNMPRequest2Edits* makeGuest();
    HvSNMPRequest2Edits* makeGuestKeyIndex();
    HvSNMPRequest2Edits* makeCipherRadius();
    HvSNMPRequest2Edits* makeCipherPsk();
    HvSNMPRequest2Edits* makeSurvey();
    HvSNMPRequest2Edits* makeMultiSsidSecurity();
    HvSNMPRequest2Edits* makeCluster();
    HvSNMPRequest2Edits* makeBasic();
    HvSNMPRequest2Edits* makeSuperMode();
    HvSNMPRequest2Edits* makeDynChannels();
    HvSNMPRequest2Edits* makeStatChannels();
    HvSNMPRequest2Edits* makeRadioWave();
    HvSNMPRequest2Edits* makeMultiOverWds();
    // The full variant's reads at creation, before the basic ones.
    void readFullAtCreation();
    void readBasic();
    void readChannelLists();
    void readRootAp();
    void readCipherRadius();
    void readSecurityGroup();
    void takeSavedTexts();
    void afterReads();
    void startSurveyWalk(const QString& panelText);
    void surveyDone(HvSNMPError* error);
    // The survey is over: the buttons back, its result in the panel.
    void endSurvey(const QString& result);
    void setPanel(const QString& text);
    // Apply's parts.
    bool runChecks(WirlessRules::ApplyPlan& plan);
    void showFailure(const WirlessRules::CheckFailure& f);
    bool applyBasic();
    bool applyFull(const WirlessRules::ApplyPlan& plan);
    bool applyMultiSsidRule();
    bool applyGuestRule(const WirlessRules::GuestPlan& plan);
    bool setSelectedGroup();
    // The items the plan's writes send, for as long as the scopes live; the plan's texts go into
    // their controls.
    std::vector<std::unique_ptr<HvSendOnly>> plannedWrites(const WirlessRules::ApplyPlan& plan);
    void setSurveyButtons(bool enabled);
    void sizeSurveyColumns();
    // A set that returns only when the device has answered, also for an asynchronous request.
    bool setAndWait(HvSNMPRequest2Edits* request);
    bool anyItemSent(const HvSNMPRequest2Edits* request) const;

    WirlessRules::Capabilities m_caps;
    WirlessRules::Variant m_variant = WirlessRules::Variant::Full;
    std::vector<WirlessRules::ApModeEntry> m_modeEntries;
    std::vector<WirlessRules::AuthEntry> m_authEntries;
    forms::StatusPanel* m_panel = nullptr;
    bool m_mirroring = false;
    bool m_updating = false;  // controls changed by the page, not the user
    bool m_applying = false;
    bool m_autoScanLearned = false;  // the creation's read of adAutoChannelScan has ended
};

extern QPointer<TFM_Wirless> FM_Wirless;
// The channel chosen on the first tab.
extern QString savedChannelText;
