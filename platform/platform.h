// What the tool needs from the operating system beyond the standard
// library: the absolute form of a path, the local time, a debugger output
// channel, a thread's priority and whether standard output is a terminal. Windows builds use the
// Win32 calls; elsewhere the POSIX equivalents (or nothing, for the debugger channel) stand in.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <thread>

namespace wus {

struct FullPath {
  std::string path;         // the absolute path
  std::size_t fileNamePos;  // where its last component, the file name, begins
};

// Returns the absolute form of `path` and the position of its file name.
// POSIX: an absolute path is kept as it is, a relative one is joined to the
// current directory with "/"; nothing is normalised. Windows:
// GetFullPathNameA, without a length limit.
FullPath GetFullPath(const std::string& path);

struct LocalTime {
  int year, month, day, hour, minute, second;
};

// The local date and time of this moment.
LocalTime GetLocalTimeNow();

// Hands `text` to an attached debugger (OutputDebugStringA on Windows); does
// nothing elsewhere.
void DebugOutput(std::string_view text);

// Keeps a write to a closed pipe from killing the process (SIGPIPE): the
// write fails with EPIPE instead. Nothing to do on Windows.
void IgnoreBrokenPipeSignal();

// Makes the calling thread give way to the process's other threads when
// they want the same processor (Linux: ten steps nicer; Windows: below
// normal). Nothing on other systems, where the call would reach the whole
// process.
void LowerThreadPriority();

// Returns `jobs`, or for 0 the number of processors (at least 1): the
// threads that "-j" asks for.
inline unsigned ThreadsForJobs(unsigned jobs) {
  return jobs != 0 ? jobs : std::max(1u, std::thread::hardware_concurrency());
}

// Returns true iff standard output is a terminal (not a file or a pipe).
bool StdoutIsTerminal();

// The system's text for an error number (strerror), never null.
std::string ErrorText(int errorNumber);

}  // namespace wus
