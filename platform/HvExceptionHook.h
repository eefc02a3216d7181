#pragma once

#include <exception>
#include <functional>

// The one place where an exception that left an event handler, a timer or an SNMP completion ends
// up. The program installs a handler that shows the message and carries on; until then the message
// goes to the standard error stream.
using HvExceptionHandler = std::function<void(std::exception_ptr)>;

// Installs the handler and returns the one it replaces; an empty handler restores the default.
HvExceptionHandler HvSetExceptionHandler(HvExceptionHandler handler);

// Hands the exception to the handler. Never throws: a handler that throws is reported on stderr.
void HvHandleException(std::exception_ptr error) noexcept;
