#include "pages/admin/Admin2.h"

#include "module/Main.h"
#include "module/Misc.h"
#include "module/SendFlags.h"
#include "pages/admin/Admin2Layout.h"

using namespace Admin2Rules;

QPointer<TFM_AdminNew> FM_AdminNew;

namespace {

const QString kSettingError = QStringLiteral("Setting Error!");

}  // namespace

TFM_AdminNew::TFM_AdminNew(TMainForm& mainForm, QWidget* owner) : AdminAccountPage(mainForm, owner) {
    buildLayout(kAdminNewLayout);
    findControls();
    wireHandlers();
    setResultControl(StatusBar);
    FormCreate();
}

void TFM_AdminNew::findControls() {
    findAccountControls();
    LB_AdminSet = control<forms::Label>("LB_AdminSet");
    CkBx_ManagerState = control<forms::CheckBox>("CkBx_ManagerState");
    Ed_IP1 = control<forms::Edit>("Ed_IP1");
    Ed_IP2 = control<forms::Edit>("Ed_IP2");
    CB_LimitVID = control<forms::CheckBox>("CB_LimitVID");
    La_LimitVID = control<forms::Label>("La_LimitVID");
    Ed_Vid = control<forms::Edit>("Ed_Vid");
    RB_None = control<forms::RadioButton>("RB_None");
    RB_Telnet = control<forms::RadioButton>("RB_Telnet");
    RB_SHH = control<forms::RadioButton>("RB_SHH");
    CB_Timeout = control<forms::ComboBox>("CB_Timeout");
    GB_SNMP = control<forms::GroupBox>("GB_SNMP");
    Ed_TrapServIP = control<forms::Edit>("Ed_TrapServIP");
    CkBx_LBS = control<forms::CheckBox>("CkBx_LBS");
    CB_Telnet = control<forms::ComboBox>("CB_Telnet");
    CB_SHH = control<forms::ComboBox>("CB_SHH");
    CB_VLanState = control<forms::ComboBox>("CB_VLanState");
}

void TFM_AdminNew::wireHandlers() {
    OK->OnClick = [this](QObject* s) { OKClick(s); };
    Cancel->OnClick = [this](QObject* s) { CancelClick(s); };
    for (auto* rb : {RB_None, RB_Telnet, RB_SHH}) rb->OnClick = [this](QObject* s) { RB_NoneClick(s); };
    CkBx_ManagerState->OnClick = [this](QObject* s) { CkBx_ManagerStateClick(s); };
    CB_LimitVID->OnClick = [this](QObject* s) { CB_LimitVIDClick(s); };
    CkBx_LBS->OnClick = [this](QObject* s) { CkBx_LBSClick(s); };
}

void TFM_AdminNew::FormCreate() {
    create([this] { buildRequests(); }, {OK});
    // The rest runs also after a failed build: the page shows what it could read.
    if (!GB_SNMP->visible()) {
        OK->setTop(OK->top() - kSnmpGroupShift);
        Cancel->setTop(Cancel->top() - kSnmpGroupShift);
        setClientSize(clientWidth(), clientHeight() - kSnmpGroupShift);
    }
    UpdateManagerIPFields();
    SetEditLimits();
    ShowConsoleChoice();
    CB_LimitVIDClick(nullptr);
    for (auto* e : {Ed_OPwd, Ed_NPwd, Ed_CNP}) e->setText(Ed_Pwd->text());
    updateApplyEnabled();
}

void TFM_AdminNew::buildRequests() {
    // No answer decides another read: the eight go out together and are taken in this order.
    readTogether({[this] {
                      consoleRequest = makeRequest(kMibT049, SVT_SV, 0);
                      consoleRequest->addComboBox(0, CB_Telnet);
                      consoleRequest->addComboBox(1, CB_Timeout);
                      return consoleRequest;
                  },
                  [this] {
                      sshRequest = makeRequest(kMibT050, SVT_SV, 0);
                      sshRequest->addComboBox(0, CB_SHH);
                      return sshRequest;
                  },
                  [this] {
                      managerIpRequest = makeRequest(kMibT102, MVT_SV, 0);
                      managerIpRequest->addEdit(0, "%s", {Ed_IP1});
                      managerIpRequest->addEdit(1, "%s", {Ed_IP2});
                      return managerIpRequest;
                  },
                  [this] {
                      vlanStateRequest = makeRequest(kMibT090, SVT_SV, 0, true, 1000);
                      vlanStateRequest->addComboBox(0, CB_VLanState);
                      return vlanStateRequest;
                  },
                  [this] {
                      managerVlanRequest = makeRequest(kMibT114, SVT_SV, 0, true, 1000);
                      managerVlanRequest->addCheckBox(0, CB_LimitVID);
                      managerVlanRequest->addEdit(1, "%u", {Ed_Vid});
                      return managerVlanRequest;
                  },
                  [this] { return makeAccountRequest(); },
                  [this] {
                      managerIpStateRequest = makeRequest(kMibT104, SVT_SV, 0, false);
                      managerIpStateRequest->addCheckBox(0, CkBx_ManagerState);
                      managerIpStateRequest->afterGetCallback = [this] { OnManagerIPStatusRead(); };
                      managerIpStateRequest->onAsyncGetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* e) {
                          asyncReadDone(managerIpStateRequest, e && e->code == 0, m_ipStateRead);
                      };
                      return managerIpStateRequest;
                  },
                  [this] {
                      trapRequest = makeRequest(kMibT103, SVT_SV, 0, false);
                      trapRequest->addEdit(0, "%s", {Ed_TrapServIP});
                      trapRequest->addCheckBox(1, CkBx_LBS);
                      trapRequest->afterGetCallback = [this] { OnTrapRead(); };
                      trapRequest->onAsyncGetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* e) {
                          asyncReadDone(trapRequest, e && e->code == 0, m_trapRead);
                      };
                      return trapRequest;
                  }});

    if (consoleRequest->get()) m_consoleRead = ConsoleRead{CB_Telnet->itemIndex(), CB_Timeout->itemIndex()};
    if (sshRequest->get()) m_sshRead = CB_SHH->itemIndex();
    managerIpRequest->get();
    vlanStateRequest->get();
    vlanIdSupported = managerVlanRequest->get() ? 1 : 0;
    CB_LimitVID->setVisible(vlanIdSupported != 0);
    La_LimitVID->setVisible(vlanIdSupported != 0);
    Ed_Vid->setVisible(vlanIdSupported != 0);
    m_accountRead = accountRequest->get();
    managerIpStateRequest->get();
    trapRequest->get();
}

void TFM_AdminNew::asyncReadDone(HvSNMPRequest2Edits* request, bool ok, bool& readFlag) {
    readFlag = ok;
    request->mode = 0;
    updateApplyEnabled();
}

void TFM_AdminNew::updateApplyEnabled() {
    // Without the account as the device holds it, the old-password check would pass an empty text
    // and the write would blank the login. Until the two reads are back, their check boxes show
    // nothing of the device.
    const auto reading = [](HvSNMPRequest2Edits* r) { return r && r->busy; };
    OK->setEnabled(created() && m_accountRead && !reading(managerIpStateRequest) && !reading(trapRequest));
}

void TFM_AdminNew::OnManagerIPStatusRead() {
    UpdateManagerIPFields();
    CkBx_ManagerStateClick(nullptr);
}

void TFM_AdminNew::OnTrapRead() {
    CkBx_LBSClick(nullptr);
}

void TFM_AdminNew::UpdateManagerIPFields() {
    for (auto* e : {Ed_IP1, Ed_IP2}) e->setText(shownAddress(e->text()));
}

void TFM_AdminNew::SetEditLimits() {
    Ed_Usr->setMaxLength(kUserLimit);
    for (auto* e : {Ed_OPwd, Ed_NPwd, Ed_CNP}) e->setMaxLength(AccountRules::kPasswordLimit);
    for (auto* e : {Ed_IP1, Ed_IP2, Ed_TrapServIP}) e->setMaxLength(kAddressLimit);
    Ed_Vid->setMaxLength(kVidLimit);
}

void TFM_AdminNew::ShowConsoleChoice() {
    const ConsoleOffer offer = consoleOffer(m_consoleRead.has_value(), m_sshRead.has_value());
    RB_None->setEnabled(offer.none);
    RB_Telnet->setEnabled(offer.telnet);
    RB_SHH->setEnabled(offer.ssh);
    const Console shown = shownConsole(CB_Telnet->itemIndex(), CB_SHH->itemIndex());
    // With neither switch read no button is checked: "None" would claim both are off.
    if (offer.none) {
        switch (shown) {
            case Console::Telnet:
                RB_Telnet->setChecked(true);
                break;
            case Console::Ssh:
                RB_SHH->setChecked(true);
                break;
            case Console::None:
                RB_None->setChecked(true);
                break;
        }
    }
    CB_Timeout->setEnabled(offer.none && timeoutOffered(shown));
}

bool TFM_AdminNew::timeoutOffered(Console c) const {
    // The timeout goes with the telnet switch's request: unread, it is not written.
    return consoleItems(c).timeoutEnabled && m_consoleRead.has_value();
}

Console TFM_AdminNew::chosenConsole() const {
    // The handler is shared by the three buttons and also called from code: the checked button
    // decides, not the sender.
    if (RB_Telnet->checked()) return Console::Telnet;
    if (RB_SHH->checked()) return Console::Ssh;
    return Console::None;
}

void TFM_AdminNew::RB_NoneClick(QObject*) {
    const ConsoleItems c = consoleItems(chosenConsole());
    CB_Telnet->setItemIndex(c.telnet);
    CB_SHH->setItemIndex(c.ssh);
    CB_Timeout->setEnabled(timeoutOffered(chosenConsole()));
}

void TFM_AdminNew::CkBx_ManagerStateClick(QObject*) {
    const bool on = CkBx_ManagerState->checked();
    Ed_IP1->setEnabled(on);
    Ed_IP2->setEnabled(on);
    managerIpsToWrite = on ? 1 : 0;
}

void TFM_AdminNew::CB_LimitVIDClick(QObject*) {
    Ed_Vid->setEnabled(CB_LimitVID->checked());
}

void TFM_AdminNew::CkBx_LBSClick(QObject*) {
    Ed_TrapServIP->setEnabled(CkBx_LBS->checked());
}

void TFM_AdminNew::CancelClick(QObject*) {
    close();
}

bool TFM_AdminNew::refuse(const Refusal& r) {
    HvRefuseInput(*this, r.failure);
    if (r.uncheckLimitVid) CB_LimitVID->setChecked(false);
    UpdateManagerIPFields();
    return false;
}

bool TFM_AdminNew::write(Write w) {
    switch (w) {
        case Write::Account:
            return accountRequest->set(true, true);
        case Write::ManagerIps:
            return managerIpRequest->set(true, true);
        case Write::ManagerIpState:
            return managerIpStateRequest->set(true, true);
        case Write::ManagerVlan:
            return managerVlanRequest->set(true, true);
        case Write::Trap:
            return trapRequest->set(true, true);
        case Write::ConsoleOff:
            CB_Telnet->setItemIndex(0);
            return consoleRequest->set(true, true);
        case Write::SshOff:
            CB_SHH->setItemIndex(0);
            return sshRequest->set(true, true);
        case Write::Console:
            // The user's choice back into the hidden switches.
            RB_NoneClick(nullptr);
            return consoleRequest->set(true, true);
        case Write::Ssh:
            RB_NoneClick(nullptr);
            return sshRequest->set(true, true);
    }
    return false;
}

void TFM_AdminNew::OKClick(QObject*) {
    if (!created() || closing() || !OK->enabled()) return;
    ApplyInput in;
    in.limitIp = CkBx_ManagerState->checked();
    in.ip1 = Ed_IP1->text();
    in.ip2 = Ed_IP2->text();
    in.limitVid = vlanIdSupported && CB_LimitVID->checked();
    in.vid = Ed_Vid->text();
    in.vlanState = CB_VLanState->text();
    in.account = typedAccount();
    in.notify = CkBx_LBS->checked();
    in.trapIp = Ed_TrapServIP->text();
    in.trapShown = GB_SNMP->visible();
    if (auto r = checkApply(in)) {
        refuse(*r);
        return;
    }
    if (in.limitIp)
        for (auto* e : {Ed_IP1, Ed_IP2}) e->setText(writtenAddress(e->text()));

    const QString devicePassword = takeNewPassword();
    const std::vector<Write> order =
        writeOrder({managerIpsToWrite != 0, vlanIdSupported != 0, m_ipStateRead, m_trapRead,
                    m_consoleRead.has_value(), m_sshRead.has_value()});
    std::optional<Write> failed;
    {
        // Without a console its timeout stays as the device has it; without the notification the
        // trap server's address is not written.
        HvSendOnly console(consoleRequest->request.varList, {0, 1});
        if (chosenConsole() == Console::None) console.send(1, false);
        HvSendOnly trap(trapRequest->request.varList, {0, 1});
        if (!in.notify) trap.send(0, false);
        HvSendOnly vlan(managerVlanRequest->request.varList, {0, 1});
        if (!writesVid(in.limitVid, in.vid)) vlan.send(1, false);
        for (Write w : order) {
            bool ok = false;
            guard([&] { ok = write(w); });
            if (!ok) {
                failed = w;
                break;
            }
        }
    }
    if (failed) {
        if (*failed == Write::Account) Ed_Pwd->setText(devicePassword);
        if (restoresConsoles(*failed)) restoreConsoles();
        UpdateManagerIPFields();
        StatusBar->setSimpleText(kSettingError);
        return;
    }
    UpdateManagerIPFields();
    showWaiting();
}

void TFM_AdminNew::restoreConsoles() {
    // Only what was read goes back; a switch the device did not show was never written.
    if (m_consoleRead) {
        const ConsoleRead read = *m_consoleRead;
        guard([&] {
            CB_Telnet->setItemIndex(read.telnet);
            CB_Timeout->setItemIndex(read.timeout);
            consoleRequest->set(true, true);
        });
    }
    if (m_sshRead) {
        const int ssh = *m_sshRead;
        guard([&] {
            CB_SHH->setItemIndex(ssh);
            sshRequest->set(true, true);
        });
    }
    // The buttons show what the device now has.
    ShowConsoleChoice();
}
