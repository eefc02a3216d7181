#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The raw octets behind an item's value text, so that a control can be bound to a part of a value
// (a run of octets at an offset, read with a syntax of its own) or to single bits. Octets travel as
// std::string. 32- and 64-bit numbers are little-endian (the order the values were packed in on the
// PC the device tools came from), 16-bit ones in network order.
//
// Failures raise HvException with the library's codes: -511 a syntax code outside the table, -518 a
// text that is no value of the syntax (also a number that does not fit its field: nothing is cut),
// -519 a part beyond the end of the octets.
namespace HvControlConv {

// Octets of a fixed-width syntax; -1 for the variable-length ones (bit and octet strings, opaque,
// MAC addresses, object identifiers, display strings), 0 for null. -511 for an unknown code.
int32_t syntaxWidth(uint32_t syntax);

// "(NULL)" and "(NOTDONE)" (a walked column that has ended) stand for no value.
bool isPlaceholder(std::string_view text);

// A value text as octets. A placeholder gives empty octets for every syntax; an empty text read as a
// number gives 0.
std::string valueToOctets(std::string_view text, uint32_t syntax);

// Octets as a value text: empty octets give "(NULL)"; fewer octets than the syntax's width, or octets
// that hold no value of it, raise -518.
std::string octetsToValue(std::string_view octets, uint32_t syntax);

// The part of a value at offset: a fixed-width syntax's width of octets, or everything from the offset
// on for the variable-length ones. Empty octets give an empty part.
std::string extractPart(std::string_view octets, int32_t offset, uint32_t syntax);

// Little-endian and network-order packing of the numbers inside values.
std::string packLE(uint64_t value, int bytes);
uint64_t unpackLE(std::string_view octets, int bytes);
std::string packBE(uint64_t value, int bytes);
uint64_t unpackBE(std::string_view octets, int bytes);

// A decimal integer within [minimum, maximum]: blanks around it and a '+' allowed, an empty text is 0.
// Anything else raises -518.
int64_t readInteger(std::string_view text, int64_t minimum, int64_t maximum);

}  // namespace HvControlConv
