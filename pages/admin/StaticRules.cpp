#include "pages/admin/StaticRules.h"

#include <cstdint>

namespace StaticRules {

QString editName(int n, int slot) {
    return QLatin1String(kCounters.at(size_t(n)).edit) + (slot == 1 ? u'a' : u'g');
}

QString refreshButton(int slot) {
    return slot == 1 ? QStringLiteral("Bt_RfrshA") : QStringLiteral("Bt_RfrshG");
}

QString tabName(int slot) {
    return slot == 1 ? QStringLiteral("TabSheetA") : QStringLiteral("TabSheetG");
}

std::vector<int> slotsToRead(bool tabAVisible, bool tabGVisible) {
    std::vector<int> out;
    if (tabAVisible) out.push_back(1);
    if (tabGVisible) out.push_back(2);
    return out;
}

QString counterText(const QString& read) {
    bool ok = false;
    const qlonglong v = read.toLongLong(&ok, 10);
    if (!ok || v >= 0 || v < INT32_MIN || read.trimmed() != read) return read;
    return QString::number(uint32_t(int32_t(v)));
}

}  // namespace StaticRules
