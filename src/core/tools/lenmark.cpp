#include "core/tools/lenmark.h"

#include <cstdint>
#include <optional>

#include "core/lines/line_file.h"
#include "core/text/parse_integer.h"
#include "core/tools/record_reader.h"
#include "core/run/run_frame.h"
#include "core/run/tool_run.h"

namespace vendral {
namespace {

enum class Comparison { kNone, kLess, kEqual, kGreater };

// Only the exact one-character texts select a comparison.
Comparison ComparisonFor(const std::string& text) {
  if (text == "<") return Comparison::kLess;
  if (text == "=") return Comparison::kEqual;
  if (text == ">") return Comparison::kGreater;
  return Comparison::kNone;
}

// The threshold, converted when the first record is compared: a source
// without records, or a run without a comparison, never converts it. The
// text does not change during a run, so once is as good as every time.
class Threshold {
 public:
  explicit Threshold(const std::string& text) : text_(text) {}
  // Nothing when the text is no integer.
  std::optional<std::int32_t> Value() {
    if (!converted_) {
      value_ = TryParseInteger(text_);
      converted_ = true;
    }
    return value_;
  }
  // Raises the conversion failure of a text that is no integer.
  void Convert() const { ParseInteger(text_); }

 private:
  const std::string& text_;
  bool converted_ = false;
  std::optional<std::int32_t> value_;
};

// The record lengths that pass; none for a threshold that is no integer.
WrittenLengths PassingLengths(Comparison comparison, std::optional<std::int32_t> threshold) {
  if (!threshold) return kNoLength;
  const std::int64_t value = *threshold;
  switch (comparison) {
    case Comparison::kLess: return {0, value - 1};
    case Comparison::kEqual: return {value, value};
    case Comparison::kGreater: return {value + 1, WrittenLengths::kNoLimit};
    case Comparison::kNone: break;
  }
  return kNoLength;
}

// The record lengths of a range; nothing when neither end is given.
std::optional<WrittenLengths> RangeOf(const LenmarkChoices& choices) {
  if (!choices.least_length && !choices.most_length) return std::nullopt;
  return WrittenLengths{choices.least_length.value_or(0),
                        choices.most_length.value_or(WrittenLengths::kNoLimit)};
}

// Each returns whether the source held a record, and counts into record.
bool FilterRecords(LineFile& source, LineFile& output, WrittenLengths range, RunRecord& record) {
  RecordReader reader(source, BlankLineRule::kSkipped, &record);
  bool held_record = false;
  while (reader.NextRecord()) {
    held_record = true;
    reader.CopyRecord(reader.description(), range, output);
  }
  return held_record;
}

bool FilterRecords(LineFile& source, LineFile& output, Comparison comparison, Threshold& threshold,
                   RunRecord& record) {
  RecordReader reader(source, BlankLineRule::kSkipped, &record);
  bool held_record = false;
  while (reader.NextRecord()) {
    held_record = true;
    // Without a comparison nothing is written; the records are only skipped.
    if (comparison == Comparison::kNone) continue;
    const std::optional<std::int32_t> value = threshold.Value();
    reader.CopyRecord(reader.description(), PassingLengths(comparison, value), output);
    // A threshold that is no integer fails as the first record is compared:
    // once its text has been read, with nothing written.
    if (!value) threshold.Convert();
  }
  return held_record;
}

}  // namespace

RunOutcome RunLenmark(RunHost& host, const std::string& source_path, const std::string& comparison,
                      const std::string& length_text, const LenmarkChoices& choices) {
  const ToolPlan plan{"Lenmark", "Lenmark", ".fas", {source_path}, kMissingFileText, kFilterOrder,
                      {source_path}, choices.line_break};
  return RunTool(host, plan, [&](LineFile& output, RunProgress& progress) {
    LineFile source(source_path);
    progress.Watch(source);
    source.OpenForReading();
    Threshold threshold(length_text);
    const auto range = RangeOf(choices);
    const bool held_record =
        range ? FilterRecords(source, output, *range, progress.record())
              : FilterRecords(source, output, ComparisonFor(comparison), threshold, progress.record());
    source.Close();
    return held_record;
  });
}

}  // namespace vendral
