#include "pages/admin/Lan.h"

#include <algorithm>

#include "module/Main.h"
#include "module/Misc.h"
#include "module/PingHost.h"
#include "module/SendFlags.h"
#include "pages/admin/LanLayout.h"

using namespace LanRules;

QPointer<TFM_LanCfg> FM_LanCfg;

namespace {

// The static pool's time-out, in the requests' 10 ms units: a device answers a full table slowly.
constexpr int32_t kStaticPoolTimeout = 10000;

}  // namespace

TFM_LanCfg::TFM_LanCfg(TMainForm& mainForm, QWidget* owner) : HvPage(mainForm, owner) {
    buildLayout(kLanLayout);
    CB_IPFrom = control<forms::ComboBox>("CB_IPFrom");
    LA_IPAddress = control<forms::Label>("LA_IPAddress");
    ED_IpAddr = control<forms::Edit>("ED_IpAddr");
    LA_SubnetMask = control<forms::Label>("LA_SubnetMask");
    ED_SubMask = control<forms::Edit>("ED_SubMask");
    LA_DefGW = control<forms::Label>("LA_DefGW");
    ED_DefGw = control<forms::Edit>("ED_DefGw");
    Ed_IPAF = control<forms::Edit>("Ed_IPAF");
    Ed_PoolRan = control<forms::Edit>("Ed_PoolRan");
    ED_Restart = control<forms::ComboBox>("ED_Restart");
    Static_ListView = control<forms::ListView>("Static_ListView");
    CB_Clus = control<forms::ComboBox>("CB_Clus");
    BT_LanCfgOk = control<forms::Button>("BT_LanCfgOk");
    BT_LanCfgCancel = control<forms::Button>("BT_LanCfgCancel");
    StatusBar = control<forms::StatusBar>("StatusBar");

    BT_LanCfgOk->OnClick = [this](QObject* s) { BT_LanCfgOkClick(s); };
    BT_LanCfgCancel->OnClick = [this](QObject* s) { BT_LanCfgCancelClick(s); };
    CB_IPFrom->OnChange = [this](QObject* s) { CB_IPFromChange(s); };
    setResultControl(StatusBar);
    setCloseControls({BT_LanCfgCancel});
    forgetOnEnd(reqIP, reqPool, reqStatic, reqCluster);
    FormCreate();
}

TFM_LanCfg::~TFM_LanCfg() = default;

void TFM_LanCfg::FormCreate() {
    create(
        [this] {
            reqIP = makeRequest(kMibT003, SVT_SV, 0);
            reqIP->addComboBox(0, CB_IPFrom);
            reqIP->addEdit(1, "%s", {ED_IpAddr});
            reqIP->addEdit(2, "%s", {ED_SubMask});
            reqIP->addEdit(3, "%s", {ED_DefGw});
            reqIP->addComboBox(4, ED_Restart);
            reqIP->setStatusBar(StatusBar);

            reqPool = makeRequest(kMibT061, SVT_SV, 0, false);
            reqPool->addEdit(0, "%s", {Ed_IPAF});
            reqPool->addEdit(1, "%u", {Ed_PoolRan});

            reqStatic = makeRequest(kMibT063, MVT_UMV, 1, false, kStaticPoolTimeout);
            reqStatic->setListView(Static_ListView, false);
            reqStatic->onAsyncGetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* error) {
                m_poolOk = !error || error->code == 0;
                m_poolDone = true;
            };

            // The pool, the address and the AP-domain state go out together.
            readTogether({[this] { return reqPool; }, [this] { return reqIP; },
                          [this] { return reqCluster = makeClusterState(CB_Clus, false, [this] { ClusterStateDone(); }); }});
            reqPool->get();
            if (reqIP->get()) {
                m_savedAddress = ED_IpAddr->text();
                m_savedMode = CB_IPFrom->itemIndex();
                UpdateIpFields();
            }
            reqCluster->get();
        },
        {BT_LanCfgOk});
    for (auto* edit : {ED_DefGw, ED_IpAddr, ED_SubMask}) edit->setMaxLength(kAddressMaxLength);
}

void TFM_LanCfg::UpdateIpFields() {
    const bool visible = staticFieldsVisible(CB_IPFrom->itemIndex());
    for (const char* name : kStaticFields)
        if (auto* w = findChild<QWidget*>(QString::fromLatin1(name))) w->setVisible(visible);
}

void TFM_LanCfg::CB_IPFromChange(QObject*) {
    UpdateIpFields();
}

void TFM_LanCfg::ClusterStateDone() {
    // Only a good read calls this: a failed one leaves the fields as they are.
    if (auto enabled = domainLockedEnabled(true, CB_Clus->itemIndex())) {
        CB_IPFrom->setEnabled(*enabled);
        ED_IpAddr->setEnabled(*enabled);
    }
}

void TFM_LanCfg::BT_LanCfgCancelClick(QObject*) {
    close();
}

void TFM_LanCfg::BT_LanCfgOkClick(QObject*) {
    // The static-pool wait runs the event loop: a second click must not start a second Apply.
    if (!created() || closing() || m_applying) return;
    m_applying = true;
    // From the click to the last dialog nothing on the page changes what is checked and written.
    const BusyScope busy(*this);
    switch (applyBranch(CB_IPFrom->itemIndex())) {
        case ApplyBranch::Static:
            applyStatic();
            break;
        case ApplyBranch::Dynamic:
            applyDynamic();
            break;
        case ApplyBranch::DomainOnly:
            rereadCluster();
            break;
    }
    m_applying = false;
}

void TFM_LanCfg::refuse(const Refusal& refusal) {
    refuseInput(refusal.failure);
    if (refusal.reread) guarded([this] { reqIP->get(); });
}

bool TFM_LanCfg::wait(const WaitPlan& plan) {
    return afterSetting(HvWaitingFrom(plan));
}

void TFM_LanCfg::rereadCluster() {
    guarded([this] { reqCluster->get(); });
}

QStringList TFM_LanCfg::staticPoolAddresses() const {
    QStringList out;
    for (int i = 0; i < Static_ListView->itemCount(); ++i) out << Static_ListView->item(i)->subItem(0);
    return out;
}

TFM_LanCfg::PoolRead TFM_LanCfg::readStaticPool() {
    m_poolDone = false;
    m_poolOk = false;
    if (reqStatic->busy || !guarded([this] { reqStatic->get(); })) return PoolRead::Failed;
    // The judging wait lets the walk arrive; Cancel at the question skips only the dialog.
    wait(judgeWait());
    if (!m_poolDone && reqStatic->busy) {
        // The walk ends by its own time-out; the bound only keeps a stalled walk from holding Apply.
        const int64_t bound = int64_t(reqStatic->request.timeout) * 10 *
                                  (std::max<int64_t>(reqStatic->request.retries, 0) + 1) +
                              1000;
        if (waitUntil([this] { return m_poolDone; }, int(std::min<int64_t>(bound, INT32_MAX))) ==
            WaitEnd::Closed)
            return PoolRead::GivenUp;
    }
    if (closing() || modalResult() != forms::mrNone) return PoolRead::GivenUp;
    return m_poolDone && m_poolOk ? PoolRead::Complete : PoolRead::Failed;
}

void TFM_LanCfg::applyStatic() {
    const StaticInput in{ED_IpAddr->text(), ED_SubMask->text(), ED_DefGw->text(), Ed_IPAF->text(),
                         Ed_PoolRan->text()};
    if (auto failure = checkFields(in)) return refuse(*failure);
    const QString address = ED_IpAddr->text();
    if (addressChanged(address, m_savedAddress)) {
        if (PingHost(address.toStdString(), this)) return refuse(probeRefusal());
        const PoolRead pool = readStaticPool();
        // The page was closed while the pool was read: the user has given up this Apply.
        if (pool == PoolRead::GivenUp) return;
        if (auto failure = checkStaticPool(address, staticPoolAddresses(), pool == PoolRead::Complete))
            return refuse(*failure);
    }
    // Never the value read back from an earlier command: only a device leaving DHCP restarts here.
    ED_Restart->setItemIndex(restartIndex(m_savedMode));
    writeAndWait(kStaticIndex, staticWait(m_savedMode, address));
}

void TFM_LanCfg::writeAndWait(int ipFromIndex, const WaitPlan& plan) {
    // Synchronous: the outcome decides the message and the waiting dialog.
    bool ok = false;
    guarded([&] {
        // The flags come back with the scope, so the next read takes the address items again.
        HvSendOnly only(reqIP->request.varList, writtenItems(ipFromIndex));
        ok = reqIP->set(true, true);
    });
    if (!ok) {
        StatusBar->setSimpleText(kSetError);
        return;
    }
    StatusBar->setSimpleText(kSetSuccess);
    wait(plan);
    rereadCluster();
}

void TFM_LanCfg::applyDynamic() {
    if (forms::Application::messageBox(this, kDhcpQuestion, kWarning, forms::MB_OKCANCEL) != forms::IDOK)
        return;
    // The waiting dialog sends the restart; the write itself must not restart the device first.
    ED_Restart->setItemIndex(kNothingIndex);
    writeAndWait(kDynamicIndex, dhcpWait());
}
