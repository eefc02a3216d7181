#pragma once

// Unit Group: the page "Advanced \ Grouping". It reads and writes the access point's client grouping
// (load balancing with a user limit, link integrity) and shows the Ethernet link's state.

#include <QPointer>

#include "module/HvPage.h"
#include "pages/wireless/GroupRules.h"

class TFM_Group : public HvPage {
public:
    // owner: the Qt parent (null for the application, as the menu creates it).
    explicit TFM_Group(TMainForm& mainForm, QWidget* owner = nullptr);

    // Published components (layout in GroupLayout.cpp).
    forms::ComboBox* CB_LoadB = nullptr;
    forms::Edit* Ed_UsrL = nullptr;
    forms::ComboBox* CB_LinkInt = nullptr;
    forms::Edit* Ed_EthLS = nullptr;
    forms::Button* Bt_Apply = nullptr;
    forms::Button* Bt_Refresh = nullptr;
    forms::Button* Bt_Cancel = nullptr;
    forms::StatusBar* StatusBar = nullptr;
    // Hidden carriers of the AP mode and the AP-domain action.
    forms::ComboBox* CB_APMode = nullptr;
    forms::ComboBox* CB_Clus = nullptr;

    // The requests, the page's own; null until the creation step built them.
    HvSNMPRequest2Edits* reqGroup = nullptr;
    HvSNMPRequest2Edits* reqAPMode = nullptr;
    HvSNMPRequest2Edits* reqCluster = nullptr;

    // Handlers.
    void FormCreate();
    void Bt_ApplyClick(QObject* sender);
    void Bt_RefreshClick(QObject* sender);
    void Bt_CancelClick(QObject* sender);
    void CB_LoadBChange(QObject* sender);

    // Page operations.
    void UpdateGroupingControls();
    void ClusterGetDone(HvSNMPRequest2Controls* sender, HvSNMPError* error);

private:
    void findControls();
    void buildRequests();
    void applyControls(const GroupRules::Controls& c);
    // Starts the AP-domain read unless one is still out: its completion applies the same rule.
    void readCluster();
};

extern QPointer<TFM_Group> FM_Group;
