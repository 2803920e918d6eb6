#include "reports/JsonReport.h"

#include <cmath>
#include <cstdio>

#include "fields/FieldInventory.h"
#include "reports/AnsiText.h"
#include "reports/ReportOutline.h"

namespace qv {

namespace {

const char Hex[] = "0123456789abcdef";

void AppendEscape(std::string& out, char32_t c) {
  out += "\\u00";
  out += Hex[(c >> 4) & 0xF];
  out += Hex[c & 0xF];
}

// Writes the document a line at a time, two blanks per level, commas between members.
class JsonLines {
public:
  std::vector<std::string> Lines;

  void Open(const std::string& name, char bracket) {
    Start(name, std::string(1, bracket));
    Counts.push_back(0);
  }
  void Close(char bracket) {
    Counts.pop_back();
    Lines.push_back(Indent() + bracket);
  }
  // name is empty inside an array.
  void Value(const std::string& name, const std::string& literal) { Start(name, literal); }

private:
  std::string Indent() const { return std::string(2 * Counts.size(), ' '); }
  void Start(const std::string& name, const std::string& text) {
    if (!Counts.empty() && Counts.back()++ > 0) Lines.back() += ',';
    Lines.push_back(Indent() + (name.empty() ? "" : JsonString(name) + ": ") + text);
  }
  std::vector<int> Counts;
};

// The feature names of the raw flags, in the form's flag order.
const char* const FeatureNames[9] = {"FPU", "RDTSC", "MMX", "MMX+", "3DNow!", "3DNow!+", "iSSE", "iSSE-2", "APIC"};

std::string Two(int n) { return (n < 10 && n >= 0 ? "0" : "") + std::to_string(n); }

class PageWriter {
public:
  PageWriter(JsonLines& json, const PageFields& fields, const AnsiConverter& toUtf8)
      : Json(json), Fields(fields), ToUtf8(toUtf8) {}

  std::string Text(const std::string& ansi) const { return ToUtf8(ansi); }
  std::string Literal(const std::string& ansi) const { return JsonString(ToUtf8(ansi)); }

  // The caption as a member name: its text without the trailing colon.
  std::string Name(Field captionField) const {
    std::string caption = Fields.Text(captionField);
    if (!caption.empty() && caption.back() == ':') caption.pop_back();
    return Text(caption);
  }
  void Pair(Field caption, Field value) { Json.Value(Name(caption), Literal(Fields.Text(value))); }
  void Memo(Field caption, Field memo) {
    Json.Open(Name(caption), '[');
    for (const auto& line : Fields.Lines(memo))
      if (!line.empty()) Json.Value("", Literal(line));
    Json.Close(']');
  }

  JsonLines& Json;
  const PageFields& Fields;
  const AnsiConverter& ToUtf8;
};

void WriteItem(PageWriter& w, const TReportItem& item, const std::string& totalMemoryText) {
  using K = TReportItemKind;
  JsonLines& json = w.Json;
  const PageFields& fields = w.Fields;
  switch (item.Kind) {
    case K::riPair:
      w.Pair(item.Caption, item.Value);
      break;
    case K::riMemory:
      json.Value(w.Name(item.Caption), w.Literal(totalMemoryText));
      break;
    case K::riMemo:
      w.Memo(item.Caption, item.Value);
      break;
    case K::riFeatures: {
      std::string flags;
      for (Field box : FeatureBoxes)
        if (fields.Checked(box)) flags += fields.Text(box) + " ";
      json.Value(w.Name(item.Caption), w.Literal(flags));
      break;
    }
    case K::riVersionBuild:
      w.Pair(item.Caption, item.Value);
      w.Pair(item.BuildCaption, item.BuildValue);
      break;
    case K::riAboutVersion:
      json.Value(item.AboutName, w.Literal(fields.Text(item.Value)));
      break;
    case K::riCredits:
      json.Value(item.AboutName, w.Literal(CreditText));
      break;
    case K::riLicence:
      json.Value(item.AboutName, JsonString(LicenceText));
      break;
    case K::riNotice:
      json.Value(item.AboutName, w.Literal(NoticeText));
      break;
    case K::riHomePage:
      json.Value(item.AboutName, w.Literal(fields.Text(item.Value)));
      json.Value(std::string(item.AboutName) + " Link", w.Literal(fields.Url(item.Value)));
      break;
  }
}

void WritePages(PageWriter& w, const std::string& totalMemoryText) {
  for (const TReportSection& section : ReportOutline()) {
    w.Json.Open(section.Name, '{');
    for (const TReportItem& item : section.Items) WriteItem(w, item, totalMemoryText);
    w.Json.Close('}');
  }
}

template <typename N>
std::string Integer(N n) {
  return std::to_string(n);
}
std::string Boolean(bool b) { return b ? "true" : "false"; }

void WriteProcessor(JsonLines& json, const RawValues::Processor& cpu, const AnsiConverter& toUtf8) {
  json.Open("processor", '{');
  json.Value("count", Integer(cpu.Count));
  json.Value("clockMHz", cpu.ClockMHz > 0 ? JsonNumber(cpu.ClockMHz, 2) : "null");
  if (cpu.CpuidAvailable) {
    json.Open("cpuid", '{');
    json.Value("vendor", JsonString(toUtf8(cpu.Vendor)));
    json.Value("signature", Integer(cpu.Signature));
    json.Value("family", Integer(cpu.Family));
    json.Value("model", Integer(cpu.Model));
    json.Value("baseFamily", Integer(cpu.BaseFamily));
    json.Value("baseModel", Integer(cpu.BaseModel));
    json.Value("stepping", Integer(cpu.Stepping));
    json.Value("type", Integer(cpu.CpuType));
    json.Value("brand", cpu.Brand ? JsonString(toUtf8(*cpu.Brand)) : "null");
    json.Close('}');
  } else {
    json.Value("cpuid", "null");
  }
  json.Open("features", '{');
  for (size_t i = 0; i < cpu.Features.size(); ++i) json.Value(FeatureNames[i], Boolean(cpu.Features[i]));
  json.Close('}');
  // One package as CPUID describes it.
  if (cpu.CpuidAvailable) {
    json.Open("topology", '{');
    json.Value("cores", Integer(cpu.Cores));
    json.Value("logicalProcessors", Integer(cpu.LogicalProcessors));
    json.Value("l2CacheKB", cpu.L2CacheKB > 0 ? Integer(cpu.L2CacheKB) : "null");
    json.Close('}');
  } else {
    json.Value("topology", "null");
  }
  json.Close('}');
}

// An array of objects, one per item, or null when the pass could not read the list.
template <typename T, typename F>
void WriteList(JsonLines& json, const char* name, const std::optional<std::vector<T>>& list, F members) {
  if (!list) {
    json.Value(name, "null");
    return;
  }
  json.Open(name, '[');
  for (const T& item : *list) {
    json.Open("", '{');
    members(item);
    json.Close('}');
  }
  json.Close(']');
}

// What the pass keeps for an inventory besides the pages.
void WriteInventoryFacts(JsonLines& json, const RawValues& raw, const AnsiConverter& toUtf8) {
  const auto text = [&](const std::string& ansi) { return JsonString(toUtf8(ansi)); };
  const auto bytes = [](int64_t n) { return n < 0 ? std::string("null") : Integer(n); };
  if (raw.System) {
    json.Open("system", '{');
    json.Value("productName", text(raw.System->ProductName));
    json.Value("installTime", raw.System->InstallTime ? JsonString(IsoDateTimeText(*raw.System->InstallTime)) : "null");
    json.Value("workgroup", text(raw.System->Workgroup));
    json.Close('}');
  } else {
    json.Value("system", "null");
  }
  WriteList(json, "drives", raw.Drives, [&](const RawValues::Drive& d) {
    json.Value("letter", JsonString(std::string(1, d.Letter)));
    json.Value("type", Integer(d.TypeCode));
    json.Value("fileSystem", text(d.FileSystem));
    json.Value("label", text(d.Label));
    json.Value("totalBytes", bytes(d.TotalBytes));
    json.Value("freeBytes", bytes(d.FreeBytes));
  });
  WriteList(json, "adapters", raw.Adapters, [&](const RawValues::Adapter& a) {
    json.Value("description", text(a.Description));
    json.Value("mac", JsonString(HardwareAddressText(a.Mac)));
    json.Value("ip", JsonString(a.Ip));
    json.Value("mask", JsonString(a.Mask));
    json.Value("gateway", JsonString(a.Gateway));
  });
  WriteList(json, "programs", raw.Programs, [&](const RawValues::Program& p) {
    json.Value("name", text(p.Name));
    json.Value("version", text(p.Version));
    json.Value("publisher", text(p.Publisher));
  });
}

void WriteRaw(JsonLines& json, const RawValues& raw, const AnsiConverter& toUtf8) {
  json.Open("raw", '{');
  if (raw.PassTime) {
    const LocalDateTime& t = *raw.PassTime;
    json.Value("passTime", JsonString(std::to_string(t.Year) + "-" + Two(t.Month) + "-" + Two(t.Day) + "T" +
                                      Two(t.Hour) + ":" + Two(t.Minute) + ":" + Two(t.Second)));
  } else {
    json.Value("passTime", "null");
  }
  if (raw.Memory) {
    json.Open("memory", '{');
    json.Value("totalBytes", Integer(raw.Memory->TotalPhys));
    json.Value("availableBytes", Integer(raw.Memory->AvailPhys));
    json.Close('}');
  } else {
    json.Value("memory", "null");
  }
  if (raw.Cpu)
    WriteProcessor(json, *raw.Cpu, toUtf8);
  else
    json.Value("processor", "null");
  if (raw.Windows) {
    json.Open("windows", '{');
    json.Value("major", Integer(raw.Windows->Major));
    json.Value("minor", Integer(raw.Windows->Minor));
    json.Value("build", Integer(raw.Windows->Build));
    json.Value("platformId", Integer(raw.Windows->PlatformId));
    json.Close('}');
  } else {
    json.Value("windows", "null");
  }
  if (raw.Display) {
    json.Open("screen", '{');
    json.Value("width", Integer(raw.Display->Width));
    json.Value("height", Integer(raw.Display->Height));
    json.Value("bitsPerPixel", Integer(raw.Display->BitsPerPixel));
    json.Close('}');
  } else {
    json.Value("screen", "null");
  }
  WriteInventoryFacts(json, raw, toUtf8);
  json.Close('}');
}

} // namespace

std::string JsonString(std::string_view utf8) {
  const std::string text = SanitizeUtf8(utf8);
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  for (size_t i = 0; i < text.size(); ++i) {
    auto b = static_cast<unsigned char>(text[i]);
    switch (b) {
      case '"':
        out += "\\\"";
        continue;
      case '\\':
        out += "\\\\";
        continue;
      case '\b':
        out += "\\b";
        continue;
      case '\f':
        out += "\\f";
        continue;
      case '\n':
        out += "\\n";
        continue;
      case '\r':
        out += "\\r";
        continue;
      case '\t':
        out += "\\t";
        continue;
      default:
        break;
    }
    if (b < 0x20 || b == 0x7F) {
      AppendEscape(out, b);
    } else if (b == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
      // C1 controls, U+0080-U+009F (the sanitized text holds a continuation byte here).
      AppendEscape(out, static_cast<unsigned char>(text[++i]));
    } else {
      out += text[i];
    }
  }
  out += '"';
  return out;
}

std::string JsonNumber(double value, int decimals) {
  if (!std::isfinite(value)) return "null";
  char buffer[512]; // room for the 309 digits of the largest double
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  // A locale with a decimal comma must not reach the document.
  for (char& c : buffer)
    if (c == ',') c = '.';
  return buffer;
}

std::vector<std::string> BuildJsonReport(const PageFields& fields, const std::string& totalMemoryText,
                                         const RawValues& raw, const AnsiConverter& toUtf8) {
  JsonLines json;
  PageWriter pages(json, fields, toUtf8);
  json.Open("", '{');
  json.Value("program", JsonString("Quorvel"));
  json.Value("version", pages.Literal(fields.Text(Field::ProductVersion)));
  json.Value("date", pages.Literal(fields.Text(Field::Date)));
  json.Value("time", pages.Literal(fields.Text(Field::Time)));
  json.Open("pages", '{');
  WritePages(pages, totalMemoryText);
  json.Close('}');
  WriteRaw(json, raw, toUtf8);
  json.Close('}');
  return std::move(json.Lines);
}

} // namespace qv
