#include "platform/HvExceptionHook.h"

#include <cstdio>
#include <utility>

namespace {

HvExceptionHandler& handlerSlot() {
    static HvExceptionHandler handler;
    return handler;
}

void printException(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Unhandled exception: %s\n", e.what());
    } catch (...) {
        std::fputs("Unhandled exception\n", stderr);
    }
}

}  // namespace

HvExceptionHandler HvSetExceptionHandler(HvExceptionHandler handler) {
    return std::exchange(handlerSlot(), std::move(handler));
}

void HvHandleException(std::exception_ptr error) noexcept {
    if (!error) return;
    try {
        if (handlerSlot())
            handlerSlot()(error);
        else
            printException(error);
    } catch (...) {
        printException(std::current_exception());
    }
}
