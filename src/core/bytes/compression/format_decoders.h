// One decompressor per format (and the two for gzip), each a ByteSource over
// the stored file. MakeDecompressor picks among them; the tests reach both
// gzip decoders through here.
#pragma once

#include <memory>

#include "core/bytes/byte_source.h"

namespace vendral {

#ifdef VENDRAL_GZIP_WITH_ISAL
std::unique_ptr<ByteSource> MakeIsalGzipDecoder(std::unique_ptr<ByteSource> stored);
// BGZF blocks inflated on `threads` worker threads, in order; from the first
// member that is not a whole, sound BGZF block on, the rest of the file
// goes through the one-member decoder, read ahead, so that any gzip file
// reads, and damage shows exactly as it would without the workers.
std::unique_ptr<ByteSource> MakeParallelGzipDecoder(std::unique_ptr<ByteSource> stored, unsigned threads);
#endif
std::unique_ptr<ByteSource> MakeZlibGzipDecoder(std::unique_ptr<ByteSource> stored);
std::unique_ptr<ByteSource> MakeZstdDecoder(std::unique_ptr<ByteSource> stored);
std::unique_ptr<ByteSource> MakeXzDecoder(std::unique_ptr<ByteSource> stored);
// The blocks of a multi-block file decoded side by side on `threads` threads.
std::unique_ptr<ByteSource> MakeThreadedXzDecoder(std::unique_ptr<ByteSource> stored, unsigned threads);
std::unique_ptr<ByteSource> MakeBzip2Decoder(std::unique_ptr<ByteSource> stored);

}  // namespace vendral
