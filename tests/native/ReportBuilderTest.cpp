#include "reports/ReportBuilder.h"

#include <gtest/gtest.h>

#include "FilledFields.h"
#include "fields/FieldInventory.h"

namespace qv {

namespace {

// The whole text report of FilledFields(), line by line.
std::vector<std::string> ExpectedText() {
  return {
      "QUORVEL 07-12-2026",
      "",
      "[ MY COMPUTER ]",
      "",
      " Computer Name: TESTBOX",
      " BIOS Type: Award",
      " BIOS Date: 01/02/03",
      " Memory: 256 Mb",
      " Drives:",
      "    A:\\ Removable",
      "    C:\\ Fixed 2 Gb",
      "",
      "[ PROCESSOR ]",
      "",
      " Description: Pentium II",
      " Vendor: Intel",
      " Speed: 400 MHz",
      " Type: Original OEM",
      " Count: 1",
      " Features: FPU RDTSC MMX ",
      "",
      "[ OPERATING SYSTEM ]",
      "",
      " Description: Windows 98",
      " Platform: Windows 9x",
      " Version: 4.10 (Build: 2222)",
      " Title: Second Edition",
      " ID: 12345",
      " Key: ABCDE",
      " DirectX: 8.1",
      " Login Name: mira",
      " Register Name: Mira",
      " Company: Home",
      " Time Zone: CET",
      " Windows Path: C:\\WINDOWS",
      " System Path: C:\\WINDOWS\\SYSTEM",
      " Temp Path: C:\\TEMP",
      " Add-On: A",
      "",
      "[ DEVICES ]",
      "",
      " Keyboard: Standard 101/102-Key",
      " Mouse: PS/2",
      " Printers:",
      "    Laser",
      " Ports:",
      "    COM1",
      "    LPT1",
      " Wave Audio: SB16 Wave",
      " Midi Audio: SB16 Midi",
      " Audio Mixer: SB16 Mixer",
      " Media:",
      "",
      "[ MORE ... ]",
      "",
      " Local IP Address: 192.168.0.2",
      " MAC Addresses:",
      "    00-11-22-33-44-55",
      " Screen Resolution: 1024 x 768",
      " Display Colors: 16 Bit",
      " Video Adapters:",
      "    VGA",
      " Monitors:",
      "    Plug and Play",
      "",
      "[ ABOUT ]",
      "",
      " Quorvel v1.0",
      std::string(" ") + CreditText,
      "",
      " FREEWARE",
      "",
      std::string(" ") + NoticeText,
      std::string(" ") + HomePageCaption,
  };
}

// The same report as HTML.
std::vector<std::string> ExpectedHtml() {
  const std::string credit = std::string(" ") + CreditText + "<br>";
  const std::string notice = std::string(" ") + NoticeText + "<br>";
  return {
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
      "",
      "<strong></UL>",
      "[ MY COMPUTER ]<br>",
      "</strong><UL>",
      "",
      " Computer Name: TESTBOX<br>",
      " BIOS Type: Award<br>",
      " BIOS Date: 01/02/03<br>",
      " Memory: 256 Mb<br>",
      " Drives:<br>",
      "<em>",
      "<UL>",
      "    A:\\ Removable<br>",
      "</UL>",
      "<UL>",
      "    C:\\ Fixed 2 Gb<br>",
      "</UL>",
      "</em>",
      "<br>",
      "<strong></UL>",
      "[ PROCESSOR ]<br>",
      "</strong><UL>",
      "",
      " Description: Pentium II<br>",
      " Vendor: Intel<br>",
      " Speed: 400 MHz<br>",
      " Type: Original OEM<br>",
      " Count: 1<br>",
      " Features: FPU RDTSC MMX <br>",
      "<br>",
      "<strong></UL>",
      "[ OPERATING SYSTEM ]<br>",
      "</strong><UL>",
      "",
      " Description: Windows 98<br>",
      " Platform: Windows 9x<br>",
      " Version: 4.10 (Build: 2222)<br>",
      " Title: Second Edition<br>",
      " ID: 12345<br>",
      " Key: ABCDE<br>",
      " DirectX: 8.1<br>",
      " Login Name: mira<br>",
      " Register Name: Mira<br>",
      " Company: Home<br>",
      " Time Zone: CET<br>",
      " Windows Path: C:\\WINDOWS<br>",
      " System Path: C:\\WINDOWS\\SYSTEM<br>",
      " Temp Path: C:\\TEMP<br>",
      " Add-On: A<br>",
      "<br>",
      "<strong></UL>",
      "[ DEVICES ]<br>",
      "</strong><UL>",
      "",
      " Keyboard: Standard 101/102-Key<br>",
      " Mouse: PS/2<br>",
      " Printers:<br>",
      "<em>",
      "<UL><LI>",
      "    Laser<br>",
      "</UL></LI>",
      "</em>",
      " Ports:<br>",
      "<em>",
      "<UL><LI>",
      "    COM1<br>",
      "</UL></LI>",
      "<UL><LI>",
      "    LPT1<br>",
      "</UL></LI>",
      "</em>",
      " Wave Audio: SB16 Wave<br>",
      " Midi Audio: SB16 Midi<br>",
      " Audio Mixer: SB16 Mixer<br>",
      " Media:<br>",
      "<em>",
      "</em>",
      "<br>",
      "<strong></UL>",
      "[ MORE ... ]<br>",
      "</strong><UL>",
      "",
      " Local IP Address: 192.168.0.2<br>",
      " MAC Addresses:<br>",
      "<em>",
      "<UL><LI>",
      "    00-11-22-33-44-55<br>",
      "</UL></LI>",
      "</em>",
      " Screen Resolution: 1024 x 768<br>",
      " Display Colors: 16 Bit<br>",
      " Video Adapters:<br>",
      "<em>",
      "<UL><LI>",
      "    VGA<br>",
      "</UL></LI>",
      "</em>",
      " Monitors:<br>",
      "<em>",
      "<UL><LI>",
      "    Plug and Play<br>",
      "</UL></LI>",
      "</em>",
      "<br>",
      "<strong></UL>",
      "[ ABOUT ]<br>",
      "</strong><UL>",
      "",
      " Quorvel v1.0<br>",
      credit,
      "<br>",
      " FREEWARE<br>",
      "<br>",
      notice,
      std::string("<a target=\"_blank\" href=\"") + HomePageUrl + "\">",
      std::string(" ") + HomePageCaption,
      "</a>",
      "</UL>",
      "<h3><font FACE=\"Bahamas Bold\" SIZE=\"+4\" COLOR=\"#E8E8F0\">",
      "Gathered on 07-12-2026<br>",
      "</font></h3>",
      "</body></html>",
  };
}

void ExpectSameLines(const std::vector<std::string>& actual, const std::vector<std::string>& expected) {
  for (size_t i = 0; i < std::min(actual.size(), expected.size()); ++i)
    EXPECT_EQ(actual[i], expected[i]) << "line " << i + 1;
  EXPECT_EQ(actual.size(), expected.size());
}

std::string FeaturesLine(const std::vector<std::string>& lines) {
  for (const auto& line : lines)
    if (line.rfind(" Features:", 0) == 0) return line;
  return "(none)";
}

} // namespace

TEST(BuildReportLines, TextReportOfAFilledTable) {
  ExpectSameLines(BuildReportLines(FilledFields(), "256 Mb", ReportFormat::rfText), ExpectedText());
}

TEST(BuildReportLines, HtmlReportOfAFilledTable) {
  ExpectSameLines(BuildReportLines(FilledFields(), "256 Mb", ReportFormat::rfHTML), ExpectedHtml());
}

TEST(BuildReportLines, UnfilledFieldsAreWrittenAsTheyStand) {
  FieldTable f;
  auto lines = BuildReportLines(f, "", ReportFormat::rfText);
  EXPECT_EQ(lines[0], "QUORVEL -");
  EXPECT_EQ(lines[4], " Computer Name: -");
  EXPECT_EQ(lines[7], " Memory: ");
  // The drive lines the memo holds before a pass, "1" to "5".
  EXPECT_EQ(lines[9], "    1");
  EXPECT_EQ(lines[13], "    5");
  EXPECT_EQ(FeaturesLine(lines), " Features: ");
}

TEST(BuildReportLines, MemoryLineUsesTheStoredTotalNotTheLiveCaption) {
  FieldTable f = FilledFields();
  f.SetText(Field::Memory, "999 Mb [1 Mb free]");
  EXPECT_EQ(BuildReportLines(f, "1 Gb", ReportFormat::rfText)[7], " Memory: 1 Gb");
}

TEST(BuildReportLines, FeaturesFollowTheFixedOrderWhateverTheBoxOrder) {
  struct Case {
    std::vector<Field> Checked;
    const char* Line;
  };
  const Case cases[] = {
      {{}, " Features: "},
      {{Field::ApicBox}, " Features: APIC "},
      {{Field::Sse2Box, Field::ExtendedMmxBox, Field::FpuBox}, " Features: FPU MMX+ iSSE-2 "},
      {{Field::FpuBox, Field::RdtscBox, Field::MmxBox, Field::ExtendedMmxBox, Field::ThreeDNowBox,
        Field::ExtendedThreeDNowBox, Field::SseBox, Field::Sse2Box, Field::ApicBox},
       " Features: FPU RDTSC MMX MMX+ 3DNow! 3DNow!+ iSSE iSSE-2 APIC "},
  };
  for (const auto& c : cases) {
    FieldTable f;
    for (Field box : c.Checked) f.SetChecked(box, true);
    EXPECT_EQ(FeaturesLine(BuildReportLines(f, "", ReportFormat::rfText)), c.Line);
    EXPECT_EQ(FeaturesLine(BuildReportLines(f, "", ReportFormat::rfHTML)), std::string(c.Line) + "<br>");
  }
}

TEST(BuildReportLines, EmptyMemoLinesAreSkippedAndBlankOnesKept) {
  FieldTable f;
  f.SetLines(Field::Drives, {"", "   ", "", "C:"});
  f.SetLines(Field::Printers, {"", ""});
  auto text = BuildReportLines(f, "", ReportFormat::rfText);
  EXPECT_EQ(text[8], " Drives:");
  EXPECT_EQ(text[9], "       "); // four blanks + the three of the line
  EXPECT_EQ(text[10], "    C:");
  EXPECT_EQ(text[11], ""); // section closing

  auto html = BuildReportLines(f, "", ReportFormat::rfHTML);
  auto at = std::find(html.begin(), html.end(), " Printers:<br>");
  ASSERT_NE(at, html.end());
  EXPECT_EQ(*(at + 1), "<em>");
  EXPECT_EQ(*(at + 2), "</em>");
  EXPECT_EQ(*(at + 3), " Ports:<br>");
}

TEST(BuildReportLines, HtmlEscapesPageTextsAndNothingElse) {
  FieldTable f = FilledFields();
  f.SetText(Field::ComputerName, "A&B <script>");
  f.SetText(Field::Date, "07-12-2026\">");
  f.SetLines(Field::Printers, {"\"Laser\" <b>&amp;"});
  f.SetText(Field::HomePage, "<home>");
  f.SetUrl(Field::HomePage, "http://x/?a=1&b=\"2\"");

  auto html = BuildReportLines(f, "1 < 2", ReportFormat::rfHTML);
  auto has = [&](const std::string& line) { return std::find(html.begin(), html.end(), line) != html.end(); };
  EXPECT_TRUE(has(" Computer Name: A&amp;B &lt;script&gt;<br>"));
  EXPECT_TRUE(has(" Memory: 1 &lt; 2<br>"));
  EXPECT_TRUE(has("    &quot;Laser&quot; &lt;b&gt;&amp;amp;<br>"));
  EXPECT_TRUE(has("<a target=\"_blank\" href=\"http://x/?a=1&amp;b=&quot;2&quot;\">"));
  EXPECT_TRUE(has(" &lt;home&gt;"));
  EXPECT_TRUE(has("Gathered on 07-12-2026&quot;&gt;<br>"));
  // The fixed lines are not touched.
  auto plain = ExpectedHtml();
  for (size_t i = 0; i < 17; ++i) EXPECT_EQ(html[i], plain[i]);

  auto text = BuildReportLines(f, "1 < 2", ReportFormat::rfText);
  EXPECT_EQ(text[0], "QUORVEL 07-12-2026\">");
  EXPECT_EQ(text[4], " Computer Name: A&B <script>");
  EXPECT_EQ(text[7], " Memory: 1 < 2");
  EXPECT_EQ(text.back(), " <home>");
}

TEST(BuildReportLines, LineBreaksInsideValuesBecomeBlanks) {
  // A registry text may carry CR or LF; each report line must still end only at its CR LF.
  FieldTable f = FilledFields();
  f.SetText(Field::Keyboard, "Standard\r\nKeyboard");
  f.SetLines(Field::Ports, {"COM1\n(modem)", "LPT1"});
  f.SetText(Field::Date, "07-12-2026\r");
  for (auto format : {ReportFormat::rfText, ReportFormat::rfHTML}) {
    auto lines = BuildReportLines(f, "256\nMb", format);
    EXPECT_EQ(lines.size(), BuildReportLines(FilledFields(), "256 Mb", format).size());
    for (const auto& line : lines) EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    const std::string end = format == ReportFormat::rfHTML ? "<br>" : "";
    auto has = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
    EXPECT_TRUE(has(" Keyboard: Standard  Keyboard" + end));
    EXPECT_TRUE(has("    COM1 (modem)" + end));
    EXPECT_TRUE(has(" Memory: 256 Mb" + end));
  }
  EXPECT_EQ(BuildReportLines(f, "", ReportFormat::rfText)[0], "QUORVEL 07-12-2026 ");
}

} // namespace qv
