#include "core/settings/ini_file.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "core/run/failure.h"

namespace vendral {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t npos = std::string::npos;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// True for a header line "[name]"; name is set to the section's name.
bool SectionNameOf(std::string_view line, std::string_view& name) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return false;
  line.remove_prefix(1);
  name = Trim(line.substr(0, line.find(']')));
  return true;
}

// The key of a "key=value" line; comment lines and lines without "=" have none.
bool KeyOf(std::string_view line, std::string_view& key) {
  std::size_t equals = line.find('=');
  std::string_view trimmed = Trim(line);
  if (equals == npos || (!trimmed.empty() && trimmed.front() == ';')) return false;
  key = Trim(line.substr(0, equals));
  return true;
}

bool ParseProfileInteger(std::string_view text, std::int32_t& value) {
  text = Trim(text);
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    std::string_view digits = text.substr(2);
    std::uint32_t pattern = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pattern, 16);
    if (error != std::errc() || end != digits.data() + digits.size()) return false;
    value = static_cast<std::int32_t>(pattern);
    return true;
  }
  // from_chars takes a "-" but no "+".
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (text.empty() || text.front() == '-') return false;
  }
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// The file that a write replaces: a symbolic link's target, not the link.
fs::path ReplacedFile(const std::string& file_name) {
  std::error_code error;
  fs::path path(file_name);
  if (fs::is_symlink(path, error)) {
    fs::path target = fs::weakly_canonical(path, error);
    if (!error) return target;
  }
  return path;
}

// Writes contents to a new file beside target and renames it over target.
bool ReplaceFileContents(const fs::path& target, const std::string& contents) {
  std::random_device random;
  for (int attempt = 0; attempt < 8; ++attempt) {
    fs::path temporary = target;
    temporary += ".~" + std::to_string(random() % 1000000u);
    // "x": never reuse an existing file, whoever left it there.
    std::FILE* file = std::fopen(temporary.string().c_str(), "wbx");
    if (file == nullptr) continue;
    bool written = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
    written = std::fflush(file) == 0 && written;
    written = std::fclose(file) == 0 && written;
    std::error_code error;
    if (written) {
      fs::file_status old_status = fs::status(target, error);
      if (!error && fs::is_regular_file(old_status)) {
        fs::permissions(temporary, old_status.permissions(), error);
      }
      fs::rename(temporary, target, error);
      if (!error) return true;
    }
    fs::remove(temporary, error);
    return false;
  }
  return false;
}

}  // namespace

void IniFile::EnsureRead() {
  if (state_ != State::kNotRead) return;
  lines_.clear();
  std::error_code error;
  fs::file_status status = fs::status(file_name_, error);
  if (fs::status_known(status) && !fs::exists(status)) {
    state_ = State::kRead;
    return;
  }
  std::ifstream in(file_name_, std::ios::binary);
  if (error || !fs::is_regular_file(status) || !in) {
    state_ = State::kUnreadable;
    return;
  }
  std::string contents((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    state_ = State::kUnreadable;
    return;
  }
  // CR LF, LF and a lone CR each end a line. A lone CR must end one too: a
  // rewrite keeps every line's own end, so a CR taken as data here would
  // glue the line written after it to this one.
  for (std::size_t start = 0; start < contents.size();) {
    const std::size_t stop = std::min(contents.find_first_of("\r\n", start), contents.size());
    std::size_t next = stop;
    if (next < contents.size()) next += contents.compare(stop, 2, "\r\n") == 0 ? 2 : 1;
    lines_.push_back({contents.substr(start, stop - start), contents.substr(stop, next - stop)});
    start = next;
  }
  state_ = State::kRead;
}

std::size_t IniFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    std::string_view name;
    if (SectionNameOf(lines_[i].text, name) && SameIgnoringCase(name, section)) return i;
  }
  return npos;
}

std::size_t IniFile::SectionEnd(std::size_t header) const {
  std::string_view name;
  std::size_t i = header + 1;
  while (i < lines_.size() && !SectionNameOf(lines_[i].text, name)) ++i;
  return i;
}

std::size_t IniFile::FindKey(std::size_t header, std::string_view key) const {
  std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    std::string_view found;
    if (KeyOf(lines_[i].text, found) && SameIgnoringCase(found, key)) return i;
  }
  return npos;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                const std::string& default_value) {
  EnsureRead();
  std::size_t header = FindSection(section);
  if (header == npos) return default_value;
  std::size_t line = FindKey(header, key);
  if (line == npos) return default_value;
  const std::string& text = lines_[line].text;
  return text.substr(text.find('=') + 1, kMaxValueLength);
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t default_value) {
  std::int32_t value = 0;
  bool found = ParseProfileInteger(ReadString(section, key, {}), value);
  return found ? value : default_value;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool default_value) {
  return ReadInteger(section, key, default_value ? 1 : 0) != 0;
}

std::string IniFile::NewLineEnd() const {
  for (const Line& line : lines_) {
    if (!line.end.empty()) return line.end;
  }
  return "\r\n";
}

void IniFile::InsertLine(std::size_t index, std::string text) {
  std::string end = NewLineEnd();
  if (index > 0 && lines_[index - 1].end.empty()) lines_[index - 1].end = end;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), {std::move(text), end});
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  auto breaks_line = [](std::string_view s) { return s.find_first_of("\r\n") != npos; };
  if (breaks_line(section) || section.find(']') != npos || breaks_line(key) ||
      key.find('=') != npos) {
    RaiseWriteFailure();
  }
  EnsureRead();
  if (state_ == State::kUnreadable) RaiseWriteFailure();
  value = value.substr(0, value.find_first_of("\r\n"));

  std::vector<Line> before = lines_;
  std::size_t header = FindSection(section);
  if (header == npos) {
    if (!lines_.empty() && !Trim(lines_.back().text).empty()) InsertLine(lines_.size(), "");
    InsertLine(lines_.size(), "[" + std::string(section) + "]");
    header = lines_.size() - 1;
  }
  std::size_t line = FindKey(header, key);
  if (line != npos) {
    std::string& text = lines_[line].text;
    text.replace(text.find('=') + 1, npos, value);
  } else {
    std::size_t end = SectionEnd(header);
    while (end > header + 1 && Trim(lines_[end - 1].text).empty()) --end;
    InsertLine(end, std::string(key) + "=" + std::string(value));
  }
  try {
    Store();
  } catch (...) {
    lines_ = std::move(before);
    throw;
  }
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::Close() {
  lines_.clear();
  state_ = State::kNotRead;
}

void IniFile::Store() const {
  std::string contents;
  for (const Line& line : lines_) contents += line.text + line.end;
  if (!ReplaceFileContents(ReplacedFile(file_name_), contents)) RaiseWriteFailure();
}

void IniFile::RaiseWriteFailure() const { throw Failure("Unable to write to " + file_name_); }

}  // namespace vendral
