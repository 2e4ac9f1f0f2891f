// A one-line progress bar on a console stream: the tool, the source's file
// name, a bar and the percentage, drawn again in place whenever the whole
// percentage changes, so that a long run costs only about a hundred lines.
#pragma once

#include <ostream>
#include <string_view>

namespace vendral {

class ProgressBar {
 public:
  explicit ProgressBar(std::ostream& out) : out_(out) {}

  void Show(std::string_view tool, std::string_view source, double fraction_done);
  // Ends the bar's line, when one was drawn, so that what follows starts
  // on a line of its own.
  void End();

 private:
  std::ostream& out_;
  int shown_percent_ = -1;  // -1: nothing drawn
};

}  // namespace vendral
