#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "library/HvSNMPVarList.h"
#include "library/snmp/HvVarBind.h"

// Value conversion of the items of a variable list: value texts to and from variable bindings,
// key items to and from a table row index, and item values substituted into formulas and row
// conditions. A request calls these for its own list; they raise HvException with the library's
// codes (-511 unsupported syntax, -512 null value in an expression, -513 string or bad result in
// a formula, -514 a row index that does not hold the keys), and a text that is no value of the
// item's syntax fails with help context 0.
namespace HvValueConv {

// The received binding becomes item i's value text. The item's syntax decides, not the binding's
// type: a binding of another type gives "(NULL)" (or "" for octet, MAC and display strings),
// except that the integer types convert among themselves. Then an option list maps the value to
// its text.
void vbToItem(HvSNMPVarList& list, int32_t i, const HvVarBind& vb);

// Item i's value text becomes the binding's type and value (vb.oid is left alone). An option
// list maps the text back to its value first; "(NULL)" sends a null value whatever the syntax.
void itemToVb(const HvSNMPVarList& list, int32_t i, HvVarBind& vb);

// Takes key k's sub-identifiers from the front of a row index ("2.0.17.5"), stores key k's
// value text and returns the rest of the index ("5"; "" when nothing is left).
std::string indexToKey(HvSNMPVarList& list, int32_t k, std::string_view rowIndex);
// Key k's part of a row index, dotted.
std::string keyToIndex(const HvSNMPVarList& list, int32_t k);

// Replaces every "$n" by item n's value in one pass from the left; inserted values are never
// rescanned. Booleans become 1/0, numbers stay, time ticks become their count, packed dates their
// day count; other syntaxes are quoted in boolean mode and refused (-513) otherwise.
std::string evaluateExpression(const HvSNMPVarList& list, std::string_view expression, bool booleanMode);
// An empty condition is true; otherwise the substituted condition is evaluated as boolean.
bool matchExpression(const HvSNMPVarList& list, std::string_view condition);
// Runs item i's read formula (direction 1) or write formula (direction 0) and stores the result
// as its value text by syntax. An absent or empty formula leaves the value alone. Integers are
// rounded half to even, as the GUI library's Round does; a result that is not finite or does not
// fit the syntax raises -513.
void applyFormula(HvSNMPVarList& list, int32_t i, int direction);

}  // namespace HvValueConv
