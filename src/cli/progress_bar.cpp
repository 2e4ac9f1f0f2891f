#include "cli/progress_bar.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/platform.h"

namespace vendral {
namespace {

constexpr int kBarWidth = 30;
// Longer file names lose their start, so that the line does not wrap and
// can be drawn again in place.
constexpr std::size_t kMaxNameLength = 30;

std::string_view ShortName(std::string_view source) {
  std::string_view name = source.substr(platform::FileNameStart(source));
  if (name.size() > kMaxNameLength) name.remove_prefix(name.size() - kMaxNameLength);
  return name;
}

}  // namespace

void ProgressBar::Show(std::string_view tool, std::string_view source, double fraction_done) {
  const int percent = static_cast<int>(std::clamp(fraction_done, 0.0, 1.0) * 100);
  if (percent == shown_percent_) return;
  shown_percent_ = percent;
  const int filled = percent * kBarWidth / 100;
  char figure[8];
  std::snprintf(figure, sizeof figure, "%3d%%", percent);
  out_ << '\r' << tool << ' ' << ShortName(source) << " [" << std::string(filled, '#')
       << std::string(kBarWidth - filled, '.') << "] " << figure << std::flush;
}

void ProgressBar::End() {
  if (shown_percent_ < 0) return;
  out_ << '\n' << std::flush;
  shown_percent_ = -1;
}

}  // namespace vendral
