#pragma once

#include <stdexcept>
#include <string>

// The library's one exception class: the message text, and the result code as its help context
// (0 when the failure has no code of the library's numbering, as for a text that is not a number).
class HvException : public std::runtime_error {
public:
    explicit HvException(const std::string& message, int helpContext = 0)
        : std::runtime_error(message), m_helpContext(helpContext) {}

    int helpContext() const { return m_helpContext; }

private:
    int m_helpContext;
};
