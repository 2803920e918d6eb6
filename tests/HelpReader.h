#pragma once
// A reader of the help files quorvel-helpc writes, for the tests: it walks the directory and the
// trees the way the viewer does and rebuilds each topic's text and jumps from the topic blocks.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qv::help::testing {

using Bytes = std::vector<uint8_t>;

inline uint32_t U32(const Bytes& b, size_t at) {
  if (at + 4 > b.size()) throw std::out_of_range("read past the end");
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
inline uint16_t U16(const Bytes& b, size_t at) {
  if (at + 2 > b.size()) throw std::out_of_range("read past the end");
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

struct TreeInfo {
  int Levels = 0, Pages = 0, Root = 0;
  uint32_t Entries = 0;
};

struct ReadTopic {
  std::string Title;
  uint32_t TopicPos = 0, TopicOffset = 0;
  std::string Text;            // paragraphs end in '\n'
  std::vector<uint32_t> Jumps; // context hashes of its jumps
};

class HelpReader {
public:
  explicit HelpReader(Bytes file) : file_(std::move(file)) {
    EXPECT_EQ(U32(file_, 0), 0x00035F3Fu);
    EXPECT_EQ(U32(file_, 12), file_.size());
    Bytes dir = Internal(U32(file_, 4));
    Leaves(dir, [&](const Bytes& page, size_t at) {
      std::string name(reinterpret_cast<const char*>(&page[at]));
      Directory.push_back(name);
      offsets_[name] = U32(page, at + name.size() + 1);
      return name.size() + 5;
    });
  }

  std::vector<std::string> Directory; // names in stored order

  Bytes File(const std::string& name) const {
    auto found = offsets_.find(name);
    if (found == offsets_.end()) throw std::runtime_error("no internal file " + name);
    return Internal(found->second);
  }

  static TreeInfo Tree(const Bytes& tree) {
    return {static_cast<int16_t>(U16(tree, 32)), static_cast<int16_t>(U16(tree, 30)),
            static_cast<int16_t>(U16(tree, 26)), U32(tree, 34)};
  }

  // |CONTEXT entries in stored leaf order.
  std::vector<std::pair<uint32_t, uint32_t>> Contexts() const {
    std::vector<std::pair<uint32_t, uint32_t>> out;
    Leaves(File("|CONTEXT"), [&](const Bytes& page, size_t at) {
      out.push_back({U32(page, at), U32(page, at + 4)});
      return size_t{8};
    });
    return out;
  }

  // The viewer's look-up: down from the root, stopping at the first key larger than the hash.
  std::optional<uint32_t> LookUp(uint32_t hash) const {
    Bytes tree = File("|CONTEXT");
    TreeInfo info = Tree(tree);
    const size_t pageSize = U16(tree, 4);
    int page = info.Root;
    for (int level = info.Levels; level > 1; --level) {
      size_t base = 38 + page * pageSize;
      int count = static_cast<int16_t>(U16(tree, base + 2));
      int child = static_cast<int16_t>(U16(tree, base + 4));
      for (int i = 0; i < count; ++i) {
        size_t at = base + 6 + i * 6;
        if (static_cast<int32_t>(U32(tree, at)) > static_cast<int32_t>(hash)) break;
        child = static_cast<int16_t>(U16(tree, at + 4));
      }
      page = child;
    }
    size_t base = 38 + page * pageSize;
    int count = static_cast<int16_t>(U16(tree, base + 2));
    for (int i = 0; i < count; ++i) {
      size_t at = base + 8 + i * 8;
      if (U32(tree, at) == hash) return U32(tree, at + 4);
      if (static_cast<int32_t>(U32(tree, at)) > static_cast<int32_t>(hash)) break;
    }
    return std::nullopt;
  }

  // Walks the record chain from the first record and rebuilds every topic.
  std::vector<ReadTopic> Topics(int* spilledRecords = nullptr) const {
    Bytes topic = File("|TOPIC");
    EXPECT_EQ(topic.size() % 4096, 0u);
    std::vector<ReadTopic> topics;
    std::map<uint32_t, uint32_t> chars; // characters of text records so far, per block
    uint32_t pos = 12, previous = 0xFFFFFFFF;
    int spilled = 0;
    while (pos != 0xFFFFFFFF) {
      const uint32_t block = pos / 0x4000, offset = pos % 0x4000;
      Bytes link = Read(topic, pos, 21);
      const uint32_t blockSize = U32(link, 0), len2 = U32(link, 4), next = U32(link, 12), len1 = U32(link, 16);
      const uint8_t type = link[20];
      EXPECT_EQ(U32(link, 8), previous) << "previous link at " << pos;
      EXPECT_LE(offset + len1, 4096u) << "header or LD1 crosses a block at " << pos;
      EXPECT_EQ(blockSize, len1 + len2);
      Bytes whole = Read(topic, pos, blockSize);
      if (offset + blockSize > 4096) ++spilled;
      Bytes ld1(whole.begin() + 21, whole.begin() + len1), ld2(whole.begin() + len1, whole.end());
      if (type == 0x02) {
        if (next == 0xFFFFFFFF) break; // the end marker
        ReadTopic t;
        t.Title.assign(ld2.begin(), ld2.end());
        t.TopicPos = pos;
        t.TopicOffset = block * 0x8000 + chars[block];
        EXPECT_EQ(U32(ld1, 20), next) << "a topic's text starts right after its header";
        topics.push_back(t);
      } else {
        EXPECT_EQ(type, 0x20);
        EXPECT_FALSE(topics.empty());
        chars[block] += len2;
        Paragraph(ld1, ld2, topics.back());
      }
      previous = pos;
      pos = next;
    }
    if (spilledRecords) *spilledRecords = spilled;
    return topics;
  }

private:
  Bytes Internal(uint32_t at) const {
    uint32_t reserved = U32(file_, at), used = U32(file_, at + 4);
    EXPECT_EQ(reserved, used + 9);
    if (at + 9 + used > file_.size()) throw std::out_of_range("internal file past the end");
    return Bytes(file_.begin() + at + 9, file_.begin() + at + 9 + used);
  }

  // Calls entry(page, at) for every leaf entry in order; it returns the entry's size.
  template <typename F>
  static void Leaves(const Bytes& tree, F entry) {
    EXPECT_EQ(U16(tree, 0), 0x293B);
    TreeInfo info = Tree(tree);
    const size_t pageSize = U16(tree, 4);
    int page = info.Root;
    for (int level = info.Levels; level > 1; --level) page = static_cast<int16_t>(U16(tree, 38 + page * pageSize + 4));
    uint32_t seen = 0;
    while (page != -1) {
      Bytes p(tree.begin() + 38 + page * pageSize, tree.begin() + 38 + (page + 1) * pageSize);
      int count = static_cast<int16_t>(U16(p, 2));
      size_t at = 8;
      for (int i = 0; i < count; ++i, ++seen) at += entry(p, at);
      page = static_cast<int16_t>(U16(p, 6));
    }
    EXPECT_EQ(seen, info.Entries);
  }

  // Bytes from a TOPICPOS on, skipping the next block's header where the record runs on.
  static Bytes Read(const Bytes& topic, uint32_t pos, size_t n) {
    size_t block = pos / 0x4000, offset = pos % 0x4000;
    Bytes out;
    while (out.size() < n) {
      if (offset == 4096) ++block, offset = 12;
      out.push_back(topic.at(block * 4096 + offset++));
    }
    return out;
  }

  static size_t CompressedShort(const Bytes& b, size_t at) { return (b[at] & 1) ? 2 : 1; }
  static size_t CompressedLong(const Bytes& b, size_t at) { return (b[at] & 1) ? 4 : 2; }

  static void Paragraph(const Bytes& ld1, const Bytes& ld2, ReadTopic& topic) {
    size_t at = CompressedLong(ld1, 0);
    const size_t sizeAt = at;
    unsigned length = (ld1[at] & 1) ? U16(ld1, at) / 2 : ld1[at] / 2;
    at += CompressedShort(ld1, at);
    EXPECT_EQ(length, ld2.size()) << "TopicLength is the stored text length";
    EXPECT_EQ(ld1.size() - sizeAt - CompressedShort(ld1, sizeAt), (U16(ld1, 0) / 2u) - 16384u) << "TopicSize";
    at += 4;
    uint16_t bits = U16(ld1, at);
    at += 2;
    for (uint16_t bit : {0x0002, 0x0004, 0x0008, 0x0010, 0x0020, 0x0040})
      if (bits & bit) at += CompressedShort(ld1, at);
    if (bits & 0x0200) {
      int n = (ld1[at] & 1) ? (U16(ld1, at) / 2 - 16384) : (ld1[at] / 2 - 64);
      at += CompressedShort(ld1, at);
      for (int i = 0; i < n; ++i) {
        bool typed = ((ld1[at] & 1) ? U16(ld1, at) / 2 : ld1[at] / 2) & 0x4000;
        at += CompressedShort(ld1, at);
        if (typed) at += CompressedShort(ld1, at);
      }
    }
    std::vector<std::string> strings;
    for (size_t s = 0; s < ld2.size();) {
      std::string one(reinterpret_cast<const char*>(&ld2[s]));
      strings.push_back(one);
      s += one.size() + 1;
    }
    size_t used = 0;
    for (;;) {
      ASSERT_LT(at, ld1.size()) << "commands run past LD1";
      ASSERT_LT(used, strings.size()) << "fewer strings than commands";
      topic.Text += strings[used++];
      uint8_t c = ld1[at++];
      if (c == 0xFF) break;
      if (c == 0x80)
        at += 2;
      else if (c == 0x82)
        topic.Text += '\n';
      else if (c == 0xE3 || c == 0xE2 || c == 0xE6 || c == 0xE7)
        topic.Jumps.push_back(U32(ld1, at)), at += 4;
      else if (c != 0x81 && c != 0x83 && c != 0x89)
        ADD_FAILURE() << "unexpected command " << int(c);
    }
    EXPECT_EQ(at, ld1.size());
    EXPECT_EQ(used, strings.size()) << "as many strings as commands";
  }

  Bytes file_;
  std::map<std::string, uint32_t> offsets_;
};

} // namespace qv::help::testing
