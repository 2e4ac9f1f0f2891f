#include "core/tools/name_set.h"

#include <gtest/gtest.h>

#include <string>

namespace vendral {
namespace {

// Every name added is found, in the order added, in reverse or at random,
// and no other: names that share their start or differ only in their end
// stay apart.
TEST(NameSet, HoldsExactlyTheNamesAdded) {
  NameSet names;
  for (int i = 0; i < 200000; i += 2) names.Add("n" + std::to_string(i));
  names.Add("n0");  // a second time
  names.Seal();
  EXPECT_EQ(names.size(), 100000u);
  for (int i = 0; i < 200000; ++i) ASSERT_EQ(names.Contains("n" + std::to_string(i)), i % 2 == 0) << i;
  for (int i = 199999; i >= 0; i -= 7) ASSERT_EQ(names.Contains("n" + std::to_string(i)), i % 2 == 0) << i;
  for (const char* other : {"", "n", "n00", "n0 ", "N0", "n199998\r"}) {
    EXPECT_FALSE(names.Contains(other)) << other;
  }
}

TEST(NameSet, AnEmptySetHoldsNothing) {
  NameSet names;
  names.Seal();
  EXPECT_EQ(names.size(), 0u);
  EXPECT_FALSE(names.Contains(""));
}

}  // namespace
}  // namespace vendral
