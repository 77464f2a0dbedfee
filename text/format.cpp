// printf-style formatting into growable strings.
#include "text/format.h"

#include <cstdio>

namespace wus {

void AppendFormatV(std::string* out, const char* format, std::va_list args) {
  char stackBuffer[512];
  std::va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(stackBuffer, sizeof stackBuffer, format, copy);
  va_end(copy);
  if (length < 0) return;
  std::size_t size = static_cast<std::size_t>(length);
  if (size < sizeof stackBuffer) {
    out->append(stackBuffer, size);
    return;
  }
  std::size_t oldSize = out->size();
  out->resize(oldSize + size + 1);
  std::vsnprintf(out->data() + oldSize, size + 1, format, args);
  out->resize(oldSize + size);
}

void AppendFormat(std::string* out, const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  AppendFormatV(out, format, args);
  va_end(args);
}

std::string StringPrintf(const char* format, ...) {
  std::string result;
  std::va_list args;
  va_start(args, format);
  AppendFormatV(&result, format, args);
  va_end(args);
  return result;
}

}  // namespace wus
