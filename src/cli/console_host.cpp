#include "cli/console_host.h"

#include <iostream>
#include <utility>

#include "core/run_frame.h"
#include "platform/platform.h"

namespace vendral {

ConsoleHost::ConsoleHost(std::string output_folder)
    : output_folder_(std::move(output_folder)), decimal_symbol_(platform::UserDecimalSymbol()) {}

void ConsoleHost::ShowNotice(std::string_view text) {
  if (text == kDoneText) {
    std::cout << text << '\n';
    exit_status_ = 0;
  } else {
    std::cerr << text << '\n';
    exit_status_ = 2;
  }
}

void ConsoleHost::ShowFailure(std::string_view text) {
  std::cerr << text << '\n';
  exit_status_ = 1;
}

}  // namespace vendral
