#include "pages/wireless/Sss.h"

#include "module/Misc.h"
#include "module/SendFlags.h"
#include "pages/wireless/SssLayout.h"
#include "pages/wireless/SssRules.h"

TFM_SSS::TFM_SSS(TMainForm& mainForm, std::function<void()> applied, QWidget* owner)
    : HvPage(mainForm, owner), m_applied(std::move(applied)) {
    buildLayout(kSssLayout);
    GB_SSS = control<forms::GroupBox>("GB_SSS");
    Ed_DNSIP = control<forms::Edit>("Ed_DNSIP");
    Ed_DNS = control<forms::Edit>("Ed_DNS");
    Ed_RadiusSrv = control<forms::Edit>("Ed_RadiusSrv");
    Ed_RadiusPort = control<forms::Edit>("Ed_RadiusPort");
    Ed_RadiusSec = control<forms::Edit>("Ed_RadiusSec");
    Bt_Apply = control<forms::Button>("Bt_Apply");
    StatusBar = control<forms::StatusBar>("StatusBar");
    Bt_Apply->OnClick = [this](QObject* s) { Bt_ApplyClick(s); };
    setResultControl(StatusBar);
    FormCreate();
}

void TFM_SSS::FormCreate() {
    create(
        [this] {
            // Asynchronous. The first read keeps the session's time-out: with the write's long one a
            // silent device held the dialog without Apply for well over a minute.
            reqServers = makeRequest(kMibT034, MVT_SV, 0, false);
            reqServers->afterSetCallback = [this] { CloseSSSForm(); };
            reqServers->onAsyncGetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* e) {
                m_read = !e || e->code == 0;
                updateApply();
            };
            reqServers->onAsyncSetDone = [this](HvSNMPRequest2Controls*, HvSNMPError*) { updateApply(); };
            reqServers->addEdit(0, "%s", {Ed_DNSIP});
            reqServers->addEdit(1, "%s", {Ed_DNS});
            reqServers->addEdit(2, "%s", {Ed_RadiusSrv});
            reqServers->addEdit(3, "%u{n0x65535}", {Ed_RadiusPort});
            reqServers->addEdit(4, "%s", {Ed_RadiusSec});
            reqServers->setStatusBar(StatusBar);
            reqServers->get();
            reqServers->request.timeout = kWriteTimeout;
            updateApply();
        },
        {Bt_Apply});
    // The bindings' formats carry no length; the device keeps 32 characters of each name.
    Ed_RadiusPort->setMaxLength(5);
    for (forms::Edit* e : {Ed_DNS, Ed_RadiusSrv, Ed_RadiusSec}) e->setMaxLength(32);
}

void TFM_SSS::updateApply() {
    // After a failed read the fields show nothing of the device: a write would blank the servers it
    // holds.
    Bt_Apply->setEnabled(created() && !closing() && reqServers && !reqServers->busy && m_read);
}

void TFM_SSS::Bt_ApplyClick(QObject*) {
    // A second write while one is out would answer into a dialog that the first one closed.
    if (!reqServers || reqServers->busy || !m_read) return;
    if (const auto f = SssRules::checkServers(Ed_DNSIP->text(), Ed_RadiusSrv->text())) {
        HvRefuseInput(*this, *f);
        return;
    }
    guarded([this] {
        HvSendOnly only(reqServers->request.varList, SssRules::writtenItems(Ed_RadiusSec->text()));
        reqServers->set(true, true);
        updateApply();
    });
}

void TFM_SSS::CloseSSSForm() {
    if (m_applied) m_applied();
    close();
}
