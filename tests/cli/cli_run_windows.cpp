#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <filesystem>

#include "cli_run.h"

namespace vendral::testing {
namespace {

// One argument as the C runtime's command line parser takes it back apart:
// quoted when it holds a blank or a quote or is empty, with the backslashes
// before a quote (and before the closing quote) doubled.
void AppendQuoted(const std::string& word, std::string& line) {
  if (!line.empty()) line += ' ';
  if (!word.empty() && word.find_first_of(" \t\"") == std::string::npos) {
    line += word;
    return;
  }
  line += '"';
  std::size_t backslashes = 0;
  for (const char c : word) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    line.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    line += c;
  }
  line.append(2 * backslashes, '\\');
  line += '"';
}

HANDLE OpenInheritable(const std::string& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return ::CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

int RunCliWithStreamsIn(const std::string& folder, const std::vector<std::string>& args,
                        const std::string* input, const std::string& out_path, const std::string& err_path) {
  // The build gives the program's path as the build machine spells it; a
  // path from the root is taken on the current drive.
  const std::string program = std::filesystem::absolute(VENDRAL_CLI_PATH).make_preferred().string();
  std::string line;
  AppendQuoted(program, line);
  for (const auto& arg : args) AppendQuoted(arg, line);

  const HANDLE out = OpenInheritable(out_path, GENERIC_WRITE, CREATE_ALWAYS);
  const HANDLE err = OpenInheritable(err_path, GENERIC_WRITE, CREATE_ALWAYS);
  HANDLE in = INVALID_HANDLE_VALUE;
  HANDLE feed = INVALID_HANDLE_VALUE;
  if (input) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    if (::CreatePipe(&in, &feed, &inherit, 0)) ::SetHandleInformation(feed, HANDLE_FLAG_INHERIT, 0);
  } else {
    in = OpenInheritable("NUL", GENERIC_READ, OPEN_EXISTING);
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  const bool started = ::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(),
                                        &startup, &process);
  for (const HANDLE handle : {in, out, err}) {
    if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
  }
  if (feed != INVALID_HANDLE_VALUE) {
    // The program may stop reading early: a refused write ends the feed.
    for (std::size_t done = 0; started && done < input->size();) {
      DWORD written = 0;
      const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(input->size() - done, 1 << 20));
      if (!::WriteFile(feed, input->data() + done, ask, &written, nullptr) || written == 0) break;
      done += written;
    }
    ::CloseHandle(feed);
  }
  if (!started) return -1;
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  ::GetExitCodeProcess(process.hProcess, &status);
  ::CloseHandle(process.hProcess);
  ::CloseHandle(process.hThread);
  return static_cast<int>(status);
}

}  // namespace vendral::testing
