#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "HelpReader.h"
#include "fields/FieldInventory.h"
#include "tools/ReportTool.h"
#include "tools/helpc/HelpSource.h"
#include "tools/helpc/HelpWriter.h"

namespace qv::help {
namespace {

using testing::HelpReader;

Bytes Encoded(void (*put)(Bytes&, int), int v) {
  Bytes b;
  put(b, v);
  return b;
}

HelpError ErrorOf(const std::string& source) {
  try {
    WriteHelp(ReadHelpSource(source));
  } catch (const HelpError& e) {
    return e;
  }
  ADD_FAILURE() << "no error for:\n" << source;
  return HelpError(-1, "");
}

// Every jump finds its hash in |CONTEXT, and the offset there is exactly a topic's own.
void ExpectEveryJumpLands(const Book& book, const HelpReader& reader) {
  auto topics = reader.Topics();
  ASSERT_EQ(topics.size(), book.Topics.size());
  int jumps = 0;
  for (const auto& t : topics)
    for (uint32_t hash : t.Jumps) {
      ++jumps;
      auto offset = reader.LookUp(hash);
      ASSERT_TRUE(offset) << "jump from " << t.Title << " to an unknown hash";
      auto landing =
          std::find_if(topics.begin(), topics.end(), [&](const auto& x) { return x.TopicOffset == *offset; });
      ASSERT_NE(landing, topics.end()) << "jump from " << t.Title << " lands between topics";
      EXPECT_EQ(ContextHash(book.Topics[landing - topics.begin()].Id), hash) << "jump from " << t.Title;
    }
  EXPECT_GT(jumps, 0);
}

TEST(HelpWriter, ContextHashMatchesTheViewersCheckValues) {
  EXPECT_EQ(ContextHash("CONTENTS"), 0x25F4558Au);
  EXPECT_EQ(ContextHash("TOPIC_TWO"), 0x402AAE0Eu);
  EXPECT_EQ(ContextHash("Zz"), 0x738u);
  EXPECT_EQ(ContextHash("IDH_SYSTEM_INFO_SUMMARY"), 0xD09C72B1u);
  EXPECT_EQ(ContextHash("contents"), ContextHash("CONTENTS"));
  EXPECT_EQ(ContextHash("Page.10"), ((((((32u * 43 + 17) * 43 + 23) * 43 + 21) * 43 + 12) * 43 + 1) * 43 + 10));
}

TEST(HelpWriter, CompressedIntegersSwitchFormAtTheirBoundaries) {
  auto cushort = [](int v) {
    Bytes b;
    PutCUShort(b, v);
    return b;
  };
  auto culong = [](uint32_t v) {
    Bytes b;
    PutCULong(b, v);
    return b;
  };
  auto cslong = [](int32_t v) {
    Bytes b;
    PutCSLong(b, v);
    return b;
  };
  EXPECT_EQ(cushort(0), Bytes({0x00}));
  EXPECT_EQ(cushort(127), Bytes({0xFE}));
  EXPECT_EQ(cushort(128), Bytes({0x01, 0x01}));
  EXPECT_EQ(Encoded(PutCSShort, -64), Bytes({0x00}));
  EXPECT_EQ(Encoded(PutCSShort, 63), Bytes({0xFE}));
  EXPECT_EQ(Encoded(PutCSShort, 64), Bytes({0x81, 0x80}));  // 2*(64+16384)+1 = 0x8081
  EXPECT_EQ(Encoded(PutCSShort, -65), Bytes({0x7F, 0x7F})); // 2*(-65+16384)+1 = 0x7F7F
  EXPECT_EQ(culong(32767), Bytes({0xFE, 0xFF}));
  EXPECT_EQ(culong(32768), Bytes({0x01, 0x00, 0x01, 0x00}));
  EXPECT_EQ(cslong(17), Bytes({0x22, 0x80})); // TopicSize 17 from the worked example
  EXPECT_EQ(cslong(-16384), Bytes({0x00, 0x00}));
  EXPECT_EQ(cslong(16383), Bytes({0xFE, 0xFF}));
  EXPECT_EQ(cslong(16384), Bytes({0x01, 0x80, 0x00, 0x80})); // 2*(16384+2^30)+1
  EXPECT_EQ(cslong(-16385), Bytes({0xFF, 0x7F, 0xFF, 0x7F}));
}

TEST(HelpWriter, SortsContextsBySignedHashAndFilesByName) {
  const std::string source =
      "== CONTENTS Contents\nSee [two](TOPIC_TWO), [z](Zz) and [summary](IDH_SYSTEM_INFO_SUMMARY).\n"
      "== TOPIC_TWO Two\nTwo.\n== Zz Zed\nZed.\n== IDH_SYSTEM_INFO_SUMMARY Summary\nSummary.\n";
  Book book = ReadHelpSource(source);
  book.Topics[0].MapId = 7;
  HelpReader reader(WriteHelp(book).File);

  auto contexts = reader.Contexts();
  ASSERT_EQ(contexts.size(), 4u);
  EXPECT_EQ(contexts[0].first, 0xD09C72B1u); // negative as a signed value: first
  EXPECT_EQ(contexts[1].first, 0x738u);
  EXPECT_EQ(contexts[2].first, 0x25F4558Au);
  EXPECT_EQ(contexts[3].first, 0x402AAE0Eu);
  EXPECT_EQ(reader.Directory,
            std::vector<std::string>({"|CONTEXT", "|CTXOMAP", "|FONT", "|SYSTEM", "|TOPIC", "|TTLBTREE"}));
  ExpectEveryJumpLands(book, reader);

  // |SYSTEM points at the contents topic; |CTXOMAP maps 7 to it.
  Bytes system = reader.File("|SYSTEM");
  EXPECT_EQ(testing::U16(system, 2), 21);
  EXPECT_EQ(testing::U16(system, 10), 0);
  Bytes ctx = reader.File("|CTXOMAP");
  ASSERT_EQ(testing::U16(ctx, 0), 1);
  EXPECT_EQ(testing::U32(ctx, 2), 7u);
  EXPECT_EQ(testing::U32(ctx, 6), reader.Topics()[0].TopicOffset);
}

TEST(HelpWriter, TextRunsAcrossABlockBoundaryIntact) {
  std::string source = "== CONTENTS Contents\n";
  std::vector<std::string> paragraphs;
  for (int i = 0; i < 6; ++i) {
    std::string p = "Paragraph " + std::to_string(i) + " ";
    while (p.size() < 1500u + 311u * i) p += static_cast<char>('a' + (p.size() * 7 + i) % 26);
    paragraphs.push_back(p);
    source += p + "\n\n";
  }
  source += "Back to [the start](CONTENTS).\n";
  Book book = ReadHelpSource(source);
  WrittenHelp written = WriteHelp(book);
  HelpReader reader(written.File);
  int spilled = 0;
  auto topics = reader.Topics(&spilled);
  EXPECT_GE(written.Blocks, 3);
  EXPECT_GE(spilled, 1) << "no record ran into the next block";
  ASSERT_EQ(topics.size(), 1u);
  std::string expected = "Contents\n";
  for (const auto& p : paragraphs) expected += p + "\n";
  EXPECT_EQ(topics[0].Text, expected + "Back to the start.\n");
}

TEST(HelpWriter, ManyTopicsOverManyBlocksKeepTheirPlaces) {
  std::string source = "== CONTENTS Contents\n";
  for (int i = 0; i < 400; ++i) source += "- [Topic " + std::to_string(i) + "](T" + std::to_string(i) + ")\n";
  for (int i = 0; i < 400; ++i)
    source += "== T" + std::to_string(i) + " Topic " + std::to_string(i) + "\nThe text of topic " + std::to_string(i) +
              ", long enough to fill the blocks a little faster than a word would.\n";
  Book book = ReadHelpSource(source);
  WrittenHelp written = WriteHelp(book);
  HelpReader reader(written.File);
  auto topics = reader.Topics();
  ASSERT_EQ(topics.size(), 401u);
  EXPECT_GT(written.Blocks, 10);
  for (size_t t = 0; t < topics.size(); ++t) {
    EXPECT_EQ(topics[t].TopicPos, written.Places[t].TopicPos) << t;
    EXPECT_EQ(topics[t].TopicOffset, written.Places[t].TopicOffset) << t;
    EXPECT_EQ(topics[t].TopicOffset >> 15, topics[t].TopicPos >> 14) << "offset and position name one block";
  }
  EXPECT_EQ(topics[0].TopicPos, 12u);
  EXPECT_EQ(topics[0].TopicOffset, 0u);
  EXPECT_EQ(HelpReader::Tree(reader.File("|CONTEXT")).Levels, 2); // 401 entries > 255 per leaf
  EXPECT_EQ(HelpReader::Tree(reader.File("|CONTEXT")).Entries, 401u);
  ExpectEveryJumpLands(book, reader);
}

TEST(HelpSource, ErrorsNameTheirLine) {
  struct Case {
    const char* Source;
    int Line;
    const char* Message;
  } cases[] = {
      {"== CONTENTS Contents\nSee [this](NOWHERE).\n", 2, "unknown topic NOWHERE"},
      {"== CONTENTS Contents\nA.\n== Two Two\n[x](CONTENTS)\n== TWO Again\nB.\n", 5, "duplicate context id TWO"},
      {"== CONTENTS Contents\n# just a comment\n== TWO Two\nText.\n", 1, "topic CONTENTS is empty"},
      {"== CONTENTS Contents\n[a](TWO)\n== TWO Two\n", 3, "topic TWO is empty"},
      {"== CONTENTS Contents\nText.\n== LOST Lost\nNobody jumps here.\n", 3, "cannot be reached"},
      {"Stray text.\n== CONTENTS Contents\nText.\n", 1, "before the first topic"},
      {"== CONTENTS Contents\nSee [this](TWO\n", 2, "left open"},
      {"== CONT-ENTS Contents\nText.\n", 1, "bad context id"},
      {"== CONTENTS Contents\nArrows \xE2\x86\x92 are not in the code page.\n", 2, "not in Windows-1252"},
      {"== CONTENTS Contents\nA zero \xC0\x80 in its long form.\n", 2, "not UTF-8"},
  };
  for (const Case& c : cases) {
    HelpError e = ErrorOf(c.Source);
    EXPECT_EQ(e.Line, c.Line) << c.Source;
    EXPECT_NE(std::string(e.what()).find(c.Message), std::string::npos) << e.what();
  }
  std::string longText = "== CONTENTS Contents\nShort.\n\n";
  for (int i = 0; i < 500; ++i) longText += "ninechars\n";
  HelpError tooLong = ErrorOf(longText);
  EXPECT_EQ(tooLong.Line, 4);
  EXPECT_NE(std::string(tooLong.what()).find("too long"), std::string::npos);
}

TEST(HelpSource, MarkupBecomesParagraphsRunsAndCodePageText) {
  Book book = ReadHelpSource(
      "# comment\n@title Quorvel Help\n== CONTENTS Contents\n@map 3\n* Heading\nOne line\n  and its rest,"
      " [a jump](contents) and [--html] kept.\n\n- Caf\xC3\xA9 \xE2\x80\x93 item\n");
  EXPECT_EQ(book.Title, "Quorvel Help");
  ASSERT_EQ(book.Topics.size(), 1u);
  EXPECT_EQ(book.Topics[0].MapId, 3u);
  const auto& ps = book.Topics[0].Paragraphs;
  ASSERT_EQ(ps.size(), 3u);
  EXPECT_EQ(ps[0].Kind, Style::Heading);
  EXPECT_EQ(ps[1].Kind, Style::Body);
  ASSERT_EQ(ps[1].Runs.size(), 3u);
  EXPECT_EQ(ps[1].Runs[0].Text, "One line and its rest, ");
  EXPECT_EQ(ps[1].Runs[1].Jump, "contents");
  EXPECT_EQ(ps[1].Runs[2].Text, " and [--html] kept.");
  EXPECT_EQ(ps[2].Kind, Style::Bullet);
  EXPECT_EQ(ps[2].Runs[0].Text, "Caf\xE9 \x96 item");
  EXPECT_EQ(ps[2].Line, 9);

  Book bold = ReadHelpSource("== CONTENTS C\n- **Speed:** the [clock](CONTENTS).\n");
  const auto& runs = bold.Topics[0].Paragraphs[0].Runs;
  ASSERT_EQ(runs.size(), 4u);
  EXPECT_TRUE(runs[0].Bold);
  EXPECT_EQ(runs[0].Text, "Speed:");
  EXPECT_FALSE(runs[1].Bold);
  EXPECT_EQ(runs[2].Jump, "CONTENTS");
  EXPECT_EQ(ErrorOf("== CONTENTS C\nOpen **bold.\n").Line, 2);

  Book code = ReadHelpSource("== CONTENTS C\n| tool [--html]  FILE\n| tool --help\nText.\n");
  const auto& lines = code.Topics[0].Paragraphs;
  ASSERT_EQ(lines.size(), 3u); // each command line stands alone
  EXPECT_EQ(lines[0].Kind, Style::Code);
  EXPECT_EQ(lines[0].Runs[0].Text, "tool [--html]  FILE");
  EXPECT_EQ(lines[1].Kind, Style::Code);
  EXPECT_EQ(lines[2].Kind, Style::Body);
}

// The shipped help: every jump lands, each page's topic names every field of its page, and the
// command-line topic names every option quorvel-report takes.
TEST(HelpSource, QuorvelHelpCoversTheProgramAndEveryJumpLands) {
  std::string here = __FILE__;
  std::string path = here.substr(0, here.rfind("tests/")) + "res/help/Quorvel.help.txt";
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << path;
  std::stringstream text;
  text << in.rdbuf();
  Book book = ReadHelpSource(text.str());
  HelpReader reader(WriteHelp(book).File);
  ExpectEveryJumpLands(book, reader);
  EXPECT_EQ(book.Topics[0].Id, "CONTENTS");

  auto topics = reader.Topics();
  auto topicText = [&](const std::string& id) {
    for (size_t t = 0; t < book.Topics.size(); ++t)
      if (book.Topics[t].Id == id) return topics[t].Text;
    ADD_FAILURE() << "no topic " << id;
    return std::string();
  };
  const char* pageTopics[] = {"PAGE_WELCOME", "PAGE_MY_COMPUTER", "PAGE_PROCESSOR",
                              "PAGE_OS",      "PAGE_DEVICES",     "PAGE_MORE"};
  int named = 0;
  for (const FieldSpec& f : FieldInventory()) {
    if (f.Page < 1 || (f.Kind != FieldKind::fkCaption && f.Kind != FieldKind::fkCheck)) continue;
    std::string caption = f.Text;
    if (!caption.empty() && caption.back() == ':') caption.pop_back();
    EXPECT_NE(topicText(pageTopics[f.Page]).find(caption), std::string::npos) << FieldName(f.Id) << " " << caption;
    ++named;
  }
  EXPECT_GT(named, 50);
  const std::string tool = topicText("REPORT_TOOL");
  for (const ReportOption& o : ReportOptionTable()) EXPECT_NE(tool.find(o.Name), std::string::npos) << o.Name;
  const std::string window = topicText("WINDOW");
  for (const char* button : {"Info", "Print", "Export", "Help", "Close"})
    EXPECT_NE(window.find(button), std::string::npos) << button;
}

} // namespace
} // namespace qv::help
