#include "fault_scene.h"

#include <stdexcept>

namespace vendral::testing {

const std::vector<ToolCall>& FiveTools() {
  static const std::vector<ToolCall> tools = {
      {"gc", {}, ".GC-Content.csv"},
      {"ardenta", {}, ".Ardenta.csv"},
      {"lenmark", {"--compare", ">", "--length", "1"}, ".Lenmark.fas"},
      // Excluding few records, so that the output grows while the source is read.
      {"listrel", {"--exclude"}, ".Listrel.fas"},
      {"ordinel", {}, ".Ordinel.fas"},
  };
  return tools;
}

const ToolCall& ToolNamed(const std::string& name) {
  for (const ToolCall& tool : FiveTools()) {
    if (tool.name == name) return tool;
  }
  throw std::invalid_argument("no tool " + name);
}

std::string MultiFasta(int count, std::size_t line_length) {
  static constexpr char kLetters[] = "ACGTLVWIFMPKR";
  std::string text;
  for (int record = 1; record <= count; ++record) {
    text += ">" + std::to_string(record) + "\n";
    for (std::size_t i = 0; i < line_length; ++i) text += kLetters[(record * 7 + i) % 13];
    text += "\n";
  }
  return text;
}

FaultScene::FaultScene(const std::string& source_bytes, const std::string& output_folder,
                       const std::string& filter_bytes)
    : output_folder_(output_folder) {
  WriteBytes(source(), source_bytes);
  WriteBytes(filter(), filter_bytes);
  WriteBytes(earlier_output(), ">1\r\nKEPT\r\n");
  WriteBytes(settings(), "[Form1]\r\nEdit6=/data/keep.fa\r\nEdit4=" + output_folder + "\r\n");
  for (const std::string& path : {source(), filter(), earlier_output(), settings()}) untouched_.Add(path);
}

std::string FaultScene::OutputOf(const ToolCall& tool, const std::string& folder) const {
  return (folder.empty() ? output_folder_ : folder) + kSourceName + tool.output_suffix;
}

std::vector<std::string> FaultScene::Arguments(const ToolCall& tool, const std::string& folder) const {
  std::vector<std::string> args{tool.name, source()};
  args.insert(args.end(), tool.options.begin(), tool.options.end());
  if (tool.name == "listrel") args.insert(args.end(), {"--filter", filter()});
  args.insert(args.end(), {"-o", folder});
  return args;
}

ChildProcess FaultScene::Start(const ToolCall& tool, const std::string& folder, const StartGate* gate) {
  return ChildProcess(VENDRAL_CLI_PATH, Arguments(tool, folder), inputs_.path(),
                      roomy_ / ("run" + std::to_string(++runs_)), gate);
}

CliResult FaultScene::Run(const ToolCall& tool, const std::string& folder) {
  return Start(tool, folder).Wait();
}

std::string FaultScene::FaultlessOutput(const ToolCall& tool) {
  const std::string folder = roomy_ / ("faultless-" + tool.name + "/");
  const CliResult result = Run(tool, folder);
  if (result.out != kDoneLine) throw std::runtime_error("the faultless run failed: " + result.err);
  return ReadBytes(OutputOf(tool, folder));
}

}  // namespace vendral::testing
