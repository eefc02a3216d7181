#include "module/PageMenus.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

struct Entry {
    int order;
    PageMenuInstaller installer;
};

// Built on first use: units register from their static initialisers, in no fixed order.
std::vector<Entry>& entries() {
    static std::vector<Entry> list;
    return list;
}

}  // namespace

bool RegisterPageMenu(int order, PageMenuInstaller installer) {
    auto& list = entries();
    auto at =
        std::upper_bound(list.begin(), list.end(), order, [](int o, const Entry& e) { return o < e.order; });
    list.insert(at, Entry{order, std::move(installer)});
    return true;
}

void InstallPageMenus(TMainForm& mainForm) {
    for (const auto& e : entries())
        if (e.installer) e.installer(mainForm);
}
