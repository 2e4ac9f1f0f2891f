// Decompression below the line file: a compressed file is recognised by its
// first bytes, never by its name, and read through a ByteSource that yields
// the decompressed bytes. Damaged data raises IoError with the code
// IoError::kDamagedData and a message that names no library.
#pragma once

#include <memory>
#include <string_view>

#include "core/bytes/byte_source.h"
#include "core/bytes/read_settings.h"

namespace vendral {

enum class Compression { kNone, kGzip, kZstd, kXz, kBzip2 };

// How many first bytes DetectCompression needs to decide.
inline constexpr std::size_t kCompressionMagicSize = 6;

// The format whose magic number head starts with; kNone for any other
// bytes, a head shorter than a magic number included.
Compression DetectCompression(std::string_view head);

// A source of the decompressed bytes of stored, which must yield the file
// from its first byte. Several gzip members (or zstd frames, xz streams,
// bzip2 streams) one after another are read as one; anything after the last
// one that is not another member is damaged data. With more than one
// thread, blocked gzip (BGZF) and multi-block xz decode their blocks side
// by side, and every other compressed source is decoded ahead on a thread
// of its own; a plain file is read on the caller's thread. The bytes are
// the same whatever the settings.
std::unique_ptr<ByteSource> MakeDecompressor(Compression format, std::unique_ptr<ByteSource> stored,
                                             ReadSettings settings = {});

}  // namespace vendral
