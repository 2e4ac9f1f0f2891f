#include "core/lines/staged_file.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <utility>

#include "core/lines/line_file.h"

namespace vendral {
namespace {

constexpr std::string_view kOwnMark = ".partial-";
// Room for the mark and the longest process number, so that the part of
// the name that is kept does not depend on the number.
constexpr std::size_t kOwnSuffixRoom = kOwnMark.size() + 10;
constexpr std::size_t kLongestFileName = 255;

// The output's name as the own files begin, up to and with the mark.
std::string OwnPrefix(const std::string& name) {
  const std::size_t start = platform::FileNameStart(name);
  const std::size_t room = LineFile::kMaxNameLength - std::min(start, LineFile::kMaxNameLength);
  const std::size_t keep = std::min({name.size() - start, kLongestFileName - kOwnSuffixRoom,
                                     room > kOwnSuffixRoom ? room - kOwnSuffixRoom : 0});
  return name.substr(0, start + keep) + std::string(kOwnMark);
}

// The process number that ends an own file's name; 0 for any other name.
long OwnerOf(std::string_view entry, std::string_view prefix) {
  if (entry.size() <= prefix.size() || entry.size() > prefix.size() + 10 || entry.substr(0, prefix.size()) != prefix) {
    return 0;
  }
  long process = 0;
  for (const char c : entry.substr(prefix.size())) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
    process = process * 10 + (c - '0');
  }
  return process;
}

}  // namespace

std::string StagedFile::OwnName(const std::string& name, long process) {
  return OwnPrefix(name) + std::to_string(process);
}

int StagedFile::Open(const std::string& name, platform::FileHandle& file) {
  if (IsStaged()) EndCancelled();
  const int held = platform::HoldFileForReplacing(name, earlier_);
  // Without an earlier file the own file's creation tells what is wrong
  // with the name or its folder.
  if (held != 0 && held != platform::kFileNotFound) return held;
  had_earlier_ = held == 0;
  RemoveLeftovers(name);
  const std::string own = OwnName(name, platform::ProcessId());
  int code = platform::CreateNewFile(own, file);
  // Taken even now: another run of this process writes the same output.
  if (code == platform::kNameTaken) code = platform::kSharingViolation;
  if (code != 0) {
    ReleaseEarlier();
    return code;
  }
  name_ = name;
  own_name_ = own;
  return 0;
}

void StagedFile::RemoveLeftovers(const std::string& name) const {
  const std::string prefix = OwnPrefix(name);
  const std::size_t start = platform::FileNameStart(prefix);
  const std::string folder = prefix.substr(0, start);
  const long self = platform::ProcessId();
  for (const std::string& entry : platform::FolderEntries(folder)) {
    const long owner = OwnerOf(entry, std::string_view(prefix).substr(start));
    if (owner == 0) continue;
    // A number of this process is left from an earlier process of that
    // number; the lock tells a run that still writes its file.
    const std::string path = folder + entry;
    if ((owner == self || !platform::IsProcessRunning(owner)) && !platform::IsHeldByAnother(path)) {
      platform::RemoveFile(path);
    }
  }
}

int StagedFile::PutInPlace(Overwrite overwrite) {
  if (!IsStaged()) return 0;
  ReleaseEarlier();
  const int code = platform::RenameFile(own_name_, name_, overwrite == Overwrite::kReplace);
  if (code != 0) platform::RemoveFile(own_name_);
  Forget();
  return code;
}

void StagedFile::EndFailed() noexcept {
  if (!IsStaged()) return;
  ReleaseEarlier();
  // A file of the name that appeared during the run is another run's.
  if (had_earlier_ || platform::RenameFile(own_name_, name_, false) != 0) platform::RemoveFile(own_name_);
  Forget();
}

void StagedFile::EndCancelled() noexcept {
  if (!IsStaged()) return;
  ReleaseEarlier();
  platform::RemoveFile(own_name_);
  Forget();
}

void StagedFile::ReleaseEarlier() noexcept {
  if (earlier_ != platform::kNoFile) platform::CloseFile(std::exchange(earlier_, platform::kNoFile));
}

void StagedFile::Forget() noexcept {
  own_name_.clear();
  name_.clear();
  had_earlier_ = false;
}

}  // namespace vendral
