#include "module/AdminAccountPage.h"

#include "module/Misc.h"

void AdminAccountPage::findAccountControls() {
    Ed_Usr = control<forms::Edit>("Ed_Usr");
    Ed_OPwd = control<forms::Edit>("Ed_OPwd");
    Ed_NPwd = control<forms::Edit>("Ed_NPwd");
    Ed_CNP = control<forms::Edit>("Ed_CNP");
    Ed_Pwd = control<forms::Edit>("Ed_Pwd");
    OK = control<forms::Button>("OK");
    Cancel = control<forms::Button>("Cancel");
    StatusBar = control<forms::StatusBar>("StatusBar");
}

HvSNMPRequest2Edits* AdminAccountPage::makeAccountRequest() {
    accountRequest = makeRequest(kMibT043, SVT_SV, 0);
    accountRequest->addEdit(0, "%s", {Ed_Usr});
    accountRequest->addEdit(1, "%s", {Ed_Pwd});
    accountRequest->setStatusBar(StatusBar);
    return accountRequest;
}

AccountRules::AccountInput AdminAccountPage::typedAccount() const {
    return {Ed_Pwd->text(), Ed_OPwd->text(), Ed_Usr->text(), Ed_NPwd->text(), Ed_CNP->text()};
}

QString AdminAccountPage::takeNewPassword() {
    const QString devicePassword = Ed_Pwd->text();
    Ed_Pwd->setText(Ed_NPwd->text());
    return devicePassword;
}
