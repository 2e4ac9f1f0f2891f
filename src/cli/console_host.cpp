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

void ConsoleHost::BeginRun(std::string label) { label_ = std::move(label); }

bool ConsoleHost::ContinueRun(std::string_view tool, std::string_view source, double fraction_done) {
  if (show_progress_) progress_bar_.Show(tool, source, fraction_done);
  return true;
}

void ConsoleHost::Print(std::ostream& stream, std::string_view text) {
  progress_bar_.End();
  if (!label_.empty()) stream << label_ << ": ";
  stream << text << '\n';
}

void ConsoleHost::ShowNotice(std::string_view text) { Print(std::cerr, text); }

// Standard output may be carrying the run's output.
void ConsoleHost::ShowDone(std::string_view text) { Print(to_standard_output_ ? std::cerr : std::cout, text); }

void ConsoleHost::ShowFailure(std::string_view text) { Print(std::cerr, text); }

// These lines name their file themselves: no label before them.
void ConsoleHost::ExplainFailure(const Failure& failure) {
  const std::string explanation = FailureExplanation(failure);
  if (!explanation.empty()) std::cerr << "vendral-cli: " << explanation << '\n';
}

void ConsoleHost::NoteNoRecord(std::string_view source) {
  progress_bar_.End();
  const bool from_input = source == platform::StandardInputName();
  std::cerr << "vendral-cli: note: " << (from_input ? std::string_view("standard input") : source)
            << " holds no record (no line begins with '>')\n";
}

}  // namespace vendral
