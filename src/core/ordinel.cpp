#include "core/ordinel.h"

#include <charconv>
#include <cstdint>
#include <string_view>

#include "core/line_file.h"
#include "core/record_reader.h"
#include "core/run_frame.h"
#include "core/run_progress.h"

namespace vendral {
namespace {

// ">" and the number; the buffer is reused from line to line.
class ReplacementLine {
 public:
  std::string_view For(std::int64_t number) {
    const auto end = std::to_chars(text_ + 1, text_ + sizeof text_, number).ptr;
    return {text_, static_cast<std::size_t>(end - text_)};
  }

 private:
  char text_[24] = {'>'};
};

}  // namespace

void RunOrdinel(RunHost& host, const std::string& source_path) {
  NormalizeOutputFolder(host);
  std::int64_t running_number = 0;
  if (!IsExistingFile(source_path)) {
    host.ShowNotice(kMissingFileText);
    return;
  }
  EnsureOutputFolder(host);
  LineFile output(MakeOutputFileName(host, source_path, "Ordinel", ".fas"), OutputTarget(host));
  // An earlier output is left unopened, so the first write (or the close)
  // fails with the not-open error and the earlier file stays as it was.
  // Standard output holds no earlier output to keep.
  if (output.WritesStandardOutput() || !IsExistingFile(output.name())) output.OpenForWriting();
  RunProgress progress(host, "Ordinel", source_path, {source_path});
  progress.DiscardOnCancel(output);
  LineFile source(source_path);
  source.SetReadProgress(&progress);
  source.OpenForReading();
  ReplacementLine replacement;
  // Lines are copied in pieces, so that a line of any length passes
  // through a block's worth of memory.
  while (!source.AtEnd()) {
    bool line_ended = false;
    std::string_view piece = source.ReadLinePiece(line_ended);
    if (IsDescription(piece)) {
      output.Write(replacement.For(++running_number));
      while (!line_ended) source.ReadLinePiece(line_ended);
    } else {
      for (;;) {
        output.Write(piece);
        if (line_ended) break;
        piece = source.ReadLinePiece(line_ended);
      }
    }
    output.Write("\r\n");
  }
  source.Close();
  output.Close();
  ReportDone(host);
}

}  // namespace vendral
