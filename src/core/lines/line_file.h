// A text file read or written one line at a time. Reading splits at LF or
// CR LF, drops every other CR and stops at byte 26; writing ends each line
// with CR LF. All other bytes pass unchanged. Every failure is an IoError.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "core/bytes/block_size.h"
#include "core/bytes/byte_source.h"
#include "core/bytes/read_settings.h"
#include "core/run/failure.h"
#include "core/scan/line_stretch.h"
#include "core/lines/staged_file.h"
#include "platform/platform.h"

namespace vendral {

// Told how far a reading line file has got through its file.
class ReadProgress {
 public:
  virtual ~ReadProgress() = default;
  // bytes: how many bytes of the file as stored were taken since the last
  // call. May raise, to end the run (a cancel).
  virtual void BytesRead(std::uint64_t bytes) = 0;
};

class FileSource;

class LineFile {
 public:
  // Where a line file opened for writing puts its bytes.
  enum class Target {
    kNamedFile,       // the file of its name, created or emptied
    kStandardOutput,  // the process's standard output, as it is
    kStagedFile,      // a file of its own, which takes the name in PutInPlace
  };
  using Overwrite = StagedFile::Overwrite;

  // Names longer than this are refused when the file is opened.
  static constexpr std::size_t kMaxNameLength = 259;

  // Setting up touches no file.
  explicit LineFile(std::string name, Target target = Target::kNamedFile);
  LineFile(const LineFile&) = delete;
  LineFile& operator=(const LineFile&) = delete;
  // A line file still open when it goes away (a failed run) is closed,
  // written bytes first; errors at that point are dropped.
  ~LineFile();

  const std::string& name() const { return name_; }
  bool IsOpen() const { return state_ != State::kClosed; }
  bool WritesStandardOutput() const { return target_ == Target::kStandardOutput; }
  // Open for reading a regular file, which a second opening reads again
  // from its start (a pipe would be found empty).
  bool CanReadAgain() const;

  void OpenForReading();
  // Reads the lines of bytes instead of the named file (bytes held in
  // memory, say), by the same rules; no file is touched.
  void OpenForReading(std::unique_ptr<ByteSource> bytes);
  void OpenForWriting();
  bool AtEnd() {
    if (state_ == State::kReading && begin_ < end_) return false;  // bytes are waiting
    return AtEndOfBlock();
  }
  std::string ReadLine();
  // The same, into a string whose storage is reused from line to line.
  void ReadLine(std::string& line);
  // The same, as a view that stays valid until the next read or close:
  // most lines are handed out straight from the block, without a copy.
  std::string_view ReadLineView() {
    // Most lines lie whole in the block, with no CR but the one of a CR LF.
    if (state_ == State::kReading && begin_ < end_) {
      const char* data = buffer_.get() + begin_;
      const auto* lf = static_cast<const char*>(std::memchr(data, '\n', end_ - begin_));
      if (lf && !BlockHasCr()) {
        const auto size = static_cast<std::size_t>(lf - data);
        begin_ += size + 1;
        return {data, size};
      }
    }
    return ReadLineSlowly();
  }
  // The next line in pieces, for a caller that needs no whole line: each
  // call hands out the next stretch of the line, CRs left out, and sets
  // line_ended with the last one, so a line of any length takes no more
  // memory than a block. Pieces are empty only where a line is.
  std::string_view ReadLinePiece(bool& line_ended);

  // The unread bytes of the current block as they stand in the file, CRs
  // included (byte 26 and what follows it never are), after fetching the
  // next block when this one is used up; empty at the end of the input. For
  // a caller that applies the line rules to a whole stretch at once; Skip
  // takes what it used.
  std::string_view UnreadBytes() {
    if (state_ == State::kReading && begin_ < end_) return {buffer_.get() + begin_, end_ - begin_};
    return AtEndOfBlock() ? std::string_view() : std::string_view(buffer_.get() + begin_, end_ - begin_);
  }
  void Skip(std::size_t size) { begin_ += size; }

  // The line break that ends each written line: CR LF unless set otherwise
  // before the file is written.
  void SetLineBreak(LineBreaks line_break) { line_break_ = line_break; }
  std::string_view LineBreakText() const { return line_break_ == LineBreaks::kCrLf ? "\r\n" : "\n"; }

  void WriteLine(std::string_view text) { Append(text, true); }
  // The bytes as they are, with no line break after them.
  void Write(std::string_view bytes) { Append(bytes, false); }
  // Raw bytes of a source, as UnreadBytes hands them out, written line for
  // line as they read: every CR left out, every LF written as the file's
  // line break, or as breaks asks (LF, as the lines of a record text are
  // joined). A line cut at the end goes on with the next call. Returns how
  // many bytes it took: all, or those before a marked line where asked to
  // stop there.
  std::size_t WriteRawLines(std::string_view bytes, MarkedLines marked = MarkedLines::kCopied) {
    return WriteRawLines(bytes, marked, line_break_);
  }
  std::size_t WriteRawLines(std::string_view bytes, MarkedLines marked, LineBreaks breaks);
  // For a writer that stores whole words: where its next bytes go, with
  // room for kWriteRoom bytes behind; Wrote(size) takes the first size of
  // them (at most kWriteRoom) as written. Nothing may be written in between.
  static constexpr std::size_t kWriteRoom = kLineCopySlack;
  char* WriteRoom() {
    if (state_ != State::kWriting) throw IoError(IoError::kNotOpen);
    return buffer_.get() + end_;  // end_ stays below a block, and the buffer has kWriteRoom behind it
  }
  void Wrote(std::size_t size) {
    end_ += size;
    if (end_ >= kBlockSize) WriteFullBlock();
  }
  // The same, then the line break, which takes up to 2 bytes more of the room.
  void WroteLine(std::size_t size) { Wrote(PutLineBreak(end_ + size) - end_); }
  void Close();

  // For a staged file, once it is closed: gives it the name, replacing a
  // file of that name unless overwrite says never. False when the name is
  // taken and may not be overwritten; then the written file is gone. Other
  // targets have their name already.
  bool PutInPlace(Overwrite overwrite);
  // Ends the writing of a run that was stopped: the file goes, closed, with
  // what it held (standard output keeps what reached it). A staged file
  // leaves a file of its name as it was.
  void Discard() noexcept;

  // A writer that writes a text while it is still reading it can take the
  // text back when the reading fails, so that the file ends as it would
  // had the text been held whole and never written. Only a named file can
  // give back what has reached it; standard output may be a pipe.
  bool CanTakeBack() const { return target_ != Target::kStandardOutput; }
  // How many bytes have been written since the file was opened.
  std::uint64_t WrittenSize() const { return passed_ + end_; }
  // Drops every byte written after the first `size`. What the file would
  // not give back stays: this runs while a failure is on its way and
  // raises nothing.
  void TakeBackTo(std::uint64_t size) noexcept;
  // Whether the file refused a write: what reached it before then stays,
  // as after any failed write, unless the run would have failed before
  // writing anything.
  bool WriteRefused() const { return write_refused_; }

  // Every block taken from the file while reading is reported to progress
  // (nullptr: none). The line file does not own it.
  void SetReadProgress(ReadProgress* progress) { progress_ = progress; }
  // How the next opening for reading reads; see ReadSettings.
  void SetReadSettings(ReadSettings settings) { read_settings_ = settings; }

 private:
  enum class State { kClosed, kReading, kWriting };

  // The buffer holds one block (kBlockSize). Written bytes go to the file
  // in whole blocks, so that every write but the last starts and ends on a
  // block boundary of the file: a write that ends inside a page costs the
  // system that page twice. Behind the block is room for a stretch copy
  // that passes its end.
  static constexpr std::size_t kBufferSize = kBlockSize + kLineCopySlack;

  bool AtEndOfBlock();
  // Whether the unread bytes of the block hold a CR; looked for once per
  // block, and only by a caller that reads lines one at a time.
  bool BlockHasCr() {
    if (!cr_known_) {
      block_has_cr_ = std::memchr(buffer_.get() + begin_, '\r', end_ - begin_) != nullptr;
      cr_known_ = true;
    }
    return block_has_cr_;
  }
  void RequireReading() const;
  void OpenSourceForReading();
  // file: the file below source, which Close checks; nullptr for none.
  void StartReading(std::unique_ptr<ByteSource> source, FileSource* file);
  // Raises the IoError of a code other than 0, on this file as written.
  void CheckWriting(int code) const;
  void AssembleLine(std::string& line);
  std::string_view ReadLineSlowly();
  void CloseQuietly() noexcept;
  bool Refill();  // false when the file gives no more bytes
  // Most writes fit into the block: they are collected here, the rest in
  // AppendSlowly.
  void Append(std::string_view text, bool line_break) {
    if (state_ == State::kWriting && text.size() + 2 < kBlockSize - end_) {
      std::copy(text.begin(), text.end(), buffer_.get() + end_);  // an empty text may have no data
      end_ += text.size();
      if (line_break) end_ = PutLineBreak(end_);
      return;
    }
    AppendSlowly(text, line_break);
  }
  void AppendSlowly(std::string_view text, bool line_break);
  // Puts the line break into the buffer at `at`; returns where it ends.
  std::size_t PutLineBreak(std::size_t at) {
    if (line_break_ == LineBreaks::kCrLf) buffer_[at++] = '\r';
    buffer_[at++] = '\n';
    return at;
  }
  void Put(std::string_view bytes);
  void WriteFullBlock();
  void Flush();
  void PassOn(const char* data, std::size_t size);  // to the file

  std::string name_;
  Target target_;
  LineBreaks line_break_ = LineBreaks::kCrLf;
  State state_ = State::kClosed;
  platform::FileHandle file_ = platform::kNoFile;  // writing
  std::unique_ptr<ByteSource> source_;             // reading: the file or a decompressor over it
  FileSource* file_source_ = nullptr;              // reading: the file itself, inside source_
  std::uint64_t stored_reported_ = 0;              // stored bytes told to progress_
  std::unique_ptr<char[]> buffer_;
  std::size_t begin_ = 0;  // next unread byte
  std::size_t end_ = 0;    // bytes held (reading) or collected (writing)
  std::uint64_t passed_ = 0;    // writing: bytes that have gone to the file
  bool write_refused_ = false;  // writing: the file refused a write
  bool at_end_ = false;
  bool end_of_text_ = false;  // the block held byte 26: end_ stops before it
  bool block_has_cr_ = false;
  bool cr_known_ = false;  // block_has_cr_ holds for this block
  std::string assembled_;  // a line that spans blocks or holds a lone CR
  ReadProgress* progress_ = nullptr;
  ReadSettings read_settings_;
  // Declared last, so that it ends a failed run's staging after the file
  // has been closed.
  StagedFile staged_;
};

}  // namespace vendral
