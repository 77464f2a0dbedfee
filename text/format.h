// printf-style formatting into growable strings. Each call formats exactly
// once: the result is never used as a format again, so a "%" that arrives
// through an argument is kept as it is. No length limit applies.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <string>

#if defined(__MINGW32__)
// MinGW's printf checks default to the legacy C runtime's conversions; these
// functions format with MinGW's own C99 stdio, so check against that.
#define WUS_PRINTF_FORMAT(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#elif defined(__GNUC__) || defined(__clang__)
#define WUS_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define WUS_PRINTF_FORMAT(fmt, args)
#endif

namespace wus {

// Appends the formatted text to `*out`.
void AppendFormatV(std::string* out, const char* format, std::va_list args) WUS_PRINTF_FORMAT(2, 0);
void AppendFormat(std::string* out, const char* format, ...) WUS_PRINTF_FORMAT(2, 3);

// Returns the formatted text.
std::string StringPrintf(const char* format, ...) WUS_PRINTF_FORMAT(1, 2);

// The value of a 32-bit counter as "%d" shows it: values of 2^31 and more
// read as negative numbers.
inline int AsSigned(std::uint32_t value) { return static_cast<std::int32_t>(value); }

}  // namespace wus
