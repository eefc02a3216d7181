#include "pages/admin/SystemRules.h"

namespace SystemRules {

CommandPlan commandPlan(Command command) {
    CommandPlan p;
    if (command == Command::FactoryDefault) {
        p.restoreIndex = kTrueIndex;
        p.sent = {true, true};
    } else {
        p.sent = {true, false};
    }
    return p;
}

PageRules::Waiting waitingFor(Command command) {
    PageRules::Waiting w;
    w.sendReboot = false;
    if (command == Command::Restart) {
        w.caption = QStringLiteral("System is rebooting, please waiting.....");
    } else {
        w.caption = QStringLiteral("System is rebooting, please waiting.....!");
        w.label3 = QStringLiteral("The system IP will be 192.168.0.50 !");
    }
    return w;
}

std::optional<bool> restoreEnabled(bool readOk, int clusterIndex) {
    if (!readOk) return std::nullopt;
    return clusterIndex != kJoinIndex;
}

}  // namespace SystemRules
