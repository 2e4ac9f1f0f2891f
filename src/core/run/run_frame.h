// The steps that every tool run shares: the output folder, the input
// checks, the output file name, the busy cursor, the notices, and the
// top-level handling of a failure that ends a run.
#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/run/failure.h"
#include "core/lines/line_file.h"
#include "core/run/run_cancelled.h"
#include "core/run/run_host.h"
#include "core/run/run_outcome.h"

namespace vendral {

inline constexpr std::string_view kDoneText = "Done!";
inline constexpr std::string_view kMissingFileText = "Define correct file!!!";
inline constexpr std::string_view kMissingFilesText = "Define correct files!!!";

// Makes the output folder text end with the path separator.
void NormalizeOutputFolder(RunHost& host);

// Creates the output folder, one level deep, when it is missing; nothing
// when the output goes to standard output.
void EnsureOutputFolder(RunHost& host);

// Whether a file that is not a folder exists under the path, taken literally.
bool IsExistingFile(const std::string& path);

// The output folder, the file name part of source, ".", tag and extension.
std::string MakeOutputFileName(RunHost& host, std::string_view source, std::string_view tag,
                               std::string_view extension);

// Where the run's output line file writes: a staged file that takes the
// output's name once the run is done, or standard output when the host
// sends it there.
LineFile::Target OutputTarget(RunHost& host);

void ReportDone(RunHost& host);

// The failure's message as the error box shows it: a full stop is added
// unless the message is empty or ends in a character up to ".".
std::string FailureText(std::string_view message);
void ReportFailure(RunHost& host, std::string_view message);

// Runs a tool, or any other handler, and hands any failure that escapes it
// to ReportFailure; a run that the user stopped shows nothing. Returns how
// the run ended; a handler that returns nothing is done when it returns.
template <typename Tool>
RunOutcome RunGuarded(RunHost& host, Tool&& tool) {
  std::string message;
  try {
    if constexpr (std::is_void_v<std::invoke_result_t<Tool&>>) {
      tool();
      return RunOutcome::kDone;
    } else {
      return tool();
    }
  } catch (const RunCancelled&) {
    return RunOutcome::kCancelled;
  } catch (const Failure& failure) {
    ReportFailure(host, failure.message());
    host.ExplainFailure(failure);
    return RunOutcome::kFailed;
  } catch (const std::bad_alloc&) {
    message = "Out of memory";
  } catch (const std::exception& failure) {
    message = failure.what();
  }
  ReportFailure(host, message);
  return RunOutcome::kFailed;
}

// Shows the busy cursor for as long as it lives, or until Clear().
class BusyCursor {
 public:
  explicit BusyCursor(RunHost& host);
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
  ~BusyCursor();
  void Clear();

 private:
  RunHost* host_;
};

// The caption of every box: the program file's name without folder, cut at
// its first ".", lower case after the first character.
std::string ApplicationTitle(std::string_view program_file_path);

}  // namespace vendral
