#include <gtest/gtest.h>

#include "CpuFakes.h"
#include "FilledFields.h"
#include "JsonCheck.h"
#include "MemoryFileSystem.h"
#include "fields/FieldInventory.h"
#include "probes/Display.h"
#include "probes/WindowsVersion.h"
#include "reports/AnsiText.h"
#include "reports/JsonReport.h"
#include "reports/ReportBuilder.h"
#include "tools/ReportTool.h"

namespace qv {

using test::JsonValue;
using test::ParseStrictJson;

namespace {

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\n";
  return text;
}

JsonValue ParseOrFail(const std::string& text) {
  std::string error;
  auto value = ParseStrictJson(text, &error);
  EXPECT_TRUE(value) << error << "\n" << text.substr(0, 2000);
  return value ? *value : JsonValue{};
}

const AnsiConverter Western = [](std::string_view text) { return AnsiToUtf8(text, 1252); };

// The body lines of each section of the text report, as the JSON's pages should give them back.
std::vector<std::string> LinesFromJsonPage(const std::string& page, const JsonValue& members) {
  std::vector<std::string> lines;
  for (const auto& [name, value] : members.Members) {
    if (value.Type == JsonValue::Kind::Array) {
      lines.push_back(" " + name + ":");
      for (const auto& item : value.Items) lines.push_back("    " + item.Text);
    } else if (name == "Version") {
      lines.push_back(" Version: " + value.Text + " (Build: " + members.Find("Build")->Text + ")");
    } else if (name != "Build") {
      lines.push_back(" " + name + ": " + value.Text);
    }
  }
  (void)page;
  return lines;
}

} // namespace

TEST(AnsiToUtf8, ConvertsEachCodePageAndReplacesWhatDoesNotConvert) {
  EXPECT_EQ(AnsiToUtf8("plain", 1252), "plain");
  EXPECT_EQ(AnsiToUtf8("\x80 caf\xE9", 1252), "\u20AC caf\u00E9");
  // 0x81 has no character in 1252, and no double-byte code page is known here.
  EXPECT_EQ(AnsiToUtf8("a\x81z", 1252), "a\uFFFDz");
  EXPECT_EQ(AnsiToUtf8("\xC0\xFF", 1251), "\u0410\u044F");
  EXPECT_EQ(AnsiToUtf8("\xA3\xB9", 1250), "\u0141\u0105");
  EXPECT_EQ(AnsiToUtf8("\x81\x41", 932), "\uFFFDA");
  EXPECT_EQ(AnsiToUtf8("\xE9", 28591), "\u00E9");
  EXPECT_EQ(AnsiToUtf8("\xE9", 20127), "\uFFFD");
  // A UTF-8 code page still gets well-formed output: overlong, surrogate and cut sequences go.
  EXPECT_EQ(AnsiToUtf8("\xC3\xA9\xC0\xAF\xED\xA0\x80\xE2\x82", 65001),
            "\u00E9\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(std::string(AnsiToUtf8(std::string("a\0b", 3), 1252)), std::string("a\0b", 3));
}

TEST(JsonString, EscapesEveryControlCharacterAndAlwaysParses) {
  EXPECT_EQ(JsonString("a\"b\\c/"), "\"a\\\"b\\\\c/\"");
  EXPECT_EQ(JsonString(std::string("\0\x01\t\n\r\b\f\x1F\x7F", 9)), "\"\\u0000\\u0001\\t\\n\\r\\b\\f\\u001f\\u007f\"");
  EXPECT_EQ(JsonString("\xC2\x85\xC2\xA0"), "\"\\u0085\xC2\xA0\""); // C1 NEL escaped, no-break space kept
  EXPECT_EQ(JsonString("\xFF"), "\"\xEF\xBF\xBD\"");
  // Every byte, alone and after every lead byte, gives a literal that parses back to itself
  // once sanitized.
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; b += (a >= 0xC0 ? 1 : 51)) {
      std::string text{static_cast<char>(a), static_cast<char>(b)};
      std::string literal = JsonString(text);
      std::string error;
      auto value = ParseStrictJson(literal, &error);
      ASSERT_TRUE(value) << a << " " << b << ": " << error;
      EXPECT_EQ(value->Text, SanitizeUtf8(text));
    }
  }
  EXPECT_EQ(JsonNumber(2394.5, 2), "2394.50");
  EXPECT_EQ(JsonNumber(1.0 / 0.0, 2), "null");
}

TEST(BuildJsonReport, PagesHoldWhatTheTextReportShowsFieldByField) {
  FieldTable fields = FilledFields();
  fields.SetText(Field::Time, "9:05:03");
  fields.SetLines(Field::Ports, {"COM1", "", "LPT1"}); // the empty line is skipped, as in the report
  auto text = BuildReportLines(fields, "256 Mb", ReportFormat::rfText);
  JsonValue doc = ParseOrFail(Join(BuildJsonReport(fields, "256 Mb", RawValues{}, Western)));

  EXPECT_EQ(doc.Find("program")->Text, "Quorvel");
  EXPECT_EQ(doc.Find("version")->Text, "1.0");
  EXPECT_EQ(doc.Find("date")->Text, "07-12-2026");
  EXPECT_EQ(doc.Find("time")->Text, "9:05:03");
  const JsonValue* pages = doc.Find("pages");
  ASSERT_TRUE(pages);
  ASSERT_EQ(pages->Members.size(), 6u);
  const char* headings[] = {"[ MY COMPUTER ]", "[ PROCESSOR ]", "[ OPERATING SYSTEM ]", "[ DEVICES ]", "[ MORE ... ]"};
  const char* names[] = {"My Computer", "Processor", "Operating System", "Devices", "More ..."};
  // Sections of the text report: heading, empty line, body, empty line.
  size_t at = 2;
  for (int page = 0; page < 5; ++page) {
    EXPECT_EQ(pages->Members[page].first, names[page]);
    ASSERT_EQ(text[at], headings[page]);
    auto body = LinesFromJsonPage(names[page], pages->Members[page].second);
    std::vector<std::string> expected(text.begin() + static_cast<long>(at) + 2,
                                      text.begin() + static_cast<long>(at + 2 + body.size()));
    EXPECT_EQ(body, expected) << names[page];
    at += 2 + body.size() + 1;
  }
  const JsonValue& about = pages->Members[5].second;
  EXPECT_EQ(text[at + 2], " Quorvel v" + about.Find("Version")->Text);
  EXPECT_EQ(text[at + 3], " " + about.Find("Credits")->Text);
  EXPECT_EQ(text[at + 5], " " + about.Find("Licence")->Text);
  EXPECT_EQ(text[at + 7], " " + about.Find("Notice")->Text);
  EXPECT_EQ(text[at + 8], " " + about.Find("Home Page")->Text);
  EXPECT_EQ(about.Find("Home Page Link")->Text, HomePageUrl);
  EXPECT_EQ(pages->Members[1].second.Find("Features")->Text, "FPU RDTSC MMX ");
  EXPECT_EQ(doc.Find("raw")->Find("memory")->Type, JsonValue::Kind::Null);
}

// The whole document as the report of the filled table gives it, up to the raw numbers: the
// outline walk must keep every name, order, bracket and comma where they were.
TEST(BuildJsonReport, FilledTableGivesTheSameDocumentByteForByte) {
  const std::string expected = R"json({
  "program": "Quorvel",
  "version": "1.0",
  "date": "07-12-2026",
  "time": "-",
  "pages": {
    "My Computer": {
      "Computer Name": "TESTBOX",
      "BIOS Type": "Award",
      "BIOS Date": "01/02/03",
      "Memory": "256 Mb",
      "Drives": [
        "A:\\ Removable",
        "C:\\ Fixed 2 Gb"
      ]
    },
    "Processor": {
      "Description": "Pentium II",
      "Vendor": "Intel",
      "Speed": "400 MHz",
      "Type": "Original OEM",
      "Count": "1",
      "Features": "FPU RDTSC MMX "
    },
    "Operating System": {
      "Description": "Windows 98",
      "Platform": "Windows 9x",
      "Version": "4.10",
      "Build": "2222",
      "Title": "Second Edition",
      "ID": "12345",
      "Key": "ABCDE",
      "DirectX": "8.1",
      "Login Name": "mira",
      "Register Name": "Mira",
      "Company": "Home",
      "Time Zone": "CET",
      "Windows Path": "C:\\WINDOWS",
      "System Path": "C:\\WINDOWS\\SYSTEM",
      "Temp Path": "C:\\TEMP",
      "Add-On": "A"
    },
    "Devices": {
      "Keyboard": "Standard 101/102-Key",
      "Mouse": "PS/2",
      "Printers": [
        "Laser"
      ],
      "Ports": [
        "COM1",
        "LPT1"
      ],
      "Wave Audio": "SB16 Wave",
      "Midi Audio": "SB16 Midi",
      "Audio Mixer": "SB16 Mixer",
      "Media": [
      ]
    },
    "More ...": {
      "Local IP Address": "192.168.0.2",
      "MAC Addresses": [
        "00-11-22-33-44-55"
      ],
      "Screen Resolution": "1024 x 768",
      "Display Colors": "16 Bit",
      "Video Adapters": [
        "VGA"
      ],
      "Monitors": [
        "Plug and Play"
      ]
    },
    "About": {
      "Version": "1.0",
      "Credits": "Written by the Quorvel team. Thanks to everyone who tested it.",
      "Licence": "FREEWARE",
      "Notice": "(c) 2026 Quorvel team",
      "Home Page": "www.quorvel.example",
      "Home Page Link": "http://www.quorvel.example/"
    }
  },)json";
  std::string got;
  for (const auto& line : BuildJsonReport(FilledFields(), "256 Mb", RawValues{}, Western)) {
    if (line == "  \"raw\": {") break;
    got += line + "\n";
  }
  EXPECT_EQ(got, expected + "\n");
}

TEST(BuildJsonReport, HostileTextsStayValidAndConvertProperly) {
  // What a registry may hold: quotes, backslashes, every control character, NUL, bytes with no
  // character in the code page, a lone UTF-8 lead byte, and a very long value.
  std::string hostile = "\"}],\\u0000\\";
  for (int c = 0; c < 0x20; ++c) hostile += static_cast<char>(c);
  hostile += "\x7F\x80\x81\x8D\x9D\xA0\xC3\xE9\xFF";
  FieldTable fields;
  for (const auto& item : FieldInventory()) {
    // Captions are the program's own texts; everything read from the system may be hostile.
    if (item.Kind == FieldKind::fkValue || item.Kind == FieldKind::fkUrl) fields.SetText(item.Id, hostile);
    if (item.Kind == FieldKind::fkMemo) fields.SetLines(item.Id, {hostile, std::string(100000, '\x01')});
  }
  RawValues raw;
  raw.Cpu = RawValues::Processor{};
  raw.Cpu->CpuidAvailable = true;
  raw.Cpu->Vendor = hostile;
  raw.Cpu->Brand = hostile;
  raw.Cpu->ClockMHz = 1e308;

  const std::string expected = AnsiToUtf8(hostile, 1252);
  EXPECT_NE(expected.find("\u20AC\uFFFD\uFFFD\uFFFD\u00A0\u00C3\u00E9\u00FF"), std::string::npos);
  for (unsigned codePage : {1252u, 1251u, 874u, 932u, 65001u}) {
    AnsiConverter convert = [codePage](std::string_view t) { return AnsiToUtf8(t, codePage); };
    JsonValue doc = ParseOrFail(Join(BuildJsonReport(fields, hostile, raw, convert)));
    const JsonValue* computer = doc.Find("pages")->Find("My Computer");
    ASSERT_TRUE(computer) << codePage;
    const std::string converted = AnsiToUtf8(hostile, codePage);
    EXPECT_EQ(computer->Find("Computer Name")->Text, converted);
    EXPECT_EQ(computer->Find("Memory")->Text, converted);
    ASSERT_EQ(computer->Find("Drives")->Items.size(), 2u);
    EXPECT_EQ(computer->Find("Drives")->Items[0].Text, converted);
    EXPECT_EQ(doc.Find("pages")->Find("More ...")->Find("Local IP Address")->Text, converted);
    EXPECT_EQ(doc.Find("raw")->Find("processor")->Find("cpuid")->Find("brand")->Text, converted);
    EXPECT_EQ(doc.Find("raw")->Find("processor")->Find("clockMHz")->Text.substr(0, 4), "1000");
  }
}

namespace {

class JsonFakeSystem : public SystemSource {
public:
  std::string ComputerName() override { return "TESTBOX"; }
  MemoryStatus Memory() override { return {6ull << 30, 5000000000ull}; }
  LocalDateTime Now() override { return {2026, 12, 7, 9, 5, 3}; }
};
class JsonFakeOs : public OsSource {
public:
  VersionInfo Version() override { return {5, 1, 0x0A280A28, 2, "Service Pack 2"}; }
  SystemPaths Paths() override { return {"C:\\WINDOWS", "C:\\WINDOWS\\system32", "C:\\TEMP\\"}; }
  std::string LoginName() override { return "mira"; }
};
class JsonFakeScreen : public ScreenSource {
public:
  ScreenCaps Screen() override { return {1280, 1024, 32}; }
};

} // namespace

TEST(RunReport, JsonCarriesTheRawNumbersOfThePass) {
  FakeCpuid cpuid("GenuineIntel", 0x00000F27, 0xBFEBFBFF);
  const char brand[49] = "      Intel(R) Pentium(R) 4 CPU 2.40GHz";
  cpuid.Leaves[0x80000000u] = {0x80000004u, 0, 0, 0};
  for (uint32_t i = 0; i < 3; ++i) {
    uint32_t w[4] = {};
    for (int k = 0; k < 16; ++k) w[k / 4] |= uint32_t{static_cast<uint8_t>(brand[16 * i + k])} << (8 * (k % 4));
    cpuid.Leaves[0x80000002u + i] = {w[0], w[1], w[2], w[3]};
  }
  ScriptedClock clock;
  clock.CounterPerMillisecond = 2400000;
  FakeLoad load;
  load.Fractions = {0.25};
  FakeProcessorSystem processorSystem;
  ProcessorSources processor{&cpuid, &clock, &load, &processorSystem};
  JsonFakeSystem system;
  JsonFakeOs os;
  JsonFakeScreen screen;
  GatherSources sources;
  sources.System = &system;
  sources.Os = &os;
  sources.Screen = &screen;
  sources.Processor = &processor;

  auto parsed = ParseReportArguments({"--json"});
  ASSERT_EQ(parsed.Error, "");
  FieldTable fields;
  StringSink out, err;
  MemoryFileSystem files;
  ASSERT_EQ(RunReport(parsed.Options, fields, sources, out, err, files), ExitReportWritten) << err.str();
  const std::string bytes = out.str();
  EXPECT_EQ(bytes.substr(0, 3), "{\r\n");
  EXPECT_EQ(bytes.substr(bytes.size() - 3), "}\r\n");
  JsonValue doc = ParseOrFail(bytes);
  EXPECT_EQ(doc.Find("pages")->Find("Processor")->Find("Speed")->Text, "2.40 GHz");
  EXPECT_EQ(doc.Find("pages")->Find("My Computer")->Find("Memory")->Text, "6 Gb");
  const JsonValue& raw = *doc.Find("raw");
  EXPECT_EQ(raw.Find("passTime")->Text, "2026-12-07T09:05:03");
  EXPECT_EQ(raw.Find("memory")->Find("totalBytes")->Text, "6442450944");
  EXPECT_EQ(raw.Find("memory")->Find("availableBytes")->Text, "5000000000");
  const JsonValue& cpu = *raw.Find("processor");
  EXPECT_EQ(cpu.Find("count")->Text, "1");
  EXPECT_EQ(cpu.Find("clockMHz")->Text, "2400.00");
  const JsonValue& id = *cpu.Find("cpuid");
  EXPECT_EQ(id.Find("vendor")->Text, "GenuineIntel");
  EXPECT_EQ(id.Find("signature")->Text, "3879");
  EXPECT_EQ(id.Find("family")->Text, "15");
  EXPECT_EQ(id.Find("model")->Text, "2");
  EXPECT_EQ(id.Find("baseFamily")->Text, "15");
  EXPECT_EQ(id.Find("baseModel")->Text, "2");
  EXPECT_EQ(id.Find("stepping")->Text, "7");
  EXPECT_EQ(id.Find("type")->Text, "0");
  EXPECT_EQ(id.Find("brand")->Text, "Intel(R) Pentium(R) 4 CPU 2.40GHz");
  std::string flags;
  for (const auto& [name, value] : cpu.Find("features")->Members) flags += name + (value.Bool ? "+ " : "- ");
  EXPECT_EQ(flags, "FPU+ RDTSC+ MMX+ MMX+- 3DNow!- 3DNow!+- iSSE+ iSSE-2+ APIC+ ");
  EXPECT_EQ(raw.Find("windows")->Find("major")->Text, "5");
  EXPECT_EQ(raw.Find("windows")->Find("minor")->Text, "1");
  EXPECT_EQ(raw.Find("windows")->Find("build")->Text, "2600");
  EXPECT_EQ(raw.Find("windows")->Find("platformId")->Text, "2");
  EXPECT_EQ(raw.Find("screen")->Find("width")->Text, "1280");
  EXPECT_EQ(raw.Find("screen")->Find("height")->Text, "1024");
  EXPECT_EQ(raw.Find("screen")->Find("bitsPerPixel")->Text, "32");

  // A processor without the extended leaves has no brand; --html and --json do not mix.
  cpuid.Leaves.erase(0x80000000u);
  StringSink out2;
  ASSERT_EQ(RunReport(parsed.Options, fields, sources, out2, err, files), ExitReportWritten);
  EXPECT_EQ(ParseOrFail(out2.str()).Find("raw")->Find("processor")->Find("cpuid")->Find("brand")->Type,
            JsonValue::Kind::Null);
  EXPECT_EQ(ParseReportArguments({"--json", "--html"}).Error, "--json and --html cannot be given together");
  EXPECT_EQ(ParseReportArguments({"--html", "--json"}).Error, "--json and --html cannot be given together");
}

} // namespace qv

namespace qv {

TEST(Utf16Names, RoundTripGreekCyrillicJapaneseAndBeyondTheBasicPlane) {
  const std::string names[] = {"\xCE\xB1\xCF\x86\xCE\xB1.txt", "\xD0\xBE\xD1\x82\xD1\x87\xD1\x91\xD1\x82.txt",
                               "\xE3\x83\xAC\xE3\x83\x9D\xE3\x83\xBC\xE3\x83\x88.txt", "\xF0\x9F\x93\x84.txt"};
  for (const auto& name : names) EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(name)), name);
  EXPECT_EQ(Utf8ToUtf16("\xCE\xB1\xCF\x86\xCE\xB1.txt"), u"\u03B1\u03C6\u03B1.txt");
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x93\x84"), u"\U0001F4C4");
  // Broken input never passes as a name: each bad byte and a lone surrogate become U+FFFD.
  EXPECT_EQ(Utf8ToUtf16("a\xFF"
                        "b"),
            u"a\uFFFDb");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
}

} // namespace qv
