#include "library/bind/HvSNMPRequest2Edits.h"

#include <QDate>

#include <cmath>
#include <optional>

#include "library/HvDateTime.h"
#include "library/HvException.h"
#include "library/HvNumList.h"
#include "library/HvSNMPError.h"
#include "library/HvUtil.h"
#include "library/HvValueText.h"
#include "library/bind/HvControlConv.h"
#include "platform/forms/Application.h"

namespace {

namespace S = HvSyntax;
using namespace HvControlConv;

constexpr double kMsPerDay = 86400000.0;

// Controls show value texts octet for character, so that a display string comes back as it went.
QString toControl(const std::string& text) {
    return HvDisplayToQString(text);
}

// A character beyond Latin-1 has no octet; it is refused rather than sent as '?'.
std::string fromControl(const QString& text) {
    for (QChar c : text)
        if (c.unicode() > 0xFF) HvRaiseCode(HvErrAssocValue);
    return HvQStringToDisplay(text);
}

bool isTrueText(const std::string& text) {
    return QString::fromStdString(text).compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

// Syntaxes whose empty value is an empty string, not a missing value.
bool keepsEmpty(uint32_t syntax) {
    return syntax == S::BitStr || syntax == S::OctetStr || syntax == S::Opaque || syntax == S::MacAddress ||
           syntax == S::DisplayStr;
}

void setControlText(forms::Control* control, const QString& text) {
    if (auto* edit = dynamic_cast<forms::Edit*>(control))
        edit->setText(text);
    else if (auto* label = dynamic_cast<forms::Label*>(control))
        label->setCaption(text);
    else if (auto* combo = dynamic_cast<forms::ComboBox*>(control))
        combo->setText(text);
    else
        HvRaiseCode(HvErrControlType);
}

QString controlText(forms::Control* control) {
    if (auto* edit = dynamic_cast<forms::Edit*>(control)) return edit->text();
    if (auto* label = dynamic_cast<forms::Label*>(control)) return label->caption();
    if (auto* combo = dynamic_cast<forms::ComboBox*>(control)) return combo->text();
    HvRaiseCode(HvErrControlType);
}

std::vector<forms::Edit*> editsOf(const HvControlBinding& b) {
    std::vector<forms::Edit*> edits;
    for (std::size_t i = 0; i < b.controls.size(); ++i) {
        auto* edit = dynamic_cast<forms::Edit*>(b.control(i));
        if (!edit) HvRaiseCode(HvErrControlType);
        edits.push_back(edit);
    }
    return edits;
}

void needEdits(const std::vector<forms::Edit*>& edits, std::size_t n) {
    if (edits.size() < n) HvRaiseCode(HvErrControlCount);
}

std::vector<uint32_t> subIdsOf(const std::string& octets) {
    if (octets.size() % 4 != 0) HvRaiseCode(HvErrAssocValue);
    std::vector<uint32_t> ids;
    for (std::size_t i = 0; i < octets.size(); i += 4)
        ids.push_back(static_cast<uint32_t>(unpackLE(std::string_view(octets).substr(i, 4), 4)));
    return ids;
}

QString number(uint64_t value) {
    return QString::number(value);
}

QString hexOctet(char octet) {
    return QString::fromStdString(HvOctetsToHex(std::string(1, octet)));
}

int64_t editNumber(const forms::Edit* edit, int64_t maximum, int64_t minimum = 0) {
    return readInteger(fromControl(edit->text()), minimum, maximum);
}

QDate guiEpoch() {
    return QDate(1899, 12, 30);
}

// Several edits showing one value, by the part's syntax.
void writeEdits(const std::vector<forms::Edit*>& edits, uint32_t syntax, const std::string& text,
                const std::string& octets) {
    const std::size_t n = edits.size();
    switch (syntax) {
        case S::BitStr:
        case S::OctetStr:
        case S::Opaque:
            if (octets.size() > n) HvRaiseCode(HvErrControlCount);
            for (std::size_t i = 0; i < octets.size(); ++i) edits[i]->setText(hexOctet(octets[i]));
            return;
        case S::ObjectId: {
            const std::vector<uint32_t> ids = subIdsOf(octets);
            if (ids.size() > n) HvRaiseCode(HvErrControlCount);
            for (std::size_t i = 0; i < ids.size(); ++i) edits[i]->setText(number(ids[i]));
            return;
        }
        default:
            break;
    }
    // These leave the edits as they are when there is no value.
    const bool none = octets.empty();
    switch (syntax) {
        case S::IpAddress:
        case S::NsapAddr:
            needEdits(edits, 4);
            if (none) return;
            for (std::size_t i = 0; i < 4 && i < octets.size(); ++i)
                edits[i]->setText(number(static_cast<unsigned char>(octets[i])));
            return;
        case S::TimeTicks: {
            needEdits(edits, 5);
            if (none) return;
            const uint64_t t = unpackLE(octets, 4);
            edits[0]->setText(number(t / 8640000));
            edits[1]->setText(number(t % 8640000 / 360000));
            edits[2]->setText(number(t % 360000 / 6000));
            edits[3]->setText(number(t % 6000 / 100));
            edits[4]->setText(number(t % 100));
            return;
        }
        case S::MacAddress:
            needEdits(edits, 6);
            if (none) return;
            for (std::size_t i = 0; i < octets.size() && i < n; ++i) edits[i]->setText(hexOctet(octets[i]));
            return;
        case S::DateTime: {
            needEdits(edits, 10);
            if (none) return;
            const auto dt = HvDateTime::fromOctets(octets);
            if (!dt) HvRaiseCode(HvErrAssocValue);
            const uint64_t fields[] = {dt->year,         dt->month,
                                       dt->day,          dt->hour,
                                       dt->minutes,      dt->seconds,
                                       dt->deciSeconds,  static_cast<unsigned char>(dt->direction),
                                       dt->hoursFromUtc, dt->minutesFromUtc};
            for (std::size_t i = 0; i < 10; ++i) edits[i]->setText(number(fields[i]));
            return;
        }
        case S::BcDateTime: {
            needEdits(edits, 7);
            if (none) return;
            const auto days = HvOctetsLEToDouble(octets.substr(0, 8));
            if (!days || !std::isfinite(*days) || std::fabs(*days) > 2958466.0) HvRaiseCode(HvErrAssocValue);
            const double whole = std::trunc(*days);
            int64_t ms = std::llround(std::fabs(*days - whole) * kMsPerDay);
            QDate date = guiEpoch().addDays(static_cast<qint64>(whole));
            if (ms >= static_cast<int64_t>(kMsPerDay)) {
                date = date.addDays(1);
                ms -= static_cast<int64_t>(kMsPerDay);
            }
            const int64_t fields[] = {date.year(),     date.month(),   date.day(), ms / 3600000,
                                      ms / 60000 % 60, ms / 1000 % 60, ms % 1000};
            for (std::size_t i = 0; i < 7; ++i) edits[i]->setText(QString::number(fields[i]));
            return;
        }
        default:
            edits[0]->setText(toControl(text));
            return;
    }
}

// The value text several edits make together.
std::string readEdits(const std::vector<forms::Edit*>& edits, uint32_t syntax) {
    const std::size_t n = edits.size();
    std::string out;
    switch (syntax) {
        case S::BitStr:
        case S::OctetStr:
        case S::Opaque:
        case S::MacAddress:
            if (syntax == S::MacAddress) needEdits(edits, 6);
            for (const forms::Edit* edit : edits) {
                std::string digits = fromControl(edit->text());
                while (digits.size() < 2) digits.insert(digits.begin(), '0');
                out += digits;
            }
            return out;
        case S::ObjectId:
            for (std::size_t i = 0; i < n; ++i) {
                if (i) out += '.';
                out += std::to_string(editNumber(edits[i], UINT32_MAX));
            }
            return out;
        case S::IpAddress:
        case S::NsapAddr:
            needEdits(edits, 4);
            for (std::size_t i = 0; i < 4; ++i) {
                if (i) out += '.';
                out += std::to_string(editNumber(edits[i], 255));
            }
            return out;
        case S::TimeTicks: {
            needEdits(edits, 5);
            const uint64_t scale[] = {8640000, 360000, 6000, 100, 1};
            uint64_t t = 0;
            for (std::size_t i = 0; i < 5; ++i) {
                t += static_cast<uint64_t>(editNumber(edits[i], UINT32_MAX)) * scale[i];
                if (t > UINT32_MAX) HvRaiseCode(HvErrAssocValue);
            }
            return HvTicksToText(static_cast<uint32_t>(t));
        }
        case S::DateTime: {
            needEdits(edits, 10);
            HvDateTime dt;
            dt.year = static_cast<uint16_t>(editNumber(edits[0], UINT16_MAX));
            dt.month = static_cast<uint8_t>(editNumber(edits[1], UINT8_MAX));
            dt.day = static_cast<uint8_t>(editNumber(edits[2], UINT8_MAX));
            dt.hour = static_cast<uint8_t>(editNumber(edits[3], UINT8_MAX));
            dt.minutes = static_cast<uint8_t>(editNumber(edits[4], UINT8_MAX));
            dt.seconds = static_cast<uint8_t>(editNumber(edits[5], UINT8_MAX));
            dt.deciSeconds = static_cast<uint8_t>(editNumber(edits[6], UINT8_MAX));
            dt.direction = static_cast<char>(editNumber(edits[7], UINT8_MAX));
            dt.hoursFromUtc = static_cast<uint8_t>(editNumber(edits[8], UINT8_MAX));
            dt.minutesFromUtc = static_cast<uint8_t>(editNumber(edits[9], UINT8_MAX));
            return dt.ToText();
        }
        case S::BcDateTime: {
            needEdits(edits, 7);
            const QDate date(static_cast<int>(editNumber(edits[0], 9999, 1)),
                             static_cast<int>(editNumber(edits[1], 12, 1)),
                             static_cast<int>(editNumber(edits[2], 31, 1)));
            if (!date.isValid()) HvRaiseCode(HvErrAssocValue);
            const int64_t ms = editNumber(edits[3], 23) * 3600000 + editNumber(edits[4], 59) * 60000 +
                               editNumber(edits[5], 59) * 1000 + editNumber(edits[6], 999);
            const double day = static_cast<double>(guiEpoch().daysTo(date));
            const double fraction = static_cast<double>(ms) / kMsPerDay;
            // Before the epoch the day counts back and the time of day still forward.
            return HvGuiDateTimeToText(day < 0 ? day - fraction : day + fraction);
        }
        default:
            return fromControl(edits[0]->text());
    }
}

}  // namespace

forms::Control* HvControlBinding::control(std::size_t i) const {
    if (i >= controls.size() || !controls[i]) return nullptr;
    return dynamic_cast<forms::Control*>(controls[i].data());
}

HvSNMPRequest2Edits::HvSNMPRequest2Edits(forms::Form* owner)
    : HvSNMPRequest2Controls(owner), constraints(std::make_unique<HvEditConstraint>(owner, true)) {}

HvSNMPRequest2Edits::~HvSNMPRequest2Edits() {
    beginDestruction();
    if (listView) listView->OnSelectItem = savedSelectItem;
    constraints.reset();
    bindings.clear();
}

// ---- binding --------------------------------------------------------------------------------

void HvSNMPRequest2Edits::addEdit(int32_t itemIndex, const std::string& format,
                                  std::initializer_list<forms::Edit*> edits) {
    addEdit(itemIndex, format, std::vector<forms::Edit*>(edits));
}

void HvSNMPRequest2Edits::addEdit(int32_t itemIndex, const std::string& format,
                                  const std::vector<forms::Edit*>& edits) {
    const HvVarItem& item = request.varList.item(itemIndex);
    // One edit per conversion: the count is the format's, and a call that passes another number of
    // edits is refused instead of binding what happens to be there.
    std::size_t conversions = 0;
    for (std::size_t at = format.find('%'); at != std::string::npos && at + 1 < format.size();
         at = format.find('%', at + 2)) {
        if (std::string_view("shiufn").find(format[at + 1]) != std::string_view::npos) ++conversions;
    }
    if (conversions != edits.size()) HvRaiseCode(HvErrControlCount);
    for (forms::Edit* edit : edits)
        if (!edit) HvRaiseCode(HvErrControlType);
    constraints->AddConstraints(format, edits);
    auto b = std::make_unique<HvControlBinding>();
    b->itemIndex = itemIndex;
    b->partOffset = 0;
    b->partSyntax = item.syntax;
    for (forms::Edit* edit : edits) b->controls.emplace_back(edit);
    bindings.push_back(std::move(b));
}

void HvSNMPRequest2Edits::addComboBox(int32_t itemIndex, forms::ComboBox* combo) {
    if (!combo) HvRaiseCode(HvErrControlType);
    const uint32_t syntax = request.varList.item(itemIndex).syntax;
    combo->setComboStyle(forms::ComboBox::Style::DropDownList);
    bindControl(itemIndex, 0, syntax, nullptr, combo);
}

void HvSNMPRequest2Edits::addCheckBox(int32_t itemIndex, forms::Control* control) {
    bindControl(itemIndex, 0, request.varList.item(itemIndex).syntax, nullptr, control);
}

void HvSNMPRequest2Edits::addLabel(int32_t itemIndex, forms::Control* control) {
    bindControl(itemIndex, 0, request.varList.item(itemIndex).syntax, nullptr, control);
}

void HvSNMPRequest2Edits::addRadioGroup(int32_t itemIndex, forms::RadioGroup* group) {
    bindControl(itemIndex, 0, request.varList.item(itemIndex).syntax, nullptr, group);
}

void HvSNMPRequest2Edits::addEdits(int32_t itemIndex, const std::string& parts,
                                   const std::vector<forms::Control*>& controls) {
    const HvVarItem& item = request.varList.item(itemIndex);
    HvNumList<int> numbers(',');
    numbers.parse(parts);
    if (numbers.count() == 0 || static_cast<std::size_t>(numbers.count()) > controls.size())
        HvRaiseCode(HvErrControlCount);
    auto b = std::make_unique<HvControlBinding>();
    b->itemIndex = itemIndex;
    b->partSyntax = item.syntax;
    for (int32_t i = 0; i < numbers.count(); ++i) {
        forms::Control* control = controls[static_cast<std::size_t>(i)];
        if (!control) HvRaiseCode(HvErrControlType);
        b->controls.emplace_back(control->asWidget());
        b->parts.push_back(numbers[i]);
    }
    bindings.push_back(std::move(b));
}

void HvSNMPRequest2Edits::bindControl(int32_t itemIndex, int32_t partOffset, uint32_t partSyntax,
                                      const HvOptionList* optionList, forms::Control* control,
                                      forms::Control* secondControl) {
    const HvVarItem& item = request.varList.item(itemIndex);
    if (!control) HvRaiseCode(HvErrControlType);
    const HvOptionList* effective = optionList;
    if (!effective && partOffset == 0 && partSyntax == item.syntax) effective = item.optionList;
    auto* combo = dynamic_cast<forms::ComboBox*>(control);
    auto* radio = dynamic_cast<forms::RadioGroup*>(control);
    if (combo || radio) {
        if (!effective) HvRaiseCode(HvErrNoOptionList);
        if (combo) {
            effective->FillComboItems(*combo);
            if (effective->kind() == HvOptionList::StringPrefix && !secondControl)
                HvRaiseCode(HvErrControlCount);
        } else {
            effective->FillRadioItems(*radio);
        }
    }
    // A check box shows two options; a list of fewer has nothing to show for one of its states.
    if (dynamic_cast<forms::CheckBox*>(control) && effective && effective->count() < 2)
        HvRaiseCode(HvErrControlCount);
    auto b = std::make_unique<HvControlBinding>();
    b->itemIndex = itemIndex;
    b->partOffset = partOffset;
    b->partSyntax = partSyntax;
    b->optionList = optionList;
    b->controls.emplace_back(control->asWidget());
    if (secondControl) b->controls.emplace_back(secondControl->asWidget());
    bindings.push_back(std::move(b));
}

void HvSNMPRequest2Edits::removeControls(int32_t itemIndex) {
    for (auto it = bindings.begin(); it != bindings.end();) {
        if ((*it)->itemIndex != itemIndex) {
            ++it;
            continue;
        }
        for (std::size_t i = 0; i < (*it)->controls.size(); ++i)
            if (auto* edit = dynamic_cast<forms::Edit*>((*it)->control(i))) constraints->Remove(edit);
        it = bindings.erase(it);
    }
}

void HvSNMPRequest2Edits::setConstraintOwner(forms::Form* form) {
    constraints->SetOwner(form);
}

// ---- conversion -----------------------------------------------------------------------------

const HvOptionList* HvSNMPRequest2Edits::listOf(const HvControlBinding& b) const {
    if (b.optionList) return b.optionList;
    const HvVarItem& item = request.varList.item(b.itemIndex);
    if (b.partOffset == 0 && b.partSyntax == item.syntax) return item.optionList;
    return nullptr;
}

void HvSNMPRequest2Edits::writeControls(int32_t itemIndex) {
    for (std::size_t k = 0; k < bindings.size(); ++k) {
        HvControlBinding& b = *bindings[k];
        if (itemIndex != -1 && b.itemIndex != itemIndex) continue;
        if (request.varList.item(b.itemIndex).access & HvAccess::Invalid) continue;
        writeBinding(b);
    }
}

void HvSNMPRequest2Edits::writeBinding(HvControlBinding& b) {
    forms::Control* first = b.control(0);
    if (!first) return;
    const HvVarItem& item = request.varList.item(b.itemIndex);
    const std::string raw = item.optionList ? item.optionList->TextToValue(item.value) : item.value;
    const bool whole = b.partOffset == 0 && b.partSyntax == item.syntax;
    // The octets only where a part, bits or several edits need them: a single control shows the text
    // as it is, so a placeholder or an odd text never has to convert.
    std::optional<std::string> octetsCache;
    auto wholeOctets = [&]() -> const std::string& {
        if (!octetsCache) octetsCache = valueToOctets(raw, item.syntax);
        return *octetsCache;
    };
    std::string text;
    std::string part;
    const HvOptionList* list = listOf(b);
    if (whole) {
        text = raw;
    } else {
        part = extractPart(wholeOctets(), b.partOffset, b.partSyntax);
        text = octetsToValue(part, b.partSyntax);
    }
    const std::string partValue = text;
    auto partOctets = [&]() -> const std::string& { return whole ? wholeOctets() : part; };
    // A value never read (empty) or missing matches no option; a numeric list would refuse the lookup.
    const bool noValue = text.empty() || isPlaceholder(text);
    if (list && !noValue) text = list->ValueToText(text);

    if (auto* label = dynamic_cast<forms::Label*>(first)) {
        label->setCaption(toControl(text));
    } else if (auto* check = dynamic_cast<forms::CheckBox*>(first)) {
        if (!b.parts.empty()) {
            const std::string& octets = partOctets();
            if (octets.empty() && isPlaceholder(raw)) return;  // no value: the boxes stay as they are
            for (std::size_t i = 0; i < b.parts.size(); ++i) {
                auto* box = dynamic_cast<forms::CheckBox*>(b.control(i));
                if (!box) {
                    if (!b.controls[i]) continue;
                    HvRaiseCode(HvErrControlType);
                }
                const int32_t bit = b.parts[i];
                if (bit < 0 || static_cast<std::size_t>(bit / 8) >= octets.size())
                    HvRaiseCode(HvErrAssocBitIndex);
                const auto mask = HvIntPower(2, 7 - static_cast<uint32_t>(bit % 8));
                box->setChecked(
                    (static_cast<unsigned char>(octets[static_cast<std::size_t>(bit / 8)]) & mask) != 0);
            }
        } else if (list) {
            if (list->count() < 2) HvRaiseCode(HvErrControlCount);
            int32_t position = noValue ? -1 : list->IndexOfText(text);
            if (position < 0 && !noValue) {
                try {
                    position = list->IndexOfValue(text);
                } catch (const HvException&) {
                    position = -1;
                }
            }
            const bool checked = position > 0;
            check->setChecked(checked);
            b.shown = true;
            b.shownPosition = position;
            b.shownChecked = checked;
            b.shownValue = partValue;
        } else {
            if (b.partSyntax != S::Boolean && b.partSyntax != S::Bool8 && b.partSyntax != S::Bool16)
                HvRaiseCode(HvErrAssocSyntax);
            check->setChecked(isTrueText(text));
        }
    } else if (auto* combo = dynamic_cast<forms::ComboBox*>(first)) {
        if (!list) HvRaiseCode(HvErrNoOptionList);
        if (noValue)
            combo->setItemIndex(-1);
        else
            list->SelectComboValue(*combo, text);
        if (forms::Control* second = b.control(1)) {
            std::string rest = text;
            const int32_t index = combo->itemIndex();
            if (index >= 0 && index < list->count()) {
                const std::size_t n = list->GetItem(index).text.size();
                rest = rest.size() > n ? rest.substr(n) : std::string();
                if (!rest.empty() && b.partSyntax == S::ObjectId) rest.erase(0, 1);
            }
            setControlText(second, toControl(rest));
        }
    } else if (auto* radio = dynamic_cast<forms::RadioGroup*>(first)) {
        if (!list) HvRaiseCode(HvErrNoOptionList);
        if (noValue)
            radio->setItemIndex(-1);
        else
            list->SelectRadioValue(*radio, text);
    } else if (auto* edit = dynamic_cast<forms::Edit*>(first)) {
        if (b.controls.size() == 1) {
            edit->setText(toControl(text));
        } else {
            writeEdits(editsOf(b), b.partSyntax, text, partOctets());
        }
    } else {
        HvRaiseCode(HvErrControlType);
    }
}

void HvSNMPRequest2Edits::readControls(int32_t itemIndex) {
    std::vector<std::string> previous;
    for (int32_t i = 0; i < request.varList.count(); ++i) previous.push_back(request.varList.item(i).value);
    readControlsFrom(itemIndex, previous);
}

void HvSNMPRequest2Edits::readControlsFrom(int32_t itemIndex, const std::vector<std::string>& previous) {
    HvSNMPVarList& list = request.varList;
    for (int32_t i = 0; i < list.count(); ++i) {
        if (itemIndex != -1 && i != itemIndex) continue;
        if (!list.isWritable(i)) continue;
        std::vector<HvControlBinding*> mine;
        for (const auto& b : bindings)
            if (b->itemIndex == i && b->control(0)) mine.push_back(b.get());
        if (mine.empty()) continue;
        HvVarItem& item = list.item(i);
        const std::string raw = item.optionList ? item.optionList->TextToValue(item.value) : item.value;
        // The current octets matter only to parts; a display string is rebuilt from its controls.
        bool parts = false;
        for (HvControlBinding* b : mine) parts = parts || b->partOffset != 0 || b->partSyntax != item.syntax;
        std::string whole =
            parts && item.syntax != S::DisplayStr ? valueToOctets(raw, item.syntax) : std::string();
        std::string previousRaw =
            static_cast<std::size_t>(i) < previous.size() ? previous[static_cast<std::size_t>(i)] : "";
        if (item.optionList) previousRaw = item.optionList->TextToValue(previousRaw);
        bool any = false;
        bool placeholder = false;
        for (HvControlBinding* b : mine) any = readBinding(*b, whole, previousRaw, placeholder) || any;
        if (!any) continue;
        std::string text;
        // An emptied string field is an empty string, not a missing value.
        if (whole.empty() && keepsEmpty(item.syntax) && !placeholder)
            text.clear();
        else
            text = octetsToValue(whole, item.syntax);
        if (item.optionList) text = item.optionList->ValueToText(text);
        item.value = text;
    }
}

bool HvSNMPRequest2Edits::readBinding(HvControlBinding& b, std::string& whole, const std::string& previousRaw,
                                      bool& placeholder) {
    forms::Control* first = b.control(0);
    if (!first) return false;
    const HvVarItem& item = request.varList.item(b.itemIndex);
    const bool isWhole = b.partOffset == 0 && b.partSyntax == item.syntax;
    const HvOptionList* list = listOf(b);
    // The part as the value had it before the controls were read: what a control that says nothing
    // (a combo box without a selection) contributes.
    auto previousPart = [&]() -> std::optional<std::string> {
        if (previousRaw.empty() || isPlaceholder(previousRaw)) return std::nullopt;
        if (isWhole) return previousRaw;
        const std::string p =
            extractPart(valueToOctets(previousRaw, item.syntax), b.partOffset, b.partSyntax);
        if (p.empty()) return std::nullopt;
        return octetsToValue(p, b.partSyntax);
    };
    auto unchosen = [&]() -> std::string {
        // Writing 0 (often "Disable") for a value nobody chose would change the device silently.
        const auto p = previousPart();
        if (!p) HvRaiseCode(HvErrAssocValue);
        return *p;
    };

    std::string partText;
    std::optional<std::string> partOctets;
    if (auto* label = dynamic_cast<forms::Label*>(first)) {
        partText = fromControl(label->caption());
    } else if (auto* check = dynamic_cast<forms::CheckBox*>(first)) {
        if (!b.parts.empty()) {
            // Bits no box shows keep their value.
            std::string bits;
            if (!previousRaw.empty() && !isPlaceholder(previousRaw)) {
                const std::string old = valueToOctets(previousRaw, item.syntax);
                bits = isWhole ? old : extractPart(old, b.partOffset, b.partSyntax);
            }
            for (std::size_t i = 0; i < b.parts.size(); ++i) {
                auto* box = dynamic_cast<forms::CheckBox*>(b.control(i));
                if (!box) {
                    if (!b.controls[i]) continue;
                    HvRaiseCode(HvErrControlType);
                }
                const int32_t bit = b.parts[i];
                if (bit < 0) HvRaiseCode(HvErrAssocBitIndex);
                const std::size_t byte = static_cast<std::size_t>(bit / 8);
                if (bits.size() <= byte) bits.resize(byte + 1, '\0');
                const auto mask =
                    static_cast<unsigned char>(HvIntPower(2, 7 - static_cast<uint32_t>(bit % 8)));
                unsigned char octet = static_cast<unsigned char>(bits[byte]);
                octet = box->checked() ? (octet | mask) : (octet & ~mask);
                bits[byte] = static_cast<char>(octet);
            }
            partOctets = bits;
        } else if (list) {
            if (list->count() < 2) HvRaiseCode(HvErrControlCount);
            const bool checked = check->checked();
            const bool untouchedOther = b.shown && checked == b.shownChecked && b.shownPosition != 0 &&
                                        b.shownPosition != 1 && !b.shownValue.empty() &&
                                        !isPlaceholder(b.shownValue);
            partText = untouchedOther ? b.shownValue : list->ValueOf(checked ? 1 : 0);
        } else {
            if (b.partSyntax != S::Boolean && b.partSyntax != S::Bool8 && b.partSyntax != S::Bool16)
                HvRaiseCode(HvErrAssocSyntax);
            partText = check->checked() ? "true" : "false";
        }
    } else if (auto* combo = dynamic_cast<forms::ComboBox*>(first)) {
        const int32_t index = combo->itemIndex();
        if (index < 0) {
            partText = unchosen();
        } else {
            partText = fromControl(combo->item(index));
            if (forms::Control* second = b.control(1)) {
                const std::string rest = fromControl(controlText(second));
                if (!rest.empty()) partText += (b.partSyntax == S::ObjectId ? "." : "") + rest;
            }
        }
    } else if (auto* radio = dynamic_cast<forms::RadioGroup*>(first)) {
        const int32_t index = radio->itemIndex();
        partText = index < 0 ? unchosen() : fromControl(radio->item(index));
    } else if (auto* edit = dynamic_cast<forms::Edit*>(first)) {
        partText = b.controls.size() == 1 ? fromControl(edit->text()) : readEdits(editsOf(b), b.partSyntax);
    } else {
        return false;
    }

    std::string part;
    if (partOctets) {
        part = *partOctets;
    } else {
        if (isPlaceholder(partText)) placeholder = true;
        if (list) partText = list->TextToValue(partText);
        part = valueToOctets(partText, b.partSyntax);
    }
    if (isWhole) {
        // A whole value is replaced: a shorter new value keeps nothing of the old one.
        whole = part;
    } else {
        const std::size_t end = static_cast<std::size_t>(b.partOffset) + part.size();
        if (whole.size() < end) whole.resize(end, '\0');
        whole.replace(static_cast<std::size_t>(b.partOffset), part.size(), part);
    }
    return true;
}

// ---- list view ------------------------------------------------------------------------------

std::vector<int32_t> HvSNMPRequest2Edits::currentLayout() const {
    const HvSNMPVarList& list = request.varList;
    std::vector<int32_t> layout;
    for (int32_t i = 0; i < list.count(); ++i)
        if (list.isHiddenItem(i)) layout.push_back(i);
    for (int32_t i = 0; i < list.count(); ++i)
        if (list.isShown(i)) layout.push_back(i);
    return layout;
}

void HvSNMPRequest2Edits::setListView(forms::ListView* view, bool enable) {
    if (listView && listView != view) listView->OnSelectItem = savedSelectItem;
    listView = view;
    enableOnSelect = enable;
    if (!view) return;
    view->setReadOnly(true);
    view->setRowSelect(true);
    view->setHideSelection(false);
    view->setGridLines(true);
    savedSelectItem = view->OnSelectItem;
    view->OnSelectItem = [this](QObject* sender, forms::ListItem* item, bool selected) {
        onListViewEvent(sender, item, selected);
    };
    buildListColumns();
}

void HvSNMPRequest2Edits::buildListColumns() {
    m_rowLayout = currentLayout();
    if (!listView) return;
    // Columns stay while there are enough of them, unless the access flags have moved items between
    // hidden and shown since they were made: the captions would name the wrong items.
    const bool enough = static_cast<int>(m_rowLayout.size()) <= listView->columnCount();
    if (enough && (m_columnLayout.empty() || m_columnLayout == m_rowLayout)) return;
    listView->clearColumns();
    const HvSNMPVarList& list = request.varList;
    for (int32_t i : m_rowLayout) {
        const int width = list.isHiddenItem(i) ? 0 : forms::ListView::AutoSizeHeader;
        listView->addColumn(QString::fromStdString(list.item(i).name), width);
    }
    m_columnLayout = m_rowLayout;
}

void HvSNMPRequest2Edits::addListRow() {
    if (!listView) return;
    forms::ListItem* row = listView->addItem();
    const HvSNMPVarList& list = request.varList;
    for (std::size_t k = 0; k < m_rowLayout.size(); ++k) {
        const QString text = toControl(list.item(m_rowLayout[k]).value);
        if (k == 0)
            row->setCaption(text);
        else
            row->addSubItem(text);
    }
    letPendingMessagesRun();
}

void HvSNMPRequest2Edits::letPendingMessagesRun() {
    if (!HvSNMPRequest::inReplyHandler()) forms::Application::processMessages();
}

void HvSNMPRequest2Edits::readListRow() {
    if (!listView) return;
    forms::ListItem* row = listView->selected();
    if (!row) return;
    HvSNMPVarList& list = request.varList;
    // Cells go to the items the row was made from, whatever the flags say now.
    for (std::size_t k = 0; k < m_rowLayout.size(); ++k) {
        if (m_rowLayout[k] >= list.count()) continue;
        const QString cell = k == 0 ? row->caption() : row->subItem(static_cast<int>(k - 1));
        list.item(m_rowLayout[k]).value = HvQStringToDisplay(cell);
    }
}

void HvSNMPRequest2Edits::setControlsEnabled(bool enabled) {
    for (const auto& b : bindings)
        for (const auto& c : b->controls)
            if (c) c->setEnabled(enabled);
}

void HvSNMPRequest2Edits::onListViewEvent(QObject* sender, forms::ListItem* item, bool selected) {
    if (savedSelectItem) {
        const forms::SelectItemEvent saved = savedSelectItem;
        saved(sender, item, selected);
    }
    if (!selected) return;
    if (enableOnSelect) setControlsEnabled(true);
    readListRow();
    writeControls(-1);
}

// ---- the request's hooks ----------------------------------------------------------------------

void HvSNMPRequest2Edits::beforeGet() {
    if (listView) {
        buildListColumns();
        listView->clearItems();
    }
    if (beforeGetCallback) beforeGetCallback();
}

void HvSNMPRequest2Edits::beforeSet() {
    if (beforeSetCallback) beforeSetCallback();
}

void HvSNMPRequest2Edits::valuesToControls() {
    if (listView)
        addListRow();
    else
        writeControls(-1);
}

void HvSNMPRequest2Edits::controlsToValues() {
    HvSNMPVarList& list = request.varList;
    std::vector<std::string> previous;
    for (int32_t i = 0; i < list.count(); ++i) {
        previous.push_back(list.item(i).value);
        list.item(i).value.clear();
    }
    if (listView) {
        // With a list view the selected row is what the controls were showing.
        readListRow();
        for (int32_t i = 0; i < list.count(); ++i) previous[static_cast<std::size_t>(i)] = list.item(i).value;
    }
    readControlsFrom(-1, previous);
}

void HvSNMPRequest2Edits::afterGet() {
    if (listView && enableOnSelect && request.varList.kind() == MVT_FMV) setControlsEnabled(false);
    if (afterGetCallback) afterGetCallback();
}

void HvSNMPRequest2Edits::afterSet() {
    if (afterSetCallback) afterSetCallback();
}
