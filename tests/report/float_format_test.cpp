// Fractions are formatted the same on every platform: exact binary values
// rounded half to even, long integers printed in full, two-digit exponents.
// The legacy Windows C runtime printf differs on each of these, so a build
// that reached it would fail here.
#include <gtest/gtest.h>

#include "text/format.h"

namespace wus::test {
namespace {

TEST(FloatFormatTest, MatchesTheCLibraryOfLinux) {
  struct Case {
    int precision;
    double value;
    const char* expected;
  } cases[] = {
      {2, 0.125, "0.12"},    // exact tie: to even
      {2, 0.375, "0.38"},    // exact tie: to even, upwards
      {2, -0.125, "-0.12"},  // negative tie
      {0, 0.5, "0"},
      {0, 2.5, "2"},
      {0, 1.5, "2"},
      {1, 0.35, "0.3"},                      // stored just below the tie
      {2, 2.675, "2.67"},                    // stored just below the tie
      {0, 1e23, "99999999999999991611392"},  // every digit of the binary value
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.value) + " to " + std::to_string(c.precision) + " places");
    EXPECT_EQ(StringPrintf("%.*f", c.precision, c.value), c.expected);
  }
  EXPECT_EQ(StringPrintf("%e", 1000.0), "1.000000e+03");
}

}  // namespace
}  // namespace wus::test
