// Page fields filled with any texts, memo lines, check marks and link, built into the text and the
// HTML report. Beyond not crashing: in the HTML no "<" of a value survives unescaped, and in the
// file bytes of either report every line ends in CR LF.
#include <algorithm>
#include <unordered_set>

#include "FuzzFields.h"
#include "FuzzInput.h"
#include "fields/FieldInventory.h"
#include "reports/ReportBuilder.h"
#include "reports/ReportFile.h"

namespace {

using qv::fuzz::Input;

// The markup lines the HTML report writes of its own, each a line by itself.
const std::unordered_set<std::string>& MarkupLines() {
  static const std::unordered_set<std::string> lines = {
      "<html>",
      "<title>Quorvel</title>",
      "<BODY bgcolor=\"#D5D6DB\" text=\"#2F345A\" link=\"#193073\" vlink=\"#4B5173\" alink=\"#4F5D85\">",
      "<STYLE>",
      "</STYLE>",
      "<h3><FONT FACE=\"Bahamas Bold\" SIZE=\"+4\" COLOR=\"#E8E8F0\">",
      "</font></h3>",
      "<UL>",
      "</UL>",
      "<UL><LI>",
      "</UL></LI>",
      "<em>",
      "</em>",
      "<strong></UL>",
      "</strong><UL>",
      "<br>",
      "</a>",
      "<h3><font FACE=\"Bahamas Bold\" SIZE=\"+4\" COLOR=\"#E8E8F0\">",
      "</body></html>",
  };
  return lines;
}

// Every "<" of a line that carries a value belongs to the markup around it: the link's opening
// tag, or the "<br>" that ends the line.
void CheckEscaped(const std::string& line) {
  if (MarkupLines().count(line)) return;
  std::string rest = line;
  const std::string link = "<a target=\"_blank\" href=\"";
  if (rest.compare(0, link.size(), link) == 0) {
    FUZZ_CHECK(rest.size() >= link.size() + 2 && rest.compare(rest.size() - 2, 2, "\">") == 0);
    rest = rest.substr(link.size(), rest.size() - link.size() - 2);
    FUZZ_CHECK(rest.find('"') == std::string::npos); // the link value cannot close its attribute
  } else if (rest.size() >= 4 && rest.compare(rest.size() - 4, 4, "<br>") == 0) {
    rest.resize(rest.size() - 4);
  }
  FUZZ_CHECK(rest.find('<') == std::string::npos);
  FUZZ_CHECK(rest.find('>') == std::string::npos);
}

// The file bytes split into lines at CR LF: no line holds a CR or LF of its own, and the file
// ends in CR LF.
void CheckLineEnds(const std::vector<std::string>& lines) {
  const std::string bytes = qv::ReportFileBytes(lines);
  FUZZ_CHECK(bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0);
  size_t count = 0;
  for (size_t at = 0; at < bytes.size();) {
    size_t end = bytes.find("\r\n", at);
    FUZZ_CHECK(end != std::string::npos);
    FUZZ_CHECK(std::none_of(bytes.begin() + at, bytes.begin() + end, [](char c) { return c == '\r' || c == '\n'; }));
    at = end + 2;
    ++count;
  }
  FUZZ_CHECK(count == lines.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  // One format per input keeps the target fast enough for ten million runs.
  const bool html = in.Bool();
  qv::fuzz::FuzzFields fields;
  for (const auto& field : qv::FieldInventory()) {
    uint8_t how = in.Byte();
    if (!(how & 1)) continue; // left at its design value
    switch (field.Kind) {
      case qv::FieldKind::fkMemo: {
        fields.ClearLines(field.Id);
        for (size_t n = in.Pick(4); n > 0; --n) fields.AddLine(field.Id, in.Text(32));
        break;
      }
      case qv::FieldKind::fkCheck:
        fields.SetChecked(field.Id, how & 2);
        if (how & 4) fields.SetText(field.Id, in.Text(16));
        break;
      case qv::FieldKind::fkUrl:
        if (how & 2) fields.SetUrl(field.Id, in.Text(32));
        fields.SetText(field.Id, in.Text(32));
        break;
      default:
        fields.SetText(field.Id, in.Text(32));
    }
  }
  const std::string totalMemory = in.Text(24);

  const auto lines =
      qv::BuildReportLines(fields, totalMemory, html ? qv::ReportFormat::rfHTML : qv::ReportFormat::rfText);
  CheckLineEnds(lines);
  if (html)
    for (const auto& line : lines) CheckEscaped(line);
  return 0;
}
