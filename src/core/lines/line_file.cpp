#include "core/lines/line_file.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/bytes/compression/decompressor.h"
#include "core/run/failure.h"
#include "core/bytes/file_source.h"
#include "core/scan/description_line.h"
#include "core/scan/line_stretch.h"

namespace vendral {
namespace {

constexpr char kEndOfText = 26;

// Appends bytes with every CR left out: a CR before LF belongs to the line
// break, any other CR is dropped.
void AppendWithoutCr(std::string& line, const char* data, std::size_t size) {
  while (size > 0) {
    const auto* cr = static_cast<const char*>(std::memchr(data, '\r', size));
    const std::size_t keep = cr ? static_cast<std::size_t>(cr - data) : size;
    line.append(data, keep);
    if (!cr) return;
    data += keep + 1;
    size -= keep + 1;
  }
}

}  // namespace

LineFile::LineFile(std::string name, Target target) : name_(std::move(name)), target_(target) {}

LineFile::~LineFile() { CloseQuietly(); }

void LineFile::OpenForReading() {
  if (IsOpen()) Close();
  try {
    OpenSourceForReading();
  } catch (IoError& error) {
    error.SetFile(name_, false);
    throw;
  }
}

void LineFile::OpenForReading(std::unique_ptr<ByteSource> bytes) {
  if (IsOpen()) Close();
  StartReading(std::move(bytes), nullptr);
}

void LineFile::OpenSourceForReading() {
  if (name_.size() > kMaxNameLength) throw IoError(IoError::kInvalidFilename);
  auto file = std::make_unique<FileSource>(name_);
  FileSource* const opened = file.get();
  // A compressed file is told by its first bytes, whatever its name; any
  // other file is read as it is.
  const Compression format = DetectCompression(file->Peek(kCompressionMagicSize));
  StartReading(MakeDecompressor(format, std::move(file), read_settings_), opened);
}

void LineFile::StartReading(std::unique_ptr<ByteSource> source, FileSource* file) {
  if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(kBufferSize);
  source_ = std::move(source);
  file_source_ = file;
  stored_reported_ = 0;
  state_ = State::kReading;
  begin_ = end_ = 0;
  at_end_ = end_of_text_ = false;
}

void LineFile::OpenForWriting() {
  if (IsOpen()) Close();
  if (name_.size() > kMaxNameLength) throw IoError(IoError::kInvalidFilename).SetFile(name_, true);
  if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(kBufferSize);
  switch (target_) {
    case Target::kNamedFile: CheckWriting(platform::OpenFileForWriting(name_, file_)); break;
    case Target::kStandardOutput: CheckWriting(platform::OpenStandardOutput(file_)); break;
    case Target::kStagedFile: CheckWriting(staged_.Open(name_, file_)); break;
  }
  state_ = State::kWriting;
  begin_ = end_ = 0;
  passed_ = 0;
  write_refused_ = false;
}

bool LineFile::CanReadAgain() const { return file_source_ && file_source_->IsRegularFile(); }

void LineFile::RequireReading() const {
  if (state_ != State::kReading) throw IoError(IoError::kNotOpenForReading);
}

bool LineFile::Refill() {
  begin_ = end_ = 0;
  if (end_of_text_) return false;  // nothing from byte 26 on is ever read
  std::size_t got = source_->Read(buffer_.get(), kBlockSize);
  if (progress_) {
    const std::uint64_t stored = source_->StoredBytesRead();
    if (stored != stored_reported_) progress_->BytesRead(stored - std::exchange(stored_reported_, stored));
  }
  // Looking for byte 26 and CR once per block spares every line the search.
  if (const void* eot = std::memchr(buffer_.get(), kEndOfText, got)) {
    got = static_cast<std::size_t>(static_cast<const char*>(eot) - buffer_.get());
    end_of_text_ = true;
  }
  cr_known_ = false;
  end_ = got;
  return got > 0;
}

bool LineFile::AtEndOfBlock() {
  RequireReading();
  if (!at_end_ && begin_ == end_ && !Refill()) at_end_ = true;
  return at_end_;
}

std::string LineFile::ReadLine() { return std::string(ReadLineView()); }

void LineFile::ReadLine(std::string& line) { line.assign(ReadLineView()); }

std::string_view LineFile::ReadLineSlowly() {
  RequireReading();
  if (at_end_) return {};
  if (begin_ == end_ && !Refill()) {
    at_end_ = true;
    return {};
  }
  const char* data = buffer_.get() + begin_;
  const auto* lf = static_cast<const char*>(std::memchr(data, '\n', end_ - begin_));
  if (lf) {
    const auto size = static_cast<std::size_t>(lf - data);
    const auto* cr = BlockHasCr() ? static_cast<const char*>(std::memchr(data, '\r', size)) : nullptr;
    if (!cr || cr == lf - 1) {  // no CR, or just the one of a CR LF break
      begin_ += size + 1;
      return {data, cr ? size - 1 : size};
    }
  }
  AssembleLine(assembled_);
  return assembled_;
}

void LineFile::AssembleLine(std::string& line) {
  line.clear();
  while (!at_end_) {
    if (begin_ == end_ && !Refill()) {
      at_end_ = true;
      return;
    }
    const char* data = buffer_.get() + begin_;
    const std::size_t size = end_ - begin_;
    const auto* lf = static_cast<const char*>(std::memchr(data, '\n', size));
    const std::size_t take = lf ? static_cast<std::size_t>(lf - data) : size;
    AppendWithoutCr(line, data, take);
    if (lf) {
      begin_ += take + 1;
      return;
    }
    begin_ = end_;
  }
}

std::string_view LineFile::ReadLinePiece(bool& line_ended) {
  RequireReading();
  line_ended = true;
  for (;;) {
    if (at_end_) return {};
    if (begin_ == end_ && !Refill()) {
      at_end_ = true;
      return {};
    }
    const char* data = buffer_.get() + begin_;
    const std::size_t size = end_ - begin_;
    const char* stop = static_cast<const char*>(std::memchr(data, '\n', size));
    // Every CR is left out: before an LF it belongs to the break, anywhere
    // else it is dropped. So a piece ends at the first CR too. Pieces are
    // read a line at a time, so the look for one is no longer than a line.
    const auto* cr = static_cast<const char*>(std::memchr(data, '\r', stop ? stop - data : size));
    if (cr) stop = cr;
    if (!stop) {
      begin_ = end_;
      line_ended = false;
      return {data, size};
    }
    const auto take = static_cast<std::size_t>(stop - data);
    begin_ += take + 1;
    if (*stop == '\n') return {data, take};
    if (take > 0) {
      line_ended = false;
      return {data, take};
    }
  }
}

void LineFile::AppendSlowly(std::string_view text, bool line_break) {
  if (state_ != State::kWriting) throw IoError(IoError::kNotOpen);
  Put(text);
  if (line_break) Put(LineBreakText());
}

void LineFile::Put(std::string_view bytes) {
  if (bytes.size() < kBlockSize - end_) {  // the common case: the block does not fill up
    std::copy(bytes.begin(), bytes.end(), buffer_.get() + end_);  // an empty text may have no data
    end_ += bytes.size();
    return;
  }
  const std::size_t fill = kBlockSize - end_;
  std::memcpy(buffer_.get() + end_, bytes.data(), fill);
  end_ = kBlockSize;
  Flush();
  bytes.remove_prefix(fill);
  // The whole blocks of a long text go straight through.
  if (const std::size_t whole = bytes.size() - bytes.size() % kBlockSize; whole > 0) {
    PassOn(bytes.data(), whole);
    bytes.remove_prefix(whole);
  }
  std::copy(bytes.begin(), bytes.end(), buffer_.get());
  end_ = bytes.size();
}

std::size_t LineFile::WriteRawLines(std::string_view bytes, MarkedLines marked, LineBreaks breaks) {
  if (state_ != State::kWriting) throw IoError(IoError::kNotOpen);
  std::size_t taken = 0;
  while (taken < bytes.size()) {
    // The copy stops once it has passed the block's end, by less than the
    // slack, or before a marked line.
    std::size_t written = 0;
    taken += CopyLines(bytes.substr(taken), buffer_.get() + end_, kBufferSize - end_, breaks, marked, written);
    end_ += written;
    if (end_ >= kBlockSize) WriteFullBlock();
    if (marked == MarkedLines::kStopBefore && taken < bytes.size() && bytes[taken - 1] == '\n' &&
        StartsMarkedLine(bytes[taken])) {
      break;
    }
  }
  return taken;
}

void LineFile::WriteFullBlock() {
  const std::size_t rest = std::exchange(end_, 0) - kBlockSize;  // on failure the whole buffer is lost
  PassOn(buffer_.get(), kBlockSize);
  std::memmove(buffer_.get(), buffer_.get() + kBlockSize, rest);
  end_ = rest;
}

void LineFile::Flush() {
  const std::size_t size = std::exchange(end_, 0);  // a refused block is lost
  if (size > 0) PassOn(buffer_.get(), size);
}

void LineFile::PassOn(const char* data, std::size_t size) {
  if (const int code = platform::WriteFile(file_, data, size); code != 0) {
    write_refused_ = true;
    throw IoError(code).SetFile(name_, true);
  }
  passed_ += size;
}

void LineFile::TakeBackTo(std::uint64_t size) noexcept {
  if (state_ != State::kWriting || size > WrittenSize()) return;
  if (size >= passed_) {  // still in the block
    end_ = static_cast<std::size_t>(size - passed_);
    return;
  }
  if (!CanTakeBack() || platform::CutFile(file_, size) != 0) return;
  passed_ = size;
  end_ = 0;
}

void LineFile::Close() {
  if (state_ == State::kClosed) throw IoError(IoError::kNotOpen);
  if (state_ == State::kReading) {
    // The file goes whether or not it was changed; a change still fails the run.
    std::unique_ptr<ByteSource> source = std::move(source_);
    FileSource* file = std::exchange(file_source_, nullptr);
    state_ = State::kClosed;
    // The file is checked from this thread alone.
    source->StopReading();
    if (!file) return;  // bytes that were handed over, not a file
    try {
      file->CheckUnchanged();
    } catch (IoError& error) {
      error.SetFile(name_, false);
      throw;
    }
    file->Close();
    return;
  }
  Flush();  // on failure the file stays open
  const int code = platform::CloseFile(file_);
  file_ = platform::kNoFile;
  state_ = State::kClosed;
  CheckWriting(code);
}

void LineFile::CheckWriting(int code) const {
  if (code != 0) throw IoError(code).SetFile(name_, true);
}

bool LineFile::PutInPlace(Overwrite overwrite) {
  if (IsOpen()) throw IoError(IoError::kNotOpen);
  const int code = staged_.PutInPlace(overwrite);
  if (code == platform::kNameTaken && overwrite == Overwrite::kNever) return false;
  CheckWriting(code);
  return true;
}

void LineFile::Discard() noexcept {
  const bool writing = state_ == State::kWriting;
  CloseQuietly();
  switch (target_) {
    case Target::kNamedFile:
      if (writing) platform::RemoveFile(name_);
      break;
    case Target::kStandardOutput: break;
    case Target::kStagedFile: staged_.EndCancelled(); break;
  }
}

void LineFile::CloseQuietly() noexcept {
  if (state_ == State::kClosed) return;
  if (state_ == State::kReading) {  // nothing to write out, nothing to check
    source_.reset();
    file_source_ = nullptr;
    state_ = State::kClosed;
    return;
  }
  try {
    Close();
  } catch (...) {
    if (file_ != platform::kNoFile) platform::CloseFile(file_);
    file_ = platform::kNoFile;
    state_ = State::kClosed;
  }
}

}  // namespace vendral
