#pragma once

// Unit Modecfg: the page "Advanced \ Mode". It reads and writes the radio's operating mode with the
// MAC addresses of its bridge peers and of the root access point a repeater attaches to.

#include <QPointer>

#include <array>

#include "module/HvPage.h"
#include "pages/wireless/ModecfgRules.h"

class TFM_ModeCFG : public HvPage {
public:
    // owner: the Qt parent (null for the application, as the menu creates it).
    explicit TFM_ModeCFG(TMainForm& mainForm, QWidget* owner = nullptr);

    // Published components (layout in ModecfgLayout.cpp).
    forms::PageControl* PC_Mode = nullptr;
    forms::TabSheet* TS_80211a = nullptr;
    forms::TabSheet* TS_80211g = nullptr;
    forms::Button* Bt_Apply = nullptr;
    forms::Button* Bt_Refresh = nullptr;
    forms::Button* Bt_Close = nullptr;
    forms::StatusBar* StatusBar = nullptr;

    forms::ComboBox* CB_11a_APM = nullptr;
    // Ed_ReMAddra[n] is Ed_ReMAddra<n>, remote peer n + 1.
    std::array<forms::Edit*, 8> Ed_ReMAddra{};
    forms::Edit* Ed_RoMAddra0 = nullptr;
    forms::Label* Lab_SSID = nullptr;
    forms::Edit* Ed_SSID = nullptr;

    forms::ComboBox* CB_11g_APM = nullptr;
    std::array<forms::Edit*, 8> Ed_ReMAddrg{};
    forms::Edit* Ed_RoMAddrg0 = nullptr;

    // The requests of the two slots, the page's own; null until the creation step built them.
    HvSNMPRequest2Edits* reqModeA = nullptr;
    HvSNMPRequest2Edits* reqModeG = nullptr;

    // Handlers.
    void FormCreate();
    void Bt_ApplyClick(QObject* sender);
    void Bt_RefreshClick(QObject* sender);
    void Bt_CloseClick(QObject* sender);
    void CB_11a_APMChange(QObject* sender);
    void CB_11g_APMChange(QObject* sender);

    // Page operations.
    void UpdateModeControlsA();
    void UpdateModeControlsG();

private:
    // One slot's controls and request.
    struct TabControls {
        ModecfgRules::Tab tab;
        forms::TabSheet* sheet;
        forms::ComboBox* mode;
        std::array<forms::Edit*, 8> remote;
        forms::Edit* root;
        forms::Edit* ssid;  // slot 1 only
        HvSNMPRequest2Edits*& request;
    };
    TabControls tabA();
    TabControls tabG();

    void findControls();
    // The tab's request, bound; readTab reads it and sets the tab's controls by the answer.
    HvSNMPRequest2Edits* makeTab(TabControls t);
    void readTab(TabControls t);
    void updateModeControls(const TabControls& t);
    static ModecfgRules::Macs macsOf(const TabControls& t);
    static void showMacs(const TabControls& t, const ModecfgRules::Macs& macs);
    // Checks and writes one slot; false when a check refused it or the write failed.
    bool applyTab(const TabControls& t);
};

extern QPointer<TFM_ModeCFG> FM_ModeCFG;
