#pragma once

// Unit Clientinfo: the page "Status \ Client Info". It lists the wireless stations associated with
// the device and lists them again every ten seconds: each detection cycle tells the device to
// collect its client table, then walks it. Cycles never overlap, and the page closes only between
// two of them (a close asked during one happens when it ends).

#include <QPointer>

#include <cstdint>

#include "module/HvPage.h"

class TClientInformation : public HvPage {
public:
    explicit TClientInformation(TMainForm& mainForm, QWidget* owner = nullptr);

    // Published components (layout in ClientinfoLayout.cpp).
    forms::Label* NumOfRecord = nullptr;
    forms::ListView* User_ListView = nullptr;
    forms::ListView* ClientListView = nullptr;
    forms::ComboBox* IfGetInfo0 = nullptr;
    forms::ComboBox* IfGetInfo1 = nullptr;
    forms::Button* Bt_Rfrsh = nullptr;
    forms::Button* Bt_Close = nullptr;
    forms::StatusBar* StatusBar = nullptr;
    forms::Timer* Timer1 = nullptr;

    // The trigger and the client table's walk; null until the creation step has built them.
    HvSNMPRequest2Edits* reqGetClient = nullptr;
    HvSNMPRequest2Edits* reqClientTable = nullptr;
    // Set from the start of a detection cycle to its end; set from construction until the first
    // cycle ends.
    uint8_t clientBusy = 1;
    // The client table carries SSIDs and authentication names.
    bool ssidSupport = false;

    // A detection cycle is out: the flag, or either request still waiting for its answer.
    bool cycleRunning() const;

    void FormCreate();
    void FormShow(QObject* sender);
    void Timer1Timer(QObject* sender);
    void Bt_RfrshClick(QObject* sender);
    void Bt_CloseClick(QObject* sender);
    void FormCloseQuery(QObject* sender, bool& canClose);
    void FormResize(QObject* sender);
    void OnGetClientSetDone(HvSNMPRequest2Controls* sender, HvSNMPError* error);
    void OnClientTableDone(HvSNMPRequest2Controls* sender, HvSNMPError* error);
    void FormatClientRows();

private:
    void buildRequests();
    // Starts a cycle whether or not one runs; the handlers ask cycleRunning first.
    void runCycle();
    void endCycle();
    void setStatus(const QString& text);

    bool m_closeAsked = false;
};

extern QPointer<TClientInformation> ClientInformation;
