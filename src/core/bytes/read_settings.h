// How a line file reads its source: the front ends choose, the line file
// and the byte sources below it follow.
#pragma once

namespace vendral {

struct ReadSettings {
  // Threads that may work on the reading besides the tool's own. 1 reads
  // on the tool's thread, step for step with the tool; more lets the
  // reading (and any decompression) run ahead on a thread of its own.
  unsigned threads = 1;
};

// The default of the front ends: every processor core, at most 8.
unsigned DefaultReadThreads();

}  // namespace vendral
