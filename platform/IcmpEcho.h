#pragma once

// ICMP echo (RFC 792) to tell whether a host answers on an address: the probe the module runs before
// it gives the device, or a client, an address that may already be taken.

#include <cstddef>
#include <cstdint>
#include <string>

// The echo request as sent: type 8, code 0, checksum, identifier, sequence, a 4-octet time stamp;
// the multi-octet fields in host order, as the module always laid them.
inline constexpr std::size_t kIcmpEchoLength = 12;

// Fills the header into buffer (kIcmpEchoLength + payloadLength octets) and computes the checksum
// over header and payload. Does nothing for a null buffer.
void FillIcmpEchoRequest(uint8_t* buffer, std::size_t payloadLength, uint16_t identifier, uint16_t sequence,
                         uint32_t timeStamp);
// RFC 1071: the one's complement of the one's complement sum of 16-bit words, a last odd octet as the
// low octet of a word.
uint16_t IcmpChecksum(const uint8_t* bytes, std::size_t length);
// The IPv4 datagram (header first, its length from the low four bits of the first octet) holds an
// echo reply: at least 12 octets of ICMP after the header and type 0.
bool IcmpReplyIsEcho(const uint8_t* datagram, std::size_t length);
// The same, and it answers our request: its identifier and sequence are ours (checksum-neutral
// fields as laid in the request).
bool IcmpReplyAnswers(const uint8_t* icmp, std::size_t length, uint16_t identifier, uint16_t sequence);

class IcmpEcho {
public:
    enum class Outcome {
        Reply,       // the host answered one of our requests
        NoReply,     // nothing of ours came back in time
        Unresolved,  // the text names no IPv4 host
        NoSocket,    // neither a raw nor a ping socket could be opened
    };

    // Up to attempts requests, each waiting at most waitMs for its own reply; the first reply ends
    // the probe. Replies to other programs' requests, and other ICMP, do not count and do not extend
    // the wait.
    static Outcome probe(const std::string& host, int attempts = 3, int waitMs = 1000);

    // The sequence number the next request will carry; requests of one run count on from probe to
    // probe.
    static uint16_t nextSequence();
};
