// Nanoseconds per percentage text, made anew (AppendPercentageText) and
// kept (PercentageTexts), on counts like those of short reads (one total)
// and of proteins (a total of 50 to 1500 for each record); the least of
// seven passes.
// usage: value_text_cost [PAIRS]
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "core/text/value_text.h"

namespace {

struct Pair {
  std::int64_t hits;
  std::int64_t total;
};

// A record of `total` characters, each a hit with chance `share`.
std::vector<Pair> Records(std::size_t count, bool one_length) {
  std::mt19937_64 random(17);
  std::vector<Pair> pairs;
  pairs.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::int64_t total = one_length ? 150 : 50 + static_cast<std::int64_t>(random() % 1451);
    std::binomial_distribution<std::int64_t> hits(total, one_length ? 0.5 : 0.45);
    pairs.push_back({hits(random), total});
  }
  return pairs;
}

// The least of several passes: other work on the machine only adds.
template <typename Write>
double NanosecondsEach(const std::vector<Pair>& pairs, Write write) {
  std::string out;
  std::size_t bytes = 0;
  double least = 0;
  for (int pass = 0; pass < 7; ++pass) {
    const auto start = std::chrono::steady_clock::now();
    for (const Pair& p : pairs) {
      out.clear();
      write(out, p);
      bytes += out.size();
    }
    const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
    const double each = took.count() / static_cast<double>(pairs.size());
    if (pass == 0 || each < least) least = each;
  }
  if (bytes == 0) std::puts("");  // keeps the work
  return least;
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
  for (const bool one_length : {true, false}) {
    const std::vector<Pair> pairs = Records(count, one_length);
    const double made = NanosecondsEach(
        pairs, [](std::string& out, const Pair& p) { vendral::AppendPercentageText(out, p.hits, p.total, '.'); });
    vendral::PercentageTexts texts('.');
    const double kept = NanosecondsEach(pairs, [&texts](std::string& out, const Pair& p) { out += texts.Text(p.hits, p.total); });
    std::printf("%-28s made %6.1f ns, kept %6.1f ns\n", one_length ? "reads (150 characters)" : "proteins (50 to 1500)", made,
                kept);
  }
  return 0;
}
