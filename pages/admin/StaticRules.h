#pragma once

// The statistics page's rules without its windows: the eighteen counters of a radio slot with their
// edits, labels and groups, the slots read, and the text a counter shows.

#include <QString>

#include <array>
#include <vector>

namespace StaticRules {

inline constexpr int kCounterCount = 18;

struct Counter {
    const char* object;  // the object's name in the slot's table, in table order
    const char* edit;    // the edit without its slot letter: Ed_TranSuRat + "a" or "g"
    const char* label;
    bool percent;  // a rate, with "%" beside its edit
};
inline constexpr std::array<Counter, kCounterCount> kCounters{{
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

// The edit of counter n (0..17) on slot 1 ("a") or slot 2 ("g").
QString editName(int n, int slot);
QString refreshButton(int slot);  // Bt_RfrshA, Bt_RfrshG
QString tabName(int slot);        // TabSheetA, TabSheetG

// The four groups of a tab: their captions and the counters each holds (first, count).
struct Group {
    const char* caption;
    int first;
    int count;
};
inline constexpr std::array<Group, 4> kGroups{{{"ThroughPut ", 0, 6},
                                               {"Transmitted Frame Count ", 6, 5},
                                               {"Received Frame Count", 11, 5},
                                               {"Wep Frame Error Count", 16, 2}}};

// The slots the page creates a request for and reads, in order: only those whose tab is shown.
std::vector<int> slotsToRead(bool tabAVisible, bool tabGVisible);

// A counter's text as read. The device's counters are unsigned; one past 2^31 read as a signed
// integer would show negative, so a negative 32-bit decimal shows as the unsigned value it stands
// for. Any other text is shown as the device sent it.
QString counterText(const QString& read);

}  // namespace StaticRules
