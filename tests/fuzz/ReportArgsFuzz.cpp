// Any argument list for quorvel-report (the input split at zero bytes): it is taken or refused
// with a message, and what is taken is exactly what the arguments say.
#include <algorithm>

#include "FuzzInput.h"
#include "tools/ReportTool.h"

namespace {

const char* const Words[] = {"--html", "--output", "--help", "--cpuid", "--save-cpuid", "",
                             "-",      "--",       "--json", "--ocs",   "--ocs-server"};

// The arguments that give these options, in the table's order.
std::vector<std::string> Spelled(const qv::ReportOptions& o) {
  std::vector<std::string> args;
  if (o.Format == qv::ReportFormat::rfHTML) args.push_back("--html");
  if (o.Json) args.push_back("--json");
  if (!o.OutputPath.empty()) args.insert(args.end(), {"--output", o.OutputPath});
  if (o.ShowHelp) args.push_back("--help");
  if (!o.CpuidDumpPath.empty()) args.insert(args.end(), {"--cpuid", o.CpuidDumpPath});
  if (!o.SaveCpuidPath.empty()) args.insert(args.end(), {"--save-cpuid", o.SaveCpuidPath});
  if (!o.OcsPath.empty()) args.insert(args.end(), {"--ocs", o.OcsPath});
  if (!o.OcsServer.empty()) args.insert(args.end(), {"--ocs-server", o.OcsServer});
  return args;
}

bool Same(const qv::ReportOptions& a, const qv::ReportOptions& b) {
  return a.Format == b.Format && a.Json == b.Json && a.OutputPath == b.OutputPath && a.ShowHelp == b.ShowHelp &&
         a.CpuidDumpPath == b.CpuidDumpPath && a.SaveCpuidPath == b.SaveCpuidPath && a.OcsPath == b.OcsPath &&
         a.OcsServer == b.OcsServer;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Each argument is a zero-terminated piece; a piece of one byte below 9 stands for a known word,
  // so the fuzzer reaches the options without having to spell them.
  std::vector<std::string> args;
  std::string piece;
  for (size_t i = 0; i <= size && args.size() < 32; ++i) {
    if (i < size && data[i] != 0) {
      piece += static_cast<char>(data[i]);
      continue;
    }
    if (piece.size() == 1 && static_cast<uint8_t>(piece[0]) < std::size(Words))
      piece = Words[static_cast<uint8_t>(piece[0])];
    args.push_back(piece);
    piece.clear();
  }
  if (size == 0) args.clear();

  qv::ParsedReportArguments parsed = qv::ParseReportArguments(args);
  if (!parsed.Error.empty()) {
    // The message names the argument at fault.
    FUZZ_CHECK(std::any_of(args.begin(), args.end(),
                           [&](const std::string& a) { return parsed.Error.find(a) != std::string::npos; }));
    return 0;
  }
  // Taken: every argument was an option or its value, each option once, and spelling the result
  // out again gives the same options.
  size_t expected = Spelled(parsed.Options).size();
  FUZZ_CHECK(expected == args.size());
  qv::ParsedReportArguments again = qv::ParseReportArguments(Spelled(parsed.Options));
  FUZZ_CHECK(again.Error.empty() && Same(again.Options, parsed.Options));
  if (std::find(args.begin(), args.end(), "--html") == args.end())
    FUZZ_CHECK(parsed.Options.Format == qv::ReportFormat::rfText);
  if (std::find(args.begin(), args.end(), "--json") == args.end()) FUZZ_CHECK(!parsed.Options.Json);
  return 0;
}
