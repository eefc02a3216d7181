#pragma once

// Which items of a request one write carries. The scope marks the others left out (0x20) and puts
// every item's flag back when it ends, so the next read takes every object again, whatever the
// write left out and however it ended.

#include <initializer_list>
#include <vector>

#include "library/HvSNMPVarList.h"

class HvSendOnly {
public:
    // Only the items listed are sent; the others are left out.
    HvSendOnly(HvSNMPVarList& list, std::initializer_list<int> sent);
    // Item i is sent when sent[i] is true; items past the vector are left out.
    HvSendOnly(HvSNMPVarList& list, const std::vector<bool>& sent);
    ~HvSendOnly();
    HvSendOnly(const HvSendOnly&) = delete;
    HvSendOnly& operator=(const HvSendOnly&) = delete;

    // Changes one item's choice within the scope.
    void send(int item, bool sent);

private:
    HvSNMPVarList& m_list;
    std::vector<uint32_t> m_saved;
};
