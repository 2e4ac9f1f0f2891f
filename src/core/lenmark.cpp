#include "core/lenmark.h"

#include <cstdint>
#include <optional>

#include "core/line_file.h"
#include "core/parse_integer.h"
#include "core/record_reader.h"
#include "core/run_frame.h"
#include "core/run_progress.h"

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

// A record's text only grows, so its fate may show before its end: under
// "<" it is dropped once its length reaches the threshold, under "=" once
// it passes it, and under ">" it is written once it passes it.
class LengthTest final : public RecordJudge {
 public:
  LengthTest(Comparison comparison, std::optional<std::int32_t> threshold)
      : comparison_(comparison), threshold_(threshold) {}

  RecordFate Judge(std::int64_t length, bool complete) const override {
    if (!threshold_) return RecordFate::kDropped;  // no record passes a threshold that is no integer
    const std::int64_t threshold = *threshold_;
    switch (comparison_) {
      case Comparison::kLess:
        if (length >= threshold) return RecordFate::kDropped;
        return complete ? RecordFate::kWritten : RecordFate::kOpen;
      case Comparison::kEqual:
        if (length > threshold) return RecordFate::kDropped;
        if (!complete) return RecordFate::kOpen;
        return length == threshold ? RecordFate::kWritten : RecordFate::kDropped;
      case Comparison::kGreater:
        if (length > threshold) return RecordFate::kWritten;
        return complete ? RecordFate::kDropped : RecordFate::kOpen;
      case Comparison::kNone: break;
    }
    return RecordFate::kDropped;
  }

 private:
  Comparison comparison_;
  std::optional<std::int32_t> threshold_;
};

void FilterRecords(LineFile& source, LineFile& output, Comparison comparison,
                   Threshold& threshold) {
  RecordReader reader(source, BlankLineRule::kSkipped);
  while (reader.NextRecord()) {
    // Without a comparison nothing is written; the records are only skipped.
    if (comparison == Comparison::kNone) continue;
    const std::optional<std::int32_t> value = threshold.Value();
    reader.CopyRecord(reader.description(), LengthTest(comparison, value), output);
    // A threshold that is no integer fails as the first record is compared:
    // once its text has been read, with nothing written.
    if (!value) threshold.Convert();
  }
}

}  // namespace

void RunLenmark(RunHost& host, const std::string& source_path, const std::string& comparison,
                const std::string& length_text) {
  NormalizeOutputFolder(host);
  if (!IsExistingFile(source_path)) {
    host.ShowNotice(kMissingFileText);
    return;
  }
  EnsureOutputFolder(host);
  BusyCursor busy(host);
  LineFile output(MakeOutputFileName(host, source_path, "Lenmark", ".fas"), OutputTarget(host));
  output.OpenForWriting();
  RunProgress progress(host, "Lenmark", source_path, {source_path});
  progress.DiscardOnCancel(output);
  LineFile source(source_path);
  source.SetReadProgress(&progress);
  source.OpenForReading();
  Threshold threshold(length_text);
  FilterRecords(source, output, ComparisonFor(comparison), threshold);
  source.Close();
  output.Close();
  busy.Clear();
  ReportDone(host);
}

}  // namespace vendral
