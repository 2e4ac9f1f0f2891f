// Files that another process holds, with the sharing rule of this system
// (flock): a run may not write a file that anyone has open, nor read one
// that someone writes; it may read a file that others read.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include "fault_scene.h"

namespace vendral::testing {
namespace {

// A lock held by this process, which is another process to vendral-cli.
class HeldLock {
 public:
  HeldLock(const std::string& path, int operation) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    locked_ = fd_ >= 0 && ::flock(fd_, operation | LOCK_NB) == 0;
  }
  ~HeldLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  HeldLock(const HeldLock&) = delete;
  HeldLock& operator=(const HeldLock&) = delete;
  bool locked() const { return locked_; }

 private:
  int fd_;
  bool locked_ = false;
};

enum class Held { kOutput, kSource, kFilter };

struct LockCase {
  const char* name;
  const char* tool;
  Held held;
  int lock;          // LOCK_SH: someone reads; LOCK_EX: someone writes
  const char* err;   // empty: the run is done
  const char* left;  // what the output holds afterwards; nullptr: what it held before
};

void PrintTo(const LockCase& c, std::ostream* os) { *os << c.name; }

class LockedFile : public ::testing::TestWithParam<LockCase> {};

constexpr const char* kBefore = nullptr;

TEST_P(LockedFile, EndsAsTheSharingRuleSays) {
  const LockCase& c = GetParam();
  const ToolCall& tool = ToolNamed(c.tool);
  TempFolder out;
  FaultScene scene(MultiFasta(40, 70), out.path());
  const std::string faultless = c.err[0] == '\0' ? scene.FaultlessOutput(tool) : "";
  if (c.held == Held::kOutput) WriteBytes(scene.OutputOf(tool), "an earlier run's output\r\n");
  const std::string before = c.held == Held::kOutput ? ReadBytes(scene.OutputOf(tool)) : "";
  const std::string locked_path = c.held == Held::kOutput   ? scene.OutputOf(tool)
                                  : c.held == Held::kSource ? scene.source()
                                                            : scene.filter();
  HeldLock lock(locked_path, c.lock);
  ASSERT_TRUE(lock.locked());

  const CliResult result = scene.Run(tool, out.path());
  if (c.err[0] == '\0') {
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, kDoneLine);
    EXPECT_EQ(ReadBytes(scene.OutputOf(tool)), faultless);
  } else {
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(MessageLine(result.err), FailureLine(c.err));
    EXPECT_EQ(ReadBytes(scene.OutputOf(tool)), c.left ? std::string(c.left) : before);
  }
  scene.ExpectUntouched();
}

constexpr const char* kGcHeader = "Single-line description,,,GC%\r\n";

INSTANTIATE_TEST_SUITE_P(
    Holders, LockedFile,
    ::testing::Values(
        // The output is opened, and checked, before anything is written to it.
        LockCase{"OutputWrittenByAnother", "gc", Held::kOutput, LOCK_EX, "I/O error 32", kBefore},
        LockCase{"OutputReadByAnother", "gc", Held::kOutput, LOCK_SH, "I/O error 32", kBefore},
        LockCase{"LenmarkOutputReadByAnother", "lenmark", Held::kOutput, LOCK_SH, "I/O error 32", kBefore},
        LockCase{"ListrelOutputWrittenByAnother", "listrel", Held::kOutput, LOCK_EX, "I/O error 32", kBefore},
        // Ordinel leaves an existing output unopened whoever holds it.
        LockCase{"OrdinelOutputWrittenByAnother", "ordinel", Held::kOutput, LOCK_EX, "I/O error 103", kBefore},
        // The source is opened after the output, which keeps what was written first.
        LockCase{"SourceWrittenByAnother", "gc", Held::kSource, LOCK_EX, "I/O error 32", kGcHeader},
        LockCase{"ArdentaSourceWrittenByAnother", "ardenta", Held::kSource, LOCK_EX, "I/O error 32",
                 "Single-line description,,,thermostability index\r\n"},
        LockCase{"LenmarkSourceWrittenByAnother", "lenmark", Held::kSource, LOCK_EX, "I/O error 32", ""},
        LockCase{"ListrelSourceWrittenByAnother", "listrel", Held::kSource, LOCK_EX, "I/O error 32", ""},
        LockCase{"OrdinelSourceWrittenByAnother", "ordinel", Held::kSource, LOCK_EX, "I/O error 32", ""},
        LockCase{"FilterWrittenByAnother", "listrel", Held::kFilter, LOCK_EX, "I/O error 32", ""},
        // Readers share.
        LockCase{"SourceReadByAnother", "gc", Held::kSource, LOCK_SH, "", kBefore},
        LockCase{"OrdinelSourceReadByAnother", "ordinel", Held::kSource, LOCK_SH, "", kBefore},
        LockCase{"FilterReadByAnother", "listrel", Held::kFilter, LOCK_SH, "", kBefore}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vendral::testing
