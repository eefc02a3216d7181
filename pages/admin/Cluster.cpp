#include "pages/admin/Cluster.h"

#include "module/Misc.h"
#include "pages/admin/ClusterLayout.h"
#include "module/ListColumns.h"

using namespace ClusterRules;

namespace {

// The lists' columns as their table bindings make them: the row key first.
constexpr int kDomainSsidColumn = 3;
constexpr int kMemberIpColumn = 1;
constexpr int kMemberMacColumn = 2;

}  // namespace

QPointer<TFM_Cluster> FM_Cluster;

TFM_Cluster::TFM_Cluster(TMainForm& mainForm, QWidget* owner) : HvPage(mainForm, owner) {
    buildLayout(kClusterLayout);
    findControls();
    // The one panel carries every text of the page; as the last panel of the old library's bars it
    // runs to the bar's end, whatever width it was given.
    StatusBar1->addPanel(clientWidth() - 4);
    setResultControl(StatusBar1->panel(0));
    Ed_ClusterID->setMaxLength(kIdMaxLength);
    wireHandlers();
    FormCreate();
}

TFM_Cluster::~TFM_Cluster() {
    endRequests();
}

void TFM_Cluster::endRequests() {
    // Forgotten before they go: their ends may run the event loop, and busy() must not reach them.
    reqCluster = reqSurvey = reqDomains = reqMemberSurvey = reqMembers = nullptr;
    closeRequests();
}

void TFM_Cluster::findControls() {
    GrpBx_ClusterSet = control<forms::GroupBox>("GrpBx_ClusterSet");
    Lab_Status = control<forms::Label>("Lab_Status");
    Ed_ClusterID = control<forms::Edit>("Ed_ClusterID");
    Bt_Join = control<forms::Button>("Bt_Join");
    Bt_Escape = control<forms::Button>("Bt_Escape");
    CB_Action = control<forms::ComboBox>("CB_Action");
    Grp_ClusterDetect = control<forms::GroupBox>("Grp_ClusterDetect");
    LV_ClusterGrp = control<forms::ListView>("LV_ClusterGrp");
    Bt_ClusterGrp = control<forms::Button>("Bt_ClusterGrp");
    CB_ClusterGrpDetect = control<forms::ComboBox>("CB_ClusterGrpDetect");
    Grp_ClusterMember = control<forms::GroupBox>("Grp_ClusterMember");
    LV_ClusterMemBer = control<forms::ListView>("LV_ClusterMemBer");
    CB_MemberDtck = control<forms::ComboBox>("CB_MemberDtck");
    Bt_Refresh = control<forms::Button>("Bt_Refresh");
    Bt_Close = control<forms::Button>("Bt_Close");
    StatusBar1 = control<forms::StatusBar>("StatusBar1");
}

void TFM_Cluster::wireHandlers() {
    Bt_Join->OnClick = [this](QObject* s) { Bt_JoinClick(s); };
    Bt_Escape->OnClick = [this](QObject* s) { Bt_EscapeClick(s); };
    Bt_ClusterGrp->OnClick = [this](QObject* s) { Bt_ClusterGrpClick(s); };
    Bt_Refresh->OnClick = [this](QObject* s) { Bt_RefreshClick(s); };
    Bt_Close->OnClick = [this](QObject* s) { Bt_CloseClick(s); };
    LV_ClusterGrp->OnClick = [this](QObject* s) { LV_ClusterGrpClick(s); };
    OnCloseQuery = [this](QObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
}

HvSNMPRequest2Edits* TFM_Cluster::makeTrigger(const MibObjectDef* table, forms::ComboBox* combo,
                                              int32_t timeout) {
    HvSNMPRequest2Edits* r = makeRequest(table, MVT_SV, 0, false, timeout);
    r->addComboBox(0, combo);
    return r;
}

HvSNMPRequest2Edits* TFM_Cluster::makeTable(const MibObjectDef* table, forms::ListView* view) {
    HvSNMPRequest2Edits* r = makeRequest(table, MVT_UMV, 1, false);
    r->setListView(view, false);
    return r;
}

void TFM_Cluster::FormCreate() {
    create([this] { buildRequests(); }, {Bt_Join, Bt_Escape, Bt_ClusterGrp, Bt_Refresh});
    updateActions();
}

void TFM_Cluster::buildRequests() {
    reqCluster = makeRequest(kMibT105, MVT_SV, 0, false, kReadTimeout);
    reqCluster->addEdit(0, kIdFormat, {Ed_ClusterID});
    reqCluster->addComboBox(1, CB_Action);
    reqCluster->onAsyncGetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* e) { OnClusterGetDone(e); };
    reqCluster->onAsyncSetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* e) { OnClusterSetDone(e); };
    reqCluster->get();

    reqSurvey = makeTrigger(kMibT106, CB_ClusterGrpDetect, kSurveyTimeout);
    reqSurvey->onAsyncSetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* e) { OnSurveySetDone(e); };
    reqDomains = makeTable(kMibT107, LV_ClusterGrp);
    // The row key means nothing to the user.
    LV_ClusterGrp->setColumnWidth(0, 0);
    ListColumns::holdWidest(*LV_ClusterGrp, kDomainSsidColumn, ListColumns::Holds::Ssid);
    reqDomains->onAsyncGetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* e) { OnDomainTableDone(e); };
    reqMemberSurvey = makeTrigger(kMibT108, CB_MemberDtck, -1);
    reqMemberSurvey->onAsyncSetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* e) {
        OnMemberSurveySetDone(e);
    };
    reqMembers = makeTable(kMibT109, LV_ClusterMemBer);
    ListColumns::holdWidest(*LV_ClusterMemBer, kMemberIpColumn, ListColumns::Holds::Address);
    ListColumns::holdWidest(*LV_ClusterMemBer, kMemberMacColumn, ListColumns::Holds::Mac);
    reqMembers->onAsyncGetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* e) { OnMemberTableDone(e); };
}

bool TFM_Cluster::busy() const {
    if (m_waitingShown) return true;
    for (const HvSNMPRequest2Controls* r : {reqCluster, reqSurvey, reqDomains, reqMemberSurvey, reqMembers})
        if (r && r->busy) return true;
    return false;
}

bool TFM_Cluster::canStart() const {
    return created() && !closing() && !busy();
}

void TFM_Cluster::updateActions() {
    const bool idle = canStart();
    for (forms::Button* action : {Bt_Join, Bt_Escape, Bt_ClusterGrp, Bt_Refresh}) action->setEnabled(idle);
}

void TFM_Cluster::step(const std::function<void()>& action) {
    guarded(action);
    updateActions();
}

void TFM_Cluster::setStatus(const QString& text) {
    StatusBar1->panel(0)->setText(text);
}

void TFM_Cluster::showOutcome(const HvSNMPError* error) {
    if (error) setStatus(QString::fromStdString(error->message));
}

void TFM_Cluster::endChain(const HvSNMPError* error) {
    showOutcome(error);
    updateActions();
}

// ---- Membership ----------------------------------------------------------------------------------

void TFM_Cluster::readMembership() {
    reqCluster->request.timeout = kReadTimeout;
    reqCluster->get();
}

void TFM_Cluster::OnClusterGetDone(HvSNMPError* error) {
    const bool ok = error && error->code == 0;
    const auto view = membershipView(ok, CB_Action->itemIndex());
    if (view) {
        Bt_Escape->setVisible(view->member);
        Bt_Join->setVisible(!view->member);
        Ed_ClusterID->setEnabled(!view->member);
        if (view->clearMembers) LV_ClusterMemBer->clearItems();
    }
    Ed_ClusterID->setMaxLength(kIdMaxLength);
    if (view && view->surveyMembers) {
        // The member survey's chain reports; this read's work is not done until it has.
        CB_MemberDtck->setItemIndex(kSurveyIndex);
        step([this] { reqMemberSurvey->set(true, true); });
        return;
    }
    endChain(error);
}

void TFM_Cluster::writeMembership(int actionIndex) {
    CB_Action->setItemIndex(actionIndex);
    reqCluster->request.timeout = kWriteTimeout;
    reqCluster->set(true, true);
    setStatus(kSetting);
}

void TFM_Cluster::Bt_JoinClick(QObject*) {
    if (!canStart()) return;
    Ed_ClusterID->setText(joinId(Ed_ClusterID->text()));
    m_joinPending = true;
    bool sent = false;
    step([&] {
        writeMembership(kJoinIndex);
        sent = true;
    });
    // Nothing went out: no later write may take this Join's restart.
    if (!sent) m_joinPending = false;
}

void TFM_Cluster::Bt_EscapeClick(QObject*) {
    if (!canStart()) return;
    step([this] {
        writeMembership(kEscapeIndex);
        LV_ClusterGrp->clearItems();
    });
}

void TFM_Cluster::OnClusterSetDone(HvSNMPError* error) {
    const bool ok = error && error->code == 0;
    const AfterWrite after = afterMembershipWrite(ok, m_joinPending);
    m_joinPending = after.joinPending;
    if (!ok) return endChain(error);
    showOutcome(error);
    if (after.waiting) {
        HvWaitingDefaults wait;
        wait.waitTicks = kJoinWaitTicks;
        wait.rebootDelay = kJoinRebootDelay;
        // The chain goes on after the dialog: the page stays open until its last step, and a dialog
        // that raised must not keep it open for ever.
        struct Shown {
            bool& flag;
            ~Shown() { flag = false; }
        } shown{m_waitingShown};
        m_waitingShown = true;
        updateActions();
        showWaiting(wait);
    }
    setStatus(kRefreshing);
    step([this] { readMembership(); });
}

// ---- Domains and members -------------------------------------------------------------------------

void TFM_Cluster::Bt_ClusterGrpClick(QObject*) {
    if (!canStart()) return;
    CB_ClusterGrpDetect->setItemIndex(kSurveyIndex);
    step([this] {
        reqSurvey->set(true, true);
        setStatus(kDetecting);
    });
}

void TFM_Cluster::walkAfterTrigger(const HvSNMPError* error, HvSNMPRequest2Edits* walk) {
    if (!error || error->code != 0) return endChain(error);
    step([walk] { walk->get(); });
}

void TFM_Cluster::OnSurveySetDone(HvSNMPError* error) {
    walkAfterTrigger(error, reqDomains);
}

void TFM_Cluster::OnDomainTableDone(HvSNMPError* error) {
    endChain(error);
}

void TFM_Cluster::OnMemberSurveySetDone(HvSNMPError* error) {
    walkAfterTrigger(error, reqMembers);
}

void TFM_Cluster::OnMemberTableDone(HvSNMPError* error) {
    endChain(error);
}

void TFM_Cluster::Bt_RefreshClick(QObject*) {
    if (!canStart()) return;
    step([this] { readMembership(); });
}

void TFM_Cluster::LV_ClusterGrpClick(QObject*) {
    forms::ListItem* row = LV_ClusterGrp->selected();
    const RowClick click = domainRowClick(row != nullptr, Ed_ClusterID->enabled(), LV_ClusterGrp->itemCount(),
                                          row ? row->subItem(0) : QString());
    switch (click.kind) {
        case RowClick::Kind::Nothing:
            return;
        case RowClick::Kind::Full:
            forms::Application::messageBox(this, click.text, PageRules::kWarning, forms::MB_OK);
            return;
        case RowClick::Kind::CopyId:
            Ed_ClusterID->setText(click.text);
            return;
    }
}

// ---- Closing -------------------------------------------------------------------------------------

void TFM_Cluster::Bt_CloseClick(QObject*) {
    close();
}

void TFM_Cluster::FormCloseQuery(QObject*, bool& canClose) {
    // An answer still out would come back to a page that has gone.
    canClose = !busy();
    if (!canClose) return;
    endRequests();
}
