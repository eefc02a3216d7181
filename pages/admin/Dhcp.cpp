#include "pages/admin/Dhcp.h"

#include <array>
#include <functional>

#include "module/Main.h"
#include "module/Misc.h"
#include "pages/admin/DhcpLayout.h"
#include "module/ListColumns.h"

using namespace DhcpRules;

QPointer<TFM_DHCP> FM_DHCP;
QPointer<TFM_StaticIP> FM_StaticIP;

namespace {

// The static pool's result line: a failure's is in the static tab's bar already, the library put it
// there; a success's comes with the completion and replaces "Listing data ... ".
QString poolResult(const HvSNMPError* error, const QString& shown) {
    return error && error->code == 0 ? QString::fromStdString(error->message) : shown;
}

// The static pool's columns, as its table binding makes them: the key, then IP, MAC, mask, gateway,
// DNS and WINS before the domain and the status.
void holdPoolValues(forms::ListView* list) {
    using ListColumns::Holds;
    for (int column : {1, 3, 4, 5, 6}) ListColumns::holdWidest(*list, column, Holds::Address);
    ListColumns::holdWidest(*list, 2, Holds::Mac);
}

// The static pool's walk. Each row it brings is offered to onRow before it is listed.
class PoolWalk : public HvSNMPRequest2Edits {
public:
    using HvSNMPRequest2Edits::HvSNMPRequest2Edits;
    std::function<void(const HvSNMPVarList& row)> onRow;
    void valuesToControls() override {
        if (onRow) onRow(request.varList);
        // Last: listing the row lets events run, and a handler may end the page.
        HvSNMPRequest2Edits::valuesToControls();
    }
};

}  // namespace

TFM_DHCP::TFM_DHCP(TMainForm& mainForm, QWidget* owner) : HvPage(mainForm, owner) {
    buildLayout(kDhcpLayout);
    findControls();
    for (auto* bar : {StatusBar1, StatusBar2, StatusBar3, StatusBar4}) bar->addPanel(400);
    EnableStaticFields(false);
    wireHandlers();
    setResultControl(StatusBar1->panel(0));
    setCloseControls({Bt_Cancel});
    forgetOnEnd(reqDynamic, reqFunction, reqStatic, reqCluster, reqSysAddr);
    forgetOnEnd(reqStaticList, reqCurDynamic, reqCurStatic, m_staticIP);
    FormCreate();
}

TFM_DHCP::~TFM_DHCP() = default;

void TFM_DHCP::findControls() {
    PageControl1 = control<forms::PageControl>("PageControl1");
    TabSheet2 = control<forms::TabSheet>("TabSheet2");
    CB_Clus = control<forms::ComboBox>("CB_Clus");
    // The kit's timer has no meta-object of its own: find it by name, then check what it is.
    Timer = dynamic_cast<forms::Timer*>(findChild<QObject*>(QStringLiteral("Timer")));
    CB_Fuction1 = control<forms::ComboBox>("CB_Fuction1");
    Ed_IPAF = control<forms::Edit>("Ed_IPAF");
    Ed_PoolRan = control<forms::Edit>("Ed_PoolRan");
    Ed_SubMask = control<forms::Edit>("Ed_SubMask");
    Ed_Gateway = control<forms::Edit>("Ed_Gateway");
    Ed_Wins = control<forms::Edit>("Ed_Wins");
    Ed_DNS = control<forms::Edit>("Ed_DNS");
    Ed_DomNa = control<forms::Edit>("Ed_DomNa");
    Ed_Lease = control<forms::Edit>("Ed_Lease");
    CB_Status = control<forms::ComboBox>("CB_Status");
    Bt_Apply = control<forms::Button>("Bt_Apply");
    Bt_Cancel = control<forms::Button>("Bt_Cancel");
    Bt_Refresh = control<forms::Button>("Bt_Refresh");
    Ed_ext = control<forms::Edit>("Ed_ext");
    StatusBar1 = control<forms::StatusBar>("StatusBar1");
    CB_Fuction2 = control<forms::ComboBox>("CB_Fuction2");
    LV_StaticPoolSet = control<forms::ListView>("LV_StaticPoolSet");
    User_ListView = control<forms::ListView>("User_ListView");
    Bt_Add = control<forms::Button>("Bt_Add");
    Bt_Set = control<forms::Button>("Bt_Set");
    Bt_Del = control<forms::Button>("Bt_Del");
    StaticApply = control<forms::Button>("StaticApply");
    Bt_Rfrsh = control<forms::Button>("Bt_Rfrsh");
    StatusBar2 = control<forms::StatusBar>("StatusBar2");
    LV_DynPool = control<forms::ListView>("LV_DynPool");
    Bt_RefreshDynamicPool = control<forms::Button>("Bt_RefreshDynamicPool");
    StatusBar3 = control<forms::StatusBar>("StatusBar3");
    LV_StaticPool = control<forms::ListView>("LV_StaticPool");
    Bt_RefreshStaticPool = control<forms::Button>("Bt_RefreshStaticPool");
    StatusBar4 = control<forms::StatusBar>("StatusBar4");
}

void TFM_DHCP::wireHandlers() {
    // Before the requests: the list bindings keep the selection handler they find and call it.
    Bt_Apply->OnClick = [this](QObject* s) { Bt_ApplyClick(s); };
    StaticApply->OnClick = [this](QObject* s) { StaticApplyClick(s); };
    Bt_Add->OnClick = [this](QObject* s) { Bt_AddClick(s); };
    Bt_Set->OnClick = [this](QObject* s) { Bt_SetClick(s); };
    Bt_Del->OnClick = [this](QObject* s) { Bt_DelClick(s); };
    Bt_Refresh->OnClick = [this](QObject* s) { Bt_RefreshClick(s); };
    Bt_Rfrsh->OnClick = [this](QObject* s) { Bt_RfrshClick(s); };
    Bt_RefreshDynamicPool->OnClick = [this](QObject* s) { Bt_RefreshDynamicPoolClick(s); };
    Bt_RefreshStaticPool->OnClick = [this](QObject* s) { Bt_RefreshStaticPoolClick(s); };
    Bt_Cancel->OnClick = [this](QObject* s) { Bt_CancelClick(s); };
    CB_Fuction1->OnChange = [this](QObject* s) { CB_Fuction1Change(s); };
    CB_Fuction2->OnChange = [this](QObject* s) { CB_Fuction2Change(s); };
    User_ListView->OnSelectItem = [this](QObject* s, forms::ListItem* item, bool selected) {
        User_ListViewSelectItem(s, item, selected);
    };
    PageControl1->OnChange = [this](QObject* s) { PageControl1Change(s); };
    OnCloseQuery = [this](QObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
    Timer->OnTimer = [this](QObject* s) { TimerTimer(s); };
}

New_req2Edit* TFM_DHCP::makeWalk(const MibObjectDef* table, uint8_t kind, forms::ListView* view,
                                 const char* stop, forms::ResultSink* sink) {
    auto walk = std::make_unique<New_req2Edit>(this);
    walk->request.varList = HvSNMPVarList(table, kind, 1);
    walk->mode = 1;
    walk->stopValue = stop;
    walk->setListView(view, false);
    if (sink) walk->setStatusBar(sink);
    return keepRequest(std::move(walk));
}

void TFM_DHCP::setStatus(forms::StatusBar* bar, const QString& text) {
    bar->panel(0)->setText(text);
}

void TFM_DHCP::FormCreate() {
    create([this] { buildRequests(); }, {Bt_Add, Bt_Set, Bt_Del, Bt_Rfrsh, Bt_Refresh});
    if (!created()) {
        const QString message = StatusBar1->panel(0)->text();
        setStatus(StatusBar2, message);
        setStatus(StatusBar3, message);
        // Nothing can be read or written; the page can still be closed.
        Bt_Cancel->setEnabled(true);
    }
    guard([this] {
        reqSysAddr = makeRequest(kMibT064, SVT_SV, 0, false);
        reqSysAddr->addEdit(0, "%s", {Ed_ext});
        reqSysAddr->get();
    });
    Ed_DomNa->setMaxLength(kDomainMaxLength);
    for (auto* edit : {Ed_IPAF, Ed_SubMask, Ed_Gateway, Ed_Wins, Ed_DNS})
        edit->setMaxLength(kAddressMaxLength);
}

void TFM_DHCP::buildRequests() {
    // No answer chooses a read: the settings, the first row of each walk and the AP-domain state go
    // out together, and each read below takes its answer in the page's order.
    readTogether({[this] { return makeDynamic(); },
                  [this] {
                      reqFunction = makeRequest(kMibT060, SVT_SV, 0);
                      reqFunction->addComboBox(0, CB_Fuction1);
                      return reqFunction;
                  },
                  walkTogether([this] { return makeStaticPool(); }),
                  walkTogether([this] {
                      return reqCurDynamic =
                                 makeWalk(kMibT041, MVT_FMV, LV_DynPool, "000000000000", StatusBar3->panel(0));
                  }),
                  walkTogether([this] {
                      return reqCurStatic =
                                 makeWalk(kMibT042, MVT_FMV, LV_StaticPool, "000000000000", StatusBar4->panel(0));
                  }),
                  [this] { return reqCluster = makeClusterState(CB_Clus, false); }});
    m_dynamicRead = reqDynamic->get();
    if (reqFunction->get()) {
        CB_Fuction2->setItemIndex(CB_Fuction1->itemIndex());
        EnableDynamicFields(true);
    }

    setStatus(StatusBar1, kListing);
    setStatus(StatusBar2, kListing);
    reqStatic->get();

    // The user's list shows the reserved rows of the same walk: it never asks the device itself.
    reqStaticList = makeWalk(kMibT063, MVT_UMV, User_ListView, "0.0.0.0", nullptr);
    holdPoolValues(User_ListView);
    m_listingUsers = true;
    reqCurDynamic->get();
    reqCurStatic->get();
    reqCluster->get();
}

HvSNMPRequest2Edits* TFM_DHCP::makeDynamic() {
    reqDynamic = makeRequest(kMibT061, SVT_SV, 0);
    reqDynamic->addEdit(0, "%s", {Ed_IPAF});
    reqDynamic->addEdit(1, "%u", {Ed_PoolRan});
    reqDynamic->addEdit(2, "%s", {Ed_SubMask});
    reqDynamic->addEdit(3, "%s", {Ed_Gateway});
    reqDynamic->addEdit(4, "%s", {Ed_Wins});
    reqDynamic->addEdit(5, "%s", {Ed_DNS});
    reqDynamic->addEdit(6, "%s", {Ed_DomNa});
    reqDynamic->addEdit(7, "%u", {Ed_Lease});
    reqDynamic->addComboBox(8, CB_Status);
    reqDynamic->setStatusBar(StatusBar1->panel(0));
    return reqDynamic;
}

HvSNMPRequest2Edits* TFM_DHCP::makeStaticPool() {
    m_staticIP = keepDialog(std::make_unique<TFM_StaticIP>(*this));
    FM_StaticIP = m_staticIP;
    TFM_StaticIP* d = m_staticIP;
    auto* poolWalk = makeRequestOf<PoolWalk>(kMibT063, MVT_UMV, 1, false);
    poolWalk->onRow = [this](const HvSNMPVarList& row) { listUserRow(row); };
    reqStatic = poolWalk;
    reqStatic->setListView(LV_StaticPoolSet, false);
    holdPoolValues(LV_StaticPoolSet);
    reqStatic->addLabel(0, d->LA_Index);
    reqStatic->addEdit(1, "%s", {d->Ed_AsgIP});
    reqStatic->addEdit(2, "%h", {d->Ed_AsgMac});
    reqStatic->addEdit(3, "%s", {d->Ed_SubMask});
    reqStatic->addEdit(4, "%s", {d->Ed_Gatway});
    reqStatic->addEdit(5, "%s", {d->Ed_DNS});
    reqStatic->addEdit(6, "%s", {d->Ed_Wins});
    reqStatic->addEdit(7, "%s", {d->Ed_DomNa});
    reqStatic->addComboBox(8, d->CB_Stat);
    reqStatic->setStatusBar(StatusBar2->panel(0));
    reqStatic->onAsyncGetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* e) { StaticPoolReadDone(e); };
    reqStatic->onAsyncSetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* e) { StaticPoolWriteDone(e); };
    d->Ed_DomNa->setMaxLength(kDomainMaxLength);
    for (auto* edit : {d->Ed_AsgIP, d->Ed_AsgMac, d->Ed_SubMask, d->Ed_Gatway, d->Ed_Wins, d->Ed_DNS})
        edit->setMaxLength(kAddressMaxLength);
    return reqStatic;
}

std::array<HvSNMPRequest2Controls*, 7> TFM_DHCP::closingRequests() const {
    return {reqSysAddr, reqFunction, reqDynamic, reqStatic, reqCurStatic, reqCurDynamic, reqStaticList};
}

bool TFM_DHCP::staticListBusy() const {
    return m_listingUsers && reqStatic && reqStatic->busy;
}

void TFM_DHCP::listUserRow(const HvSNMPVarList& row) {
    if (!m_listingUsers || !reqStaticList) return;
    reqStaticList->request.varList = row;
    reqStaticList->listRow();
}

bool TFM_DHCP::requestsBusy() const {
    for (HvSNMPRequest2Controls* r : closingRequests())
        if (r && r->busy) return true;
    return false;
}

// ---- Enabled states ------------------------------------------------------------------------------

void TFM_DHCP::applyStates(const ControlStates& states) {
    for (const auto& [name, enabled] : states.enabled)
        if (auto* w = findChild<QWidget*>(name)) w->setEnabled(enabled);
    if (states.setsMaxLengths) {
        Ed_PoolRan->setMaxLength(kRangeMaxLength);
        Ed_Lease->setMaxLength(kLeaseMaxLength);
    }
}

void TFM_DHCP::EnableDynamicFields(bool enable) {
    applyStates(enableDynamicFields(enable, CB_Fuction1->itemIndex(), CB_Fuction2->itemIndex()));
}

void TFM_DHCP::EnableStaticFields(bool enable) {
    applyStates(enableStaticFields(enable));
}

void TFM_DHCP::CB_Fuction1Change(QObject*) {
    CB_Fuction2->setItemIndex(CB_Fuction1->itemIndex());
    EnableDynamicFields(true);
}

void TFM_DHCP::CB_Fuction2Change(QObject*) {
    CB_Fuction1->setItemIndex(CB_Fuction2->itemIndex());
    EnableDynamicFields(true);
    if (auto add = addEnabled(CB_Fuction2->itemIndex(), staticListBusy()))
        Bt_Add->setEnabled(*add);
}

void TFM_DHCP::User_ListViewSelectItem(QObject*, forms::ListItem* item, bool selected) {
    if (auto on = setDelEnabled(CB_Fuction1->itemIndex(), CB_Fuction2->itemIndex(), selected && item)) {
        Bt_Set->setEnabled(*on);
        Bt_Del->setEnabled(*on);
    }
}

void TFM_DHCP::PageControl1Change(QObject*) {
    if (PageControl1->activePage() != TabSheet2) return;
    if (auto add = addEnabled(CB_Fuction2->itemIndex(), staticListBusy()))
        Bt_Add->setEnabled(*add);
}

// ---- Static pool ---------------------------------------------------------------------------------

void TFM_DHCP::StaticPoolReadDone(HvSNMPError* error) {
    m_listingUsers = false;
    setStatus(StatusBar2, poolResult(error, StatusBar2->panel(0)->text()));
    setStatus(StatusBar1, StatusBar2->panel(0)->text());
    Bt_Refresh->setEnabled(true);
    Bt_Cancel->setEnabled(true);
    if (error && error->code != 0) return;
    EnableStaticFields(true);
    CB_Fuction2->setItemIndex(CB_Fuction1->itemIndex());
    m_poolListed = true;
    updateDynamicApply();
    StaticApply->setEnabled(true);
    EnableDynamicFields(true);
}

void TFM_DHCP::StaticPoolWriteDone(HvSNMPError* error) {
    setStatus(StatusBar2, poolResult(error, StatusBar2->panel(0)->text()));
    setStatus(StatusBar1, StatusBar2->panel(0)->text());
    if ((error && error->code != 0) || !m_relist) return;
    relistStaticPool();
}

void TFM_DHCP::relistStaticPool() {
    m_relist = false;
    guarded([this] {
        LV_StaticPoolSet->clearItems();
        User_ListView->clearItems();
        reqStaticList->rowCounter = 1;
        reqStaticList->stopValue = "0.0.0.0";
        m_listingUsers = true;
        reqStatic->get();
    });
}

QStringList TFM_DHCP::poolAddresses() const {
    QStringList out;
    for (int i = 0; i < LV_StaticPoolSet->itemCount(); ++i) out << LV_StaticPoolSet->item(i)->subItem(0);
    return out;
}

std::vector<StaticipRules::PoolRow> TFM_DHCP::poolRows() const {
    std::vector<StaticipRules::PoolRow> rows;
    for (int i = 0; i < LV_StaticPoolSet->itemCount(); ++i)
        rows.push_back({LV_StaticPoolSet->item(i)->subItem(0), LV_StaticPoolSet->item(i)->subItem(1)});
    return rows;
}

int TFM_DHCP::selectedPoolRow() const {
    forms::ListItem* row = LV_StaticPoolSet->selected();
    return row ? row->index() : -1;
}

void TFM_DHCP::selectPoolRow(int row) {
    forms::ListItem* item = LV_StaticPoolSet->item(row);
    if (!item || LV_StaticPoolSet->selected() != item) {
        LV_StaticPoolSet->setSelected(item);
        return;
    }
    // Selected before: its values go to the dialog again, else the dialog opens on what a refused
    // Apply left in its fields, not on what the device holds.
    reqStatic->readListRow();
    reqStatic->writeControls(-1);
}

QString TFM_DHCP::selectedUserAddress() const {
    forms::ListItem* row = User_ListView->selected();
    return row ? row->subItem(0) : QString();
}

void TFM_DHCP::writePoolRow() {
    if (!reqStatic) return;
    // Synchronous: the emptied row must be written before the entry that follows it.
    reqStatic->mode = 0;
    guarded([this] { reqStatic->set(false, true); });
    reqStatic->mode = 1;
}

void TFM_DHCP::writeEntry() {
    guarded([this] {
        reqFunction->set(true, true);
        reqStatic->set(false, true);
        // Set once the write is out: its completion lists the pool again.
        m_relist = true;
    });
}

void TFM_DHCP::showEntryWait(const WaitPlan& plan) {
    showWaiting(HvWaitingFrom(plan));
}

void TFM_DHCP::Bt_AddClick(QObject*) {
    if (!created() || closing() || !actsNow(reqStatic->busy)) return;
    const auto row = freeRow(poolAddresses());
    if (!row) {
        forms::Application::messageBox(this, kPoolFull, kWarning, forms::MB_OK);
        return;
    }
    selectPoolRow(*row);
    TFM_StaticIP* d = m_staticIP;
    d->setCaption(kAddingCaption);
    d->Ed_AsgMac->setMaxLength(kMacMaxLength);
    d->Ed_OldIP->setEnabled(true);
    d->Ed_AsgIP->setReadOnly(false);
    d->Ed_AsgMac->setReadOnly(false);
    d->showModal();
}

void TFM_DHCP::Bt_SetClick(QObject*) {
    if (!created() || closing() || !actsNow(reqStatic->busy)) return;
    const auto row = rowOf(poolAddresses(), selectedUserAddress());
    if (!row) return;
    selectPoolRow(*row);
    TFM_StaticIP* d = m_staticIP;
    d->setCaption(kSettingCaption);
    d->Ed_AsgMac->setMaxLength(kMacMaxLength);
    d->oldEntry = d->entry();
    d->Ed_OldIP->setText(d->oldEntry.ip);
    d->ED_OldMAC->setText(d->oldEntry.mac);
    d->Ed_OldIP->setEnabled(false);
    d->Ed_AsgIP->setReadOnly(false);
    d->Ed_AsgMac->setReadOnly(false);
    d->showModal();
}

void TFM_DHCP::Bt_DelClick(QObject*) {
    if (!created() || closing() || !actsNow(reqStatic->busy)) return;
    const auto row = rowOf(poolAddresses(), selectedUserAddress());
    if (!row) return;
    selectPoolRow(*row);
    m_staticIP->setEntry(StaticipRules::freeEntry());
    bool sent = false;
    guarded([&] {
        reqStatic->set(false, true);
        m_relist = true;
        sent = true;
    });
    if (sent) showWaiting(HvWaitingFrom(deleteWait()));
}

void TFM_DHCP::Bt_RfrshClick(QObject*) {
    if (reqStatic && reqStatic->busy) return;
    // This read leaves the user's list as it is.
    m_listingUsers = false;
    EnableStaticFields(false);
    guarded([this] {
        reqFunction->get();
        setStatus(StatusBar1, kListing);
        setStatus(StatusBar2, kListing);
        reqStatic->get();
    });
}

void TFM_DHCP::Bt_RefreshClick(QObject*) {
    guarded([this] {
        reqFunction->get();
        m_dynamicRead = reqDynamic->get();
        updateDynamicApply();
    });
}

void TFM_DHCP::Bt_RefreshDynamicPoolClick(QObject*) {
    if (!reqCurDynamic || reqCurDynamic->busy) return;
    guarded([this] {
        reqCurDynamic->rowCounter = 1;
        reqCurDynamic->get();
    });
}

void TFM_DHCP::Bt_RefreshStaticPoolClick(QObject*) {
    if (!reqCurStatic || reqCurStatic->busy) return;
    guarded([this] {
        reqCurStatic->rowCounter = 1;
        reqCurStatic->get();
    });
}

// ---- Dynamic pool and the server switch ------------------------------------------------------------

void TFM_DHCP::updateDynamicApply() {
    // A failed read leaves the pool's fields without the device's values: written back, they would
    // replace the pool the device holds.
    Bt_Apply->setEnabled(m_poolListed && m_dynamicRead);
}

void TFM_DHCP::afterServerWrite() {
    afterSetting();
    guarded([this] { reqCluster->get(); });
}

void TFM_DHCP::Bt_ApplyClick(QObject*) {
    if (!created() || closing() || !m_poolListed || !m_dynamicRead) return;
    const int function = CB_Fuction1->itemIndex();
    if (writesDynamicPool(function)) {
        DynamicInput in{Ed_IPAF->text(),
                        Ed_PoolRan->text(),
                        Ed_SubMask->text(),
                        Ed_Gateway->text(),
                        Ed_Wins->text(),
                        Ed_DNS->text(),
                        Ed_Lease->text(),
                        Ed_ext->text(),
                        QString::fromStdString(mainForm().ipAddress()),
                        {}};
        for (int i = 0; i < User_ListView->itemCount(); ++i)
            in.staticAddresses << User_ListView->item(i)->subItem(0);
        const auto failure = checkDynamicPool(in);
        // The empty addresses the checks filled show as they will be written.
        Ed_SubMask->setText(in.mask);
        Ed_Gateway->setText(in.gateway);
        Ed_Wins->setText(in.wins);
        Ed_DNS->setText(in.dns);
        if (failure) return refuseInput(*failure);
    }
    // Synchronous writes: the dynamic pool only after the switch, the waiting dialog only after both.
    bool ok = false;
    guarded([&] {
        ok = reqFunction->set(true, true);
        if (ok && writesDynamicPool(function)) ok = reqDynamic->set(true, true);
    });
    if (ok) afterServerWrite();
}

void TFM_DHCP::StaticApplyClick(QObject*) {
    if (!created() || closing()) return;
    bool ok = false;
    guarded([&] { ok = reqFunction->set(true, true); });
    if (ok) afterServerWrite();
}

// ---- Closing -------------------------------------------------------------------------------------

void TFM_DHCP::Bt_CancelClick(QObject*) {
    close();
}

void TFM_DHCP::FormCloseQuery(QObject*, bool& canClose) {
    hide();
    if (requestsBusy()) {
        // The modal loop goes on under the hidden page; the timer closes it once the answers still
        // out have come, well or not.
        canClose = false;
        Timer->setEnabled(true);
        return;
    }
    closeRequests();
    canClose = true;
}

void TFM_DHCP::TimerTimer(QObject*) {
    if (requestsBusy()) return;
    Timer->setEnabled(false);
    close();
}
