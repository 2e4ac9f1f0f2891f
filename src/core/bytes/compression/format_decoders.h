// One decompressor per format (and the two for gzip), each a ByteSource over
// the stored file. MakeDecompressor picks among them; the tests reach both
// gzip decoders through here.
#pragma once

#include <memory>

#include "core/bytes/byte_source.h"

namespace vendral {

#ifdef VENDRAL_GZIP_WITH_ISAL
std::unique_ptr<ByteSource> MakeIsalGzipDecoder(std::unique_ptr<ByteSource> stored);
#endif
std::unique_ptr<ByteSource> MakeZlibGzipDecoder(std::unique_ptr<ByteSource> stored);
std::unique_ptr<ByteSource> MakeZstdDecoder(std::unique_ptr<ByteSource> stored);
std::unique_ptr<ByteSource> MakeXzDecoder(std::unique_ptr<ByteSource> stored);
std::unique_ptr<ByteSource> MakeBzip2Decoder(std::unique_ptr<ByteSource> stored);

}  // namespace vendral
