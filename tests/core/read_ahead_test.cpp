// Reading ahead on a thread of its own changes nothing a reader can see:
// the same lines, the same failure at the same place, the same progress.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/lines/line_file.h"
#include "support/compressed_samples.h"
#include "support/temp_folder.h"

namespace vendral {
namespace {

using testing::Bzip2Stream;
using testing::GzipMember;
using testing::SamplePayload;
using testing::XzStream;
using testing::ZstdFrame;

struct Form {
  const char* name;
  std::function<std::string(std::string_view)> store;
};

const std::vector<Form>& Forms() {
  static const std::vector<Form> forms = {
      {"Plain", [](std::string_view bytes) { return std::string(bytes); }},
      {"Gzip", GzipMember},
      // Blocks smaller than bgzip's, so that many wait at once.
      {"Bgzf", [](std::string_view bytes) { return testing::BgzfFile(bytes, 9000); }},
      {"XzBlocks", [](std::string_view bytes) { return testing::XzBlocks(bytes, 100000); }},
      {"Zstd", ZstdFrame},
      {"Xz", XzStream},
      {"Bzip2", Bzip2Stream},
  };
  return forms;
}

std::vector<Form> CompressedForms() { return {Forms().begin() + 1, Forms().end()}; }

class StoredCount : public ReadProgress {
 public:
  void BytesRead(std::uint64_t bytes) override { total += bytes; }
  std::uint64_t total = 0;
};

struct Reading {
  std::vector<std::string> lines;
  std::string failure;  // the IoError's message, when the reading failed
  std::uint64_t stored_reported = 0;
};

// Reads the file line by line, on as many threads as asked, until its end
// or its failure.
Reading ReadWith(const std::string& path, unsigned threads) {
  Reading reading;
  StoredCount progress;
  LineFile file(path);
  file.SetReadProgress(&progress);
  file.SetReadSettings({.threads = threads});
  try {
    file.OpenForReading();
    while (!file.AtEnd()) reading.lines.push_back(file.ReadLine());
    file.Close();
  } catch (const IoError& error) {
    reading.failure = error.what();
  }
  reading.stored_reported = progress.total;
  return reading;
}

// The progress of a reading that stops early depends on how far ahead the
// stored file was read; a whole reading reports every byte of it.
void ExpectSameReading(const Reading& expected, const Reading& actual) {
  EXPECT_EQ(expected.lines, actual.lines);
  EXPECT_EQ(expected.failure, actual.failure);
}

// Sample bytes with no byte 26 in them, which would end the text early.
std::string Payload(std::size_t size, std::uint32_t seed) {
  std::string payload = SamplePayload(size, seed);
  std::replace(payload.begin(), payload.end(), '\x1a', 'x');
  return payload;
}

class ReadAhead : public ::testing::TestWithParam<Form> {};

// Far more than the blocks that may wait, so the thread waits for the
// reader and the reader for the thread; lines of every length cross the
// block edges.
TEST_P(ReadAhead, GivesTheSameLinesAndProgressOnAnyNumberOfThreads) {
  testing::TempFolder folder;
  const std::string path = folder / "source";
  testing::WriteBytes(path, GetParam().store(Payload(5 << 18, 21)));
  const Reading alone = ReadWith(path, 1);
  ASSERT_EQ(alone.failure, "");
  ASSERT_GT(alone.lines.size(), 500u);
  EXPECT_EQ(alone.stored_reported, std::filesystem::file_size(path));
  for (const unsigned threads : {2u, 8u}) {
    SCOPED_TRACE(threads);
    const Reading reading = ReadWith(path, threads);
    ExpectSameReading(alone, reading);
    EXPECT_EQ(reading.stored_reported, alone.stored_reported);
  }
}

// Damage after byte 26 is never read; damage before it fails the reading
// after the same lines.
class DamagedReadAhead : public ::testing::TestWithParam<Form> {};

TEST_P(DamagedReadAhead, FailsWhereTheSourceFailsAndNeverSooner) {
  testing::TempFolder folder;
  const std::string payload = Payload(1 << 19, 5);
  const std::string stored = GetParam().store(payload);
  std::string cut_short = stored.substr(0, stored.size() * 3 / 4);
  std::string text_ended = GetParam().store(payload.substr(0, 200000) + '\x1a' + payload) + "damage";
  for (const std::string* bytes : {&cut_short, &text_ended}) {
    const std::string path = folder / "source";
    testing::WriteBytes(path, *bytes);
    const Reading alone = ReadWith(path, 1);
    EXPECT_EQ(alone.failure.empty(), bytes == &text_ended);
    ExpectSameReading(alone, ReadWith(path, 2));
  }
}

const auto kFormName = [](const auto& info) { return std::string(info.param.name); };
INSTANTIATE_TEST_SUITE_P(EveryForm, ReadAhead, ::testing::ValuesIn(Forms()), kFormName);
INSTANTIATE_TEST_SUITE_P(EveryForm, DamagedReadAhead, ::testing::ValuesIn(CompressedForms()), kFormName);

// A reader that stops after one line, while the thread has every block it
// may hold waiting, closes and goes at once.
TEST(ReadAheadStop, AReaderThatStopsEarlyClosesTheFile) {
  testing::TempFolder folder;
  const std::string path = folder / "source";
  testing::WriteBytes(path, "first\n" + Payload(4 << 20, 9));
  for (const bool close : {true, false}) {
    LineFile file(path);
    file.SetReadSettings({.threads = 8});
    file.OpenForReading();
    EXPECT_EQ(file.ReadLine(), "first");
    if (close) file.Close();  // otherwise the line file goes while reading
  }
}

}  // namespace
}  // namespace vendral
