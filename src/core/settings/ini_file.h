// A profile (INI) file of our own: "[section]" lines followed by
// "key=value" lines. Sections and keys are matched without regard to ASCII
// letter case; the first match wins. A value is the text after the first
// "=" exactly as stored (no blanks or quotes removed), so every written
// value reads back unchanged. Lines starting with ";" are comments. A line
// ends at CR LF, LF or a lone CR, the last one also at the end of the file.
//
// Opening touches no file and reading never creates one. Every write
// updates the file at once, safely: the new contents go to a file beside it
// that then replaces it, so a failed write keeps the old file intact. A
// replaced key keeps its place, a new key goes after the last line of its
// section, a new section at the end of the file after a blank line; other
// lines are kept byte for byte. A new file gets CR LF line ends; added lines
// in an existing file get the line end of its first line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vendral {

class IniFile {
 public:
  // A stored value reads back cut to this many characters.
  static constexpr std::size_t kMaxValueLength = 2047;

  explicit IniFile(std::string file_name) : file_name_(std::move(file_name)) {}

  const std::string& FileName() const { return file_name_; }

  // The stored value, or default_value when the file, section or key is
  // missing or the file cannot be read.
  std::string ReadString(std::string_view section, std::string_view key,
                         const std::string& default_value);
  // Decimal with optional sign, or "0x"/"0X" and up to eight hexadecimal
  // digits taken as a 32-bit pattern; blanks around are allowed. The default
  // when missing or not such an integer.
  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t default_value);
  // Any non-zero integer is true.
  bool ReadBool(std::string_view section, std::string_view key, bool default_value);

  // These raise Failure("Unable to write to <file name>") when the file
  // cannot be written. A value keeps only its first line: a line break
  // would end the key's line and change the file's structure.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  // Writes are never pending, so closing only lets go of the contents read;
  // a later call reads the file again.
  void Close();

 private:
  struct Line {
    std::string text;
    std::string end;  // "\r\n", "\n", "\r" or, for a last line without one, empty
  };
  enum class State { kNotRead, kRead, kUnreadable };

  void EnsureRead();
  // Index of the header line of the section, or npos.
  std::size_t FindSection(std::string_view section) const;
  // Index of the key's line in the section whose header is at header, or npos.
  std::size_t FindKey(std::size_t header, std::string_view key) const;
  // Index one past the section's last line.
  std::size_t SectionEnd(std::size_t header) const;
  std::string NewLineEnd() const;
  void InsertLine(std::size_t index, std::string text);
  void Store() const;
  [[noreturn]] void RaiseWriteFailure() const;

  std::string file_name_;
  State state_ = State::kNotRead;
  std::vector<Line> lines_;
};

}  // namespace vendral
