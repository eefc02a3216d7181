#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// Takes a fuzzer's bytes apart: single bytes and numbers from the front, texts up to a separator.
// Running out yields zeros and empty texts, so every input is a valid one.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, std::size_t size) : m_rest(reinterpret_cast<const char*>(data), size) {}

    bool empty() const { return m_rest.empty(); }
    std::size_t size() const { return m_rest.size(); }

    uint8_t byte() {
        if (m_rest.empty()) return 0;
        const auto b = static_cast<uint8_t>(m_rest.front());
        m_rest.remove_prefix(1);
        return b;
    }
    template <typename T>
    T number() {
        T value = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i) value = static_cast<T>(value << 8 | byte());
        return value;
    }
    // Up to the next separator (dropped), or everything left.
    std::string text(char separator = '\n') {
        const auto end = m_rest.find(separator);
        std::string out(m_rest.substr(0, end));
        m_rest.remove_prefix(end == std::string_view::npos ? m_rest.size() : end + 1);
        return out;
    }
    // At most n bytes.
    std::string bytes(std::size_t n) {
        const std::string out(m_rest.substr(0, n));
        m_rest.remove_prefix(out.size());
        return out;
    }
    std::string rest() { return bytes(m_rest.size()); }

private:
    std::string_view m_rest;
};

// A broken promise of the code under test: stops the run so that the fuzzer keeps the input.
#define FUZZ_CHECK(cond)                                                                  \
    do {                                                                                  \
        if (!(cond)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)
