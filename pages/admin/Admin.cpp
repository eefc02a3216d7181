#include "pages/admin/Admin.h"

#include "module/AccountRules.h"
#include "module/Main.h"
#include "module/Misc.h"
#include "pages/admin/AdminLayout.h"

QPointer<TFM_Admin> FM_Admin;

TFM_Admin::TFM_Admin(TMainForm& mainForm, QWidget* owner) : HvPage(mainForm, owner) {
    buildLayout(kAdminLayout);
    findControls();
    OK->OnClick = [this](QObject* s) { OKClick(s); };
    Cancel->OnClick = [this](QObject* s) { CancelClick(s); };
    OnClose = [this](QObject* s, forms::CloseAction&) { FormClose(s); };
    setResultControl(StatusBar);
    FormCreate();
}

void TFM_Admin::findControls() {
    Ed_Usr = control<forms::Edit>("Ed_Usr");
    Ed_OPwd = control<forms::Edit>("Ed_OPwd");
    Ed_NPwd = control<forms::Edit>("Ed_NPwd");
    Ed_CNP = control<forms::Edit>("Ed_CNP");
    Ed_Pwd = control<forms::Edit>("Ed_Pwd");
    OK = control<forms::Button>("OK");
    Cancel = control<forms::Button>("Cancel");
    StatusBar = control<forms::StatusBar>("StatusBar");
    CB_Clus = control<forms::ComboBox>("CB_Clus");
}

void TFM_Admin::FormCreate() {
    create([this] { buildRequests(); }, {OK});
    SetEditLimits();
    updateOkEnabled();
}

void TFM_Admin::updateOkEnabled() {
    // Without the account as the device holds it the old-password check would pass an empty text;
    // before the AP-domain state is known a joined device would restart without its question.
    OK->setEnabled(created() && m_accountRead && clusterRequest && !clusterRequest->busy);
}

void TFM_Admin::buildRequests() {
    // The account and the AP-domain state go out together.
    readTogether({[this] {
                      accountRequest = makeRequest(kMibT043, SVT_SV, 0);
                      accountRequest->addEdit(0, "%s", {Ed_Usr});
                      accountRequest->addEdit(1, "%s", {Ed_Pwd});
                      accountRequest->setStatusBar(StatusBar);
                      return accountRequest;
                  },
                  [this] {
                      clusterRequest = makeClusterState(CB_Clus, false);
                      clusterRequest->onAsyncGetDone = [this](HvSNMPRequest2Controls*, HvSNMPError*) {
                          updateOkEnabled();
                      };
                      return clusterRequest;
                  }});
    m_accountRead = accountRequest->get();
    clusterRequest->get();
}

void TFM_Admin::SetEditLimits() {
    for (auto* e : {Ed_Usr, Ed_OPwd, Ed_NPwd, Ed_CNP}) e->setMaxLength(kEditLimit);
}

void TFM_Admin::CancelClick(QObject*) {
    close();
}

void TFM_Admin::FormClose(QObject*) {
    closeRequests();
}

void TFM_Admin::OKClick(QObject*) {
    if (!created() || closing() || !OK->enabled()) return;
    const AccountRules::AccountInput in{Ed_Pwd->text(), Ed_OPwd->text(), Ed_Usr->text(), Ed_NPwd->text(),
                                        Ed_CNP->text()};
    if (auto f = AccountRules::checkAccount(in, kUserLimit)) {
        HvRefuseInput(*this, *f);
        return;
    }
    const QString devicePassword = Ed_Pwd->text();
    Ed_Pwd->setText(Ed_NPwd->text());
    bool written = false;
    guarded([&] { written = accountRequest->set(true, true); });
    if (!written) {
        // The device keeps its password: the next check compares against it.
        Ed_Pwd->setText(devicePassword);
        StatusBar->setSimpleText(QStringLiteral("Setting Error!"));
        return;
    }
    afterSetting();
    StatusBar->setSimpleText(QStringLiteral("Setting Success!"));
    // A failed re-read leaves Ed_Pwd with the password just written, which is the device's now.
    guarded([this] {
        accountRequest->get();
        clusterRequest->get();
    });
    updateOkEnabled();
}
