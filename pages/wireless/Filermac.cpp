#include "pages/wireless/Filermac.h"

#include "module/AddrCheck.h"
#include "module/Misc.h"
#include "pages/wireless/FilerLayout.h"

using namespace FilerRules;

QPointer<TFM_FilterMAC> FM_FilterMAC;

TFM_FilterMAC::TFM_FilterMAC(TMainForm& mainForm, int slot, QWidget* owner)
    : HvPage(mainForm, owner), m_slot(slot == 2 ? 2 : 1) {
    buildLayout(kFilterMacLayout);
    findControls();
    wireHandlers();
    setResultControl(StatusBar);
    forgetOnEnd(reqTable, reqUsers, m_macAddr);
    FormCreate();
}

TFM_FilterMAC::~TFM_FilterMAC() = default;

void TFM_FilterMAC::findControls() {
    GroupBox1 = control<forms::GroupBox>("GroupBox1");
    User_ListView = control<forms::ListView>("User_ListView");
    LV_StaticPoolSet = control<forms::ListView>("LV_StaticPoolSet");
    Bt_Add = control<forms::Button>("Bt_Add");
    Bt_Set = control<forms::Button>("Bt_Set");
    Bt_Del = control<forms::Button>("Bt_Del");
    Bt_Rfrsh = control<forms::Button>("Bt_Rfrsh");
    StatusBar = control<forms::StatusBar>("StatusBar");
    // The kit's timer has no meta-object of its own: find it by name, then check what it is.
    Timer1 = dynamic_cast<forms::Timer*>(findChild<QObject*>(QStringLiteral("Timer1")));
}

void TFM_FilterMAC::wireHandlers() {
    // Before the requests: the list bindings keep the selection handler they find and call it.
    Bt_Add->OnClick = [this](QObject* s) { Bt_AddClick(s); };
    Bt_Set->OnClick = [this](QObject* s) { Bt_SetClick(s); };
    Bt_Del->OnClick = [this](QObject* s) { Bt_DelClick(s); };
    Bt_Rfrsh->OnClick = [this](QObject* s) { Bt_RfrshClick(s); };
    User_ListView->OnSelectItem = [this](QObject* s, forms::ListItem* item, bool selected) {
        User_ListViewSelectItem(s, item, selected);
    };
    OnCloseQuery = [this](QObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
    Timer1->OnTimer = [this](QObject* s) { Timer1Timer(s); };
}

void TFM_FilterMAC::FormCreate() {
    create([this] { buildRequests(); }, {Bt_Add, Bt_Set, Bt_Del, Bt_Rfrsh});
}

void TFM_FilterMAC::buildRequests() {
    const MibObjectDef* table = m_slot == 2 ? kMibT024 : kMibT023;
    reqTable = makeRequest(table, MVT_FMV, 1, false);
    reqTable->onAsyncGetDone = [this](HvSNMPRequest2Controls* s, HvSNMPError* e) { OnTableGetDone(s, e); };
    reqTable->onAsyncSetDone = [this](HvSNMPRequest2Controls* s, HvSNMPError* e) { OnTableSetDone(s, e); };
    reqTable->setListView(LV_StaticPoolSet, true);
    reqTable->setStatusBar(StatusBar);
    for (auto* b : {Bt_Set, Bt_Del, Bt_Rfrsh, Bt_Add}) b->setEnabled(false);
    StatusBar->setSimpleText(kListing);
    reqTable->get();

    m_macAddr = keepDialog(std::make_unique<TFM_MACAddr>(*this));
    FM_MACAddr = m_macAddr;
    reqTable->addLabel(0, m_macAddr->LA_Index);
    reqTable->addEdit(1, "%h", {m_macAddr->Ed_MACAddr});

    auto users = std::make_unique<New_req2Edit>(this);
    users->request.varList = HvSNMPVarList(table, MVT_UMV, 1);
    users->mode = 1;
    users->stopValue = kZeroMac.toStdString();
    users->setListView(User_ListView, false);
    users->setStatusBar(StatusBar);
    users->onAsyncGetDone = [this](HvSNMPRequest2Controls*, HvSNMPError*) { updateButtons(); };
    reqUsers = keepRequest(std::move(users));
    reqUsers->get();
}

bool TFM_FilterMAC::requestsBusy() const {
    return (reqTable && reqTable->busy) || (reqUsers && reqUsers->busy);
}

std::vector<MacRow> TFM_FilterMAC::macRows() const {
    std::vector<MacRow> rows;
    for (int i = 0; i < LV_StaticPoolSet->itemCount(); ++i)
        rows.push_back({LV_StaticPoolSet->item(i)->caption(), LV_StaticPoolSet->item(i)->subItem(0)});
    return rows;
}

TableActivity TFM_FilterMAC::activity() const {
    TableActivity a;
    a.tableBusy = reqTable && reqTable->busy;
    a.usersBusy = reqUsers && reqUsers->busy;
    a.writing = m_writing;
    a.tableListed = m_tableListed;
    a.freeRow = freeRow(macRows()).has_value();
    a.userRowSelected = User_ListView->selected() != nullptr;
    return a;
}

void TFM_FilterMAC::updateButtons() {
    // A window whose creation failed keeps its actions disabled.
    if (!created() || closing()) return;
    const TableButtons b = tableButtons(activity());
    Bt_Add->setEnabled(b.add);
    Bt_Set->setEnabled(b.set);
    Bt_Del->setEnabled(b.del);
    Bt_Rfrsh->setEnabled(b.refresh);
}

void TFM_FilterMAC::OnTableGetDone(HvSNMPRequest2Controls*, HvSNMPError* error) {
    // A failed walk's result line the library has put into the status bar; a finished one's replaces
    // "Listing data ... ".
    if (error && error->code == 0) StatusBar->setSimpleText(QString::fromStdString(error->message));
    m_tableListed = !error || error->code == 0;
    updateButtons();
}

void TFM_FilterMAC::OnTableSetDone(HvSNMPRequest2Controls*, HvSNMPError* error) {
    m_writing = false;
    if (error && error->code != 0) {
        updateButtons();
        return;
    }
    relist();
}

void TFM_FilterMAC::relist() {
    m_tableListed = false;
    guarded([this] {
        StatusBar->setSimpleText(kListing);
        reqTable->get();
        User_ListView->clearItems();
        reqUsers->rowCounter = 1;
        reqUsers->get();
    });
    updateButtons();
}

void TFM_FilterMAC::User_ListViewSelectItem(QObject*, forms::ListItem*, bool) {
    updateButtons();
}

void TFM_FilterMAC::loadRow(int row) {
    LV_StaticPoolSet->setSelected(nullptr);
    LV_StaticPoolSet->setSelected(LV_StaticPoolSet->item(row));
}

std::optional<int> TFM_FilterMAC::selectedUserRow() const {
    forms::ListItem* user = User_ListView->selected();
    if (!user) return std::nullopt;
    return rowOfMac(macRows(), user->subItem(0));
}

void TFM_FilterMAC::Bt_AddClick(QObject*) {
    if (!created() || closing() || !tableButtons(activity()).add) return;
    const auto row = freeRow(macRows());
    if (!row) return;
    loadRow(*row);
    m_macAddr->setCaption(kAddingCaption);
    m_macAddr->Ed_MACAddr->setMaxLength(kMacLength);
    m_macAddr->showModal();
}

void TFM_FilterMAC::Bt_SetClick(QObject*) {
    if (!created() || closing() || !tableButtons(activity()).set) return;
    const auto row = selectedUserRow();
    if (!row) return;
    loadRow(*row);
    m_macAddr->setCaption(kSettingCaption);
    m_macAddr->showModal();
}

void TFM_FilterMAC::Bt_DelClick(QObject*) {
    if (!created() || closing() || !tableButtons(activity()).del) return;
    const auto row = selectedUserRow();
    if (!row) return;
    loadRow(*row);
    m_macAddr->Ed_MACAddr->setText(kZeroMac);
    writeMacRow();
}

bool TFM_FilterMAC::writeMacRow() {
    if (!created() || closing() || m_writing || requestsBusy() || !LV_StaticPoolSet->selected()) return false;
    // From here until the completion no other write may choose a row: the lists still show the row
    // this one fills as free.
    m_writing = true;
    updateButtons();
    const bool sent = guarded([this] { reqTable->set(false, true); });
    if (!sent) {
        m_writing = false;
        updateButtons();
    }
    return sent;
}

void TFM_FilterMAC::Bt_RfrshClick(QObject*) {
    if (!created() || closing()) return;
    if (!refreshRestarts(activity())) {
        Bt_Set->setEnabled(false);
        Bt_Del->setEnabled(false);
        return;
    }
    relist();
}

void TFM_FilterMAC::FormCloseQuery(QObject*, bool& canClose) {
    hide();
    if (!closesNow(requestsBusy(), m_closeTicks)) {
        // The modal loop goes on under the hidden window; the timer closes it once the answers still
        // out have come, well or not, or once it has waited long enough. That bound is the whole
        // close's: what is still out then is dropped, not waited for again.
        boundClose(forms::Application::scaledInterval(kCloseWaitTicks * Timer1->interval()));
        canClose = false;
        Timer1->setEnabled(true);
        return;
    }
    closeRequests();
    canClose = true;
}

void TFM_FilterMAC::Timer1Timer(QObject*) {
    ++m_closeTicks;
    if (!closesNow(requestsBusy(), m_closeTicks)) return;
    Timer1->setEnabled(false);
    close();
}
