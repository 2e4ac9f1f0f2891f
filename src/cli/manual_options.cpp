// Prints the option list of vendral-cli's manual page, the lines under its
// ".SH OPTIONS", from the option table; scripts/man-options puts them into
// the page and a test checks that the page holds them. The page is checked
// in rather than made at build time, where a cross-built program cannot run.
#include <iostream>
#include <string>
#include <string_view>

#include "cli/help_text.h"
#include "cli/options.h"

namespace vendral {
namespace {

// Every "-" is a minus sign, as an option's name needs.
std::string Roff(std::string_view text) {
  std::string roff;
  for (char c : text) {
    if (c == '-') roff += '\\';
    roff += c;
  }
  return roff;
}

// "\fB\-h\fR, \fB\-\-help\fR", "\fB\-o\fR \fIDIR\fR".
std::string Tag(const OptionSpec& option) {
  std::string tag;
  for (std::string_view name : option.names) {
    if (!tag.empty()) tag += ", ";
    tag += "\\fB" + Roff(name) + "\\fR";
  }
  if (!option.value_name.empty()) tag += " \\fI" + Roff(option.value_name) + "\\fR";
  return tag;
}

}  // namespace
}  // namespace vendral

int main() {
  for (const vendral::OptionSpec& option : vendral::OptionTable()) {
    if (!vendral::ListedUnderOptions(option)) continue;
    std::cout << ".TP\n" << vendral::Tag(option) << '\n' << option.manual << '\n';
  }
  return 0;
}
