// The login account's checks that both administration pages run before they write: the first
// failing check wins, and each names the box and the field it empties.

#include <gtest/gtest.h>

#include <string>

#include "module/AccountRules.h"
#include "tests/NamedRows.h"

namespace {

using hvtest::PrintTo;
using namespace AccountRules;
using PageRules::CheckFailure;

// A form as the page opens it: the three password edits hold the device's password.
AccountInput unchanged() {
    return {"secret", "secret", "admin", "secret", "secret"};
}

struct AccountCase {
    const char* name;
    AccountInput input;
    int userLimit;
    std::optional<CheckFailure> expected;
};

// A refusal with its box's text, titled "Warning", emptying the field named.
CheckFailure warning(const QString& message, const QString& emptied = {}) {
    return {message, QStringLiteral("Warning"), {}, emptied, {}};
}

const QString kWrong = QStringLiteral("Please input the current password correctly!");
const QString kUsr = QStringLiteral("Ed_Usr");
const QString kNPwd = QStringLiteral("Ed_NPwd");

AccountInput with(void (*change)(AccountInput&)) {
    AccountInput in = unchanged();
    change(in);
    return in;
}

class AccountChecks : public ::testing::TestWithParam<AccountCase> {};

TEST_P(AccountChecks, FirstFailureWins) {
    const AccountCase& c = GetParam();
    EXPECT_EQ(checkAccount(c.input, c.userLimit), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AccountChecks,
    ::testing::Values(
        AccountCase{"UnchangedFormPasses", unchanged(), 64, std::nullopt},
        AccountCase{"NewPasswordTypedTwicePasses",
                    with([](AccountInput& in) { in.newPassword = in.confirm = "fresh12chars"; }), 64,
                    std::nullopt},
        AccountCase{"EmptyNewPasswordPasses",
                    with([](AccountInput& in) { in.newPassword = in.confirm = ""; }), 64, std::nullopt},
        AccountCase{"WrongOldPassword", with([](AccountInput& in) { in.oldPassword = "Secret"; }), 64,
                    warning(kWrong)},
        // A device whose password could not be read holds no password to compare against here; the
        // pages do not offer the write then.
        AccountCase{"OldPasswordBeforeEverythingElse", with([](AccountInput& in) {
                        in.oldPassword = "x";
                        in.user = QString(80, 'u');
                        in.confirm = "y";
                    }),
                    64, warning(kWrong)},
        AccountCase{"UserAtTheNewLimit", with([](AccountInput& in) { in.user = QString(64, 'u'); }), 64,
                    std::nullopt},
        AccountCase{"UserOverTheNewLimit", with([](AccountInput& in) { in.user = QString(65, 'u'); }), 64,
                    warning("Please limit user name to 64 characters!", kUsr)},
        AccountCase{"UserAtTheOldLimit", with([](AccountInput& in) { in.user = QString(40, 'u'); }), 40,
                    std::nullopt},
        AccountCase{"UserOverTheOldLimit", with([](AccountInput& in) { in.user = QString(41, 'u'); }), 40,
                    warning("Please limit user name to 40 characters!", kUsr)},
        AccountCase{"PasswordOf12",
                    with([](AccountInput& in) { in.newPassword = in.confirm = QString(12, 'p'); }), 64,
                    std::nullopt},
        AccountCase{"PasswordOf13BeforeTheConfirmation", with([](AccountInput& in) {
                        in.newPassword = QString(13, 'p');
                        in.confirm = "other";
                    }),
                    64, warning("Please limit password to 12 characters!", kNPwd)},
        AccountCase{"ConfirmationDiffers", with([](AccountInput& in) { in.confirm = "Secret"; }), 64,
                    warning("Please input the confirm new password correctly!")}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
