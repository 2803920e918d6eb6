#include "tools/ReportTool.h"

#include <set>

#include "core/Errors.h"
#include "inventory/Compression.h"
#include "inventory/InventoryDocument.h"

namespace qv {

const std::vector<ReportOption>& ReportOptionTable() {
  static const std::vector<ReportOption> table = {
      {"--html", nullptr, "write the HTML report instead of the text report",
       [](ReportOptions& o, const std::string&) { o.Format = ReportFormat::rfHTML; }},
      {"--json", nullptr, "write the JSON report (UTF-8) instead of the text report",
       [](ReportOptions& o, const std::string&) { o.Json = true; }},
      {"--output", "FILE", "write the report to FILE instead of standard output",
       [](ReportOptions& o, const std::string& v) { o.OutputPath = v; }},
      {"--help", nullptr, "show this text", [](ReportOptions& o, const std::string&) { o.ShowHelp = true; }},
      {"--cpuid", "FILE", "read CPUID from a recorded dump instead of this processor",
       [](ReportOptions& o, const std::string& v) { o.CpuidDumpPath = v; }},
      {"--save-cpuid", "FILE", "write the CPUID leaves to FILE instead of a report",
       [](ReportOptions& o, const std::string& v) { o.SaveCpuidPath = v; }},
      {"--ocs", "FILE",
       "write this machine's inventory for an OCS Inventory server to FILE (to FOLDER\\DEVICEID.ocs "
       "for a FILE ending in \\)",
       [](ReportOptions& o, const std::string& v) { o.OcsPath = v; }},
      {"--ocs-server", "URL", "send this machine's inventory to the OCS Inventory server at URL",
       [](ReportOptions& o, const std::string& v) { o.OcsServer = v; }},
  };
  return table;
}

ParsedReportArguments ParseReportArguments(const std::vector<std::string>& args) {
  ParsedReportArguments parsed;
  std::set<std::string> seen;
  for (size_t i = 0; i < args.size(); ++i) {
    const ReportOption* option = nullptr;
    for (const auto& o : ReportOptionTable())
      if (args[i] == o.Name) option = &o;
    if (!option) {
      parsed.Error = "unknown argument " + args[i];
      return parsed;
    }
    if (!seen.insert(option->Name).second) {
      parsed.Error = args[i] + " given twice";
      return parsed;
    }
    std::string value;
    if (option->Value) {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        parsed.Error = args[i] + " needs " + option->Value;
        return parsed;
      }
      value = args[++i];
    }
    option->Apply(parsed.Options, value);
  }
  if (parsed.Options.Json && parsed.Options.Format == ReportFormat::rfHTML)
    parsed.Error = "--json and --html cannot be given together";
  else if (!parsed.Options.OcsServer.empty() && !ParseServerUrl(parsed.Options.OcsServer))
    parsed.Error = "--ocs-server needs the server's address, such as http://ocs.example/ocsinventory, not " +
                   parsed.Options.OcsServer;
  return parsed;
}

std::vector<std::u16string> SplitCommandLine(std::u16string_view line) {
  std::vector<std::u16string> args;
  size_t i = 0;
  const auto blank = [&](size_t k) { return line[k] == u' ' || line[k] == u'\t'; };
  // The program's name: quoted or up to the first blank, backslashes as they are.
  if (i < line.size() && line[i] == u'"') {
    size_t end = line.find(u'"', i + 1);
    i = end == std::u16string_view::npos ? line.size() : end + 1;
  }
  while (i < line.size() && !blank(i)) ++i;
  for (;;) {
    while (i < line.size() && blank(i)) ++i;
    if (i >= line.size()) break;
    std::u16string arg;
    bool quoted = false;
    while (i < line.size() && (quoted || !blank(i))) {
      size_t backslashes = 0;
      while (i < line.size() && line[i] == u'\\') ++backslashes, ++i;
      if (i < line.size() && line[i] == u'"') {
        arg.append(backslashes / 2, u'\\');
        if (backslashes % 2) {
          arg += u'"';
        } else if (quoted && i + 1 < line.size() && line[i + 1] == u'"') {
          arg += u'"'; // "" inside quotes is one quote
          ++i;
        } else {
          quoted = !quoted;
        }
        ++i;
      } else {
        arg.append(backslashes, u'\\');
        if (i < line.size() && (quoted || !blank(i))) arg += line[i++];
      }
    }
    args.push_back(arg);
  }
  return args;
}

void TakeFileNamesFrom(ParsedReportArguments& parsed, const std::vector<std::string>& utf8Arguments) {
  if (!parsed.Error.empty()) return;
  ParsedReportArguments again = ParseReportArguments(utf8Arguments);
  if (!again.Error.empty()) return;
  parsed.Options.OutputPath = again.Options.OutputPath;
  parsed.Options.CpuidDumpPath = again.Options.CpuidDumpPath;
  parsed.Options.SaveCpuidPath = again.Options.SaveCpuidPath;
  parsed.Options.OcsPath = again.Options.OcsPath;
}

std::string InventoryFilePath(const std::string& path, const std::string& deviceId) {
  if (path.empty() || (path.back() != '\\' && path.back() != '/')) return path;
  std::string name = deviceId;
  for (char& c : name)
    if (static_cast<unsigned char>(c) < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
      c = '_';
  return path + name + ".ocs";
}

std::string ReportUsage() {
  std::string usage = "usage: quorvel-report";
  std::string details;
  for (const auto& o : ReportOptionTable()) {
    std::string spelled = std::string(o.Name) + (o.Value ? std::string(" ") + o.Value : "");
    usage += " [" + spelled + "]";
    details += "  " + spelled + std::string(spelled.size() < 16 ? 16 - spelled.size() : 1, ' ') + o.Help + "\n";
  }
  return usage + "\n" + details;
}

namespace {

// The report the options ask for, to the output file or standard output.
int WriteReport(const ReportOptions& options, const PageFields& fields, const PassState& state, TextSink& out,
                TextSink& err, ReportFileSystem& fs) {
  auto lines = options.Json ? BuildJsonReport(fields, state.TotalMemoryText, state.Raw, options.ToUtf8)
                            : BuildReportLines(fields, state.TotalMemoryText, options.Format);
  if (!options.OutputPath.empty()) {
    try {
      WriteReportFile(options.OutputPath, lines, fs);
    } catch (const Exception& e) {
      err << e.Message() << "\n";
      return ExitCannotWrite;
    }
    return ExitReportWritten;
  }
  const std::string bytes = ReportFileBytes(lines);
  out.Write(bytes.data(), bytes.size());
  if (!out.Flush()) {
    err << "Cannot write to standard output\n";
    return ExitCannotWrite;
  }
  return ExitReportWritten;
}

// The inventory of the pass into its file, then to its server.
int DeliverInventory(const ReportOptions& options, const PageFields& fields, const PassState& state, TextSink& out,
                     TextSink& err, ReportFileSystem& fs, InventoryTransport* transport) {
  const InventoryRequest request = BuildInventory(fields, state.Raw, options.ToUtf8);
  if (!options.OcsPath.empty()) {
    try {
      WriteWholeFile(InventoryFilePath(options.OcsPath, request.DeviceId), Compress(request.Xml), fs);
    } catch (const Exception& e) {
      err << e.Message() << "\n";
      return ExitCannotWrite;
    }
  }
  if (options.OcsServer.empty()) return ExitReportWritten;
  const std::optional<ServerUrl> url = ParseServerUrl(options.OcsServer);
  SendResult sent;
  if (url && transport) {
    sent = SendInventory(*transport, *url, request.DeviceId, request.Xml);
  } else {
    sent.Result = SendResult::Outcome::Unreachable;
    sent.Message = "The inventory cannot be sent from here: there is no way to reach a server.";
  }
  for (const auto& line : sent.Answers) out << line << "\r\n";
  out.Flush();
  switch (sent.Result) {
    case SendResult::Outcome::Sent:
      return ExitReportWritten;
    case SendResult::Outcome::NotWanted:
      out << sent.Message << "\r\n";
      out.Flush();
      return ExitReportWritten;
    case SendResult::Outcome::Refused:
      err << sent.Message << "\n";
      return ExitServerRefused;
    case SendResult::Outcome::Unreachable:
      err << sent.Message << "\n";
      return ExitServerUnreachable;
  }
  return ExitReportWritten;
}

} // namespace

int RunReport(const ReportOptions& options, PageFields& fields, GatherSources& sources, TextSink& out, TextSink& err,
              ReportFileSystem& fs, InventoryTransport* transport) {
  if (options.ShowHelp) {
    out << ReportUsage();
    return ExitReportWritten;
  }
  int status = ExitReportWritten;
  PassState state;
  PassHost noWindow;
  try {
    RunGatheringPass(fields, state, sources, noWindow);
  } catch (const std::exception& e) {
    err << e.what() << "\n";
    status = ExitPassError;
  }

  const bool inventory = !options.OcsPath.empty() || !options.OcsServer.empty();
  int written = ExitReportWritten, delivered = ExitReportWritten;
  if (!inventory || !options.OutputPath.empty()) written = WriteReport(options, fields, state, out, err, fs);
  if (inventory) delivered = DeliverInventory(options, fields, state, out, err, fs, transport);
  if (written != ExitReportWritten) return written;
  if (delivered != ExitReportWritten) return delivered;
  return status;
}

} // namespace qv
