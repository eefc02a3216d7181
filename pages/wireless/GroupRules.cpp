#include "pages/wireless/GroupRules.h"

namespace GroupRules {

int userLimitValue(const QString& text) {
    bool ok = false;
    const int v = text.toInt(&ok, 10);
    // QString::toInt takes surrounding blanks: a limit typed with blanks counts as no number.
    if (!ok || text.trimmed() != text) return -1;
    return v;
}

std::optional<CheckFailure> checkUserLimit(const QString& text) {
    const int v = userLimitValue(text);
    if (v >= kUserLimitLow && v <= kUserLimitHigh) return std::nullopt;
    return CheckFailure{kUserLimitMessage, PageRules::kError, {}, QStringLiteral("Ed_UsrL"), {}};
}

Controls updateGroupingControls(int apModeIndex, int loadBalanceIndex) {
    Controls c;
    const bool accessPoint = apModeIndex == kAccessPointIndex;
    c.loadBalanceEnabled = c.linkIntegrateEnabled = accessPoint;
    if (loadBalanceIndex == kEnableIndex)
        c.userLimitEditable = true;
    else if (loadBalanceIndex == 0)
        c.userLimitEditable = false;
    return c;
}

Controls clusterReadDone(bool ok, int clusterIndex, int apModeIndex, int loadBalanceIndex) {
    if (!ok || clusterIndex != kJoinIndex) return updateGroupingControls(apModeIndex, loadBalanceIndex);
    Controls c;
    c.loadBalanceEnabled = false;
    return c;
}

AfterWrite afterWrite(bool ok, int clusterIndex) {
    AfterWrite a;
    if (!ok) {
        a.status = kSettingError;
        return a;
    }
    a.status = kSettingOk;
    a.askRestart = clusterIndex == kJoinIndex;
    a.waiting = !a.askRestart;
    a.readCluster = true;
    return a;
}

}  // namespace GroupRules
