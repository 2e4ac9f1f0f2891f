// Writes a reproducible multiFASTA nucleotide file of about the requested
// size: records of 200 to 3000 bases in 60-character lines, CR LF or LF.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: make_fasta OUTPUT MEGABYTES [crlf]\n");
    return 64;
  }
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out) {
    std::perror(argv[1]);
    return 1;
  }
  const std::uint64_t target = std::strtoull(argv[2], nullptr, 10) * 1000 * 1000;
  const char* line_break = argc > 3 && std::string(argv[3]) == "crlf" ? "\r\n" : "\n";
  std::uint64_t state = 42, written = 0;
  auto next = [&state] {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<std::uint32_t>(state >> 33);
  };
  static const char kBases[] = "ACGTACGTACGTACGTN";
  std::string line;
  for (std::uint64_t record = 1; written < target; ++record) {
    written += static_cast<std::uint64_t>(
        std::fprintf(out, ">seq%llu synthetic record, length test%s", static_cast<unsigned long long>(record), line_break));
    std::uint32_t length = 200 + next() % 2801;
    while (length > 0) {
      const std::uint32_t width = length < 60 ? length : 60;
      line.clear();
      for (std::uint32_t i = 0; i < width; ++i) line += kBases[next() % 17];
      line += line_break;
      std::fwrite(line.data(), 1, line.size(), out);
      written += line.size();
      length -= width;
    }
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
