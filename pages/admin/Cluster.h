#pragma once

// Unit Cluster: the page "Advanced \ AP Domains". It shows whether the device is a member of an AP
// domain, joins one by its ID or leaves it, surveys the domains other access points announce and
// lists the members of the device's own domain. Every request is asynchronous; the page does not
// close while one of them is out, and its actions wait for the one running to end.

#include <QPointer>

#include "module/HvPage.h"
#include "pages/admin/ClusterRules.h"

class TFM_Cluster : public HvPage {
public:
    // owner: the Qt parent (null for the application, as the menu creates it).
    explicit TFM_Cluster(TMainForm& mainForm, QWidget* owner = nullptr);
    ~TFM_Cluster() override;

    // Published components (layout in ClusterLayout.cpp).
    forms::GroupBox* GrpBx_ClusterSet = nullptr;
    forms::Label* Lab_Status = nullptr;
    forms::Edit* Ed_ClusterID = nullptr;
    forms::Button* Bt_Join = nullptr;
    forms::Button* Bt_Escape = nullptr;
    forms::ComboBox* CB_Action = nullptr;
    forms::GroupBox* Grp_ClusterDetect = nullptr;
    forms::ListView* LV_ClusterGrp = nullptr;
    forms::Button* Bt_ClusterGrp = nullptr;
    forms::ComboBox* CB_ClusterGrpDetect = nullptr;
    forms::GroupBox* Grp_ClusterMember = nullptr;
    forms::ListView* LV_ClusterMemBer = nullptr;
    forms::ComboBox* CB_MemberDtck = nullptr;
    forms::Button* Bt_Refresh = nullptr;
    forms::Button* Bt_Close = nullptr;
    forms::StatusBar* StatusBar1 = nullptr;

    // The requests, owned by the page; null until the creation step has built them and after an
    // accepted close.
    HvSNMPRequest2Edits* reqCluster = nullptr;
    HvSNMPRequest2Edits* reqSurvey = nullptr;
    HvSNMPRequest2Edits* reqDomains = nullptr;
    HvSNMPRequest2Edits* reqMemberSurvey = nullptr;
    HvSNMPRequest2Edits* reqMembers = nullptr;

    // One of the requests is out. It is the requests' own state, not a flag of the page's: two
    // chains can never clear it early for each other, nor a failed creation leave it set for ever.
    bool busy() const;
    bool joinPending() const { return m_joinPending; }

    void FormCreate();
    void OnClusterGetDone(HvSNMPError* error);
    void OnClusterSetDone(HvSNMPError* error);
    void OnSurveySetDone(HvSNMPError* error);
    void OnDomainTableDone(HvSNMPError* error);
    void OnMemberSurveySetDone(HvSNMPError* error);
    void OnMemberTableDone(HvSNMPError* error);
    void Bt_JoinClick(QObject* sender);
    void Bt_EscapeClick(QObject* sender);
    void Bt_ClusterGrpClick(QObject* sender);
    void Bt_RefreshClick(QObject* sender);
    void LV_ClusterGrpClick(QObject* sender);
    void Bt_CloseClick(QObject* sender);
    void FormCloseQuery(QObject* sender, bool& canClose);

private:
    void findControls();
    // Every request ended and forgotten: no answer reaches the page after this.
    void endRequests();
    void wireHandlers();
    void buildRequests();
    HvSNMPRequest2Edits* makeTrigger(const MibObjectDef* table, forms::ComboBox* combo, int32_t timeout);
    HvSNMPRequest2Edits* makeTable(const MibObjectDef* table, forms::ListView* view);
    void setStatus(const QString& text);
    // The result text of a finished step in the status panel.
    void showOutcome(const HvSNMPError* error);
    // The last step of a chain: its result text, and the actions offered again.
    void endChain(const HvSNMPError* error);
    // A trigger's write done: the table it refilled is walked, or the chain ends on its failure.
    void walkAfterTrigger(const HvSNMPError* error, HvSNMPRequest2Edits* walk);
    // A new chain may start: the page is up and no request of another one is out.
    bool canStart() const;
    // The actions that start a request are offered only while none is out.
    void updateActions();
    // Starts one step of a chain under the page's guard; the actions follow the requests' state.
    void step(const std::function<void()>& action);
    void readMembership();
    void writeMembership(int actionIndex);

    bool m_joinPending = false;
    bool m_waitingShown = false;  // the waiting dialog of a Join is up: its chain is not done
};

extern QPointer<TFM_Cluster> FM_Cluster;
