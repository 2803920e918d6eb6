#include "reports/ReportBuilder.h"

#include <initializer_list>
#include <string_view>

#include "fields/FieldInventory.h"
#include "reports/ReportOutline.h"

namespace qv {

namespace {

// Joins by appending: "literal" + a temporary string trips a false -Wrestrict in GCC 12.
std::string Cat(std::initializer_list<std::string_view> parts) {
  size_t size = 0;
  for (auto p : parts) size += p.size();
  std::string out;
  out.reserve(size);
  for (auto p : parts) out.append(p);
  return out;
}

std::string HtmlEscape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  return text;
}

const char* const HtmlHeader[] = {
    "<html>",
    "<title>Quorvel</title>",
    "<BODY bgcolor=\"#D5D6DB\" text=\"#2F345A\" link=\"#193073\" vlink=\"#4B5173\" alink=\"#4F5D85\">",
    "<STYLE>",
    "BODY",
    "{",
    "\tscrollbar-face-color: #E8E8F0; scrollbar-shadow-color: #E8E8F0;",
    "\tscrollbar-highlight-color: #E8E8F0; scrollbar-3dlight-color: white;",
    "\tscrollbar-darkshadow-color: black; scrollbar-track-color: #D5D6DB;",
    "\tscrollbar-arrow-color: #4F5D85;",
    "}",
    "</STYLE>",
    "<h3><FONT FACE=\"Bahamas Bold\" SIZE=\"+4\" COLOR=\"#E8E8F0\">",
    "Quorvel",
    "</font></h3>",
    "<UL>",
};

class ReportWriter {
public:
  ReportWriter(const PageFields& fields, ReportFormat format)
      : Fields(fields), Html(format == ReportFormat::rfHTML), L(Html ? "<br>" : "") {}

  std::vector<std::string> Lines;

  // Page texts go into markup escaped, so a device name or a memo line cannot add tags of its own.
  // A line break inside a value (a registry text may hold one) becomes a blank: the file's lines
  // end in CR LF and nowhere else.
  std::string Text(Field field) const { return Escape(Fields.Text(field)); }
  std::string Escape(const std::string& text) const { return Html ? HtmlEscape(OneLine(text)) : OneLine(text); }

  void Add(std::string line) { Lines.push_back(std::move(line)); }
  void HtmlOnly(std::string line) {
    if (Html) Add(std::move(line));
  }
  void Marked(const std::string& line) { Add(Cat({line, L})); }

  void Pair(Field caption, Field value) { Marked(Cat({" ", Text(caption), " ", Text(value)})); }
  void Head(Field caption) { Marked(Cat({" ", Text(caption)})); }

  void Memo(Field memo) {
    const bool drives = memo == Field::Drives;
    HtmlOnly("<em>");
    for (const auto& line : Fields.Lines(memo)) {
      if (line.empty()) continue;
      HtmlOnly(drives ? "<UL>" : "<UL><LI>");
      Marked(Cat({"    ", Escape(line)}));
      HtmlOnly(drives ? "</UL>" : "</UL></LI>");
    }
    HtmlOnly("</em>");
  }
  void HeadAndMemo(Field caption, Field memo) {
    Head(caption);
    Memo(memo);
  }

  void OpenSection(const std::string& heading) {
    HtmlOnly("<strong></UL>");
    Marked(heading);
    HtmlOnly("</strong><UL>");
    Add("");
  }
  void CloseSection() { Add(L); }

  const PageFields& Fields;
  const bool Html;
  const std::string L;
};

void WriteItem(ReportWriter& w, const TReportItem& item, const std::string& totalMemoryText) {
  using K = TReportItemKind;
  switch (item.Kind) {
    case K::riPair:
      w.Pair(item.Caption, item.Value);
      break;
    case K::riMemory:
      w.Marked(Cat({" ", w.Text(item.Caption), " ", w.Escape(totalMemoryText)}));
      break;
    case K::riMemo:
      w.HeadAndMemo(item.Caption, item.Value);
      break;
    case K::riFeatures: {
      std::string flags;
      for (Field box : FeatureBoxes)
        if (w.Fields.Checked(box)) flags += Cat({w.Text(box), " "});
      w.Marked(Cat({" ", w.Text(item.Caption), " ", flags}));
      break;
    }
    case K::riVersionBuild:
      w.Marked(Cat({" ", w.Text(item.Caption), " ", w.Text(item.Value), " (", w.Text(item.BuildCaption), " ",
                    w.Text(item.BuildValue), ")"}));
      break;
    case K::riAboutVersion:
      w.Marked(Cat({" Quorvel v", w.Text(item.Value)}));
      break;
    case K::riCredits:
      w.Marked(Cat({" ", w.Escape(CreditText)}));
      break;
    case K::riLicence:
      w.Add(w.L);
      w.Marked(Cat({" ", LicenceText}));
      w.Add(w.L);
      break;
    case K::riNotice:
      w.Marked(Cat({" ", w.Escape(NoticeText)}));
      break;
    case K::riHomePage:
      w.HtmlOnly(Cat({"<a target=\"_blank\" href=\"", w.Escape(w.Fields.Url(item.Value)), "\">"}));
      w.Add(Cat({" ", w.Text(item.Value)}));
      w.HtmlOnly("</a>");
      break;
  }
}

} // namespace

std::vector<std::string> BuildReportLines(const PageFields& fields, const std::string& totalMemoryText,
                                          ReportFormat format) {
  ReportWriter w(fields, format);
  const std::string date = fields.Text(Field::Date);

  if (w.Html) {
    for (const char* line : HtmlHeader) w.Add(line);
  } else {
    w.Add("QUORVEL " + w.Escape(date));
  }
  w.Add("");

  const auto& outline = ReportOutline();
  for (const TReportSection& section : outline) {
    w.OpenSection(section.Heading);
    for (const TReportItem& item : section.Items) WriteItem(w, item, totalMemoryText);
    // The last section, About, ends the report without an empty line.
    if (&section != &outline.back()) w.CloseSection();
  }
  if (w.Html) {
    w.Add("</UL>");
    w.Add("<h3><font FACE=\"Bahamas Bold\" SIZE=\"+4\" COLOR=\"#E8E8F0\">");
    w.Add(Cat({"Gathered on ", w.Escape(date), "<br>"}));
    w.Add("</font></h3>");
    w.Add("</body></html>");
  }
  return std::move(w.Lines);
}

} // namespace qv
