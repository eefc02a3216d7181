#pragma once

#include <ostream>

// gtest prints a table row in its messages ("where GetParam() = ..."); a row with a name prints as
// that name instead of its raw bytes. A test file brings it into the namespace of its rows with
// `using hvtest::PrintTo;`, where gtest's lookup finds it.
namespace hvtest {

template <typename Row>
requires requires(const Row& row, std::ostream& os) {
    os << row.name;
}
void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

}  // namespace hvtest
