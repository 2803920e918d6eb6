#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A writer of WinHelp 3.1 help files in their simplest form: 4 KB topic blocks stored as they are
// (no compression, no phrases), with |SYSTEM, |TOPIC, |FONT, |CONTEXT, |CTXOMAP and |TTLBTREE.
namespace qv::help {

using Bytes = std::vector<uint8_t>;

constexpr uint32_t None = 0xFFFFFFFFu;
constexpr int BlockSize = 4096;
constexpr int BlockHeaderSize = 12;
constexpr int LinkHeaderSize = 21;
// One paragraph's text must stay well inside one block.
constexpr size_t MaxParagraphText = 4000;

// An error in what was asked for, with the source line it came from (0 when there is none).
struct HelpError : std::runtime_error {
  HelpError(int line, const std::string& message) : std::runtime_error(message), Line(line) {}
  int Line;
};

// The context hash: case-insensitive, over letters, digits, '.' and '_'.
uint32_t ContextHash(std::string_view id);
bool IsContextIdChar(char c);

// The compressed integers of the topic records.
void PutCUShort(Bytes& out, unsigned v);
void PutCSShort(Bytes& out, int v);
void PutCULong(Bytes& out, uint32_t v);
void PutCSLong(Bytes& out, int32_t v);

void PutU16(Bytes& out, uint16_t v);
void PutU32(Bytes& out, uint32_t v);

// B+ tree: entries in key order, each with its key (what an index page repeats) and its leaf bytes.
struct BTreeEntry {
  Bytes Key;
  Bytes Leaf;
};
struct BTreeKind {
  uint16_t Flags;
  uint16_t PageSize;
  const char* Structure;
};
extern const BTreeKind DirectoryTree; // "z4": name -> file offset
extern const BTreeKind ContextTree;   // "L4": hash -> topic offset
extern const BTreeKind TitleTree;     // "Lz": topic offset -> title
Bytes BuildBTree(const BTreeKind& kind, const std::vector<BTreeEntry>& sorted);

// What a help file holds. Text is Windows-1252.
struct Run {
  std::string Text;
  std::string Jump; // context id of the target; empty for plain text
  bool Bold = false;
};
enum class Style { Title, Heading, Body, Bullet, Code }; // Code: one line in a fixed-width face
struct Paragraph {
  Style Kind = Style::Body;
  std::vector<Run> Runs;
  int Line = 0; // where it came from, for errors
};
struct Topic {
  std::string Id;
  std::string Title;
  uint32_t MapId = 0; // 0: not in |CTXOMAP
  std::vector<Paragraph> Paragraphs;
  int Line = 0;
};
struct Book {
  std::string Title;
  std::string Copyright;
  std::vector<Topic> Topics; // the first is the contents topic
};

struct TopicPlace {
  uint32_t TopicPos;    // block * 0x4000 + offset in the block, of the topic's header record
  uint32_t TopicOffset; // block * 0x8000 + characters before it in that block
};
struct WrittenHelp {
  Bytes File;
  std::vector<TopicPlace> Places; // one per topic, in book order
  int Blocks = 0;
};

// Lays out and writes the whole file. Throws HelpError for a paragraph that cannot fit one block.
WrittenHelp WriteHelp(const Book& book);

} // namespace qv::help
