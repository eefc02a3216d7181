#include "pages/wireless/FilerRules.h"

#include "module/AddrCheck.h"

namespace FilerRules {

namespace {

PageRules::CheckFailure box(const QString& message, const QString& caption) {
    PageRules::CheckFailure f;
    f.message = message;
    f.caption = caption;
    return f;
}

}  // namespace

bool macTableButtonEnabled(int accessControlIndex) {
    return accessControlIndex != kAccessDisableIndex;
}

std::optional<int> freeRow(const std::vector<MacRow>& rows) {
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].mac == kZeroMac) return int(i);
    return std::nullopt;
}

std::optional<int> rowOfMac(const std::vector<MacRow>& rows, const QString& mac) {
    if (mac.isEmpty()) return std::nullopt;
    for (size_t i = 0; i < rows.size(); ++i)
        if (SameMac(rows[i].mac, mac)) return int(i);
    return std::nullopt;
}

std::optional<PageRules::CheckFailure> checkTyped(const QString& typed) {
    if (typed.size() != kMacLength) return box(kBadLength, PageRules::kError);
    // Twelve characters that are no hex digits would reach the device as nothing it can hold.
    if (!IsMacText(typed) || IsFreeMac(typed)) return box(kInvalidMac, PageRules::kWarning);
    return std::nullopt;
}

bool isDuplicate(const std::vector<MacRow>& rows, const QString& ownKey, const QString& typed) {
    for (const MacRow& row : rows)
        if (row.key != ownKey && SameMac(row.mac, typed)) return true;
    return false;
}

TableButtons tableButtons(const TableActivity& a) {
    const bool idle = !a.tableBusy && !a.usersBusy && !a.writing;
    TableButtons b;
    b.add = idle && a.tableListed && a.freeRow;
    b.set = idle && a.tableListed && a.userRowSelected;
    b.del = b.set;
    b.refresh = refreshRestarts(a);
    return b;
}

bool refreshRestarts(const TableActivity& a) {
    return !a.tableBusy && !a.usersBusy && !a.writing;
}

bool closesNow(bool requestsBusy, int waitedTicks) {
    return !requestsBusy || waitedTicks >= kCloseWaitTicks;
}

}  // namespace FilerRules
