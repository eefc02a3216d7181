#include "pages/admin/ClusterRules.h"

namespace ClusterRules {

QString joinId(const QString& typed) {
    return typed.isEmpty() ? QStringLiteral("0") : typed;
}

std::optional<MembershipView> membershipView(bool readOk, int actionIndex) {
    if (!readOk) return std::nullopt;
    MembershipView v;
    v.member = actionIndex == kJoinIndex;
    v.surveyMembers = v.member;
    v.clearMembers = !v.member;
    return v;
}

RowClick domainRowClick(bool rowSelected, bool idEditable, int rowCount, const QString& domainId) {
    if (!rowSelected || !idEditable) return {};
    if (rowCount >= kFullRows)
        return {RowClick::Kind::Full,
                QStringLiteral("The AP Domain ID = \"") + domainId + QStringLiteral("\" is full !")};
    return {RowClick::Kind::CopyId, domainId};
}

AfterWrite afterMembershipWrite(bool writeOk, bool joinPending) {
    return {writeOk && joinPending, false};
}

}  // namespace ClusterRules
