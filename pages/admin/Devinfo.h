#pragma once

// Unit Devinfo: the page "Status \ Device Info". It shows what the device reports about its radios
// and its own addresses; it writes nothing.

#include <QPointer>

#include "module/HvPage.h"

class TFM_DevInfo : public HvPage {
public:
    explicit TFM_DevInfo(TMainForm& mainForm, QWidget* owner = nullptr);

    forms::PageControl* PC_WirlessTraffic = nullptr;
    forms::TabSheet* TabSheetA = nullptr;
    forms::TabSheet* TabSheetG = nullptr;
    forms::StatusBar* StatusBar = nullptr;

    forms::Edit* Ed_SSIDa = nullptr;
    forms::Edit* Ed_Channela = nullptr;
    forms::Edit* Ed_SupModa = nullptr;    // the device's own text, hidden
    forms::Edit* Ed_SupModusa = nullptr;  // the text shown
    forms::Edit* Ed_DatRata = nullptr;
    forms::Edit* Ed_SecLevAutha = nullptr;
    forms::Edit* Ed_SecLevPria = nullptr;
    forms::Button* Bt_Refa = nullptr;

    forms::Edit* Ed_SSIDg = nullptr;
    forms::Edit* Ed_Channelg = nullptr;
    forms::Edit* Ed_SupModg = nullptr;
    forms::Edit* Ed_DatRatg = nullptr;
    forms::Edit* Ed_SecLevAuthg = nullptr;
    forms::Edit* Ed_SecLevPrig = nullptr;
    forms::Button* Bt_Refg = nullptr;

    forms::Edit* Ed_Firmware = nullptr;
    forms::Edit* Ed_Mac = nullptr;
    forms::Edit* Ed_GetIP = nullptr;
    forms::Edit* Ed_IPaddr = nullptr;
    forms::Edit* Ed_SubMask = nullptr;
    forms::Edit* Ed_Gate = nullptr;

    // The page's own requests; null until the creation step has built them.
    HvSNMPRequest2Edits* reqRadioA = nullptr;
    HvSNMPRequest2Edits* reqRadioG = nullptr;
    HvSNMPRequest2Edits* reqDevice = nullptr;

    void FormCreate();
    void Bt_RefaClick(QObject* sender);
    void Bt_RefgClick(QObject* sender);

private:
    void buildRequests();
    HvSNMPRequest2Edits* boundRequest(const MibObjectDef* table, uint8_t kind, bool synchronous,
                                      std::initializer_list<forms::Edit*> edits);
};

extern QPointer<TFM_DevInfo> FM_DevInfo;
