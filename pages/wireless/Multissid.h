#pragma once

// Unit Multissid: the page "Advanced\Multi-SSID" of firmwares without the multi-SSID table. It shows
// the master SSID read-only and three guest SSIDs the user can switch on, each with WEP security and
// a VLAN group ID, and the device's VLAN state; Apply writes them all in one fixed sequence and then
// waits for the device's restart.

#include <QPointer>

#include <array>

#include "module/HvPage.h"
#include "pages/wireless/MultissidRules.h"

class TFM_MultiSSIDForm : public HvPage {
public:
    // mainForm: the window whose poll the waiting dialog watches. owner: the Qt parent (null for the
    // application, as the menu creates it).
    explicit TFM_MultiSSIDForm(TMainForm& mainForm, QWidget* owner = nullptr);

    static constexpr int kGuests = MultissidRules::kGuestCount;
    template <class T>
    using PerGuest = std::array<T*, kGuests>;

    // Published components (layout in MultissidLayout.cpp). Guest n's control is [n - 1] of its array
    // (Guest1CheckBox is GuestCheckBox[0], GuestSSIDEdit2 is GuestSSIDEdit[1]).
    forms::PageControl* PC_MultiSSID = nullptr;
    forms::TabSheet* TabSheetG = nullptr;
    forms::CheckBox* CheckBox1 = nullptr;
    forms::Edit* MasterSSIDEdit = nullptr;
    forms::ComboBox* SecurityBox = nullptr;
    forms::ComboBox* DefaultKey = nullptr;
    forms::Edit* GroupIDBox = nullptr;
    PerGuest<forms::CheckBox> GuestCheckBox{};
    PerGuest<forms::Edit> GuestSSIDEdit{};
    PerGuest<forms::ComboBox> TempComboBox{};
    PerGuest<forms::ComboBox> GuestKeyType{};
    PerGuest<forms::ComboBox> GuestKeySize{};
    PerGuest<forms::ComboBox> GuestKey{};
    PerGuest<forms::Edit> GuestKeyvalueEdit{};
    PerGuest<forms::Edit> GuestGroupID{};
    forms::Button* Bt_Refresh = nullptr;
    forms::Button* Bt_Apply = nullptr;
    forms::Button* Bt_Close = nullptr;
    forms::StatusBar* StatusBar1 = nullptr;
    // Hidden carriers of device values.
    forms::ComboBox* VLan_State = nullptr;
    forms::ComboBox* Encryption_ComboBox = nullptr;
    PerGuest<forms::ComboBox> GuestSSID{};
    PerGuest<forms::ComboBox> GuestSecurity{};
    PerGuest<forms::ComboBox> EnableEncryption{};
    forms::ComboBox* AP_ModeComboBox = nullptr;
    forms::ComboBox* Supermode_ComboBox = nullptr;

    // The requests, the page's own; null until the creation step has built them.
    HvSNMPRequest2Edits* reqVlan = nullptr;
    HvSNMPRequest2Edits* reqMaster = nullptr;
    PerGuest<HvSNMPRequest2Edits> reqGuest{};
    HvSNMPRequest2Edits* reqAPMode = nullptr;

    // Handlers; g is the guest's index (0..2).
    void FormCreate();
    void Bt_RefreshClick(QObject* sender);
    void Bt_ApplyClick(QObject* sender);
    void Bt_CloseClick(QObject* sender);
    void CheckBox1Click(QObject* sender);
    void GuestCheckBoxClick(int g);
    void GuestSecurityChange(int g);
    void GuestKeyMaxLengthChange(int g);
    void GuestKeyChange(int g);
    void GuestSSIDEditExit(int g);

    // Page operations.
    void FillKeyCombos();
    void KeySizesFromKeys();
    void SyncVlanControls();
    void ApplyVlanState();
    void SyncGuestControls();
    void UpdateGuestControls();
    void FillSecurityCombos();
    void SetGuestEditLimits();
    void SetGuestKeyMaxLength();
    bool CheckKeyIndexes(int g);
    bool CheckSsidDuplicates(int g);
    bool SetAll(const MultissidRules::SendPlan& plan);

private:
    void findControls();
    void wireHandlers();
    void buildRequests();
    HvSNMPRequest2Edits* makeVlan();
    HvSNMPRequest2Edits* makeMaster();
    HvSNMPRequest2Edits* makeGuest(int g);
    HvSNMPRequest2Edits* makeAPMode();
    void readAll();
    void afterRead();
    MultissidRules::PageValues values() const;
    bool setGuest(int g, const MultissidRules::SendPlan& plan);

    bool m_masterRead = false;
};

extern QPointer<TFM_MultiSSIDForm> FM_MultiSSIDForm;
