#include "pages/wireless/Group.h"

#include "module/Main.h"
#include "module/Misc.h"
#include "pages/wireless/GroupLayout.h"

using namespace GroupRules;

QPointer<TFM_Group> FM_Group;

TFM_Group::TFM_Group(TMainForm& mainForm, QWidget* owner) : HvPage(mainForm, owner) {
    buildLayout(kGroupLayout);
    findControls();
    Bt_Apply->OnClick = [this](QObject* s) { Bt_ApplyClick(s); };
    Bt_Refresh->OnClick = [this](QObject* s) { Bt_RefreshClick(s); };
    Bt_Cancel->OnClick = [this](QObject* s) { Bt_CancelClick(s); };
    CB_LoadB->OnChange = [this](QObject* s) { CB_LoadBChange(s); };
    setResultControl(StatusBar);
    FormCreate();
}

void TFM_Group::findControls() {
    CB_LoadB = control<forms::ComboBox>("CB_LoadB");
    Ed_UsrL = control<forms::Edit>("Ed_UsrL");
    CB_LinkInt = control<forms::ComboBox>("CB_LinkInt");
    Ed_EthLS = control<forms::Edit>("Ed_EthLS");
    Bt_Apply = control<forms::Button>("Bt_Apply");
    Bt_Refresh = control<forms::Button>("Bt_Refresh");
    Bt_Cancel = control<forms::Button>("Bt_Cancel");
    StatusBar = control<forms::StatusBar>("StatusBar");
    CB_APMode = control<forms::ComboBox>("CB_APMode");
    CB_Clus = control<forms::ComboBox>("CB_Clus");
}

void TFM_Group::FormCreate() {
    create([this] { buildRequests(); }, {Bt_Apply, Bt_Refresh});
    Ed_UsrL->setMaxLength(kUserLimitMaxLength);
}

void TFM_Group::buildRequests() {
    // The reads go out together; each takes its answer in the page's order.
    readTogether({[this] {
                      reqGroup = makeRequest(kMibT039, SVT_SV, 0);
                      reqGroup->addComboBox(0, CB_LoadB);
                      reqGroup->addEdit(1, "%u", {Ed_UsrL});
                      reqGroup->addComboBox(2, CB_LinkInt);
                      reqGroup->addEdit(3, "%s", {Ed_EthLS});
                      reqGroup->setStatusBar(StatusBar);
                      return reqGroup;
                  },
                  [this] {
                      reqAPMode = makeRequest(kMibT088, MVT_SV, 0);
                      reqAPMode->addComboBox(0, CB_APMode);
                      return reqAPMode;
                  },
                  [this] {
                      reqCluster = makeClusterState(CB_Clus, false);
                      reqCluster->onAsyncGetDone = [this](HvSNMPRequest2Controls* s, HvSNMPError* e) {
                          ClusterGetDone(s, e);
                      };
                      return reqCluster;
                  }});
    reqGroup->get();
    reqAPMode->get();
    UpdateGroupingControls();

    // Answered later: its completion finishes the controls' rule.
    reqCluster->get();
}

void TFM_Group::applyControls(const Controls& c) {
    if (c.loadBalanceEnabled) CB_LoadB->setEnabled(*c.loadBalanceEnabled);
    if (c.linkIntegrateEnabled) CB_LinkInt->setEnabled(*c.linkIntegrateEnabled);
    if (c.userLimitEditable) setLocked(Ed_UsrL, !*c.userLimitEditable);
}

void TFM_Group::UpdateGroupingControls() {
    applyControls(updateGroupingControls(CB_APMode->itemIndex(), CB_LoadB->itemIndex()));
}

void TFM_Group::ClusterGetDone(HvSNMPRequest2Controls*, HvSNMPError* error) {
    if (closing()) return;
    const bool ok = error && error->code == 0;
    applyControls(clusterReadDone(ok, CB_Clus->itemIndex(), CB_APMode->itemIndex(), CB_LoadB->itemIndex()));
}

void TFM_Group::CB_LoadBChange(QObject*) {
    UpdateGroupingControls();
}

void TFM_Group::readCluster() {
    if (reqCluster && !reqCluster->busy) reqCluster->get();
}

void TFM_Group::Bt_ApplyClick(QObject*) {
    if (!created() || closing() || !reqGroup) return;
    if (const auto failure = checkUserLimit(Ed_UsrL->text())) {
        refuseInput(*failure);
        return;
    }
    bool ok = false;
    if (!guarded([&] { ok = reqGroup->set(true, true); })) return;
    const AfterWrite after = afterWrite(ok, CB_Clus->itemIndex());
    StatusBar->setSimpleText(after.status);
    if (after.askRestart ? HvAskRestart(this) : after.waiting)
        showWaiting(HvWaitingFrom(kApplyWaiting, false));
    if (after.readCluster) guarded([this] { readCluster(); });
}

void TFM_Group::Bt_RefreshClick(QObject*) {
    guarded([this] {
        reqGroup->get();
        reqAPMode->get();
        readCluster();
        UpdateGroupingControls();
    });
}

void TFM_Group::Bt_CancelClick(QObject*) {
    close();
}
