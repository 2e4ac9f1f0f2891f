#include "core/tools/name_set.h"

#include <gtest/gtest.h>

#include <string>

namespace vendral {
namespace {

// Through many growths: every name added is found, no other, and names
// that share their start or differ only in their end stay apart.
TEST(NameSet, HoldsExactlyTheNamesAdded) {
  NameSet names;
  EXPECT_FALSE(names.Contains("n0"));
  for (int i = 0; i < 200000; i += 2) names.Add("n" + std::to_string(i));
  names.Add("n0");  // a second time
  EXPECT_EQ(names.size(), 100000u);
  for (int i = 0; i < 200000; ++i) {
    ASSERT_EQ(names.Contains("n" + std::to_string(i)), i % 2 == 0) << i;
  }
  for (const char* other : {"", "n", "n00", "n0 ", "N0", "n199998\r"})
    EXPECT_FALSE(names.Contains(other)) << other;
}

}  // namespace
}  // namespace vendral
