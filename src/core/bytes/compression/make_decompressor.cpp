#include "core/bytes/compression/decompressor.h"
#include "core/bytes/compression/format_decoders.h"

namespace vendral {

std::unique_ptr<ByteSource> MakeDecompressor(Compression format, std::unique_ptr<ByteSource> stored) {
  switch (format) {
    case Compression::kGzip:
#ifdef VENDRAL_GZIP_WITH_ISAL
      return MakeIsalGzipDecoder(std::move(stored));
#else
      return MakeZlibGzipDecoder(std::move(stored));
#endif
    case Compression::kZstd: return MakeZstdDecoder(std::move(stored));
    case Compression::kXz: return MakeXzDecoder(std::move(stored));
    case Compression::kBzip2: return MakeBzip2Decoder(std::move(stored));
    case Compression::kNone: break;
  }
  // Plain bytes are their own decompressed bytes.
  return stored;
}

}  // namespace vendral
