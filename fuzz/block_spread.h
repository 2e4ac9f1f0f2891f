// Fuzz inputs are a few KiB, the line file reads 64 KiB blocks: this moves
// the interesting bytes of an input onto one or two block boundaries.
#pragma once

#include <string>

#include "core/bytes/block_size.h"
#include "fuzz_input.h"

namespace vendral::fuzz {

// Takes three choice bytes and the rest of the input as the body. Returns
// the body as it is, or behind a filler that ends within 256 bytes of the
// end of the first or second block: one long line, short LF or CR LF
// lines, or copies of the body itself.
// The file is made AsText.
std::string SpreadOverBlocks(FuzzInput& input);

// The references read every file as text, so a file must not start as a
// compressed one does (decompression is tested on its own): such a first
// byte becomes a line break, which the line rules read the same way
// wherever it stands.
std::string AsText(std::string file);

}  // namespace vendral::fuzz
