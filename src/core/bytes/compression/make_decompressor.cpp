#include "core/bytes/compression/decompressor.h"
#include "core/bytes/compression/format_decoders.h"
#include "core/bytes/read_ahead_source.h"

namespace vendral {
namespace {

std::unique_ptr<ByteSource> MakeGzipDecoder(std::unique_ptr<ByteSource> stored) {
#ifdef VENDRAL_GZIP_WITH_ISAL
  return MakeIsalGzipDecoder(std::move(stored));
#else
  return MakeZlibGzipDecoder(std::move(stored));
#endif
}

// The decoder on the tool's own thread, step for step with the tool.
std::unique_ptr<ByteSource> MakeSerialDecoder(Compression format, std::unique_ptr<ByteSource> stored) {
  switch (format) {
    case Compression::kGzip: return MakeGzipDecoder(std::move(stored));
    case Compression::kZstd: return MakeZstdDecoder(std::move(stored));
    case Compression::kXz: return MakeXzDecoder(std::move(stored));
    case Compression::kBzip2: return MakeBzip2Decoder(std::move(stored));
    case Compression::kNone: break;
  }
  // Plain bytes are their own decompressed bytes.
  return stored;
}

}  // namespace

std::unique_ptr<ByteSource> MakeDecompressor(Compression format, std::unique_ptr<ByteSource> stored,
                                             ReadSettings settings) {
  // A plain file comes from the page cache faster than a thread could hand
  // it over: reading it ahead would only add a copy of every byte.
  if (settings.threads <= 1 || format == Compression::kNone) return MakeSerialDecoder(format, std::move(stored));
#ifdef VENDRAL_GZIP_WITH_ISAL
  if (format == Compression::kGzip) return MakeParallelGzipDecoder(std::move(stored), settings.threads);
#endif
  if (format == Compression::kXz) return ReadAhead(MakeThreadedXzDecoder(std::move(stored), settings.threads));
  return ReadAhead(MakeSerialDecoder(format, std::move(stored)));
}

}  // namespace vendral
