#include "cli/tool_runs.h"

#include "core/tools/composition.h"
#include "core/tools/lenmark.h"
#include "core/tools/listrel.h"
#include "core/tools/ordinel.h"

namespace vendral {
namespace {

RunOutcome Run(RunHost& host, const ArdentaOptions&, const std::string& source) {
  return RunComposition(host, kArdentaLetters, source);
}
RunOutcome Run(RunHost& host, const GcOptions&, const std::string& source) {
  return RunComposition(host, kGcLetters, source);
}
RunOutcome Run(RunHost& host, const LenmarkOptions& options, const std::string& source) {
  return RunLenmark(host, source, options.compare, options.length);
}
RunOutcome Run(RunHost& host, const ListrelOptions& options, const std::string& source) {
  return RunListrel(host, source, options.filter, options.criteria);
}
RunOutcome Run(RunHost& host, const OrdinelOptions&, const std::string& source) {
  return RunOrdinel(host, source);
}

}  // namespace

RunOutcome RunSource(RunHost& host, const ToolOptions& options, const std::string& source) {
  return std::visit([&](const auto& tool_options) { return Run(host, tool_options, source); }, options);
}

}  // namespace vendral
