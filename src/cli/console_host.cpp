#include "cli/console_host.h"

#include <iostream>
#include <utility>

#include "core/run_frame.h"
#include "platform/platform.h"

namespace vendral {

ConsoleHost::ConsoleHost(std::string output_folder, bool show_progress)
    : output_folder_(std::move(output_folder)),
      decimal_symbol_(platform::UserDecimalSymbol()),
      show_progress_(show_progress),
      progress_bar_(std::cerr) {}

bool ConsoleHost::ContinueRun(std::string_view tool, std::string_view source, double fraction_done) {
  if (show_progress_) progress_bar_.Show(tool, source, fraction_done);
  return true;
}

void ConsoleHost::ShowNotice(std::string_view text) {
  progress_bar_.End();
  if (text == kDoneText) {
    std::cout << text << '\n';
    exit_status_ = 0;
  } else {
    std::cerr << text << '\n';
    exit_status_ = 2;
  }
}

void ConsoleHost::ShowFailure(std::string_view text) {
  progress_bar_.End();
  std::cerr << text << '\n';
  exit_status_ = 1;
}

}  // namespace vendral
