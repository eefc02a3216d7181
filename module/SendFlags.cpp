#include "module/SendFlags.h"

HvSendOnly::HvSendOnly(HvSNMPVarList& list, const std::vector<bool>& sent) : m_list(list) {
    m_saved.reserve(static_cast<size_t>(list.count()));
    for (int32_t i = 0; i < list.count(); ++i) {
        m_saved.push_back(list.item(i).access);
        send(i, static_cast<size_t>(i) < sent.size() && sent[static_cast<size_t>(i)]);
    }
}

HvSendOnly::HvSendOnly(HvSNMPVarList& list, std::initializer_list<int> sent)
    : HvSendOnly(list, [&] {
          std::vector<bool> v(static_cast<size_t>(list.count()), false);
          for (int i : sent)
              if (i >= 0 && i < list.count()) v[static_cast<size_t>(i)] = true;
          return v;
      }()) {}

HvSendOnly::~HvSendOnly() {
    for (int32_t i = 0; i < m_list.count() && static_cast<size_t>(i) < m_saved.size(); ++i)
        m_list.item(i).access = m_saved[static_cast<size_t>(i)];
}

void HvSendOnly::send(int item, bool sent) {
    if (item < 0 || item >= m_list.count()) return;
    // A read-only item stays what it is: it is never written whatever the page chooses.
    const uint32_t saved = m_saved[static_cast<size_t>(item)];
    if (!sent)
        m_list.item(item).access = HvAccess::Invalid;
    else if (saved & HvAccess::Invalid)
        m_list.item(item).access = (saved & ~HvAccess::Invalid) | HvAccess::ReadWrite;
    else
        m_list.item(item).access = saved;
}
