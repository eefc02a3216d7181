#pragma once

// Unit Encrypt: the page "Advanced \ Encryption". It reads and writes the radio's authentication,
// its WEP encryption with four keys, and the WPA passphrase, cipher and group-key interval, and
// opens the security servers dialog for the RADIUS settings that the enterprise mode needs.

#include <array>

#include <QPointer>

#include "module/HvPage.h"
#include "pages/wireless/EncryptRules.h"

class TFM_SSS;

class TFM_Encrypt : public HvPage {
public:
    // mainForm: the window whose band names caption the tabs and whose poll the waiting dialog
    // watches. owner: the Qt parent (null for the application, as the menu creates it).
    explicit TFM_Encrypt(TMainForm& mainForm, QWidget* owner = nullptr);
    ~TFM_Encrypt() override;

    // One radio's controls and the items they stand for; tab G repeats tab A on slot 2.
    struct Tab {
        forms::TabSheet* sheet = nullptr;
        forms::ComboBox* auth = nullptr;
        forms::ComboBox* encryption = nullptr;
        forms::ComboBox* keyType = nullptr;
        forms::ComboBox* keySize = nullptr;
        forms::ComboBox* validKey = nullptr;
        forms::ComboBox* cipher = nullptr;
        forms::Edit* passPhrase = nullptr;
        forms::Edit* interval = nullptr;
        std::array<forms::Edit*, 4> hexKeys{};
        std::array<forms::Edit*, 4> textKeys{};
        HvSNMPRequest2Edits** wpa = nullptr;  // reqWPAA or reqWPAG
        int firstItem = 0;                    // reqSecurity's authentication, encryption, valid key
        int firstKeyItem = 6;                 // reqSecurity's four keys
        QString band;                         // the radio's name in the key boxes
        bool visible() const { return sheet->tabVisible(); }
    };

    // Published components (layout in EncryptLayout.cpp).
    forms::PageControl* PC_Encryption = nullptr;
    forms::TabSheet* TS_80211a = nullptr;
    forms::TabSheet* TS_80211g = nullptr;
    forms::ComboBox* CB_SecAutha = nullptr;
    forms::ComboBox* CB_SecEncypa = nullptr;
    forms::ComboBox* CB_KeyTypeA = nullptr;
    forms::ComboBox* CB_KeySizeA = nullptr;
    forms::ComboBox* CB_SecValKeya = nullptr;
    forms::Edit* Ed_PassPha = nullptr;
    forms::ComboBox* CB_CipherTypea = nullptr;
    forms::Edit* Ed_GKUIa = nullptr;
    forms::GroupBox* GB_KeyTaba = nullptr;
    std::array<forms::Edit*, 4> Ed_Keya{};  // Ed_Key1a .. Ed_Key4a
    std::array<forms::Edit*, 4> Ed_Keyt{};  // Ed_Key1t .. Ed_Key4t
    forms::ComboBox* CB_11a_APM = nullptr;
    forms::ComboBox* CB_SecAuthg = nullptr;
    forms::ComboBox* CB_SecEncypg = nullptr;
    forms::ComboBox* CB_KeyTypeG = nullptr;
    forms::ComboBox* CB_KeySizeG = nullptr;
    forms::ComboBox* CB_SecValKeyg = nullptr;
    forms::Edit* Ed_PassPhg = nullptr;
    forms::ComboBox* CB_CipherTypeg = nullptr;
    forms::Edit* Ed_GKUIg = nullptr;
    std::array<forms::Edit*, 4> Ed_Keyg{};   // Ed_Key1g .. Ed_Key4g
    std::array<forms::Edit*, 4> Ed_Keytg{};  // Ed_Key1tg .. Ed_Key4tg
    forms::Button* Bt_Adv = nullptr;
    forms::Button* Bt_Ref = nullptr;
    forms::Button* Bt_Apply = nullptr;
    forms::Button* Bt_Cancel = nullptr;
    forms::StatusBar* StatusBar = nullptr;

    // The requests, the page's own; null until the creation step has built them.
    HvSNMPRequest2Edits* reqSecurity = nullptr;
    HvSNMPRequest2Edits* reqWPAA = nullptr;
    HvSNMPRequest2Edits* reqWPAG = nullptr;
    HvSNMPRequest2Edits* reqAPMode = nullptr;
    // Set by the security servers dialog once the device has taken its write; one WPA-EAP Apply
    // uses it up.
    bool serverSettingsApplied = false;

    const Tab& tabA() const { return m_tabA; }
    const Tab& tabG() const { return m_tabG; }
    // The security servers dialog while it is shown.
    TFM_SSS* serversDialog() const;

    // Handlers.
    void FormCreate();
    void Bt_ApplyClick(QObject* sender);
    void Bt_CancelClick(QObject* sender);
    void Bt_AdvClick(QObject* sender);
    void Bt_RefClick(QObject* sender);
    void PC_EncryptionChange(QObject* sender);
    void CB_SecAuthaChange(QObject* sender);
    void CB_SecEncypaChange(QObject* sender);

    // Page operations; the tab's twins run over the visible tabs.
    void UpdateSecurityFields();
    void SetupKeyFields(const Tab& tab);
    void KeySizeFromLength();
    void CheckApModeForWpa(const Tab& tab, int previousEncryption);

private:
    void findControls();
    void wireHandlers();
    void buildRequests();
    void bindTab(Tab& tab);
    // The tab's WPA settings; null for a hidden tab.
    HvSNMPRequest2Edits* makeWpa(Tab& tab);
    void updateSecurityFields(const Tab& tab);
    void keySizeFromLength(const Tab& tab);
    void setupVisibleKeyFields();
    // Apply's checks over the visible tabs; false (with the box shown) at the first refusal.
    bool checkTabs(std::array<EncryptRules::TabPlan, 2>& plans);
    void refuse(const Tab& tab, const EncryptRules::CheckFailure& f);
    bool writeTabs(const std::array<EncryptRules::TabPlan, 2>& plans);

    Tab m_tabA;
    Tab m_tabG;
    QPointer<TFM_SSS> m_sss;
};

extern QPointer<TFM_Encrypt> FM_Encrypt;
