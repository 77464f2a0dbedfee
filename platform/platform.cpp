// Platform services: absolute paths, local time, debugger output.
#include "platform/platform.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace wus {

#ifdef _WIN32

FullPath GetFullPath(const std::string& path) {
  // The first call tells the size needed (terminating zero included).
  DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return {path, path.find_last_of("\\/") + 1};
  std::string buffer(size, '\0');
  char* filePart = nullptr;
  DWORD length = GetFullPathNameA(path.c_str(), size, buffer.data(), &filePart);
  if (length == 0 || length >= size) return {path, path.find_last_of("\\/") + 1};
  std::size_t pos = filePart ? static_cast<std::size_t>(filePart - buffer.data()) : length;
  buffer.resize(length);
  return {buffer, pos};
}

LocalTime GetLocalTimeNow() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

void DebugOutput(std::string_view text) {
  std::string copy(text);
  OutputDebugStringA(copy.c_str());
}

void LowerThreadPriority() { SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL); }

bool StdoutIsTerminal() { return _isatty(_fileno(stdout)) != 0; }

std::string ErrorText(int errorNumber) {
  char buffer[256] = {};
  if (strerror_s(buffer, sizeof buffer, errorNumber) != 0) return "Unknown error";
  return buffer;
}

#else

FullPath GetFullPath(const std::string& path) {
  std::string full;
  if (!path.empty() && path.front() == '/') {
    full = path;
  } else {
    std::string cwd(256, '\0');
    while (getcwd(cwd.data(), cwd.size()) == nullptr) {
      if (errno != ERANGE) {
        cwd.clear();
        break;
      }
      cwd.resize(cwd.size() * 2);
    }
    cwd.resize(std::strlen(cwd.c_str()));
    full = cwd;
    if (full.empty() || full.back() != '/') full += '/';
    full += path;
  }
  std::size_t slash = full.rfind('/');
  return {full, slash == std::string::npos ? 0 : slash + 1};
}

LocalTime GetLocalTimeNow() {
  std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

void DebugOutput(std::string_view) {}

void LowerThreadPriority() {
#ifdef __linux__
  // On Linux the nice value belongs to the thread. A failure (a priority
  // that cannot be read) leaves it as it was.
  const auto thread = static_cast<id_t>(gettid());
  errno = 0;
  const int nice = getpriority(PRIO_PROCESS, thread);
  if (errno == 0) setpriority(PRIO_PROCESS, thread, std::min(nice + 10, 19));
#endif
}

bool StdoutIsTerminal() { return isatty(fileno(stdout)) != 0; }

std::string ErrorText(int errorNumber) {
  const char* text = std::strerror(errorNumber);
  return text ? text : "Unknown error";
}

#endif

void IgnoreBrokenPipeSignal() {
#ifdef SIGPIPE
  std::signal(SIGPIPE, SIG_IGN);
#endif
}

}  // namespace wus
