// The properties that the fuzz targets check for every input, as plain
// functions, so that the unit tests can replay the seeds and every input a
// fuzzer ever found. Each returns an empty text iff every property held,
// otherwise a description of the first one that failed. Sanitizer findings
// (out-of-bounds access, undefined behaviour, leaks) end the process.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wus::fuzz {

// Loads `bytes` as one WUS file and writes the whole report into memory,
// through wusreport's own driver and again with the input read in short
// pieces and with a read error part-way. Checks: the run succeeds and leaves
// the report and nothing else; the pieces change nothing; a read error at a
// byte reads exactly like the file cut off there; no more records than the
// bytes can hold.
std::string CheckWusFile(std::string_view bytes);

// The merge target's input: up to kMaxMergedFiles files, separated by
// kMergeSeparator (a separator after the last-but-one file is data).
inline constexpr std::string_view kMergeSeparator = "--next-wus-file--";
inline constexpr std::size_t kMaxMergedFiles = 3;
std::vector<std::string_view> SplitMergeInput(std::string_view input);
std::string JoinMergeInput(const std::vector<std::string>& files);

// Loads the files of a merge input one after the other, with a missing
// file after them, and writes the report. Checks those of CheckWusFile that
// apply, and that the merged aggregate holds the sums of the files loaded
// one by one: team totals, every player's counters, weapon counters and
// hits, the files used.
std::string CheckMergedWusFiles(std::string_view input);

}  // namespace wus::fuzz
