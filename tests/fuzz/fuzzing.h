#pragma once

// What every fuzz target shares: the input as a text, checks that abort with the input
// that broke them, and calls whose only allowed failure is the documented error.

#include "core/error.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <optional>
#include <type_traits>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fuzzing {

// The input as typed text: UTF-8, where a malformed sequence becomes U+FFFD. An input
// that starts with the two bytes FF FE is UTF-16 code units instead (little-endian), so
// that a lone surrogate or any other code unit can be typed too.
QString text(const uint8_t* data, size_t size);

// Remembers the text being tried, for the report of a failed check.
void setCurrent(const QString& text);

// Reports the failed check with the text being tried and aborts.
[[noreturn]] void fail(const char* what, const char* file, int line);

// Runs `f`. Its value, or none when it throws E (the documented refusal, which must say
// why). Any other exception is a failure.
template <typename E, typename F> auto attempt(F&& f) -> std::optional<std::invoke_result_t<F>> {
    try {
        return f();
    } catch (const E& e) {
        if (e.message().isEmpty())
            fail("a refusal without a message", __FILE__, __LINE__);
        return std::nullopt;
    } catch (const std::exception& e) {
        fail(e.what(), __FILE__, __LINE__);
    } catch (...) {
        fail("an exception of no known kind", __FILE__, __LINE__);
    }
}

} // namespace fuzzing

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::fuzzing::fail(#condition, __FILE__, __LINE__);                                       \
    } while (false)
