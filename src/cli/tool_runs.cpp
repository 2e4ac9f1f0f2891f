#include "cli/tool_runs.h"

#include "core/run/failure.h"
#include "core/tools/composition.h"
#include "core/tools/lenmark.h"
#include "core/tools/listrel.h"
#include "core/tools/ordinel.h"

namespace vendral {
namespace {

RunOutcome Run(RunHost& host, const ArdentaOptions& options, const std::string& source,
               LineBreaks line_break) {
  return RunComposition(host, kArdentaLetters, source,
                        {.line_break = line_break, .skip_letters = options.skip_letters});
}
RunOutcome Run(RunHost& host, const GcOptions& options, const std::string& source, LineBreaks line_break) {
  return RunComposition(host, kGcLetters, source,
                        {.line_break = line_break, .skip_letters = options.skip_letters});
}
RunOutcome Run(RunHost& host, const LenmarkOptions& options, const std::string& source,
               LineBreaks line_break) {
  try {
    return RunLenmark(
        host, source, options.compare, options.length,
        {.line_break = line_break, .least_length = options.min_length, .most_length = options.max_length});
  } catch (ConversionError& error) {
    error.SetOrigin("the value of --length");  // Lenmark converts no other text
    throw;
  }
}
RunOutcome Run(RunHost& host, const ListrelOptions& options, const std::string& source,
               LineBreaks line_break) {
  return RunListrel(host, source, options.filter, options.criteria,
                    {.line_break = line_break, .by_name = options.by_name});
}
RunOutcome Run(RunHost& host, const OrdinelOptions& options, const std::string& source,
               LineBreaks line_break) {
  return RunOrdinel(host, source,
                    {.line_break = line_break,
                     .prefix = options.prefix,
                     .start = options.start,
                     .map_path = options.map});
}

}  // namespace

RunOutcome RunSource(RunHost& host, const ToolOptions& options, const std::string& source,
                     LineBreaks line_break) {
  return std::visit([&](const auto& tool_options) { return Run(host, tool_options, source, line_break); },
                    options);
}

}  // namespace vendral
