#include "pages/admin/Admin2Rules.h"

#include "module/AddrCheck.h"

namespace Admin2Rules {

using PageRules::CheckFailure;
using PageRules::kError;
using PageRules::kWarning;

QString shownAddress(const QString& text) {
    return text == kNoAddress ? QString() : text;
}

QString writtenAddress(const QString& text) {
    return text.isEmpty() ? kNoAddress : text;
}

namespace {

Refusal refused(const QString& message, const QString& caption, const QString& focus = {},
                const QString& emptied = {}, bool uncheckLimitVid = false) {
    return {CheckFailure{message, caption, focus, emptied, {}}, uncheckLimitVid};
}

// A number as the page reads it: 0 when the text is none.
int vidNumber(const QString& text) {
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok ? n : 0;
}

}  // namespace

std::optional<Refusal> checkApply(const ApplyInput& in) {
    if (in.limitIp) {
        if (in.ip1.isEmpty() && in.ip2.isEmpty()) return refused(kNeedOneAddress, kWarning);
        if (!in.ip1.isEmpty() && !IsValidIPAddress(in.ip1))
            return refused(kInvalidAddress, kWarning, QStringLiteral("Ed_IP1"));
        if (!in.ip2.isEmpty() && !IsValidIPAddress(in.ip2))
            return refused(kInvalidAddress, kWarning, QStringLiteral("Ed_IP2"));
    }
    if (in.limitVid) {
        const int vid = vidNumber(in.vid);
        if (in.vid.isEmpty() || vid < kVidMin || vid > kVidMax)
            return refused(kInvalidVid, kError, {}, QStringLiteral("Ed_Vid"));
        if (in.vlanState == u"Disabled") return refused(kEnableVlanFirst, kWarning, {}, {}, true);
    }
    if (auto f = AccountRules::checkAccount(in.account, kUserLimit)) return Refusal{*f, false};
    if (in.trapShown && in.notify && !IsValidIPAddress(in.trapIp))
        return refused(kInvalidAddress, kWarning, QStringLiteral("Ed_TrapServIP"));
    return std::nullopt;
}

bool writesVid(bool limitVid, const QString& vid) {
    const int n = vidNumber(vid);
    return limitVid || (n >= kVidMin && n <= kVidMax);
}

Console shownConsole(int telnetIndex, int sshIndex) {
    if (telnetIndex > 0) return Console::Telnet;
    if (sshIndex > 0) return Console::Ssh;
    return Console::None;
}

ConsoleItems consoleItems(Console c) {
    switch (c) {
        case Console::Telnet:
            return {1, 0, true};
        case Console::Ssh:
            return {0, 1, true};
        case Console::None:
            break;
    }
    return {0, 0, false};
}

ConsoleOffer consoleOffer(bool consoleRead, bool sshRead) {
    return {consoleRead || sshRead, consoleRead, sshRead};
}

const char* writeName(Write w) {
    switch (w) {
        case Write::Account:
            return "Account";
        case Write::ManagerIps:
            return "ManagerIps";
        case Write::ManagerIpState:
            return "ManagerIpState";
        case Write::ManagerVlan:
            return "ManagerVlan";
        case Write::Trap:
            return "Trap";
        case Write::ConsoleOff:
            return "ConsoleOff";
        case Write::SshOff:
            return "SshOff";
        case Write::Console:
            return "Console";
        case Write::Ssh:
            return "Ssh";
    }
    return "";
}

std::vector<Write> writeOrder(const WriteState& s) {
    std::vector<Write> out{Write::Account};
    if (s.managerIpStateRead) {
        if (s.managerIpsToWrite) out.push_back(Write::ManagerIps);
        out.push_back(Write::ManagerIpState);
    }
    if (s.vlanIdSupported) out.push_back(Write::ManagerVlan);
    if (s.trapRead) out.push_back(Write::Trap);
    if (s.consoleRead) out.push_back(Write::ConsoleOff);
    if (s.sshRead) out.push_back(Write::SshOff);
    if (s.consoleRead) out.push_back(Write::Console);
    if (s.sshRead) out.push_back(Write::Ssh);
    return out;
}

bool restoresConsoles(Write failed) {
    return failed == Write::ConsoleOff || failed == Write::SshOff || failed == Write::Console ||
           failed == Write::Ssh;
}

}  // namespace Admin2Rules
