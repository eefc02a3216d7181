#include "library/HvSNMPVarList.h"

#include <string>
#include <utility>

#include "library/HvException.h"
#include "library/HvOptionList.h"

namespace {

constexpr HvOptionNumPair kKindNames[] = {
    {SVT_SV, "SVT_SV"}, {MVT_SV, "MVT_SV"}, {MVT_FMV, "MVT_FMV"}, {MVT_UMV, "MVT_UMV"}, {0, nullptr},
};

// "guage" is the library's spelling and is kept.
constexpr HvOptionNumPair kSyntaxNames[] = {
    {0x01, "boolean"},   {0x02, "integer"},    {0x03, "bitstr"},     {0x04, "octetstr"},
    {0x05, "null"},      {0x06, "objectid"},   {0x40, "ipaddress"},  {0x41, "counter"},
    {0x42, "guage"},     {0x43, "timeticks"},  {0x44, "opaque"},     {0x45, "nsapaddr"},
    {0x46, "counter64"}, {0x47, "uinteger"},   {0x48, "double"},     {0x49, "macaddress"},
    {0x4A, "datetime"},  {0x4B, "bcdatetime"}, {0x4C, "displaystr"}, {0xC1, "bool8"},
    {0xC2, "int8"},      {0xC3, "uint8"},      {0xC4, "bool16"},     {0xC5, "int16"},
    {0xC6, "uint16"},    {0, nullptr},
};

// 0x40 (implied index length) has no name.
constexpr HvOptionNumPair kAccessNames[] = {
    {0x01, "notaccess"}, {0x02, "readonly"}, {0x04, "writeonly"}, {0x06, "readwrite"},
    {0x08, "derived"},   {0x10, "hidden"},   {0x20, "invalid"},   {0, nullptr},
};

std::optional<std::string> copyText(const char* text) {
    return text ? std::optional<std::string>(text) : std::nullopt;
}

}  // namespace

const HvOptionList& HvListKindNames() {
    static const HvOptionList list(kKindNames);
    return list;
}

const HvOptionList& HvSyntaxNames() {
    static const HvOptionList list(kSyntaxNames);
    return list;
}

const HvOptionList& HvAccessNames() {
    static const HvOptionList list(kAccessNames);
    return list;
}

HvSNMPVarList::HvSNMPVarList() = default;

HvSNMPVarList::HvSNMPVarList(const MibObjectDef* table, uint8_t kind, int32_t keyCount)
    : m_keyCount(keyCount), m_kind(kind) {
    append(table);
}

HvSNMPVarList::HvSNMPVarList(const HvSNMPVarList& other) {
    assign(other);
}

HvSNMPVarList& HvSNMPVarList::operator=(const HvSNMPVarList& other) {
    assign(other);
    return *this;
}

HvSNMPVarList::HvSNMPVarList(HvSNMPVarList&& other) noexcept = default;

HvSNMPVarList& HvSNMPVarList::operator=(HvSNMPVarList&& other) noexcept {
    if (&other == this) return *this;
    m_kind = other.m_kind;
    m_keyCount = other.m_keyCount;
    m_name = std::move(other.m_name);
    m_items = std::move(other.m_items);
    other.m_items.clear();
    return *this;
}

HvSNMPVarList::~HvSNMPVarList() = default;

int32_t HvSNMPVarList::tableRowCount(const MibObjectDef* table) {
    int32_t n = 0;
    for (const MibObjectDef* r = table; r && r->oid; ++r) ++n;
    return n;
}

void HvSNMPVarList::clear() {
    m_items.clear();
}

void HvSNMPVarList::append(const MibObjectDef* table) {
    const int32_t n = tableRowCount(table);
    if (n == 0) return;
    std::vector<HvVarItem> copies;
    copies.reserve(static_cast<size_t>(n));
    for (int32_t k = 0; k < n; ++k) {
        const MibObjectDef& r = table[k];
        HvVarItem item;
        item.oid = r.oid;
        item.name = r.name ? r.name : "";
        item.syntax = r.syntax;
        item.access = r.access;
        if (r.optionList) {
            // The record names a global list slot; a null slot means the lists were never built (or
            // already freed). Copying null would quietly show raw numbers, so refuse.
            if (!*r.optionList) {
                throw HvException("The option list of '" + item.name + "' (" + item.oid +
                                  ") is not built: InitMibOptionLists has not run");
            }
            item.optionList = *r.optionList;
        }
        item.readFormula = copyText(r.readFormula);
        item.writeFormula = copyText(r.writeFormula);
        item.thirdText = copyText(r.thirdText);
        item.value = r.value ? r.value : "";
        item.lastOid = r.lastOid ? r.lastOid : "";
        copies.push_back(std::move(item));
    }
    m_items.insert(m_items.end(), std::make_move_iterator(copies.begin()),
                   std::make_move_iterator(copies.end()));
}

void HvSNMPVarList::assign(const HvSNMPVarList& other) {
    if (&other == this) return;
    clear();
    m_kind = other.m_kind;
    m_keyCount = other.m_keyCount;
    m_name = other.m_name;
    m_items = other.m_items;
}

HvVarItem& HvSNMPVarList::item(int32_t i) {
    if (i < 0 || i >= count()) {
        throw HvException("List index out of bounds (" + std::to_string(i) + ")");
    }
    return m_items[static_cast<size_t>(i)];
}

const HvVarItem& HvSNMPVarList::item(int32_t i) const {
    return const_cast<HvSNMPVarList*>(this)->item(i);
}

bool HvSNMPVarList::testFlag40(int32_t i) const {
    return (item(i).access & HvAccess::ImpliedLength) != 0;
}

bool HvSNMPVarList::isReadable(int32_t i) const {
    const uint32_t a = item(i).access;
    return !(a & HvAccess::Invalid) && (a & HvAccess::ReadOnly);
}

bool HvSNMPVarList::isWritable(int32_t i) const {
    const uint32_t a = item(i).access;
    if (a & HvAccess::Invalid) return false;
    if (a & HvAccess::WriteOnly) return true;
    // A walked table's key columns count as writable (the write addresses the row through them), but
    // the request never sends them.
    return (m_kind == MVT_FMV || m_kind == MVT_UMV) && i < m_keyCount;
}

bool HvSNMPVarList::isShown(int32_t i) const {
    const uint32_t a = item(i).access;
    if (a & (HvAccess::Invalid | HvAccess::Hidden)) return false;
    return (a & (HvAccess::NotAccess | HvAccess::Derived | HvAccess::ReadOnly)) != 0;
}

bool HvSNMPVarList::isHiddenItem(int32_t i) const {
    const uint32_t a = item(i).access;
    return a == HvAccess::WriteOnly || (a & (HvAccess::Invalid | HvAccess::Hidden)) != 0;
}

int32_t HvSNMPVarList::countShown() const {
    int32_t n = 0;
    for (int32_t i = 0; i < count(); ++i) n += isShown(i) ? 1 : 0;
    return n;
}

int32_t HvSNMPVarList::countHidden() const {
    int32_t n = 0;
    for (int32_t i = 0; i < count(); ++i) n += isHiddenItem(i) ? 1 : 0;
    return n;
}

const HvOptionList* HvSNMPVarList::adoptOptionList(std::unique_ptr<HvOptionList> list) {
    m_ownedOptionLists.push_back(std::move(list));
    return m_ownedOptionLists.back().get();
}
