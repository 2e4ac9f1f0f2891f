// The file a run writes its output into until the run is over: a new file
// of its own beside the output, so that an earlier output of that name
// stays as it was unless the run is done. Kept apart from the line file,
// which only writes into the handle it is given.
#pragma once

#include <string>

#include "platform/platform.h"

namespace vendral {

class StagedFile {
 public:
  // Which name a done run may take.
  enum class Overwrite {
    kReplace,  // an earlier file of the name is replaced
    kNever,    // a file of the name, also one that appeared during the run, stays
  };

  // The own file's name: the output's, ".partial-" and the process number,
  // cut where it would pass the longest name a file may have.
  static std::string OwnName(const std::string& name, long process);

  StagedFile() = default;
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;
  // A file still staged when it goes away belongs to a failed run.
  ~StagedFile() { EndFailed(); }

  // Holds an earlier file of the name (the sharing rule of any writer),
  // removes the own files that killed runs left for the same name, and
  // creates the own file, open for writing in file. Returns 0 or the code
  // of the refusal; then nothing was created or changed.
  int Open(const std::string& name, platform::FileHandle& file);
  bool IsStaged() const { return !own_name_.empty(); }

  // The rest take a closed own file.
  // The done run's ending: the own file takes the name. Returns 0, or the
  // code of the refusal (kNameTaken with Overwrite::kNever); then the own
  // file is gone and the name stays as it was.
  int PutInPlace(Overwrite overwrite);
  // A failed run's ending: an earlier file stays and the own one goes;
  // without one, what the run wrote becomes the file of the name.
  void EndFailed() noexcept;
  // A cancelled run's ending: the own file goes; an earlier file stays.
  void EndCancelled() noexcept;

 private:
  void RemoveLeftovers(const std::string& name) const;
  void ReleaseEarlier() noexcept;
  void Forget() noexcept;

  std::string name_;
  std::string own_name_;
  platform::FileHandle earlier_ = platform::kNoFile;  // held while the run writes
  bool had_earlier_ = false;
};

}  // namespace vendral
