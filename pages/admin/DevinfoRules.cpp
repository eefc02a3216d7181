#include "pages/admin/DevinfoRules.h"

namespace DevinfoRules {

QString superModeShown(const SlotOne& s) {
    if (!s.readOk) return {};
    if (s.turboCapability == u"0") return s.superMode == kDisabled ? kDisabled : kEnabled;
    if (s.channel != u"6" && s.superMode != kDisabled)
        return s.tabGVisible ? kSuperAWithoutTurbo : kSuperGWithoutTurbo;
    return s.superMode;
}

}  // namespace DevinfoRules
