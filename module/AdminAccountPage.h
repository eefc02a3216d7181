#pragma once

// What the two administration pages (older and newer firmware) share: the login account's edits,
// their OK, Cancel and status bar, the request that reads the user name and the device's password
// into Ed_Usr and Ed_Pwd and writes them back, and an Apply's account step.

#include <QString>

#include "module/AccountRules.h"
#include "module/HvPage.h"

class AdminAccountPage : public HvPage {
public:
    // Published components, in both pages' layouts.
    forms::Edit* Ed_Usr = nullptr;
    forms::Edit* Ed_OPwd = nullptr;
    forms::Edit* Ed_NPwd = nullptr;
    forms::Edit* Ed_CNP = nullptr;
    forms::Edit* Ed_Pwd = nullptr;  // hidden: the password as the device holds it
    forms::Button* OK = nullptr;
    forms::Button* Cancel = nullptr;
    forms::StatusBar* StatusBar = nullptr;

    // Null until the creation step has built it.
    HvSNMPRequest2Edits* accountRequest = nullptr;

protected:
    using HvPage::HvPage;

    void findAccountControls();
    // The account's request, bound and not read yet (a maker for readTogether).
    HvSNMPRequest2Edits* makeAccountRequest();
    // The account as typed, with the device's password that the old one must match.
    AccountRules::AccountInput typedAccount() const;
    // Ed_Pwd takes the new password, which the account's write sends; returns the device's, for a
    // failed write to put back.
    QString takeNewPassword();

    // The creation step read the account.
    bool m_accountRead = false;
};
