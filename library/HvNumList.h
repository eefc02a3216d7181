#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>
#include <type_traits>
#include <vector>

// A list of numbers read from a separated text such as "192.168.0.1" or "1,3,5".
//
// Reading: the count is the number of separators plus one (an empty text gives none); each number
// starts at 0 and takes the decimal digits up to the next separator. When the separator is not '.',
// a '.' starts a fraction, and the number becomes the nearest integer. Any other character is
// skipped (there is no sign). A number too large for T stays at T's largest value, so an over-long
// number can never wrap into an accepted range.
template <typename T>
class HvNumList {
    static_assert(std::is_integral_v<T>, "HvNumList holds integers");

public:
    explicit HvNumList(char separator = '.') : m_separator(separator) {}

    void parse(std::string_view text) {
        m_numbers.clear();
        if (text.empty()) return;
        std::size_t start = 0;
        while (true) {
            const std::size_t end = text.find(m_separator, start);
            m_numbers.push_back(readNumber(
                text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start)));
            if (end == std::string_view::npos) break;
            start = end + 1;
        }
    }

    // Separators plus one; 0 for an empty text.
    int32_t countItems(std::string_view text) const {
        if (text.empty()) return 0;
        int32_t n = 1;
        for (char c : text)
            if (c == m_separator) ++n;
        return n;
    }

    // Position of the first number equal to value, or -1.
    int32_t indexOf(T value) const {
        for (std::size_t i = 0; i < m_numbers.size(); ++i)
            if (m_numbers[i] == value) return static_cast<int32_t>(i);
        return -1;
    }

    int32_t count() const { return static_cast<int32_t>(m_numbers.size()); }
    T operator[](std::size_t i) const { return m_numbers.at(i); }
    const std::vector<T>& numbers() const { return m_numbers; }
    char separator() const { return m_separator; }
    void setSeparator(char separator) { m_separator = separator; }

private:
    T readNumber(std::string_view part) const {
        // Whole part and fraction are read into a wide type first; anything beyond T's range clamps.
        const long double limit = static_cast<long double>(std::numeric_limits<T>::max());
        long double whole = 0;
        long double fraction = 0;
        long double scale = 1;
        bool inFraction = false;
        for (char c : part) {
            if (c == '.' && m_separator != '.') {
                inFraction = true;
            } else if (c >= '0' && c <= '9') {
                if (inFraction) {
                    scale /= 10;
                    fraction += (c - '0') * scale;
                } else if (whole <= limit) {
                    whole = whole * 10 + (c - '0');
                }
            }
        }
        const long double value = fraction >= 0.5L ? whole + 1 : whole;
        if (value > limit) return std::numeric_limits<T>::max();
        return static_cast<T>(value);
    }

    std::vector<T> m_numbers;
    char m_separator;
};
