#include "pages/admin/StaticRules.h"

#include <cstdint>

namespace StaticRules {

const std::array<Counter, kCounterCount>& counters() {
    static const std::array<Counter, kCounterCount> table{{
        {"TrSuccessRate", "Ed_TranSuRat", "Transmit Success Rate", true},
        {"TrRetryRate", "Ed_TranReRat", "Transmit Retry Rate", true},
        {"RxSuccessRate", "Ed_RcvSuRat", "Receive Success Rate", true},
        {"RxDuplicateRate", "Ed_RcvDuRat", "Receive Duplicate Rate", true},
        {"RTSSuccessCount", "Ed_RTSSuCnt", "RTS Success Count", false},
        {"RTSFailureCount", "Ed_RTSFaCnt", "RTS Failure Count", false},
        {"TrFrameCount", "Ed_TranFrCnt", "Transmitted Frame Count", false},
        {"MuticastTrFrameCount", "Ed_McastTranFrCnt", "Multicast Transmitted Frame Count", false},
        {"TrErrorCount", "Ed_TranErrCnt", "Transmitted Error Count", false},
        {"TrTotalRetryCount", "Ed_TranTtlRtyCnt", "Transmitted Total Retry Count ", false},
        {"TrMutiRetryCount", "Ed_TranMulRtyCnt", "Transmitted Multiple Retry Count ", false},
        {"RxFrameCount", "Ed_RcvFrmCnt", "Received Frame Count", false},
        {"MuticastRxFrameCount", "Ed_MRcvFrmCnt", "Multicast Received Frame Count", false},
        {"RxFrameFCSErrorCount", "Ed_RcvFrmErrCnt", "Received Frame FCS Error Count ", false},
        {"RxFrameDulicateCount", "Ed_RcvFrmDupCnt", "Received Frame Duplicate Count ", false},
        {"AckRxFailureCount", "Ed_AckRcvfCnt", "Ack Rcv failure Count ", false},
        {"WEPExcludedFrameCount", "Ed_WEPEFrmCnt", "WEP Excluded Frame Count", false},
        {"WEPICVErrorCount", "Ed_WEPIErrCnt", "WEP ICV Error Count", false},
    }};
    return table;
}

QString editName(int n, int slot) {
    return QLatin1String(counters().at(size_t(n)).edit) + (slot == 1 ? u'a' : u'g');
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
