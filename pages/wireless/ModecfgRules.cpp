#include "pages/wireless/ModecfgRules.h"

#include "library/HvSNMPVarList.h"
#include "module/AddrCheck.h"

namespace ModecfgRules {

namespace {

QChar tabLetter(Tab tab) {
    return tab == Tab::A ? QLatin1Char('a') : QLatin1Char('g');
}

CheckFailure lengthFailure(Tab tab, const QString& message) {
    return {message, PageRules::kError, {}, {}, settingError(tab)};
}

}  // namespace

const QStringList& modeItems() {
    static const QStringList items{QStringLiteral("Access Point"), QStringLiteral("PtP Bridge"),
                                   QStringLiteral("PtMP Bridge"), QStringLiteral("Universal Repeater")};
    return items;
}

std::optional<Mode> modeAt(int index) {
    if (index < 0 || index >= kModeCount) return std::nullopt;
    return static_cast<Mode>(index);
}

int itemCount(Tab tab) {
    return tab == Tab::A ? kMaxItems : kMaxItems - 1;
}

QString modeCombo(Tab tab) {
    return tab == Tab::A ? QStringLiteral("CB_11a_APM") : QStringLiteral("CB_11g_APM");
}

QString remoteEdit(Tab tab, int n) {
    return QStringLiteral("Ed_ReMAddr%1%2").arg(tabLetter(tab)).arg(n);
}

QString rootEdit(Tab tab) {
    return QStringLiteral("Ed_RoMAddr%1").arg(tabLetter(tab)) + u'0';
}

std::optional<Editable> editable(std::optional<Mode> mode) {
    if (!mode) return std::nullopt;
    Editable e;
    switch (*mode) {
        case Mode::AccessPoint:
            break;
        case Mode::PtpBridge:
            e.remote[0] = true;
            break;
        case Mode::PtmpBridge:
            e.remote.fill(true);
            break;
        case Mode::UniversalRepeater:
            e.root = e.ssid = true;
            break;
    }
    return e;
}

Macs shownMacs(std::optional<Mode> mode, const Macs& macs) {
    Macs out = macs;
    for (QString& m : out.remote) m = ShownMac(m);
    out.root = ShownMac(out.root);
    if (mode && *mode != Mode::UniversalRepeater) {
        out.root.clear();
        out.ssid.clear();
    }
    return out;
}

QString settingError(Tab) {
    // Both slots carry the 802.11g band on this device.
    return QStringLiteral("IEEE802.11g Setting Error!");
}

QString settingSuccess(Tab) {
    return QStringLiteral("IEEE802.11g Setting Success!");
}

std::optional<CheckFailure> checkDuplicateMacs(Tab tab, std::optional<Mode> mode,
                                               const std::array<QString, 8>& remote) {
    const auto e = editable(mode);
    if (!e) return std::nullopt;
    for (int i = 7; i >= 1; --i) {
        if (!e->remote[size_t(i)]) continue;
        for (int j = 0; j < i; ++j)
            if (e->remote[size_t(j)] && SamePeer(remote[size_t(i)], remote[size_t(j)]))
                return CheckFailure{kDuplicateMac, PageRules::kWarning, remoteEdit(tab, i), {}, {}};
    }
    return std::nullopt;
}

std::variant<CheckFailure, WritePlan> checkMacAddresses(Tab tab, std::optional<Mode> mode, const Macs& macs) {
    if (!mode) return CheckFailure{{}, {}, {}, {}, settingError(tab)};
    WritePlan plan;
    plan.flags.fill(HvAccess::Invalid);
    plan.flags[kModeItem] = HvAccess::ReadWrite;
    plan.texts = macs;
    switch (*mode) {
        case Mode::AccessPoint:
            break;
        case Mode::PtpBridge:
            plan.texts.remote[0] = WrittenMac(macs.remote[0]);
            // The device names this peer as the root AP in its text.
            if (!IsMacText(plan.texts.remote[0])) return lengthFailure(tab, kRootMacLength);
            plan.flags[kFirstRemoteItem] = HvAccess::ReadWrite;
            break;
        case Mode::PtmpBridge:
            for (QString& m : plan.texts.remote) m = WrittenMac(m);
            for (const QString& m : plan.texts.remote)
                if (!IsMacText(m)) return lengthFailure(tab, kMacLength);
            for (int n = 0; n < 8; ++n) plan.flags[size_t(kFirstRemoteItem + n)] = HvAccess::ReadWrite;
            break;
        case Mode::UniversalRepeater:
            plan.texts.root = WrittenMac(macs.root);
            if (!IsMacText(plan.texts.root)) return lengthFailure(tab, kRootMacLength);
            plan.flags[kRootItem] = HvAccess::ReadWrite;
            break;
    }
    return plan;
}

std::variant<CheckFailure, WritePlan> checkApply(Tab tab, std::optional<Mode> mode, const Macs& macs) {
    if (tab == Tab::A)
        if (auto f = checkDuplicateMacs(tab, mode, macs.remote)) return *f;
    return checkMacAddresses(tab, mode, macs);
}

Macs afterSuccess(const Macs& written) {
    Macs out = written;
    for (QString& m : out.remote) m = ShownMac(m);
    out.root = ShownMac(out.root);
    return out;
}

}  // namespace ModecfgRules
