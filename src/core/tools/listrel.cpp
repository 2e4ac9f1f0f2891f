#include "core/tools/listrel.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <exception>
#include <string_view>
#include <vector>

#include "core/lines/line_file.h"
#include "core/text/parse_integer.h"
#include "core/tools/name_set.h"
#include "core/tools/record_reader.h"
#include "core/run/run_frame.h"
#include "core/scan/description_line.h"
#include "core/run/tool_run.h"

namespace vendral {
namespace {

// Characters 2 to 21 of the description line: up to 20 after the ">". A
// failure tells which record of the source it was, counting from 1.
std::int32_t RecordNumber(const std::string& description, const LineFile& source, std::uint64_t record) {
  try {
    return ParseInteger(std::string_view(description).substr(1, 20));
  } catch (ConversionError& error) {
    error.SetOrigin("the description of record " + std::to_string(record) + " of " + source.name());
    throw;
  }
}

// Every line of the filter file as a number, in ascending order. A line
// that is no number, a blank one included, ends the run. One reading is
// enough, so the filter may come through a pipe.
std::vector<std::int32_t> ReadFilterList(LineFile& filter) {
  std::string line;
  std::vector<std::int32_t> list;
  filter.OpenForReading();
  while (!filter.AtEnd()) {
    filter.ReadLine(line);
    try {
      list.push_back(ParseInteger(line));
    } catch (ConversionError& error) {
      error.SetOrigin("line " + std::to_string(list.size() + 1) + " of " + filter.name());
      throw;
    }
  }
  // A filter written in order, as most are, needs no sort.
  if (!std::is_sorted(list.begin(), list.end())) std::sort(list.begin(), list.end());
  return list;
}

// Converts every record number: a bad one raises its conversion failure.
void CheckRecordNumbers(LineFile& source) {
  RecordReader reader(source, BlankLineRule::kEndsRecord);
  for (std::uint64_t record = 1; reader.NextRecord(); ++record) {
    RecordNumber(reader.description(), source, record);
  }
}

// Whether numbers are in the filter list. Record numbers mostly come in
// ascending order, so a search first looks just after where the last one
// ended.
class FilterSearch {
 public:
  explicit FilterSearch(const std::vector<std::int32_t>& list) : list_(list), next_(list.begin()) {}

  bool Contains(std::int32_t number) {
    constexpr std::ptrdiff_t kNear = 4;
    const bool after_last = next_ == list_.begin() || *(next_ - 1) < number;
    if (after_last && list_.end() - next_ > kNear && *(next_ + kNear) >= number) {
      next_ = std::lower_bound(next_, next_ + kNear, number);
    } else {
      next_ = std::lower_bound(list_.begin(), list_.end(), number);
    }
    return next_ != list_.end() && *next_ == number;
  }

 private:
  const std::vector<std::int32_t>& list_;
  std::vector<std::int32_t>::const_iterator next_;  // the first value not below the last number
};

// Returns whether the source held a record, as the writers below do; each
// counts into record.
bool WriteKeptRecords(LineFile& source, LineFile& output, const std::vector<std::int32_t>& filter_list,
                      bool keep_listed, RunRecord& record) {
  RecordReader reader(source, BlankLineRule::kEndsRecord, &record);
  FilterSearch filter(filter_list);
  char description[16] = {kDescriptionMark};
  std::uint64_t records = 0;
  while (reader.NextRecord()) {
    const std::int32_t number = RecordNumber(reader.description(), source, ++records);
    const bool listed = filter.Contains(number);
    if (listed != keep_listed) continue;  // the next record skips this one's lines
    // Rebuilt from the number: plain decimal, whatever form the source had.
    const auto end = std::to_chars(description + 1, description + sizeof description, number).ptr;
    reader.CopyRecord(std::string_view(description, static_cast<std::size_t>(end - description)), kEveryLength,
                      output);
  }
  return records > 0;
}

// Writes the kept records in one reading of the source, and leaves the
// output as if every record number had been converted before the first
// record was written: a bad number, or a failed reading, leaves it empty.
// A refused write leaves what reached the file, but only once the rest of
// the numbers are known to convert, since a bad one would have come first.
bool WriteKeptRecordsOrNone(LineFile& source, LineFile& output, const std::vector<std::int32_t>& filter_list,
                            bool keep_listed, RunRecord& record) {
  const auto take_back_all = [&] {
    output.TakeBackTo(0);
    record.records_written = 0;
  };
  std::exception_ptr refused;
  try {
    return WriteKeptRecords(source, output, filter_list, keep_listed, record);
  } catch (...) {
    if (!output.WriteRefused()) {
      take_back_all();
      throw;
    }
    refused = std::current_exception();
  }
  try {
    source.OpenForReading();
    CheckRecordNumbers(source);
  } catch (...) {
    take_back_all();
    throw;
  }
  std::rethrow_exception(refused);
}

bool WriteRecordsByNumber(LineFile& source, LineFile& output, const std::vector<std::int32_t>& filter_list,
                          bool keep_listed, bool converted_first, RunRecord& record) {
  // A pipe can be read only once: there a bad number ends the run after
  // the records before it.
  if (!source.CanReadAgain()) return WriteKeptRecords(source, output, filter_list, keep_listed, record);
  if (!converted_first) return WriteKeptRecordsOrNone(source, output, filter_list, keep_listed, record);
  CheckRecordNumbers(source);
  source.OpenForReading();
  return WriteKeptRecords(source, output, filter_list, keep_listed, record);
}

// The name a description line gives a record: its first word.
std::string_view RecordName(std::string_view description) {
  const std::string_view rest = description.substr(1);
  return rest.substr(0, rest.find_first_of(" \t"));
}

NameSet ReadFilterNames(LineFile& filter) {
  NameSet names;
  filter.OpenForReading();
  while (!filter.AtEnd()) {
    const std::string_view line = filter.ReadLineView();
    if (!IsBlank(line)) names.Add(line);
  }
  names.Seal();
  return names;
}

bool WriteRecordsByName(LineFile& source, LineFile& output, NameSet& names, bool keep_listed, RunRecord& record) {
  RecordReader reader(source, BlankLineRule::kSkipped, &record);
  bool held_record = false;
  while (reader.NextRecord()) {
    held_record = true;
    if (names.Contains(RecordName(reader.description())) == keep_listed) reader.CopyRecordAsRead(output);
  }
  return held_record;
}

}  // namespace

RunOutcome RunListrel(RunHost& host, const std::string& source_path, const std::string& filter_path,
                      ListrelCriteria criteria, const ListrelChoices& choices) {
  // The source is never held in memory, and a bad record number leaves the
  // output empty. An output that can take back what it got needs one
  // reading of the source; standard output, which cannot, needs two: one
  // to convert every record number, one to write the kept records. Names
  // need no conversion, so by name one reading is enough everywhere.
  const bool converted_first = host.OutputGoesToStandardOutput() && !choices.by_name;
  ToolPlan plan{"Listrel", "Listrel", ".fas", {source_path, filter_path}, kMissingFilesText, kFilterOrder,
                {filter_path, source_path}, choices.line_break};
  if (converted_first) plan.readings.push_back(source_path);
  return RunTool(host, plan, [&](LineFile& output, RunProgress& progress) {
    LineFile filter(filter_path);
    progress.Watch(filter);
    const bool keep_listed = criteria == ListrelCriteria::kExtract;
    LineFile source(source_path);
    bool held_record = false;
    if (choices.by_name) {
      NameSet names = ReadFilterNames(filter);
      progress.Watch(source);
      source.OpenForReading();
      held_record = WriteRecordsByName(source, output, names, keep_listed, progress.record());
    } else {
      const std::vector<std::int32_t> filter_list = ReadFilterList(filter);
      progress.Watch(source);
      source.OpenForReading();
      held_record =
          WriteRecordsByNumber(source, output, filter_list, keep_listed, converted_first, progress.record());
    }
    source.Close();
    output.Close();  // the filter is closed last
    filter.Close();
    return held_record;
  });
}

}  // namespace vendral
