#include "cli/console_host.h"

#include <iostream>
#include <utility>

#include "cli/failure_explanation.h"
#include "platform/platform.h"

namespace vendral {

ConsoleHost::ConsoleHost(std::string output_folder, bool to_standard_output, bool show_progress)
    : output_folder_(std::move(output_folder)),
      to_standard_output_(to_standard_output),
      decimal_symbol_(platform::UserDecimalSymbol()),
      show_progress_(show_progress),
      progress_bar_(std::cerr) {}

void ConsoleHost::BeginRun(std::string label) {
  label_ = std::move(label);
  record_ = RunRecord();
  last_message_.clear();
}

bool ConsoleHost::ContinueRun(std::string_view tool, std::string_view source, double fraction_done) {
  if (show_progress_) progress_bar_.Show(tool, source, fraction_done);
  return true;
}

void ConsoleHost::Print(std::ostream& stream, std::string_view text) {
  last_message_ = text;
  std::string line = label_.empty() ? std::string() : label_ + ": ";
  line.append(text).append(1, '\n');
  Emit(stream, std::move(line));
}

void ConsoleHost::Emit(std::ostream& stream, std::string line) {
  if (holding_) {
    held_.push_back({&stream, std::move(line)});
    return;
  }
  progress_bar_.End();
  stream << line;
}

void ConsoleHost::WriteHeldMessages() {
  for (const HeldMessage& message : held_) *message.stream << message.line;
  held_.clear();
}

void ConsoleHost::ShowNotice(std::string_view text) { Print(std::cerr, text); }

// Standard output may be carrying the run's output.
void ConsoleHost::ShowDone(std::string_view text) { Print(to_standard_output_ ? std::cerr : std::cout, text); }

void ConsoleHost::ShowFailure(std::string_view text) { Print(std::cerr, text); }

// These lines name their file themselves: no label before them.
void ConsoleHost::ExplainFailure(const Failure& failure) {
  const std::string explanation = FailureExplanation(failure);
  if (!explanation.empty()) Emit(std::cerr, "vendral-cli: " + explanation + '\n');
}

void ConsoleHost::NoteNoRecord(std::string_view source) {
  const bool from_input = source == platform::StandardInputName();
  Emit(std::cerr, "vendral-cli: note: " + std::string(from_input ? std::string_view("standard input") : source) +
                      " holds no record (no line begins with '>')\n");
}

}  // namespace vendral
