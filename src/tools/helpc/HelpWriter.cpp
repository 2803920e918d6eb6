#include "tools/helpc/HelpWriter.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace qv::help {

const BTreeKind DirectoryTree = {0x0402, 0x0400, "z4"};
const BTreeKind ContextTree = {0x0002, 0x0800, "L4"};
const BTreeKind TitleTree = {0x0002, 0x0800, "Lz"};

namespace {

int HashValue(char c) {
  if (c >= 'A' && c <= 'Z') return 17 + (c - 'A');
  if (c >= 'a' && c <= 'z') return 17 + (c - 'a');
  if (c >= '1' && c <= '9') return c - '0';
  if (c == '0') return 10;
  if (c == '.') return 12;
  if (c == '_') return 13;
  return -1;
}

void Put(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }
void PutString(Bytes& out, std::string_view s, bool nul) {
  out.insert(out.end(), s.begin(), s.end());
  if (nul) out.push_back(0);
}
void SetU16(Bytes& b, size_t at, uint16_t v) {
  b[at] = v & 0xFF;
  b[at + 1] = v >> 8;
}
void SetU32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}

// Font numbers of the descriptors in |FONT.
enum Font : uint16_t { fnBody = 0, fnHeading = 1, fnTitle = 2, fnCode = 3 };

constexpr int Margin = 10;
constexpr uint8_t TypeTopicHeader = 0x02;
constexpr uint8_t TypeText = 0x20;

struct Record {
  uint8_t Type;
  Bytes LD1, LD2;
  int TopicIndex; // the topic it belongs to (the end marker: topic count)
  Bytes Link{};   // the 21-byte link header, written once positions are known
  // Filled by the layout.
  int Block = 0;
  int Pos = 0; // offset inside the block, header included
  uint32_t TopicPos = 0, TopicOffset = 0;
  size_t Size() const { return LinkHeaderSize + LD1.size() + LD2.size(); }
};

uint16_t BaseFont(Style kind) {
  return kind == Style::Title ? fnTitle : kind == Style::Heading ? fnHeading : kind == Style::Code ? fnCode : fnBody;
}

// A text record's strings and the formatting commands between them.
struct TextParts {
  std::vector<std::string> Strings;
  Bytes Commands;
};

// The paragraph's strings and formatting commands: every command takes the string before it.
TextParts SplitText(const Paragraph& p) {
  TextParts parts;
  std::string pending;
  auto command = [&](std::initializer_list<uint8_t> bytes) {
    parts.Strings.push_back(pending);
    pending.clear();
    parts.Commands.insert(parts.Commands.end(), bytes);
  };
  const uint16_t base = BaseFont(p.Kind);
  uint16_t font = base;
  auto useFont = [&](uint16_t f) { command({0x80, static_cast<uint8_t>(f & 0xFF), static_cast<uint8_t>(f >> 8)}); };
  useFont(font);
  if (p.Kind == Style::Bullet) pending = "\x95\t";
  for (const Run& run : p.Runs) {
    const uint16_t wanted = run.Bold && base == fnBody ? uint16_t{fnHeading} : base;
    if (wanted != font) useFont(font = wanted);
    if (run.Jump.empty()) {
      pending += run.Text;
      continue;
    }
    uint32_t h = ContextHash(run.Jump);
    command({0xE3, static_cast<uint8_t>(h), static_cast<uint8_t>(h >> 8), static_cast<uint8_t>(h >> 16),
             static_cast<uint8_t>(h >> 24)});
    pending = run.Text;
    command({0x89});
  }
  command({0x82});
  command({0xFF});
  return parts;
}

// Paragraph bits, then their values in bit order (half-points).
Bytes ParagraphFormat(Style kind) {
  Bytes format = {0x00, 0x80, 0x00, 0x00};
  switch (kind) {
    // A small left margin keeps the text off the viewer's edge.
    case Style::Title:
      PutU16(format, 0x0002 | 0x0004 | 0x0010);
      PutCSShort(format, 6);
      PutCSShort(format, 6);
      PutCSShort(format, Margin);
      break;
    case Style::Heading:
      PutU16(format, 0x0002 | 0x0010);
      PutCSShort(format, 14);
      PutCSShort(format, Margin);
      break;
    case Style::Body:
      PutU16(format, 0x0002 | 0x0010);
      PutCSShort(format, 8);
      PutCSShort(format, Margin);
      break;
    case Style::Code:
      PutU16(format, 0x0002 | 0x0010);
      PutCSShort(format, 8);
      PutCSShort(format, Margin + 18);
      break;
    case Style::Bullet:
      // Hanging indent with a tab stop at the text, so wrapped lines line up under it.
      PutU16(format, 0x0002 | 0x0010 | 0x0040 | 0x0200);
      PutCSShort(format, 4);
      PutCSShort(format, Margin + 36);
      PutCSShort(format, -18);
      PutCSShort(format, 1);
      PutCUShort(format, Margin + 36);
      break;
  }
  return format;
}

// LD1 holds the paragraph's format and commands, LD2 its strings.
Record TextRecord(const Paragraph& p, int topicIndex) {
  const TextParts parts = SplitText(p);
  Record r{TypeText, {}, {}, topicIndex};
  for (const auto& s : parts.Strings) PutString(r.LD2, s, true);
  if (r.LD2.size() > MaxParagraphText)
    throw HelpError(p.Line, "paragraph too long for one topic block (" + std::to_string(r.LD2.size()) +
                                " bytes, at most " + std::to_string(MaxParagraphText) + ")");
  Bytes format = ParagraphFormat(p.Kind);
  Put(format, parts.Commands);
  PutCSLong(r.LD1, static_cast<int32_t>(format.size()));
  PutCUShort(r.LD1, static_cast<unsigned>(r.LD2.size()));
  Put(r.LD1, format);
  if (LinkHeaderSize + r.LD1.size() > BlockSize - BlockHeaderSize)
    throw HelpError(p.Line, "paragraph has too many jumps for one topic block");
  return r;
}

Record HeaderRecord(const std::string& title, int topicIndex) {
  Record r{TypeTopicHeader, Bytes(28, 0), {}, topicIndex};
  PutString(r.LD2, title, false);
  return r;
}

// Places every record: a record's link header and LD1 never cross a block; its LD2 may.
int Layout(std::vector<Record>& records) {
  int block = 0, pos = BlockHeaderSize;
  uint32_t chars = 0;
  for (Record& r : records) {
    if (BlockSize - pos < static_cast<int>(LinkHeaderSize + r.LD1.size())) {
      ++block;
      pos = BlockHeaderSize;
      chars = 0;
    }
    r.Block = block;
    r.Pos = pos;
    r.TopicPos = static_cast<uint32_t>(block) * 0x4000 + pos;
    r.TopicOffset = static_cast<uint32_t>(block) * 0x8000 + chars;
    pos += static_cast<int>(r.Size());
    if (r.Type == TypeText) chars += static_cast<uint32_t>(r.LD2.size());
    while (pos > BlockSize) {
      ++block;
      chars = 0;
      pos -= BlockSize - BlockHeaderSize;
    }
  }
  return block + 1;
}

Bytes InternalFile(const Bytes& data) {
  Bytes out;
  PutU32(out, static_cast<uint32_t>(data.size() + 9));
  PutU32(out, static_cast<uint32_t>(data.size()));
  out.push_back(4);
  Put(out, data);
  return out;
}

Bytes FontFile() {
  const char* faces[] = {"Arial", "Courier New"};
  constexpr int faceLength = 20;
  struct Descriptor {
    uint8_t Attributes, HalfPoints, Family;
    uint8_t R, G, B;
  } descriptors[] = {
      {0, 20, 3, 0, 0, 0},    // body
      {1, 20, 3, 0, 0, 0},    // headings
      {1, 28, 3, 0, 51, 187}, // topic titles, in the value colour of the window
      {0, 20, 1, 0, 0, 0},    // command lines, in the fixed-width face
  };
  constexpr uint16_t faceCount = sizeof faces / sizeof faces[0];
  constexpr uint16_t descriptorCount = sizeof descriptors / sizeof descriptors[0];
  Bytes out;
  PutU16(out, faceCount);
  PutU16(out, descriptorCount);
  PutU16(out, 8);
  PutU16(out, 8 + faceCount * faceLength);
  for (const char* face : faces) {
    Bytes name(faceLength, 0);
    std::memcpy(name.data(), face, std::strlen(face));
    Put(out, name);
  }
  for (const auto& d : descriptors) {
    out.push_back(d.Attributes);
    out.push_back(d.HalfPoints);
    out.push_back(d.Family);
    PutU16(out, d.Family == 1 ? 1 : 0); // the fixed-width face for the modern family
    out.insert(out.end(), {d.R, d.G, d.B, 0, 0, 0});
  }
  return out;
}

Bytes SystemFile(const Book& book, uint32_t contentsOffset) {
  Bytes out;
  PutU16(out, 0x036C);
  PutU16(out, 21);
  PutU16(out, 1);
  PutU32(out, 0);
  PutU16(out, 0);
  auto record = [&](uint16_t type, const Bytes& data) {
    PutU16(out, type);
    PutU16(out, static_cast<uint16_t>(data.size()));
    Put(out, data);
  };
  Bytes title;
  PutString(title, book.Title, true);
  record(1, title);
  if (!book.Copyright.empty()) {
    Bytes copyright;
    PutString(copyright, book.Copyright, true);
    record(2, copyright);
  }
  Bytes contents;
  PutU32(contents, contentsOffset);
  record(3, contents);
  return out;
}

} // namespace

bool IsContextIdChar(char c) { return HashValue(c) >= 0; }

uint32_t ContextHash(std::string_view id) {
  uint32_t h = 0;
  for (char c : id) {
    int v = HashValue(c);
    if (v >= 0) h = h * 43 + static_cast<uint32_t>(v);
  }
  return h;
}

void PutU16(Bytes& out, uint16_t v) {
  out.push_back(v & 0xFF);
  out.push_back(v >> 8);
}
void PutU32(Bytes& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back((v >> (8 * i)) & 0xFF);
}

void PutCUShort(Bytes& out, unsigned v) {
  if (v < 128)
    out.push_back(static_cast<uint8_t>(2 * v));
  else
    PutU16(out, static_cast<uint16_t>(2 * v + 1));
}
void PutCSShort(Bytes& out, int v) {
  if (v >= -64 && v < 64)
    out.push_back(static_cast<uint8_t>(2 * (v + 64)));
  else
    PutU16(out, static_cast<uint16_t>(2 * (v + 16384) + 1));
}
void PutCULong(Bytes& out, uint32_t v) {
  if (v < 32768)
    PutU16(out, static_cast<uint16_t>(2 * v));
  else
    PutU32(out, 2 * v + 1);
}
void PutCSLong(Bytes& out, int32_t v) {
  if (v >= -16384 && v < 16384)
    PutU16(out, static_cast<uint16_t>(2 * (v + 16384)));
  else
    PutU32(out, static_cast<uint32_t>(2 * (static_cast<int64_t>(v) + (1 << 30)) + 1));
}

Bytes BuildBTree(const BTreeKind& kind, const std::vector<BTreeEntry>& sorted) {
  const size_t pageSize = kind.PageSize;
  std::vector<Bytes> pages;
  struct Child {
    int Page;
    Bytes FirstKey;
  };
  std::vector<Child> level;

  // Leaves: +0 free bytes, +2 count, +4 previous leaf, +6 next leaf, then the entries.
  size_t i = 0;
  do {
    Bytes page(8, 0);
    int count = 0;
    Bytes firstKey = i < sorted.size() ? sorted[i].Key : Bytes{};
    while (i < sorted.size() && page.size() + sorted[i].Leaf.size() <= pageSize) {
      Put(page, sorted[i].Leaf);
      ++count;
      ++i;
    }
    if (count == 0 && i < sorted.size()) throw HelpError(0, "a tree entry is larger than a page");
    int number = static_cast<int>(pages.size());
    SetU16(page, 0, static_cast<uint16_t>(pageSize - page.size()));
    SetU16(page, 2, static_cast<uint16_t>(count));
    SetU16(page, 4, static_cast<uint16_t>(number == 0 ? -1 : number - 1));
    SetU16(page, 6, 0xFFFF);
    if (number > 0) SetU16(pages.back(), 6, static_cast<uint16_t>(number));
    pages.push_back(page);
    level.push_back({number, firstKey});
  } while (i < sorted.size());

  // Index levels: +0 free bytes, +2 count, +4 first child, then (key, child) for the others.
  int levels = 1;
  while (level.size() > 1) {
    std::vector<Child> upper;
    size_t c = 0;
    while (c < level.size()) {
      Bytes page(6, 0);
      Bytes firstKey = level[c].FirstKey;
      SetU16(page, 4, static_cast<uint16_t>(level[c].Page));
      ++c;
      int count = 0;
      while (c < level.size() && page.size() + level[c].FirstKey.size() + 2 <= pageSize) {
        Put(page, level[c].FirstKey);
        PutU16(page, static_cast<uint16_t>(level[c].Page));
        ++count;
        ++c;
      }
      SetU16(page, 0, static_cast<uint16_t>(pageSize - page.size()));
      SetU16(page, 2, static_cast<uint16_t>(count));
      upper.push_back({static_cast<int>(pages.size()), firstKey});
      pages.push_back(page);
    }
    level = std::move(upper);
    ++levels;
  }

  Bytes out;
  PutU16(out, 0x293B);
  PutU16(out, kind.Flags);
  PutU16(out, kind.PageSize);
  Bytes structure(16, 0);
  std::memcpy(structure.data(), kind.Structure, std::strlen(kind.Structure));
  Put(out, structure);
  const int total = static_cast<int>(pages.size());
  PutU16(out, 0);
  PutU16(out, static_cast<uint16_t>(total - levels));
  PutU16(out, static_cast<uint16_t>(total - 1));
  PutU16(out, 0xFFFF);
  PutU16(out, static_cast<uint16_t>(total));
  PutU16(out, static_cast<uint16_t>(levels));
  PutU32(out, static_cast<uint32_t>(sorted.size()));
  for (Bytes& page : pages) {
    page.resize(pageSize, 0);
    Put(out, page);
  }
  return out;
}

namespace {

// Every record in file order, and where each topic's header record is; one more header, the end
// marker, closes the last topic.
struct TopicRecords {
  std::vector<Record> Records;
  std::vector<size_t> Headers;
  int TopicCount() const { return static_cast<int>(Headers.size()) - 1; }
};

// Each topic opens with its title as a paragraph of its own.
TopicRecords MakeRecords(const Book& book) {
  TopicRecords topics;
  std::vector<Record>& records = topics.Records;
  for (size_t t = 0; t < book.Topics.size(); ++t) {
    const Topic& topic = book.Topics[t];
    topics.Headers.push_back(records.size());
    records.push_back(HeaderRecord(topic.Title, static_cast<int>(t)));
    Paragraph title{Style::Title, {{topic.Title, ""}}, topic.Line};
    records.push_back(TextRecord(title, static_cast<int>(t)));
    for (const Paragraph& p : topic.Paragraphs) records.push_back(TextRecord(p, static_cast<int>(t)));
  }
  topics.Headers.push_back(records.size());
  records.push_back(HeaderRecord("", static_cast<int>(book.Topics.size()))); // the end marker
  return topics;
}

// The link headers chain the records, so they wait until the layout has placed them.
void LinkRecords(std::vector<Record>& records) {
  for (size_t r = 0; r < records.size(); ++r) {
    Record& rec = records[r];
    const bool last = r + 1 == records.size();
    Bytes link;
    PutU32(link, static_cast<uint32_t>(rec.Size()));
    PutU32(link, static_cast<uint32_t>(rec.LD2.size()));
    PutU32(link, r == 0 ? None : records[r - 1].TopicPos);
    PutU32(link, last ? None : records[r + 1].TopicPos);
    PutU32(link, static_cast<uint32_t>(LinkHeaderSize + rec.LD1.size()));
    link.push_back(rec.Type);
    rec.Link = link;
  }
}

// A topic header's size and places: its own records, and where the next topic begins.
Bytes TopicHeaderFields(const TopicRecords& topics, int t) {
  const std::vector<Record>& records = topics.Records;
  Bytes fields;
  if (t < topics.TopicCount()) {
    uint32_t size = 0;
    for (size_t r = topics.Headers[t] + 1; r < topics.Headers[t + 1]; ++r)
      size += static_cast<uint32_t>(records[r].Size());
    PutU32(fields, size);
    PutU32(fields, None);
    PutU32(fields, None);
    PutU32(fields, static_cast<uint32_t>(t));
    PutU32(fields, None);
    PutU32(fields, records[topics.Headers[t] + 1].TopicPos);
    PutU32(fields, records[topics.Headers[t + 1]].TopicPos);
  } else {
    PutU32(fields, 0);
    PutU32(fields, None);
    PutU32(fields, None);
    PutU32(fields, static_cast<uint32_t>(t));
    PutU32(fields, None);
    PutU32(fields, None);
    PutU32(fields, None);
  }
  return fields;
}

void FillTopicHeaders(TopicRecords& topics) {
  for (int t = 0; t <= topics.TopicCount(); ++t) {
    const Bytes fields = TopicHeaderFields(topics, t);
    std::memcpy(topics.Records[topics.Headers[t]].LD1.data(), fields.data(), fields.size());
  }
}

// Each block's header: the last record and the last topic header before it, and its first record.
void PutBlockHeaders(Bytes& topicData, const std::vector<Record>& records, int blocks) {
  for (int b = 0; b < blocks; ++b) {
    uint32_t lastBefore = None, firstIn = None, lastHeaderBefore = None;
    for (const Record& rec : records) {
      if (rec.Block < b) {
        lastBefore = rec.TopicPos;
        if (rec.Type == TypeTopicHeader) lastHeaderBefore = rec.TopicPos;
      } else if (firstIn == None) {
        firstIn = rec.TopicPos;
      }
    }
    size_t at = static_cast<size_t>(b) * BlockSize;
    SetU32(topicData, at, lastBefore);
    SetU32(topicData, at + 4, firstIn);
    SetU32(topicData, at + 8, lastHeaderBefore);
  }
}

// Each record's bytes from its place on, running into the next block after that block's header.
void PutRecords(Bytes& topicData, const std::vector<Record>& records) {
  for (const Record& rec : records) {
    int block = rec.Block, pos = rec.Pos;
    auto write = [&](const Bytes& bytes) {
      for (uint8_t byte : bytes) {
        if (pos == BlockSize) {
          ++block;
          pos = BlockHeaderSize;
        }
        topicData[static_cast<size_t>(block) * BlockSize + pos++] = byte;
      }
    };
    write(rec.Link);
    write(rec.LD1);
    write(rec.LD2);
  }
}

Bytes TopicFile(const std::vector<Record>& records, int blocks) {
  Bytes topicData(static_cast<size_t>(blocks) * BlockSize, 0);
  PutBlockHeaders(topicData, records, blocks);
  PutRecords(topicData, records);
  return topicData;
}

std::vector<TopicPlace> TopicPlaces(const TopicRecords& topics) {
  std::vector<TopicPlace> places;
  for (int t = 0; t < topics.TopicCount(); ++t) {
    const Record& header = topics.Records[topics.Headers[t]];
    places.push_back({header.TopicPos, header.TopicOffset});
  }
  return places;
}

// Context hash -> topic offset.
std::vector<BTreeEntry> ContextEntries(const Book& book, const std::vector<TopicPlace>& places) {
  std::vector<std::pair<int32_t, BTreeEntry>> contexts;
  for (size_t t = 0; t < places.size(); ++t) {
    uint32_t hash = ContextHash(book.Topics[t].Id);
    BTreeEntry e;
    PutU32(e.Key, hash);
    e.Leaf = e.Key;
    PutU32(e.Leaf, places[t].TopicOffset);
    contexts.push_back({static_cast<int32_t>(hash), e});
  }
  // Signed order: the viewer stops at the first larger key.
  std::stable_sort(contexts.begin(), contexts.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<BTreeEntry> entries;
  for (auto& c : contexts) entries.push_back(c.second);
  return entries;
}

// Topic offset -> title, already in order since the topics are.
std::vector<BTreeEntry> TitleEntries(const Book& book, const std::vector<TopicPlace>& places) {
  std::vector<BTreeEntry> entries;
  for (size_t t = 0; t < places.size(); ++t) {
    BTreeEntry e;
    PutU32(e.Key, places[t].TopicOffset);
    e.Leaf = e.Key;
    PutString(e.Leaf, book.Topics[t].Title, true);
    entries.push_back(e);
  }
  return entries;
}

// The program's map numbers -> topic offset, for the topics that have one.
Bytes ContextMapFile(const Book& book, const std::vector<TopicPlace>& places) {
  Bytes ctxomap;
  std::vector<std::pair<uint32_t, uint32_t>> maps;
  for (size_t t = 0; t < places.size(); ++t)
    if (book.Topics[t].MapId) maps.push_back({book.Topics[t].MapId, places[t].TopicOffset});
  PutU16(ctxomap, static_cast<uint16_t>(maps.size()));
  for (auto [id, offset] : maps) {
    PutU32(ctxomap, id);
    PutU32(ctxomap, offset);
  }
  return ctxomap;
}

// The file header, the internal files, then the directory of them.
Bytes HelpFile(const std::map<std::string, Bytes>& files) {
  Bytes out(16, 0);
  std::vector<BTreeEntry> directory;
  for (const auto& [name, data] : files) {
    BTreeEntry e;
    PutString(e.Key, name, true);
    e.Leaf = e.Key;
    PutU32(e.Leaf, static_cast<uint32_t>(out.size()));
    directory.push_back(e);
    Put(out, InternalFile(data));
  }
  const uint32_t directoryOffset = static_cast<uint32_t>(out.size());
  Put(out, InternalFile(BuildBTree(DirectoryTree, directory)));
  SetU32(out, 0, 0x00035F3F);
  SetU32(out, 4, directoryOffset);
  SetU32(out, 8, None);
  SetU32(out, 12, static_cast<uint32_t>(out.size()));
  return out;
}

} // namespace

WrittenHelp WriteHelp(const Book& book) {
  if (book.Topics.empty()) throw HelpError(0, "the help file has no topics");
  TopicRecords topics = MakeRecords(book);
  const int blocks = Layout(topics.Records);
  LinkRecords(topics.Records);
  FillTopicHeaders(topics);

  WrittenHelp written;
  written.Blocks = blocks;
  written.Places = TopicPlaces(topics);
  const std::map<std::string, Bytes> files = {
      // std::map keeps the names in byte order
      {"|CONTEXT", BuildBTree(ContextTree, ContextEntries(book, written.Places))},
      {"|CTXOMAP", ContextMapFile(book, written.Places)},
      {"|FONT", FontFile()},
      {"|SYSTEM", SystemFile(book, written.Places[0].TopicOffset)},
      {"|TOPIC", TopicFile(topics.Records, blocks)},
      {"|TTLBTREE", BuildBTree(TitleTree, TitleEntries(book, written.Places))},
  };
  written.File = HelpFile(files);
  return written;
}

} // namespace qv::help
