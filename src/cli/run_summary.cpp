#include "cli/run_summary.h"

#include <charconv>
#include <cstddef>
#include <cstdint>

namespace vendral {
namespace {

std::string_view StatusText(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::kDone: return "done";
    case RunOutcome::kMissingInput: return "missing";
    case RunOutcome::kFailed: return "failed";
    case RunOutcome::kCancelled: break;
  }
  return "cancelled";
}

// The length of the well-formed UTF-8 sequence that bytes start with
// (shortest form, no surrogates, up to U+10FFFF); 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view bytes) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // shorter forms
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // shorter forms
    if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF
  } else {
    return 0;
  }
  if (bytes.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

void AppendField(std::string& line, std::string_view name, std::string_view json_value) {
  line += line.empty() ? "{" : ", ";
  line += JsonString(name);
  line += ": ";
  line += json_value;
}

}  // namespace

std::string JsonString(std::string_view bytes) {
  constexpr char kHex[] = "0123456789abcdef";
  std::string json = "\"";
  while (!bytes.empty()) {
    const std::size_t length = Utf8SequenceLength(bytes);
    const auto c = static_cast<unsigned char>(bytes[0]);
    if (length == 0) {
      json += "\\ufffd";
    } else if (c == '"' || c == '\\') {
      json += '\\';
      json += static_cast<char>(c);
    } else if (c == '\n') {
      json += "\\n";
    } else if (c == '\r') {
      json += "\\r";
    } else if (c == '\t') {
      json += "\\t";
    } else if (c < 0x20) {
      json += "\\u00";
      json += kHex[c >> 4];
      json += kHex[c & 15];
    } else {
      json.append(bytes.substr(0, length));
    }
    bytes.remove_prefix(length == 0 ? 1 : length);
  }
  json += '"';
  return json;
}

std::string SummaryLine(const RunSummary& summary) {
  const RunRecord& record = summary.record;
  std::string line;
  AppendField(line, "tool", JsonString(summary.tool));
  AppendField(line, "source", JsonString(summary.source));
  AppendField(line, "output", record.output.empty() ? "null" : JsonString(record.output));
  AppendField(line, "status", JsonString(StatusText(summary.outcome)));
  AppendField(line, "message", JsonString(summary.message));
  AppendField(line, "records_read", std::to_string(record.records_read));
  AppendField(line, "records_written", std::to_string(record.records_written));
  AppendField(line, "stored_bytes_read", std::to_string(record.stored_bytes_read));
  char seconds[32];
  const auto end = std::to_chars(seconds, seconds + sizeof seconds, summary.seconds, std::chars_format::fixed, 6).ptr;
  AppendField(line, "seconds", std::string_view(seconds, static_cast<std::size_t>(end - seconds)));
  line += "}\n";
  return line;
}

}  // namespace vendral
