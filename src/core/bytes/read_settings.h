// How a line file reads its source: the front ends choose, the line file
// and the byte sources below it follow.
#pragma once

namespace vendral {

struct ReadSettings {
  // Threads that may work on the reading besides the tool's own. 1 reads
  // on the tool's thread, step for step with the tool; more lets the
  // reading (and any decompression) run ahead on a thread of its own. One
  // stays the default until the reading has decoders that split their work:
  // measured on two cores, reading ahead alone costs more than it hides.
  unsigned threads = 1;
};

}  // namespace vendral
