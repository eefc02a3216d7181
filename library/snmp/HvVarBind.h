#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Wire types of a variable binding, numbered as on the wire (BER tags). The exceptions of SNMPv2
// are carried as types so that a failed read of one item is visible per item.
enum class HvVbType : uint8_t {
    Null = 0x05,
    Integer = 0x02,
    OctetString = 0x04,
    ObjectId = 0x06,
    IpAddress = 0x40,
    Counter32 = 0x41,
    Gauge32 = 0x42,
    TimeTicks = 0x43,
    Opaque = 0x44,
    Counter64 = 0x46,
    NoSuchObject = 0x80,
    NoSuchInstance = 0x81,
    EndOfMibView = 0x82,
};

// A variable binding in our own terms; the adapter turns it into net-snmp's form and back.
struct HvVarBind {
    std::string oid;                 // dotted, no leading dot
    HvVbType type = HvVbType::Null;
    int64_t integer = 0;             // Integer (signed 32-bit), Counter32, Gauge32, TimeTicks (unsigned 32-bit)
    uint64_t counter64 = 0;          // Counter64
    std::string octets;              // OctetString, Opaque; IpAddress as its 4 octets
    std::vector<uint32_t> objectId;  // ObjectId

    bool isException() const {
        return type == HvVbType::NoSuchObject || type == HvVbType::NoSuchInstance ||
               type == HvVbType::EndOfMibView;
    }
    bool operator==(const HvVarBind&) const = default;
};
