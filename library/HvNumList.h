#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

// A list of numbers parsed from a separated text, such as "1,3,5" or a dotted address. The parse is
// deliberately loose (it serves texts that the edit constraints have already filtered): a '.' that
// is not the separator starts a fraction that is rounded away, and any other character counts as a
// digit by its distance from '0'. Numbers saturate at the range of T rather than overflow.
template <typename T>
class HvNumList {
public:
    explicit HvNumList(char separator = '.') : m_separator(separator) {}

    char separator() const { return m_separator; }
    void setSeparator(char separator) { m_separator = separator; }

    int32_t count() const { return static_cast<int32_t>(m_numbers.size()); }
    const std::vector<T>& numbers() const { return m_numbers; }
    T operator[](int32_t i) const { return m_numbers.at(static_cast<std::size_t>(i)); }

    // Separators + 1 numbers; an empty text gives none.
    int32_t countItems(std::string_view text) const {
        if (text.empty()) return 0;
        int32_t n = 1;
        for (char c : text) n += c == m_separator;
        return n;
    }

    void parse(std::string_view text) {
        m_numbers.clear();
        if (text.empty()) return;
        double whole = 0, fraction = 0, scale = 0;  // scale 0: no fraction started
        auto finish = [&] {
            m_numbers.push_back(clamp(std::nearbyint(whole + fraction)));
            whole = fraction = scale = 0;
        };
        for (char c : text) {
            if (c == m_separator) {
                finish();
            } else if (c == '.') {
                scale = 0.1;
            } else {
                const int digit = static_cast<unsigned char>(c) - '0';
                if (scale > 0) {
                    fraction += digit * scale;
                    scale /= 10;
                } else {
                    whole = whole * 10 + digit;
                }
            }
        }
        finish();
    }

    // Position of the first number equal to value, or -1.
    int32_t indexOf(T value) const {
        for (std::size_t i = 0; i < m_numbers.size(); ++i)
            if (m_numbers[i] == value) return static_cast<int32_t>(i);
        return -1;
    }

private:
    static T clamp(double v) {
        if (v <= static_cast<double>(std::numeric_limits<T>::lowest()))
            return std::numeric_limits<T>::lowest();
        if (v >= static_cast<double>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
        return static_cast<T>(v);
    }

    char m_separator;
    std::vector<T> m_numbers;
};
