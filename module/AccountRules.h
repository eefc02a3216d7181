#pragma once

// The device's login account as the administration pages change it: the old password must be the
// one the device holds, the user name and the new password have length limits, and the new password
// is typed twice. Plain values, so that both generations of the page share one set of checks.

#include <optional>

#include <QString>

#include "module/PageRules.h"

namespace AccountRules {

// Longest password the device takes, on every firmware.
inline constexpr int kPasswordLimit = 12;

inline const QString kWrongCurrent = QStringLiteral("Please input the current password correctly!");
inline const QString kPasswordTooLong = QStringLiteral("Please limit password to 12 characters!");
inline const QString kConfirmDiffers = QStringLiteral("Please input the confirm new password correctly!");
// "Please limit user name to N characters!"
QString userTooLong(int limit);

struct AccountInput {
    QString current;  // the password as read from the device
    QString oldPassword;
    QString user;
    QString newPassword;
    QString confirm;
};

// The first check that fails, in the pages' order: old password, user name length, new password
// length, confirmation. The controls named are Ed_Usr and Ed_NPwd.
std::optional<PageRules::CheckFailure> checkAccount(const AccountInput& in, int userLimit);

}  // namespace AccountRules
