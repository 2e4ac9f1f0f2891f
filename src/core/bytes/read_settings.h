// How a line file reads its source: the front ends choose, the line file
// and the byte sources below it follow.
#pragma once

#include <algorithm>
#include <thread>

namespace vendral {

struct ReadSettings {
  // Threads that may work on the reading, the tool's own included. 1 reads
  // on the tool's thread, step for step with the tool; more lets blocked
  // gzip and multi-block xz decode their blocks side by side, and any other
  // source be read (and decompressed) ahead on a thread of its own.
  unsigned threads = 1;
};

// What the front ends read with unless told otherwise: one thread per
// processor core shared among `runs` runs at the same time, at most 8 (more
// seldom pay: the blocks come in faster than a tool takes them).
inline unsigned DefaultReadThreads(unsigned runs = 1) {
  constexpr unsigned kMostThreads = 8;
  const unsigned cores = std::max(std::thread::hardware_concurrency(), 1u);
  return std::clamp(cores / std::max(runs, 1u), 1u, kMostThreads);
}

}  // namespace vendral
