#include "tests/support/StateChecks.h"

#include <QAbstractScrollArea>
#include <QStyle>

#include <sstream>

#include "library/HvOptionList.h"
#include "platform/forms/Forms.h"
#include "platform/forms/LayoutCheck.h"
#include "tests/sim/SimProcess.h"

namespace {

std::string str(const QString& s) {
    return s.toStdString();
}

// ---- 1. Layout -------------------------------------------------------------------------------------

// A control's own flag; a tab sheet's follows the page shown and says nothing.
bool hiddenByOwnFlag(const QWidget* w) {
    if (dynamic_cast<const forms::TabSheet*>(w)) return false;
    const auto* c = dynamic_cast<const forms::Control*>(w);
    return c && !c->visible();
}

// What Qt draws although a control above it (or the control itself) is hidden by its own flag.
void hiddenButDrawn(const forms::Form& page, std::vector<std::string>& out) {
    std::set<const QWidget*> reported;
    for (const QWidget* w : page.findChildren<QWidget*>()) {
        if (w->window() != &page || !w->isVisible()) continue;
        for (const QWidget* a = w; a && a != &page; a = a->parentWidget()) {
            if (!hiddenByOwnFlag(a)) continue;
            if (reported.insert(a).second)
                out.push_back(str(a->objectName()) + ": hidden, but " +
                              (a == w ? std::string("drawn")
                                      : "its " + std::string(w->metaObject()->className()) + " is drawn"));
            break;
        }
    }
}

// Columns narrower than a value they hold (the key column of width 0 is hidden on purpose).
void columnsTooNarrow(const forms::Form& page, std::vector<std::string>& out) {
    for (const forms::ListView* list : page.findChildren<forms::ListView*>()) {
        if (!list->isVisible()) continue;
        // A cell's text sits between the item's focus-frame margins.
        const int margins = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
        for (int c = 0; c < list->columnCount(); ++c) {
            const int width = list->shownColumnWidth(c);
            if (width <= 0) continue;
            for (int r = 0; r < list->itemCount(); ++r) {
                const forms::ListItem* item = list->item(r);
                const QString text = c == 0 ? item->caption() : item->subItem(c - 1);
                const int need = list->fontMetrics().horizontalAdvance(text) + margins;
                if (need <= width) continue;
                out.push_back(str(list->objectName()) + ": column \"" + str(list->columnCaption(c)) +
                              "\" is " + std::to_string(width) + " px, \"" + str(text) + "\" needs " +
                              std::to_string(need));
                break;
            }
        }
    }
}

constexpr int kFrameSlack = 2;

// Controls a user works with: what lies over one of them cannot be clicked or read.
bool isInput(const QWidget* w) {
    return dynamic_cast<const forms::Button*>(w) || dynamic_cast<const forms::Edit*>(w) ||
           dynamic_cast<const forms::ComboBox*>(w) || dynamic_cast<const forms::CheckBox*>(w) ||
           dynamic_cast<const forms::RadioButton*>(w) || dynamic_cast<const forms::ListView*>(w);
}

bool shownUpTo(const QWidget* w, const QWidget* root) {
    for (; w && w != root; w = w->parentWidget())
        if (hiddenByOwnFlag(w) || w->isHidden()) return false;
    return true;
}

// Inputs that another shown control of the same parent covers, whatever the layout table says: a
// table can place two controls over each other as well as a page's code can.
void inputsCovered(const forms::Form& page, std::vector<std::string>& out) {
    std::vector<const QWidget*> inputs;
    for (const QWidget* w : page.findChildren<QWidget*>())
        if (w->window() == &page && isInput(w) && shownUpTo(w, &page)) inputs.push_back(w);
    for (size_t i = 0; i < inputs.size(); ++i)
        for (size_t j = i + 1; j < inputs.size(); ++j) {
            const QWidget* a = inputs[i];
            const QWidget* b = inputs[j];
            if (a->parentWidget() != b->parentWidget()) continue;
            // One standing exactly in the other's place is a list the user sees over the rows a page
            // keeps for itself, as forms::checkLayout allows it.
            if (a->geometry() == b->geometry()) continue;
            // The old layouts let neighbours share a pixel or two of their frames.
            const QRect both = a->geometry().intersected(b->geometry());
            if (both.width() <= kFrameSlack || both.height() <= kFrameSlack) continue;
            out.push_back(str(a->objectName()) + " and " + str(b->objectName()) + " lie over each other");
        }
}

// ---- 2. Shown values -------------------------------------------------------------------------------

struct DeviceValue {
    bool present = false;
    char type = 0;  // the control channel's type letter
    std::string text;
};

DeviceValue deviceValue(SimProcess& sim, const std::string& oid) {
    const std::string reply = sim.command("get " + oid);
    DeviceValue v;
    if (reply.rfind("ok ", 0) != 0 || reply.size() < 5) return v;
    v.present = true;
    v.type = reply[3];
    const std::string raw = reply.substr(5);
    v.text = v.type == 's' ? SimLogLine::unquote(raw).value_or(raw) : raw;
    return v;
}

// The OID a request reads for an item: scalars at ".0", a row's objects as they stand.
std::string wireOid(const HvSNMPRequest2Edits& r, const HvVarItem& item) {
    return item.oid + (r.request.varList.kind() == SVT_SV ? ".0" : "");
}

bool readsRows(const HvSNMPRequest2Edits& r) {
    return r.request.varList.kind() == MVT_FMV || r.request.varList.kind() == MVT_UMV;
}

bool leftOut(const HvVarItem& item) {
    return (item.access & HvAccess::Invalid) != 0 || item.oid == " ";
}

// The text a control shows, or nullopt for a control this check does not read.
std::optional<QString> controlText(const QWidget* w) {
    if (auto* combo = dynamic_cast<const forms::ComboBox*>(w))
        return combo->itemIndex() < 0 ? QString() : combo->text();
    if (auto* edit = dynamic_cast<const forms::Edit*>(w)) return edit->text();
    if (auto* label = dynamic_cast<const forms::Label*>(w)) return label->caption();
    if (auto* group = dynamic_cast<const forms::RadioGroup*>(w)) return group->text();
    if (auto* check = dynamic_cast<const forms::CheckBox*>(w))
        return check->checked() ? QStringLiteral("checked") : QStringLiteral("unchecked");
    return std::nullopt;
}

// What the control should show of the device's value: an option's text, a check box's state, the
// value's own text (MACs in upper case).
QString expectedText(const QWidget* w, const HvOptionList* list, const DeviceValue& v) {
    const QString raw = QString::fromStdString(v.text);
    if (dynamic_cast<const forms::CheckBox*>(w) && list)
        return list->count() > 1 && list->ValueOf(1) == v.text ? QStringLiteral("checked")
                                                               : QStringLiteral("unchecked");
    if (list && v.type == 'i') {
        const int index = list->IndexOfValue(v.text);
        return index < 0 ? QString() : QString::fromStdString(list->GetItem(index).text);
    }
    return v.type == 'x' ? raw.toUpper() : raw;
}

template <class Visit>
void forEachBinding(const std::vector<HvSNMPRequest2Edits*>& requests, Visit visit) {
    for (HvSNMPRequest2Edits* r : requests) {
        if (!r || readsRows(*r)) continue;
        for (const auto& b : r->bindings) {
            if (b->partOffset != 0 || !b->parts.empty()) continue;
            const HvVarItem& item = r->request.varList.item(b->itemIndex);
            if (leftOut(item)) continue;
            const HvOptionList* list = b->optionList ? b->optionList : item.optionList;
            for (const auto& control : b->controls)
                if (control) visit(*r, item, list, control.data());
        }
    }
}

}  // namespace

std::vector<std::string> stateLayoutFaults(const forms::Form& page, const forms::FormLayout& table) {
    std::vector<std::string> out = forms::checkLayout(page, table);
    hiddenButDrawn(page, out);
    inputsCovered(page, out);
    columnsTooNarrow(page, out);
    return out;
}

std::vector<std::string> shownMismatches(const std::vector<HvSNMPRequest2Edits*>& requests, SimProcess& sim,
                                         const std::set<std::string>& unreadable,
                                         const std::set<QString>& ownRules) {
    std::vector<std::string> out;
    // A request with an object the device lacks or refuses fails as a whole: its controls keep what
    // they had.
    std::set<const HvSNMPRequest2Edits*> failing;
    for (HvSNMPRequest2Edits* r : requests) {
        if (!r || readsRows(*r)) continue;
        for (int i = 0; i < r->request.varList.count(); ++i) {
            const HvVarItem& item = r->request.varList.item(i);
            if (leftOut(item)) continue;
            const std::string oid = wireOid(*r, item);
            if (unreadable.count(oid) || unreadable.count(item.oid) || !deviceValue(sim, oid).present)
                failing.insert(r);
        }
    }
    forEachBinding(requests, [&](const HvSNMPRequest2Edits& r, const HvVarItem& item,
                                 const HvOptionList* list, const QWidget* control) {
        if (failing.count(&r) || ownRules.count(control->objectName())) return;
        const auto shown = controlText(control);
        if (!shown) return;
        const std::string oid = wireOid(r, item);
        const DeviceValue v = deviceValue(sim, oid);
        if (v.type == 't') return;  // time ticks move on while the page shows them
        const QString want = expectedText(control, list, v);
        if (shown->compare(want, v.type == 'x' ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0) return;
        out.push_back(str(control->objectName()) + " shows \"" + str(*shown) + "\", the device holds \"" +
                      str(want) + "\" (" + v.text + " at " + oid + ")");
    });
    return out;
}

std::vector<std::string> rowShownMismatches(const HvSNMPRequest2Edits& walk, const std::string& rowKey,
                                            SimProcess& sim, const std::set<QString>& ownRules) {
    std::vector<std::string> out;
    for (const auto& b : walk.bindings) {
        if (b->partOffset != 0 || !b->parts.empty()) continue;
        const HvVarItem& item = walk.request.varList.item(b->itemIndex);
        const bool key = (item.access & HvAccess::NotAccess) != 0;
        if (!key && leftOut(item)) continue;
        const HvOptionList* list = b->optionList ? b->optionList : item.optionList;
        const std::string oid = item.oid + "." + rowKey;
        const DeviceValue v = key ? DeviceValue{true, 'i', rowKey} : deviceValue(sim, oid);
        for (const auto& control : b->controls) {
            if (!control || ownRules.count(control->objectName())) continue;
            const auto shown = controlText(control.data());
            if (!shown) continue;
            const QString want = key ? QString::fromStdString(rowKey) : expectedText(control.data(), list, v);
            if (shown->compare(want, v.type == 'x' ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0) continue;
            out.push_back(str(control->objectName()) + " shows \"" + str(*shown) + "\", row " + rowKey +
                          " of the device holds \"" + str(want) + "\" (at " + (key ? "its key" : oid) + ")");
        }
    }
    return out;
}

std::vector<std::string> listMismatches(const forms::ListView& list,
                                        const std::vector<ListColumnOid>& columns,
                                        const std::function<std::string(int row)>& key, SimProcess& sim) {
    std::vector<std::string> out;
    for (int r = 0; r < list.itemCount(); ++r) {
        const forms::ListItem* item = list.item(r);
        for (const ListColumnOid& c : columns) {
            const QString shown = c.column == 0 ? item->caption() : item->subItem(c.column - 1);
            const std::string oid = c.oid + "." + key(r);
            const DeviceValue v = deviceValue(sim, oid);
            const QString want = expectedText(nullptr, nullptr, v);
            if (shown.compare(want, v.type == 'x' ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0) continue;
            out.push_back(str(list.objectName()) + " row " + std::to_string(r + 1) + " shows \"" +
                          str(shown) + "\", the device holds \"" + str(want) + "\" at " + oid);
        }
    }
    return out;
}

std::string heldValue(SimProcess& sim, const std::string& oid) {
    return deviceValue(sim, oid).text;
}

std::map<QString, ShownValue> shownValues(const std::vector<HvSNMPRequest2Edits*>& requests) {
    std::map<QString, ShownValue> out;
    forEachBinding(requests, [&](const HvSNMPRequest2Edits& r, const HvVarItem& item, const HvOptionList*,
                                 const QWidget* control) {
        if (auto text = controlText(control)) out[control->objectName()] = {wireOid(r, item), *text};
    });
    return out;
}

DeviceSettings deviceSettings(SimProcess& sim) {
    DeviceSettings out;
    const std::string reply = sim.command("config");
    if (reply.rfind("ok ", 0) != 0) return out;
    std::string text;
    const std::string hex = reply.substr(3);
    for (size_t i = 0; i + 1 < hex.size(); i += 2) text += char(std::stoi(hex.substr(i, 2), nullptr, 16));
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') continue;
        const size_t blank = line.find(' ');
        if (blank != std::string::npos) out[line.substr(0, blank)] = line.substr(blank + 1);
    }
    for (const char* oid : {"1.3.6.1.2.1.1.4.0", "1.3.6.1.2.1.1.5.0", "1.3.6.1.2.1.1.6.0"}) {
        const std::string r = sim.command(std::string("get ") + oid);
        if (r.rfind("ok ", 0) == 0) out[oid] = r.substr(3);
    }
    return out;
}

std::vector<std::string> changedSettings(const DeviceSettings& before, const DeviceSettings& after,
                                         const std::vector<AllowedChange>& allowed) {
    std::vector<std::string> out;
    std::set<std::string> oids;
    for (const auto& [oid, v] : before) oids.insert(oid);
    for (const auto& [oid, v] : after) oids.insert(oid);
    for (const std::string& oid : oids) {
        const auto b = before.find(oid);
        const auto a = after.find(oid);
        const std::string was = b == before.end() ? "(none)" : b->second;
        const std::string is = a == after.end() ? "(none)" : a->second;
        if (was == is) continue;
        bool ok = false;
        for (const AllowedChange& c : allowed) ok = ok || (c.oid == oid && c.value == is);
        if (!ok) out.push_back(oid + ": " + was + " -> " + is);
    }
    return out;
}

DecliningRestart::DecliningRestart() {
    m_old = forms::Application::setMessageBoxHook([this](const forms::MessageBoxCall& call) {
        boxes.push_back(call);
        return call.text.startsWith(QStringLiteral("Do you want reboot now?")) ? int(forms::IDCANCEL)
                                                                               : int(forms::IDOK);
    });
}

DecliningRestart::~DecliningRestart() {
    forms::Application::setMessageBoxHook(m_old);
}

std::string faultText(const std::vector<std::string>& faults) {
    std::string out;
    for (const std::string& f : faults) out += "\n  " + f;
    return out;
}
