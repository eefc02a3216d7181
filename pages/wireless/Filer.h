#pragma once

// Unit Filer: the page "Advanced \ Filter". Per band it sets whether stations are filtered by MAC
// address (accept, reject or off), whether stations may talk to each other and whether Ethernet
// traffic reaches the wireless side, and opens the band's MAC address table.

#include <QPointer>

#include "module/HvPage.h"

class TFM_Filter : public HvPage {
public:
    explicit TFM_Filter(TMainForm& mainForm, QWidget* owner = nullptr);

    // Published components (layout in FilerLayout.cpp).
    forms::PageControl* PageControl1 = nullptr;
    forms::TabSheet* TS_80211a = nullptr;
    forms::TabSheet* TS_80211g = nullptr;
    forms::ComboBox* CB_ACa = nullptr;
    forms::Button* Bt_MacTaba = nullptr;
    forms::ComboBox* CB_InSCa = nullptr;
    forms::ComboBox* CB_E2WAa = nullptr;
    forms::Label* La_InSCBa = nullptr;
    forms::Label* La_InSCAGa = nullptr;
    forms::ComboBox* CB_InSCBa = nullptr;
    forms::ComboBox* CB_ACg = nullptr;
    forms::Button* Bt_MacTabg = nullptr;
    forms::ComboBox* CB_InSCg = nullptr;
    forms::ComboBox* CB_E2WAg = nullptr;
    forms::ComboBox* CB_InSCBg = nullptr;
    forms::Button* Bt_Apply = nullptr;
    forms::Button* Bt_Refresh = nullptr;
    forms::Button* Bt_Close = nullptr;
    forms::StatusBar* StatusBar = nullptr;
    forms::ComboBox* CB_Clus = nullptr;

    // The requests; null until the creation step has built them.
    HvSNMPRequest2Edits* reqFilter = nullptr;
    HvSNMPRequest2Edits* reqCluster = nullptr;

    // Which slot's table the MAC table window lists, set while it is open.
    bool macTableSlot1Open = false;
    bool macTableSlot2Open = false;

    void FormCreate();
    void Bt_ApplyClick(QObject* sender);
    void Bt_RefreshClick(QObject* sender);
    void Bt_CloseClick(QObject* sender);
    void Bt_MacTabaClick(QObject* sender);
    void Bt_MacTabgClick(QObject* sender);
    void CB_ACaChange(QObject* sender);
    void CB_ACgChange(QObject* sender);
    void CB_InSCBaChange(QObject* sender);
    void CB_InSCBgChange(QObject* sender);
    void UpdateMacTableButtons();

private:
    void findControls();
    void wireHandlers();
    void buildRequests();
    HvSNMPRequest2Edits* makeFilter();
    // The MAC table window of one slot, modal; deleted when it closes.
    void openMacTable(int slot, bool& openFlag);
};

extern QPointer<TFM_Filter> FM_Filter;
