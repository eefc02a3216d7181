#include "module/Misc.h"

HvOptionList* MibOptionLists[kMibOptionListCount] = {};

void InitMibOptionLists() {
    if (MibOptionLists[0]) return;
    for (int n = 1; n <= kMibOptionListCount; ++n) {
        MibOptionLists[n - 1] = new HvOptionList(MibOptionListSource(n), HvOptionList::Numeric, false);
    }
}

void FreeMibOptionLists() {
    for (int n = kMibOptionListCount; n >= 1; --n) {
        delete MibOptionLists[n - 1];
        MibOptionLists[n - 1] = nullptr;
    }
}
