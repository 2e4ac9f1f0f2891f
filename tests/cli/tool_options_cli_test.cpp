// The command line's options beyond the window's fields: each output file
// compared whole, with the edge cases a user would meet.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli_run.h"
#include "support/temp_folder.h"

namespace vendral {
namespace {

using testing::ReadBytes;
using testing::RunCli;
using testing::TempFolder;
using testing::WriteBytes;

using Arguments = std::vector<std::string>;

struct OutputCase {
  Arguments args;      // run in a folder that holds s.fa and list.txt
  std::string output;  // the file written
  std::string bytes;   // all of it
};

// Runs each case on the source and checks the whole output file and "Done!".
void ExpectOutputs(const std::string& source, const std::string& list, const std::vector<OutputCase>& cases) {
  for (const OutputCase& c : cases) {
    TempFolder folder;
    WriteBytes(folder / "s.fa", source);
    WriteBytes(folder / "list.txt", list);
    const auto result = RunCli(folder.path(), c.args);
    SCOPED_TRACE(c.args.front() + " " + c.args.back());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Done!\n");
    EXPECT_EQ(ReadBytes(folder / c.output), c.bytes);
  }
}

TEST(ToolOptionsCli, LfEndsEveryWrittenLineWithLf) {
  const std::string source = "skipped\r\n>1\r\nAC\nGT\r\n\n>2\nGGGG\n>3";
  ExpectOutputs(source, "2\r\n3\n",
                {{{"gc", "s.fa", "--lf"}, "s.fa.GC-Content.csv",
                  "Single-line description,,,GC%\n>1,,,50\n>2,,,100\n>3,,,error: \n"},
                 {{"ardenta", "--lf", "s.fa"}, "s.fa.Ardenta.csv",
                  "Single-line description,,,thermostability index\n>1,,,25\n>2,,,0\n>3,,,error: \n"},
                 {{"lenmark", "s.fa", "--compare", ">", "--length", "0", "--lf"}, "s.fa.Lenmark.fas",
                  ">1\nAC\nGT\n>2\nGGGG\n"},
                 {{"listrel", "s.fa", "--filter", "list.txt", "--lf"}, "s.fa.Listrel.fas", ">1\nAC\nGT\n\n"},
                 {{"ordinel", "s.fa", "--lf"}, "s.fa.Ordinel.fas", "skipped\n>1\nAC\nGT\n\n>2\nGGGG\n>3\n"}});
}

TEST(ToolOptionsCli, LenmarkKeepsTheLengthsOfARange) {
  // Lengths 0, 3, 5 (over two lines and a blank one) and 8.
  const std::string source = ">none\n>three\nA C\n>five\nAC\n\nGTA\n>eight\nACGTACGT";
  const auto lenmark = [](Arguments range) {
    Arguments args = {"lenmark", "s.fa"};
    args.insert(args.end(), range.begin(), range.end());
    return args;
  };
  const std::string none = ">none\r\n\r\n", three = ">three\r\nA C\r\n", five = ">five\r\nAC\nGTA\r\n",
                    eight = ">eight\r\nACGTACGT\r\n";
  ExpectOutputs(source, "",
                {{lenmark({"--min", "3", "--max", "5"}), "s.fa.Lenmark.fas", three + five},
                 {lenmark({"--min", "5"}), "s.fa.Lenmark.fas", five + eight},
                 {lenmark({"--max", "03"}), "s.fa.Lenmark.fas", none + three},
                 {lenmark({"--min", "5", "--max", "5"}), "s.fa.Lenmark.fas", five},
                 {lenmark({"--min", "6", "--max", "2"}), "s.fa.Lenmark.fas", ""},
                 {lenmark({"--min", "0", "--max", "9223372036854775807"}), "s.fa.Lenmark.fas",
                  none + three + five + eight}});
}

TEST(ToolOptionsCli, SkipLettersCountNeitherAsHitsNorInTheTotal) {
  // Only N, the unknown base, in b; a blank inside a line still counts.
  const std::string source = ">a,1\nACGTN\nnn\n>b\nNNNN\n>c\nG N C \n>p\nMALA-\n";
  const std::string gc = "Single-line description,,,GC%\r\n";
  const std::string ardenta = "Single-line description,,,thermostability index\r\n";
  ExpectOutputs(source, "",
                {{{"gc", "s.fa", "--skip-letters", "N"}, "s.fa.GC-Content.csv",
                  gc + ">a.1,,,33.3333333333333\r\n>b,,,error: \r\n>c,,,50\r\n>p,,,0\r\n"},
                 {{"gc", "s.fa", "--skip-letters", "Nn "}, "s.fa.GC-Content.csv",
                  gc + ">a.1,,,50\r\n>b,,,error: \r\n>c,,,100\r\n>p,,,0\r\n"},
                 {{"ardenta", "s.fa", "--skip-letters", "L-", "--lf"}, "s.fa.Ardenta.csv",
                  "Single-line description,,,thermostability index\n>a.1,,,14.2857142857143\n>b,,,0\n"
                  ">c,,,20\n>p,,,33.3333333333333\n"},
                 {{"ardenta", "s.fa", "--skip-letters", ""}, "s.fa.Ardenta.csv",
                  ardenta + ">a.1,,,14.2857142857143\r\n>b,,,0\r\n>c,,,20\r\n>p,,,40\r\n"}});
}

TEST(ToolOptionsCli, OrdinelNumbersWithPrefixAndStartAndWritesTheMap) {
  // Ten records, so that the number gains a digit; tabs and a CR LF in
  // the old descriptions, and one line of ">" alone.
  std::string source = "before\n>sp|P1\tname\twith tabs\r\nMK\n";
  for (int i = 2; i <= 10; ++i) source += i == 5 ? ">\n" : ">r" + std::to_string(i) + " x\nAC\n";
  const auto numbered = [](const std::string& prefix, int start, const std::string& eol) {
    std::string output = "before" + eol + ">" + prefix + std::to_string(start) + eol + "MK" + eol;
    for (int i = 2; i <= 10; ++i) {
      output += ">" + prefix + std::to_string(start + i - 1) + eol + (i == 5 ? "" : "AC" + eol);
    }
    return output;
  };
  std::string map = "number\tdescription\nid_9\tsp|P1\tname\twith tabs\n";
  for (int i = 2; i <= 10; ++i) {
    map += "id_" + std::to_string(8 + i) + "\t" + (i == 5 ? "" : "r" + std::to_string(i) + " x") + "\n";
  }
  ExpectOutputs(source, "",
                {{{"ordinel", "s.fa", "--prefix", "id_", "--start", "9"}, "s.fa.Ordinel.fas",
                  numbered("id_", 9, "\r\n")},
                 {{"ordinel", "s.fa", "--start", "0", "--lf"}, "s.fa.Ordinel.fas", numbered("", 0, "\n")},
                 {{"ordinel", "s.fa", "--prefix", "id_", "--start", "9", "--map", "m.tsv"}, "m.tsv", map}});
}

TEST(ToolOptionsCli, OrdinelNeverOverwritesTheMap) {
  TempFolder folder;
  WriteBytes(folder / "s.fa", ">a\nAC\n");
  WriteBytes(folder / "m.tsv", "earlier");
  const auto result = RunCli(folder.path(), {"ordinel", "s.fa", "--map", "m.tsv", "-o", "out"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "I/O error 103.\nvendral-cli: m.tsv exists, and Ordinel never overwrites\n");
  EXPECT_EQ(ReadBytes(folder / "m.tsv"), "earlier");
  EXPECT_FALSE(std::filesystem::exists(folder / "out/s.fa.Ordinel.fas"));
}

TEST(ToolOptionsCli, ListrelByNameKeepsRecordsAsTheyStand) {
  const std::string source = "before\n>r1 first read\nACGT\n\nGG\r\n>r2\tsecond\nTT\n>r3\n>r10 x\nAAA";
  // A CR LF, a blank line, a name listed twice; "r1 " is no name of r1.
  const std::string names = "r2\r\n\nr10\nr1 \nr3x\nr2\n";
  const std::string r1_r3 = ">r1 first read\r\nACGT\r\n\r\nGG\r\n>r3\r\n";
  const Arguments by_name = {"listrel", "s.fa", "--filter", "list.txt", "--by-name"};
  const auto with = [&](std::vector<std::string> more) {
    Arguments args = by_name;
    args.insert(args.end(), more.begin(), more.end());
    return args;
  };
  ExpectOutputs(source, names,
                {{with({"--extract"}), "s.fa.Listrel.fas", ">r2\tsecond\r\nTT\r\n>r10 x\r\nAAA\r\n"},
                 {by_name, "s.fa.Listrel.fas", r1_r3},
                 {with({"--extract", "--lf"}), "s.fa.Listrel.fas", ">r2\tsecond\nTT\n>r10 x\nAAA\n"}});
  // An empty filter lists no name.
  ExpectOutputs(source, "",
                {{with({"--extract"}), "s.fa.Listrel.fas", ""},
                 {by_name, "s.fa.Listrel.fas",
                  ">r1 first read\r\nACGT\r\n\r\nGG\r\n>r2\tsecond\r\nTT\r\n>r3\r\n>r10 x\r\nAAA\r\n"}});
}

// Another format's file, or a binary one: done as the window is, with a note.
TEST(ToolOptionsCli, ASourceWithoutRecordsGetsANote) {
  TempFolder folder;
  WriteBytes(folder / "s.fa", std::string("\x7f" "ELF\0\0 >x\n", 10));
  WriteBytes(folder / "list.txt", "1\n");
  const std::string note = "vendral-cli: note: s.fa holds no record (no line begins with '>')\n";
  for (const Arguments& args : std::vector<Arguments>{{"gc", "s.fa"},
                                                      {"ardenta", "s.fa", "--skip-letters", "X"},
                                                      {"lenmark", "s.fa", "--min", "0"},
                                                      {"listrel", "s.fa", "--filter", "list.txt"},
                                                      {"listrel", "s.fa", "--filter", "list.txt", "--by-name"},
                                                      {"ordinel", "s.fa", "--stdout"}}) {
    const auto result = RunCli(folder.path(), args);
    SCOPED_TRACE(args.front() + " " + args.back());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, args.back() == "--stdout" ? note + "Done!\n" : note);
  }
}

}  // namespace
}  // namespace vendral
