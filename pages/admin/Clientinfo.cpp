#include "pages/admin/Clientinfo.h"

#include <vector>

#include "module/Main.h"
#include "module/Misc.h"
#include "pages/admin/ClientinfoLayout.h"
#include "pages/admin/ClientinfoRules.h"
#include "module/ListColumns.h"

using namespace ClientinfoRules;

QPointer<TClientInformation> ClientInformation;

namespace {

// The client table's items, as both of its tables order them.
enum ClientItem : int32_t { kIndex, kMac, kBand, kAuthentication, kSignal, kPowerSaving, kSsid };
constexpr int kMacColumn = 1;
constexpr int kSsidColumn = 6;

}  // namespace

TClientInformation::TClientInformation(TMainForm& mainForm, QWidget* owner) : HvPage(mainForm, owner) {
    buildLayout(kClientinfoLayout);
    NumOfRecord = control<forms::Label>("NumOfRecord");
    User_ListView = control<forms::ListView>("User_ListView");
    ClientListView = control<forms::ListView>("ClientListView");
    IfGetInfo0 = control<forms::ComboBox>("IfGetInfo0");
    IfGetInfo1 = control<forms::ComboBox>("IfGetInfo1");
    Bt_Rfrsh = control<forms::Button>("Bt_Rfrsh");
    Bt_Close = control<forms::Button>("Bt_Close");
    StatusBar = control<forms::StatusBar>("StatusBar");
    // The kit's timer has no meta-object of its own: find it by name, then check what it is.
    Timer1 = dynamic_cast<forms::Timer*>(findChild<QObject*>(QStringLiteral("Timer1")));
    Bt_Rfrsh->OnClick = [this](QObject* s) { Bt_RfrshClick(s); };
    Bt_Close->OnClick = [this](QObject* s) { Bt_CloseClick(s); };
    Timer1->OnTimer = [this](QObject* s) { Timer1Timer(s); };
    OnCloseQuery = [this](QObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
    OnResize = [this](QObject* s) { FormResize(s); };
    // The page base centres the window when it shows; the timer starts after that.
    forms::NotifyEvent centre = OnShow;
    OnShow = [this, centre](QObject* s) {
        if (centre) centre(s);
        FormShow(s);
    };
    setResultControl(StatusBar);
    FormCreate();
}

void TClientInformation::setStatus(const QString& text) {
    StatusBar->setSimpleText(text);
}

void TClientInformation::FormCreate() {
    create([this] { buildRequests(); }, {Bt_Rfrsh});
    if (!created()) {
        // Nothing is out, and nothing ever will be: the page can close.
        clientBusy = 0;
        return;
    }
    runCycle();
    Timer1->setEnabled(false);
}

void TClientInformation::buildRequests() {
    reqGetClient = makeRequest(kMibT056, MVT_SV, 1, false, kTriggerTimeout);
    reqGetClient->addComboBox(0, IfGetInfo0);
    reqGetClient->onAsyncSetDone = [this](HvSNMPRequest2Controls* s, HvSNMPError* e) {
        OnGetClientSetDone(s, e);
    };

    ssidSupport = ssidSupported(mainForm().Ed_ClientAddSSID->text());
    reqClientTable = makeRequest(ssidSupport ? kMibT058 : kMibT057, MVT_UMV, 1, false);
    reqClientTable->setListView(ClientListView, false);
    reqClientTable->maxRows = kMaxClientRows;
    reqClientTable->setStatusBar(StatusBar);
    reqClientTable->onAsyncGetDone = [this](HvSNMPRequest2Controls* s, HvSNMPError* e) {
        OnClientTableDone(s, e);
    };

    User_ListView->setColumnWidth(kSsidColumn, ssidSupport ? forms::ListView::AutoSizeHeader : 0);
    ListColumns::holdWidest(*User_ListView, kMacColumn, ListColumns::Holds::Mac);
    ListColumns::holdWidest(*User_ListView, kSsidColumn, ListColumns::Holds::Ssid);
}

bool TClientInformation::cycleRunning() const {
    return !cycleMayStart(clientBusy != 0, reqGetClient && reqGetClient->busy,
                          reqClientTable && reqClientTable->busy);
}

void TClientInformation::runCycle() {
    clientBusy = 1;
    IfGetInfo0->setItemIndex(kAcquire);
    setStatus(kDetecting);
    User_ListView->clearItems();
    const bool sent = guard([this] { reqGetClient->set(true, true); });
    Timer1->setEnabled(false);
    // A trigger that raised, or was never sent, has no completion to end the cycle.
    if (!sent || !reqGetClient->busy) endCycle();
}

void TClientInformation::endCycle() {
    clientBusy = 0;
    NumOfRecord->setCaption(QString::number(User_ListView->itemCount()));
    if (m_closeAsked) {
        close();
        return;
    }
    Timer1->setEnabled(true);
}

void TClientInformation::OnGetClientSetDone(HvSNMPRequest2Controls*, HvSNMPError* error) {
    if (error && error->code != 0) {
        setStatus(kDetectTimedOut + QString::fromStdString(error->message));
        endCycle();
        return;
    }
    // Before the walk: a walk that cannot start puts its reason here.
    setStatus(kListing);
    const bool sent = guard([this] { reqClientTable->get(); });
    if (!sent || !reqClientTable->busy) endCycle();
}

void TClientInformation::OnClientTableDone(HvSNMPRequest2Controls*, HvSNMPError* error) {
    setStatus(error ? QString::fromStdString(error->message) : QString());
    if (!error || error->code == 0) FormatClientRows();
    endCycle();
}

void TClientInformation::FormatClientRows() {
    std::vector<WalkedRow> walked;
    for (int i = 0; i < ClientListView->itemCount(); ++i) {
        const forms::ListItem& row = *ClientListView->item(i);
        auto cell = [&](int32_t item) { return HvWalkedCell(*reqClientTable, row, item); };
        walked.push_back({cell(kMac), cell(kBand), cell(kAuthentication), cell(kSignal), cell(kPowerSaving),
                          ssidSupport ? cell(kSsid) : QString()});
    }
    User_ListView->clearItems();
    for (const ShownRow& row : formatClientRows(walked, ssidSupport))
        User_ListView->addItem(row.caption, row.cells);
}

void TClientInformation::FormShow(QObject*) {
    // A cycle still out restarts the timer when it ends; started now, the timer would fire into it.
    if (created() && !cycleRunning()) Timer1->setEnabled(true);
}

void TClientInformation::Timer1Timer(QObject*) {
    if (!created() || closing() || cycleRunning()) return;
    runCycle();
}

void TClientInformation::Bt_RfrshClick(QObject*) {
    if (!created() || closing() || cycleRunning()) return;
    runCycle();
}

void TClientInformation::Bt_CloseClick(QObject*) {
    close();
}

void TClientInformation::FormCloseQuery(QObject*, bool& canClose) {
    if (cycleRunning()) {
        // Its answers would reach a page that is gone: the page closes when the cycle has ended.
        m_closeAsked = true;
        canClose = false;
        return;
    }
    Timer1->setEnabled(false);
    canClose = true;
}

void TClientInformation::FormResize(QObject*) {
    const Placement p = placementFor(clientWidth(), clientHeight());
    User_ListView->setWidth(p.listWidth);
    User_ListView->setHeight(p.listHeight);
    Bt_Rfrsh->setTop(p.buttonTop);
    Bt_Rfrsh->setLeft(p.refreshLeft);
    Bt_Close->setTop(p.buttonTop);
    Bt_Close->setLeft(p.closeLeft);
}
