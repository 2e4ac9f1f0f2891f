#include "cli/source_runs.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <iostream>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

#include "cli/console_host.h"
#include "cli/exit_status.h"
#include "cli/run_summary.h"
#include "cli/tool_runs.h"
#include "core/run/failure.h"
#include "core/run/run_frame.h"
#include "platform/platform.h"

namespace vendral {
namespace {

// The path the core opens for a source argument.
std::string SourcePath(const std::string& argument) {
  return argument == kStandardInputArgument ? platform::StandardInputName() : argument;
}

// One source's run and what it showed.
struct SourceRun {
  const std::string* source;
  std::unique_ptr<ConsoleHost> host;
  RunOutcome outcome = RunOutcome::kDone;
  double seconds = 0;
};

void Run(const Call& call, SourceRun& run) {
  const auto start = std::chrono::steady_clock::now();
  const LineBreaks line_break = call.common.lf_line_ends ? LineBreaks::kLf : LineBreaks::kCrLf;
  run.outcome =
      RunGuarded(*run.host, [&] { return RunSource(*run.host, call.tool, SourcePath(*run.source), line_break); });
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string_view ToolName(const ToolOptions& tool) {
  for (const ToolSpec& spec : ToolTable()) {
    if (spec.options.index() == tool.index()) return spec.name;
  }
  return {};
}

// Appends the run's line to the --summary file; false, with a message,
// when it could not: a record that the engine never gets fails the run.
bool AppendSummary(const Call& call, const SourceRun& run) {
  const std::string& file = *call.common.summary_file;
  const std::string line = SummaryLine({.tool = ToolName(call.tool),
                                        .source = *run.source,
                                        .outcome = run.outcome,
                                        .message = run.host->last_message(),
                                        .record = run.host->record(),
                                        .seconds = run.seconds});
  const int error = platform::AppendToFile(file, line);
  if (error == 0) return true;
  std::cerr << "vendral-cli: --summary " << file << ": " << FailureText(IoError::MessageFor(error)) << '\n';
  return false;
}

// How many runs go side by side. Outputs on standard output follow one
// another whole, so there one runs at a time.
std::size_t JobsFor(const CommonOptions& common) {
  if (common.to_standard_output || common.sources.size() < 2) return 1;
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const std::size_t jobs = common.jobs == 0 ? cores : static_cast<std::size_t>(common.jobs);
  return std::min(jobs, common.sources.size());
}

// The sources in chains that one job runs in turn: sources with the same
// file name write the same output, which they must do in the order given,
// as with one job. A chain's place is that of its first source.
std::vector<std::vector<std::size_t>> ChainsOfSameFileName(const std::vector<std::string>& sources) {
  std::vector<std::vector<std::size_t>> chains;
  std::unordered_map<std::string_view, std::size_t> chain_of_name;  // thousands of sources take no n²
  for (std::size_t i = 0; i < sources.size(); ++i) {
    const std::string_view name = std::string_view(sources[i]).substr(platform::FileNameStart(sources[i]));
    const auto [found, added] = chain_of_name.try_emplace(name, chains.size());
    if (added) chains.emplace_back();
    chains[found->second].push_back(i);
  }
  return chains;
}

// Runs the chains on `jobs` threads; each run's messages are written once
// it and every run before it have ended.
void RunSideBySide(const Call& call, std::vector<SourceRun>& runs, std::size_t jobs,
                   const std::function<void(SourceRun&)>& ended) {
  const auto chains = ChainsOfSameFileName(call.common.sources);
  std::mutex mutex;
  std::condition_variable run_ended;
  std::vector<bool> done(runs.size(), false);
  std::atomic<std::size_t> next_chain = 0;
  const auto work = [&] {
    for (std::size_t chain; (chain = next_chain++) < chains.size();) {
      for (const std::size_t i : chains[chain]) {
        Run(call, runs[i]);
        const std::lock_guard lock(mutex);
        done[i] = true;
        run_ended.notify_all();
      }
    }
  };
  std::vector<std::jthread> threads;
  for (std::size_t k = 0; k < jobs; ++k) threads.emplace_back(work);
  for (std::size_t i = 0; i < runs.size(); ++i) {
    {
      std::unique_lock lock(mutex);
      run_ended.wait(lock, [&] { return done[i]; });
    }
    runs[i].host->WriteHeldMessages();
    ended(runs[i]);
  }
}

}  // namespace

int RunSources(const Call& call) {
  const CommonOptions& common = call.common;
  const std::size_t jobs = JobsFor(common);
  const std::string folder = common.output_folder ? *common.output_folder : platform::CurrentFolder();
  const bool progress = jobs == 1 && (common.progress ? *common.progress : platform::StandardErrorIsTerminal());
  const bool several = common.sources.size() > 1;
  std::vector<SourceRun> runs;
  for (const std::string& source : common.sources) {
    SourceRun& run = runs.emplace_back(&source, std::make_unique<ConsoleHost>(folder, common.to_standard_output,
                                                                               progress));
    run.host->BeginRun(several ? source : std::string());
    run.host->SetReadingSettings(
        {.threads = common.threads ? *common.threads : DefaultReadThreads(static_cast<unsigned>(jobs))});
    if (jobs > 1) run.host->HoldMessages();
  }
  int status = kExitDone;
  const auto ended = [&](SourceRun& run) {
    status = WorseStatus(status, ExitStatusOf(run.outcome));
    if (common.summary_file && !AppendSummary(call, run)) status = kExitFailed;
  };
  if (jobs == 1) {
    for (SourceRun& run : runs) {
      Run(call, run);
      ended(run);
    }
  } else {
    RunSideBySide(call, runs, jobs, ended);
  }
  return status;
}

}  // namespace vendral
