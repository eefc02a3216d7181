#pragma once

// Unit Static: the page "Status \ Stats". It shows each radio's traffic counters as the device
// reports them, read when the page opens and again on Refresh; it writes nothing.

#include <QPointer>

#include <array>

#include "module/HvPage.h"
#include "pages/admin/StaticRules.h"

class TFM_Static : public HvPage {
public:
    explicit TFM_Static(TMainForm& mainForm, QWidget* owner = nullptr);

    forms::PageControl* PC_WirlessTraffic = nullptr;
    forms::TabSheet* TabSheetA = nullptr;
    forms::TabSheet* TabSheetG = nullptr;
    // edits[s - 1][n] is counter n of slot s (Ed_TranSuRata ... Ed_WEPIErrCntg).
    std::array<std::array<forms::Edit*, StaticRules::kCounterCount>, 2> edits{};
    forms::Button* Bt_RfrshA = nullptr;
    forms::Button* Bt_RfrshG = nullptr;

    // The page's requests, one per slot; null until created (slot 2's stays null while its tab is hidden).
    HvSNMPRequest2Edits* reqSlotA = nullptr;
    HvSNMPRequest2Edits* reqSlotG = nullptr;

    void FormCreate();
    void Bt_RfrshAClick(QObject* sender);
    void Bt_RfrshGClick(QObject* sender);

private:
    void buildRequests();
    HvSNMPRequest2Edits*& request(int slot) { return slot == 1 ? reqSlotA : reqSlotG; }
    void showCounters(int slot);
};

extern QPointer<TFM_Static> FM_Static;
