#include "module/AccountRules.h"

namespace AccountRules {

QString userTooLong(int limit) {
    return QStringLiteral("Please limit user name to %1 characters!").arg(limit);
}

namespace {

PageRules::CheckFailure refusal(const QString& message, const QString& emptied = {}) {
    return {message, PageRules::kWarning, {}, emptied, {}};
}

}  // namespace

std::optional<PageRules::CheckFailure> checkAccount(const AccountInput& in, int userLimit) {
    // The device checks nothing itself: a wrong old password must stop here.
    if (in.oldPassword != in.current) return refusal(kWrongCurrent);
    if (in.user.size() > userLimit) return refusal(userTooLong(userLimit), QStringLiteral("Ed_Usr"));
    if (in.newPassword.size() > kPasswordLimit) return refusal(kPasswordTooLong, QStringLiteral("Ed_NPwd"));
    if (in.confirm != in.newPassword) return refusal(kConfirmDiffers);
    return std::nullopt;
}

}  // namespace AccountRules
