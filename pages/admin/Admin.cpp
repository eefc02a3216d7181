#include "pages/admin/Admin.h"

#include "module/AccountRules.h"
#include "module/Main.h"
#include "module/Misc.h"
#include "pages/admin/AdminLayout.h"

QPointer<TFM_Admin> FM_Admin;

TFM_Admin::TFM_Admin(TMainForm& mainForm, QWidget* owner) : AdminAccountPage(mainForm, owner) {
    buildLayout(kAdminLayout);
    findControls();
    OK->OnClick = [this](QObject* s) { OKClick(s); };
    Cancel->OnClick = [this](QObject* s) { CancelClick(s); };
    OnClose = [this](QObject* s, forms::CloseAction&) { FormClose(s); };
    setResultControl(StatusBar);
    FormCreate();
}

void TFM_Admin::findControls() {
    findAccountControls();
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
    readTogether({[this] { return makeAccountRequest(); },
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
    if (auto f = AccountRules::checkAccount(typedAccount(), kUserLimit)) {
        HvRefuseInput(*this, *f);
        return;
    }
    const QString devicePassword = takeNewPassword();
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
