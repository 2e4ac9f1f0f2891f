#include "cli/tool_runs.h"

#include <string_view>

#include "core/composition.h"
#include "core/lenmark.h"
#include "core/listrel.h"
#include "core/ordinel.h"

namespace vendral {
namespace {

void RunComposition(std::string_view letters, RunHost& host, const std::string& source) {
  ToolMode = letters;
  Action1Execute(host, source, source);
}

void Run(RunHost& host, const ArdentaOptions&, const std::string& source) {
  RunComposition(kArdentaLetters, host, source);
}
void Run(RunHost& host, const GcOptions&, const std::string& source) {
  RunComposition(kGcLetters, host, source);
}
void Run(RunHost& host, const LenmarkOptions& options, const std::string& source) {
  RunLenmark(host, source, options.compare, options.length);
}
void Run(RunHost& host, const ListrelOptions& options, const std::string& source) {
  RunListrel(host, source, options.filter, options.criteria);
}
void Run(RunHost& host, const OrdinelOptions&, const std::string& source) { RunOrdinel(host, source); }

}  // namespace

void RunTool(RunHost& host, const ToolOptions& options, const std::string& source) {
  std::visit([&](const auto& tool_options) { Run(host, tool_options, source); }, options);
}

}  // namespace vendral
