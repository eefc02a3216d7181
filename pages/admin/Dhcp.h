#pragma once

// Unit Dhcp: the page "Advanced \ DHCP Server". It switches the device's DHCP server, edits its
// dynamic pool, keeps its static pool (entries added and changed in the static IP dialog, emptied by
// Del) and lists the current leases. It does not close while one of its walks is out: it hides and
// closes as soon as they have ended.

#include <QPointer>

#include <array>
#include <memory>
#include <vector>

#include "module/HvPage.h"
#include "module/Newrequest.h"
#include "pages/admin/DhcpRules.h"
#include "pages/admin/Staticip.h"

class TFM_DHCP : public HvPage, public StaticPoolHost {
public:
    explicit TFM_DHCP(TMainForm& mainForm, QWidget* owner = nullptr);
    ~TFM_DHCP() override;

    // Published components (layout in DhcpLayout.cpp).
    forms::PageControl* PageControl1 = nullptr;
    forms::TabSheet* TabSheet2 = nullptr;
    forms::ComboBox* CB_Clus = nullptr;
    forms::Timer* Timer = nullptr;
    forms::ComboBox* CB_Fuction1 = nullptr;
    forms::Edit* Ed_IPAF = nullptr;
    forms::Edit* Ed_PoolRan = nullptr;
    forms::Edit* Ed_SubMask = nullptr;
    forms::Edit* Ed_Gateway = nullptr;
    forms::Edit* Ed_Wins = nullptr;
    forms::Edit* Ed_DNS = nullptr;
    forms::Edit* Ed_DomNa = nullptr;
    forms::Edit* Ed_Lease = nullptr;
    forms::ComboBox* CB_Status = nullptr;
    forms::Button* Bt_Apply = nullptr;
    forms::Button* Bt_Cancel = nullptr;
    forms::Button* Bt_Refresh = nullptr;
    forms::Edit* Ed_ext = nullptr;
    forms::StatusBar* StatusBar1 = nullptr;
    forms::ComboBox* CB_Fuction2 = nullptr;
    forms::ListView* LV_StaticPoolSet = nullptr;
    forms::ListView* User_ListView = nullptr;
    forms::Button* Bt_Add = nullptr;
    forms::Button* Bt_Set = nullptr;
    forms::Button* Bt_Del = nullptr;
    forms::Button* StaticApply = nullptr;
    forms::Button* Bt_Rfrsh = nullptr;
    forms::StatusBar* StatusBar2 = nullptr;
    forms::ListView* LV_DynPool = nullptr;
    forms::Button* Bt_RefreshDynamicPool = nullptr;
    forms::StatusBar* StatusBar3 = nullptr;
    forms::ListView* LV_StaticPool = nullptr;
    forms::Button* Bt_RefreshStaticPool = nullptr;
    forms::StatusBar* StatusBar4 = nullptr;

    // The requests; null until the creation step has built them.
    HvSNMPRequest2Edits* reqDynamic = nullptr;
    HvSNMPRequest2Edits* reqFunction = nullptr;
    HvSNMPRequest2Edits* reqStatic = nullptr;
    New_req2Edit* reqStaticList = nullptr;
    New_req2Edit* reqCurDynamic = nullptr;
    New_req2Edit* reqCurStatic = nullptr;
    HvSNMPRequest2Edits* reqCluster = nullptr;
    HvSNMPRequest2Edits* reqSysAddr = nullptr;

    // The static IP dialog, made once with the page.
    TFM_StaticIP* staticIP() const { return m_staticIP; }
    // One of the walks or reads that keep the page from closing is out.
    bool requestsBusy() const;

    void FormCreate();
    void Bt_ApplyClick(QObject* sender);
    void StaticApplyClick(QObject* sender);
    void Bt_AddClick(QObject* sender);
    void Bt_SetClick(QObject* sender);
    void Bt_DelClick(QObject* sender);
    void Bt_RefreshClick(QObject* sender);
    void Bt_RfrshClick(QObject* sender);
    void Bt_RefreshDynamicPoolClick(QObject* sender);
    void Bt_RefreshStaticPoolClick(QObject* sender);
    void Bt_CancelClick(QObject* sender);
    void CB_Fuction1Change(QObject* sender);
    void CB_Fuction2Change(QObject* sender);
    void User_ListViewSelectItem(QObject* sender, forms::ListItem* item, bool selected);
    void PageControl1Change(QObject* sender);
    void FormCloseQuery(QObject* sender, bool& canClose);
    void TimerTimer(QObject* sender);
    void EnableDynamicFields(bool enable);
    void EnableStaticFields(bool enable);

    // StaticPoolHost: what the static IP dialog reaches of this page.
    std::vector<StaticipRules::PoolRow> poolRows() const override;
    int selectedPoolRow() const override;
    void selectPoolRow(int row) override;
    QString poolStart() const override { return Ed_IPAF->text(); }
    QString poolRange() const override { return Ed_PoolRan->text(); }
    QString deviceAddress() const override { return Ed_ext->text(); }
    void writePoolRow() override;
    void writeEntry() override;
    void showEntryWait(const WaitPlan& plan) override;

private:
    void findControls();
    // The requests whose answers the page waits for before it closes.
    std::array<HvSNMPRequest2Controls*, 7> closingRequests() const;
    void wireHandlers();
    void buildRequests();
    HvSNMPRequest2Edits* makeDynamic();
    HvSNMPRequest2Edits* makeStaticPool();
    New_req2Edit* makeWalk(const MibObjectDef* table, uint8_t kind, forms::ListView* view, const char* stop,
                           forms::ResultSink* sink);
    void applyStates(const DhcpRules::ControlStates& states);
    void setListsColour(bool window);
    void setStatus(forms::StatusBar* bar, const QString& text);
    void StaticPoolReadDone(HvSNMPError* error);
    void StaticPoolWriteDone(HvSNMPError* error);
    void relistStaticPool();
    // The static pool's walk is filling the user's list too.
    bool staticListBusy() const;
    void listUserRow(const HvSNMPVarList& row);
    QStringList poolAddresses() const;
    QString selectedUserAddress() const;
    // The restart question on a joined device, the waiting dialog, then the AP-domain state again.
    void afterServerWrite();
    // The dynamic pool's Apply, once both the static pool and the dynamic pool have been read.
    void updateDynamicApply();

    TFM_StaticIP* m_staticIP = nullptr;  // kept by the base, which ends the requests before it goes
    bool m_relist = false;
    bool m_listingUsers = false;  // the static pool's walk under way lists the reserved rows too
    bool m_poolListed = false;    // a walk of the static pool has succeeded
    bool m_dynamicRead = false;   // the last read of the dynamic pool succeeded
};

extern QPointer<TFM_DHCP> FM_DHCP;
extern QPointer<TFM_StaticIP> FM_StaticIP;
