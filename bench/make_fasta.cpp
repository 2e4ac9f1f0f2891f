// Writes a reproducible multiFASTA file of about the requested size, in one
// of the shapes the benchmark times, with CR LF or LF line breaks:
//   dna60    records of 200 to 3000 bases in 60-character lines (default)
//   reads    single-line records of 150 bases, like short sequencer reads
//   single   one record whose sequence is one line of the whole size
//   protein  records of 50 to 1500 residues in 60-character lines
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Shape {
  const char* name;
  const char* letters;  // drawn uniformly: repeats weight a letter
  std::uint32_t shortest, longest, width;  // width 0: one line per record
};

// N only now and then, as in real assemblies.
const Shape kShapes[] = {
    {"dna60", "ACGTACGTACGTACGTN", 200, 3000, 60},
    {"reads", "ACGTACGTACGTACGTN", 150, 150, 0},
    {"single", "ACGTACGTACGTACGTN", 0, 0, 0},
    {"protein", "ACDEFGHIKLMNPQRSTVWYLLAGEVSK", 50, 1500, 60},
};

std::uint64_t state = 42;
std::uint32_t Next() {
  state = state * 6364136223846793005ULL + 1442695040888963407ULL;
  return static_cast<std::uint32_t>(state >> 33);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: make_fasta OUTPUT MEGABYTES [dna60|reads|single|protein] [crlf]\n");
    return 64;
  }
  const Shape* shape = &kShapes[0];
  const char* line_break = "\n";
  for (int i = 3; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "crlf") {
      line_break = "\r\n";
      continue;
    }
    shape = nullptr;
    for (const Shape& s : kShapes) {
      if (arg == s.name) shape = &s;
    }
    if (!shape) {
      std::fprintf(stderr, "make_fasta: unknown shape %s\n", argv[i]);
      return 64;
    }
  }
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out) {
    std::perror(argv[1]);
    return 1;
  }
  const std::uint64_t target = std::strtoull(argv[2], nullptr, 10) * 1000 * 1000;
  const std::string letters = shape->letters;
  const bool one_record = shape->longest == 0;
  std::uint64_t written = 0;
  std::string line;
  for (std::uint64_t record = 1; written < target; ++record) {
    written += static_cast<std::uint64_t>(std::fprintf(
        out, ">%s%llu synthetic record, length test%s", one_record ? "single" : "seq",
        static_cast<unsigned long long>(record), line_break));
    std::uint64_t length = one_record ? target - written
                                      : shape->shortest + Next() % (shape->longest - shape->shortest + 1);
    // A single-line record is written in pieces, never held whole.
    const std::uint64_t width = shape->width ? shape->width : one_record ? 1 << 16 : length;
    while (length > 0) {
      const std::uint64_t take = length < width ? length : width;
      line.clear();
      for (std::uint64_t i = 0; i < take; ++i) line += letters[Next() % letters.size()];
      length -= take;
      if (shape->width || length == 0) line += line_break;
      std::fwrite(line.data(), 1, line.size(), out);
      written += line.size();
    }
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
