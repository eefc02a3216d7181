#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "library/MibObjectDef.h"

class HvOptionList;

// Syntax codes. 0x02..0x46 are the SNMP syntax numbers; 0x01 and 0x48..0x4C are the
// library's own kinds; 0xC1..0xC6 describe parts of a value bound to controls and are no item syntax.
namespace HvSyntax {
inline constexpr uint32_t Boolean = 0x01;
inline constexpr uint32_t Integer = 0x02;
inline constexpr uint32_t BitStr = 0x03;
inline constexpr uint32_t OctetStr = 0x04;
inline constexpr uint32_t Null = 0x05;
inline constexpr uint32_t ObjectId = 0x06;
inline constexpr uint32_t IpAddress = 0x40;
inline constexpr uint32_t Counter = 0x41;
inline constexpr uint32_t Gauge = 0x42;
inline constexpr uint32_t TimeTicks = 0x43;
inline constexpr uint32_t Opaque = 0x44;
inline constexpr uint32_t NsapAddr = 0x45;
inline constexpr uint32_t Counter64 = 0x46;
inline constexpr uint32_t UInteger = 0x47;
inline constexpr uint32_t Double = 0x48;
inline constexpr uint32_t MacAddress = 0x49;
inline constexpr uint32_t DateTime = 0x4A;
inline constexpr uint32_t BcDateTime = 0x4B;
inline constexpr uint32_t DisplayStr = 0x4C;
inline constexpr uint32_t Bool8 = 0xC1;
inline constexpr uint32_t Int8 = 0xC2;
inline constexpr uint32_t UInt8 = 0xC3;
inline constexpr uint32_t Bool16 = 0xC4;
inline constexpr uint32_t Int16 = 0xC5;
inline constexpr uint32_t UInt16 = 0xC6;
}  // namespace HvSyntax

// Access flags, a bit set. Pages assign ReadWrite (sent) or Invalid (left out) before a write.
namespace HvAccess {
inline constexpr uint32_t NotAccess = 0x01;  // a table index column
inline constexpr uint32_t ReadOnly = 0x02;
inline constexpr uint32_t WriteOnly = 0x04;
inline constexpr uint32_t ReadWrite = 0x06;
inline constexpr uint32_t Derived = 0x08;  // shown, but not read from the device
inline constexpr uint32_t Hidden = 0x10;
inline constexpr uint32_t Invalid = 0x20;        // left out of reads and writes
inline constexpr uint32_t ImpliedLength = 0x40;  // last key of a walk list: its index part has no length
}  // namespace HvAccess

// List kinds: how a request addresses the items.
enum HvListKind : uint8_t {
    SVT_SV = 0,   // scalars: OID + ".0", get
    MVT_SV = 1,   // one table row: OID unchanged (+ "." suffix when set)
    MVT_FMV = 2,  // columns walked with get-next; the first key-count items are the row's keys
    MVT_UMV = 3,  // as MVT_FMV for requests; the bindings treat it differently
};

// The library's three name tables (numeric option lists), built on first use and freed at exit.
const HvOptionList& HvListKindNames();  // 0 "SVT_SV" .. 3 "MVT_UMV"
const HvOptionList& HvSyntaxNames();    // 0x01 "boolean" .. 0xC6 "uint16" (0x42 is spelt "guage")
const HvOptionList& HvAccessNames();    // 0x01 "notaccess" .. 0x20 "invalid"; 0x40 has no name

// One variable of a list: an own copy of a table record plus its current value and the OID last
// returned for it in a walk.
struct HvVarItem {
    std::string oid;  // dotted, without instance; " " for a row-index item
    std::string name;
    uint32_t syntax = 0;
    uint32_t access = 0;
    const HvOptionList* optionList = nullptr;  // not owned
    std::optional<std::string> readFormula;
    std::optional<std::string> writeFormula;
    std::optional<std::string> thirdText;
    std::string value;
    std::string lastOid;

    bool operator==(const HvVarItem&) const = default;
};

// The ordered set of device objects one request reads or writes: a deep copy of a static
// table with its list kind and key count.
class HvSNMPVarList {
public:
    // Empty, kind SVT_SV.
    HvSNMPVarList();
    // Empty texts, then append(table).
    HvSNMPVarList(const MibObjectDef* table, uint8_t kind, int32_t keyCount);
    // Empty, then assign(other): the copy starts with an empty instance suffix and no owned lists.
    HvSNMPVarList(const HvSNMPVarList& other);
    HvSNMPVarList& operator=(const HvSNMPVarList& other);
    // A move keeps everything, suffix and owned lists included (a list moved within a container stays
    // what it was). Move assignment follows assign: the target keeps its own suffix and owned lists,
    // so installing a temporary list into a request does not drop the request's suffix.
    HvSNMPVarList(HvSNMPVarList&& other) noexcept;
    HvSNMPVarList& operator=(HvSNMPVarList&& other) noexcept;
    ~HvSNMPVarList();

    // Records up to the first whose OID is null (0 for a null table).
    static int32_t tableRowCount(const MibObjectDef* table);

    void clear();
    // Appends a deep copy of every record. A record whose option-list slot is still null (the lists
    // are not built) raises HvException and leaves the list unchanged.
    void append(const MibObjectDef* table);
    // clear, then copies kind, key count, name and every item. The instance suffix and the owned
    // option lists stay the target's own.
    void assign(const HvSNMPVarList& other);

    // Item i; i outside 0..count-1 raises HvException (the original did not check).
    HvVarItem& item(int32_t i);
    const HvVarItem& item(int32_t i) const;
    int32_t count() const { return static_cast<int32_t>(m_items.size()); }

    bool testFlag40(int32_t i) const;
    bool isReadable(int32_t i) const;
    bool isWritable(int32_t i) const;
    bool isShown(int32_t i) const;
    bool isHiddenItem(int32_t i) const;
    int32_t countShown() const;
    int32_t countHidden() const;

    const std::string& instanceSuffix() const { return m_instanceSuffix; }
    void setInstanceSuffix(const std::string& suffix) { m_instanceSuffix = suffix; }
    int32_t keyCount() const { return m_keyCount; }
    void setKeyCount(int32_t keyCount) { m_keyCount = keyCount; }
    uint8_t kind() const { return m_kind; }
    void setKind(uint8_t kind) { m_kind = kind; }
    const std::string& name() const { return m_name; }
    void setName(const std::string& name) { m_name = name; }

    // Option lists owned by this list and freed with it (the request layer adds none). Items may
    // point at them; they are not copied by assign.
    const HvOptionList* adoptOptionList(std::unique_ptr<HvOptionList> list);
    int32_t ownedOptionListCount() const { return static_cast<int32_t>(m_ownedOptionLists.size()); }

private:
    std::string m_instanceSuffix;
    int32_t m_keyCount = 0;
    uint8_t m_kind = SVT_SV;
    std::string m_name;
    std::vector<HvVarItem> m_items;
    std::vector<std::unique_ptr<HvOptionList>> m_ownedOptionLists;
};
